#pragma once
// One cube drawn into each quarter of the window, each time with another Earth texture. The
// "S" button chooses how a quarter limits the drawing: unchecked, a scissor rectangle clips
// the full-size cube; checked, a viewport shrinks the whole cube into the quarter. The
// full-window rectangle or viewport is set again after the four draws.

#include "testcase/testcommon.h"

#include "rendercore/source/resource/texture.h"

#include <array>

namespace Halvex::HGui
{
class HPushButton;
}

class ViewportAndScissor : public TestCommon
{
public:
    static constexpr int QUARTER_COUNT = 4;
    using Rect = std::array<float, 4>; // x, y, width, height

    ViewportAndScissor();

    void Render(RenderImpl* pRenderer) override;
    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    const std::array<Rect, QUARTER_COUNT>& GetQuarters() const { return m_Quarters; }
    Halvex::RenderCore::Texture* GetTexture(int i) { return &m_Textures[i]; }
    Halvex::HGui::HPushButton* GetViewportButton() const { return m_pViewportButton; }

private:
    std::array<Rect, QUARTER_COUNT> m_Quarters{};
    std::array<Halvex::RenderCore::Texture, QUARTER_COUNT> m_Textures;
    // One of m_Textures while a quarter is drawn.
    Halvex::RenderCore::Texture* m_pCurrentTexture = nullptr;
    // Belongs to the panel.
    Halvex::HGui::HPushButton* m_pViewportButton = nullptr;
};
