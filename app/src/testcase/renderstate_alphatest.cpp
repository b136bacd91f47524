#include "testcase/renderstate_alphatest.h"

#include "testcase/alphaplane.h"
#include "testcase/lessoncontrols.h"
#include "testcase/lessontexture.h"
#include "testcase/meshsampler.h"

#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"

#include "rendercore/source/renderdevice/renderdevice.h"

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;

namespace
{
// Item order is the engine enum order, so an index is the state's value.
const char* const REFERENCE_ITEMS[] = {"0", "20", "40", "60", "80", "100"};
constexpr float COMBO_WIDTH = 150.0f;
constexpr float QUARTER_TURN = 1.5707964f;
} // namespace

RenderState_AlphaTest::RenderState_AlphaTest()
{
    Init("RenderState_AlphaTest");
    LoadModel("Data/plane.bin");
    m_Camera.SetLookAt({0.0f, 0.0f, 3.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    LoadLessonTexture(m_Texture, "Data/_Tex_/tree01.dds");

    Halvex::HGui::HWidget* pPanel = GetPanel();
    // Bottom up, so that each drop-down opens over the combo boxes below it.
    m_pFuncCombo =
        CreateStateCombo(pPanel, 70.0f, COMBO_WIDTH, 176.0f, COMPARE_ITEMS, 8, CMP_ALWAYS);
    m_pReferenceCombo = CreateStateCombo(pPanel, 40.0f, COMBO_WIDTH, 132.0f, REFERENCE_ITEMS, 6, 0);
    m_pEnableCombo = CreateStateCombo(pPanel, 10.0f, COMBO_WIDTH, 44.0f, ENABLE_ITEMS, 2, 0);
}

void RenderState_AlphaTest::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    pDevice->Clear(CLEAR_TARGET, ALPHA_BACKGROUND, 1.0f, 0);
    // The GUI draws blended; the tree is drawn without blending, so that only the alpha test
    // decides which texels stay (and with the test off the transparent ones show).
    pDevice->SetRenderState(RS_ALPHA_BLEND_ENABLE, 0);
    pDevice->SetRenderState(RS_ALPHA_TEST_ENABLE,
                            static_cast<uint32_t>(m_pEnableCombo->GetSelectedIndex()));
    pDevice->SetRenderState(RS_ALPHA_FUNC, static_cast<uint32_t>(m_pFuncCombo->GetSelectedIndex()));
    pDevice->SetRenderState(
        RS_ALPHA_REF,
        static_cast<uint32_t>(m_pReferenceCombo->GetSelectedIndex() * REFERENCE_STEP));

    m_Shader.Begin();
    m_World = Matrix4::RotationX(PLANE_UPRIGHT);
    RenderModel(pRenderer, &m_Model);
    m_World = Matrix4::RotationX(PLANE_UPRIGHT) * Matrix4::RotationY(QUARTER_TURN);
    RenderModel(pRenderer, &m_Model);
    m_Shader.End();

    pDevice->SetRenderState(RS_ALPHA_TEST_ENABLE, 0);
    pDevice->SetRenderState(RS_ALPHA_FUNC, CMP_ALWAYS);
    pDevice->SetRenderState(RS_ALPHA_REF, 0);
}

void RenderState_AlphaTest::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    const Matrix4 worldViewProjection = m_World * m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, worldViewProjection.Data());
    pDevice->SetTexture(SHADER_PIXEL, 0, &m_Texture, &MESH_SAMPLER);
    TestCommon::RenderMesh(pRenderer, pMesh);
}
