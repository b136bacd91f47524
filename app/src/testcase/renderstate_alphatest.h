#pragma once
// Alpha testing on a tree drawn on two crossed quads. The combo boxes pass the test enable,
// the reference (item index x 20) and the compare function as render-state values; the
// fixed values are put back after drawing.

#include "testcase/testcommon.h"

#include "math/matrix4.h"
#include "rendercore/source/resource/texture.h"

class MyComboBox;

class RenderState_AlphaTest : public TestCommon
{
public:
    // The reference is the chosen item's index times this.
    static constexpr int REFERENCE_STEP = 20;

    RenderState_AlphaTest();

    void Render(RenderImpl* pRenderer) override;
    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    MyComboBox* GetEnableCombo() const { return m_pEnableCombo; }
    MyComboBox* GetReferenceCombo() const { return m_pReferenceCombo; }
    MyComboBox* GetFuncCombo() const { return m_pFuncCombo; }
    const Halvex::RenderCore::Texture& GetTexture() const { return m_Texture; }

private:
    Halvex::RenderCore::Texture m_Texture;
    Halvex::MATH::Matrix4 m_World;
    // The combo boxes belong to the panel.
    MyComboBox* m_pEnableCombo = nullptr;
    MyComboBox* m_pReferenceCombo = nullptr;
    MyComboBox* m_pFuncCombo = nullptr;
};
