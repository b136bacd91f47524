#pragma once
// Alpha blending on a 3 x 3 grid of snow-flake quads. The combo boxes pass their item index
// as the blend enable, source factor, destination factor and depth-write state; "Sort" draws
// the farthest quad first and "Billboard" turns every quad towards the camera. The fixed
// values are put back after drawing.

#include "testcase/testcommon.h"

#include "math/matrix4.h"
#include "math/vector.h"
#include "rendercore/source/resource/texture.h"

#include <vector>

namespace Halvex::HGui
{
class HPushButton;
}

class MyComboBox;

class RenderState_AlphaBlend : public TestCommon
{
public:
    RenderState_AlphaBlend();

    void Render(RenderImpl* pRenderer) override;
    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    MyComboBox* GetBlendCombo() const { return m_pBlendCombo; }
    MyComboBox* GetSrcBlendCombo() const { return m_pSrcBlendCombo; }
    MyComboBox* GetDestBlendCombo() const { return m_pDestBlendCombo; }
    MyComboBox* GetWriteCombo() const { return m_pWriteCombo; }
    Halvex::HGui::HPushButton* GetSortButton() const { return m_pSortButton; }
    Halvex::HGui::HPushButton* GetBillboardButton() const { return m_pBillboardButton; }
    const Halvex::RenderCore::Texture& GetTexture() const { return m_Texture; }
    const std::vector<Halvex::MATH::Vector3<float>>& GetViewPositions() const
    {
        return m_ViewPositions;
    }

private:
    Halvex::RenderCore::Texture m_Texture;
    Halvex::MATH::Matrix4 m_World;
    // The quads' centres in view space, refilled every frame; it keeps its capacity.
    std::vector<Halvex::MATH::Vector3<float>> m_ViewPositions;
    // The controls belong to the panel.
    MyComboBox* m_pBlendCombo = nullptr;
    MyComboBox* m_pSrcBlendCombo = nullptr;
    MyComboBox* m_pDestBlendCombo = nullptr;
    MyComboBox* m_pWriteCombo = nullptr;
    Halvex::HGui::HPushButton* m_pSortButton = nullptr;
    Halvex::HGui::HPushButton* m_pBillboardButton = nullptr;
};
