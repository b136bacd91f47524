#pragma once
// Render to texture: the textured cube is drawn into a 512 x 512 render target, and that
// picture is then the texture of the same cube drawn into the window. The "S" button skips
// the off-screen pass, so the cube is drawn once with its own texture.

#include "testcase/testcommon.h"

#include "rendercore/source/resource/texture.h"

namespace Halvex::HGui
{
class HPushButton;
} // namespace Halvex::HGui

class RenderToTexture : public TestCommon
{
public:
    RenderToTexture();

    void Render(RenderImpl* pRenderer) override;
    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    Halvex::RenderCore::Texture& GetTarget() { return m_Target; }
    Halvex::HGui::HPushButton* GetSkipButton() const { return m_pSkipButton; }

private:
    void RenderOffscreen(RenderImpl* pRenderer);
    void RenderWithTarget(RenderImpl* pRenderer);
    void DrawModel(RenderImpl* pRenderer, TestShader& shader, bool useTarget);

    Halvex::RenderCore::Texture m_Target;
    TestShader m_UseShader;
    // Holds the window's colour surface while the target is bound.
    Halvex::RenderCore::Texture m_SavedTarget;
    bool m_UseTarget = false;
    // Belongs to the panel.
    Halvex::HGui::HPushButton* m_pSkipButton = nullptr;
};
