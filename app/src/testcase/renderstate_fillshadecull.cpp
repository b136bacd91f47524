#include "testcase/renderstate_fillshadecull.h"

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
const char* const FILL_ITEMS[] = {"Point", "WireFrame", "Solid"};
const char* const SHADE_ITEMS[] = {"Flat", "Gouraud"};
const char* const CULL_ITEMS[] = {"None", "ClockWise", "CounterClockWise"};
constexpr float COMBO_WIDTH = 200.0f;
// Large enough that point fill shows the cube's corners.
constexpr uint32_t POINT_SIZE = 10;
} // namespace

RenderState_FillShadeCull::RenderState_FillShadeCull()
{
    Init("RenderState_FillShadeCull");
    LoadModel("Data/cube_panda_vc.bin");

    Halvex::HGui::HWidget* pPanel = GetPanel();
    // Bottom up, so that each drop-down opens over the combo boxes below it.
    m_pCullCombo = CreateStateCombo(pPanel, 70.0f, COMBO_WIDTH, 66.0f, CULL_ITEMS, 3, CULL_NONE);
    m_pShadeCombo =
        CreateStateCombo(pPanel, 40.0f, COMBO_WIDTH, 44.0f, SHADE_ITEMS, 2, SHADE_GOURAUD);
    m_pFillCombo = CreateStateCombo(pPanel, 10.0f, COMBO_WIDTH, 66.0f, FILL_ITEMS, 3, FILL_SOLID);
}

void RenderState_FillShadeCull::Render(RenderImpl* pRenderer)
{
    const auto fill = static_cast<uint32_t>(m_pFillCombo->GetSelectedIndex());
    const auto shade = static_cast<uint32_t>(m_pShadeCombo->GetSelectedIndex());
    const auto cull = static_cast<uint32_t>(m_pCullCombo->GetSelectedIndex());

    RenderDevice* pDevice = pRenderer->GetDevice();
    pDevice->SetRenderState(RS_POINT_SIZE, POINT_SIZE);
    pDevice->SetRenderState(RS_FILL_MODE, fill);
    pDevice->SetRenderState(RS_SHADE_MODE, shade);
    pDevice->SetRenderState(RS_CULL_MODE, cull);

    m_Shader.Begin();
    RenderModel(pRenderer, &m_Model);
    m_Shader.End();

    pDevice->SetRenderState(RS_POINT_SIZE, 1);
    pDevice->SetRenderState(RS_FILL_MODE, FILL_SOLID);
    pDevice->SetRenderState(RS_SHADE_MODE, SHADE_GOURAUD);
    pDevice->SetRenderState(RS_CULL_MODE, CULL_NONE);
}

void RenderState_FillShadeCull::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    const Matrix4 viewProjection = m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, viewProjection.Data());
    pDevice->SetTexture(SHADER_PIXEL, 0, pMesh->m_pTexture.get(), &MESH_SAMPLER);
    TestCommon::RenderMesh(pRenderer, pMesh);
}
