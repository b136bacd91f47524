#include "testcase/renderstate_depth.h"

#include "testcase/lessoncontrols.h"
#include "testcase/meshsampler.h"

#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"

#include "rendercore/source/renderdevice/renderdevice.h"

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;

namespace
{
// Item order is the engine enum order, so an index is the state's value.
const char* const Z_ENABLE_ITEMS[] = {"Z Disable", "Z Enable"};
constexpr float COMBO_WIDTH = 150.0f;
constexpr float CUBE_SPACING = 3.0f;
} // namespace

RenderState_Depth::RenderState_Depth()
{
    Init("RenderState_Depth");
    LoadModel("Data/cube_panda.bin");
    m_Camera.SetLookAt({0.0f, 0.0f, 10.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});

    Halvex::HGui::HWidget* pPanel = GetPanel();
    // Bottom up, so that each drop-down opens over the combo boxes below it.
    m_pFuncCombo =
        CreateStateCombo(pPanel, 70.0f, COMBO_WIDTH, 176.0f, COMPARE_ITEMS, 8, CMP_LESS_EQUAL);
    m_pWriteCombo = CreateStateCombo(pPanel, 40.0f, COMBO_WIDTH, 44.0f, WRITE_ITEMS, 2, 1);
    m_pEnableCombo = CreateStateCombo(pPanel, 10.0f, COMBO_WIDTH, 44.0f, Z_ENABLE_ITEMS, 2, 1);
}

void RenderState_Depth::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    pDevice->SetRenderState(RS_Z_ENABLE, static_cast<uint32_t>(m_pEnableCombo->GetSelectedIndex()));
    pDevice->SetRenderState(RS_Z_WRITE_ENABLE,
                            static_cast<uint32_t>(m_pWriteCombo->GetSelectedIndex()));
    pDevice->SetRenderState(RS_Z_FUNC, static_cast<uint32_t>(m_pFuncCombo->GetSelectedIndex()));

    m_Shader.Begin();
    // Outer loop over x, inner over z: with "Always" the cube drawn last wins.
    for (int i = 0; i < 3; ++i)
    {
        for (int j = 0; j < 3; ++j)
        {
            m_World = Matrix4::Translation(static_cast<float>(i - 1) * CUBE_SPACING, 0.0f,
                                           static_cast<float>(j - 1) * CUBE_SPACING);
            RenderModel(pRenderer, &m_Model);
        }
    }
    m_Shader.End();

    pDevice->SetRenderState(RS_Z_ENABLE, 1);
    pDevice->SetRenderState(RS_Z_WRITE_ENABLE, 1);
    pDevice->SetRenderState(RS_Z_FUNC, CMP_LESS_EQUAL);
}

void RenderState_Depth::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    const Matrix4 worldViewProjection = m_World * m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, worldViewProjection.Data());
    pDevice->SetTexture(SHADER_PIXEL, 0, pMesh->m_pTexture.get(), &MESH_SAMPLER);
    TestCommon::RenderMesh(pRenderer, pMesh);
}
