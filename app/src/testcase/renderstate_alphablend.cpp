#include "testcase/renderstate_alphablend.h"

#include "testcase/alphaplane.h"
#include "testcase/lessoncontrols.h"
#include "testcase/lessontexture.h"
#include "testcase/meshsampler.h"

#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"

#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <algorithm>
#include <cmath>

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;
using Halvex::MATH::Vector3;

namespace
{
// Item order is the engine enum order, so an index is the state's value.
const char* const FACTOR_ITEMS[] = {"Zero",      "One",         "SrcColor",  "InvSrcColor",
                                    "SrcAlpha",  "InvSrcAlpha", "DestAlpha", "InvDestAlpha",
                                    "DestColor", "InvDestColor"};
constexpr int FACTOR_COUNT = 10;
constexpr float COMBO_WIDTH = 150.0f;
constexpr float QUAD_SPACING = 3.0f;
constexpr int GRID = 3;
} // namespace

RenderState_AlphaBlend::RenderState_AlphaBlend()
{
    Init("RenderState_AlphaBlend");
    LoadModel("Data/plane.bin");
    LoadLessonTexture(m_Texture, "Data/_Tex_/snow.dds");
    m_Camera.SetLookAt({0.0f, 0.0f, 8.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    m_ViewPositions.reserve(GRID * GRID);

    Halvex::HGui::HWidget* pPanel = GetPanel();
    m_pBillboardButton = CreateToggleButton(pPanel, -70.0f, 10.0f, 90.0f, "Billboard");
    m_pSortButton = CreateToggleButton(pPanel, -10.0f, 10.0f, 50.0f, "Sort");
    // Bottom up, so that each drop-down opens over the combo boxes below it.
    m_pWriteCombo = CreateStateCombo(pPanel, 130.0f, COMBO_WIDTH, 44.0f, WRITE_ITEMS, 2, 1);
    m_pDestBlendCombo = CreateStateCombo(pPanel, 100.0f, COMBO_WIDTH, 220.0f, FACTOR_ITEMS,
                                         FACTOR_COUNT, BLEND_INV_SRC_ALPHA);
    m_pSrcBlendCombo = CreateStateCombo(pPanel, 70.0f, COMBO_WIDTH, 220.0f, FACTOR_ITEMS,
                                        FACTOR_COUNT, BLEND_SRC_ALPHA);
    m_pBlendCombo = CreateStateCombo(pPanel, 40.0f, COMBO_WIDTH, 44.0f, ENABLE_ITEMS, 2, 1);
}

void RenderState_AlphaBlend::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    pDevice->Clear(CLEAR_TARGET, ALPHA_BACKGROUND, 1.0f, 0);
    pDevice->SetRenderState(RS_ALPHA_BLEND_ENABLE,
                            static_cast<uint32_t>(m_pBlendCombo->GetSelectedIndex()));
    pDevice->SetRenderState(RS_SRC_BLEND,
                            static_cast<uint32_t>(m_pSrcBlendCombo->GetSelectedIndex()));
    pDevice->SetRenderState(RS_DEST_BLEND,
                            static_cast<uint32_t>(m_pDestBlendCombo->GetSelectedIndex()));
    pDevice->SetRenderState(RS_Z_WRITE_ENABLE,
                            static_cast<uint32_t>(m_pWriteCombo->GetSelectedIndex()));

    const Matrix4& view = m_Camera.GetView();
    const Matrix4 inverseView = Halvex::MATH::Inverse(view);
    m_ViewPositions.clear();
    for (int i = 0; i < GRID; ++i)
    {
        for (int j = 0; j < GRID; ++j)
        {
            const Vector3<float> centre{static_cast<float>(i - 1) * QUAD_SPACING, 0.0f,
                                        static_cast<float>(j - 1) * QUAD_SPACING};
            m_ViewPositions.push_back(Halvex::MATH::TransformCoord(centre, view));
        }
    }
    // The camera looks down -z: ascending z puts the farthest quad first.
    if (m_pSortButton->IsChecked())
    {
        std::sort(m_ViewPositions.begin(), m_ViewPositions.end(),
                  [](const Vector3<float>& a, const Vector3<float>& b) { return a.z < b.z; });
    }

    m_Shader.Begin();
    for (const Vector3<float>& position : m_ViewPositions)
    {
        m_World = Matrix4::Translation(Halvex::MATH::TransformCoord(position, inverseView));
        RenderModel(pRenderer, &m_Model);
    }
    m_Shader.End();

    pDevice->SetRenderState(RS_ALPHA_BLEND_ENABLE, 0);
    pDevice->SetRenderState(RS_SRC_BLEND, BLEND_SRC_ALPHA);
    pDevice->SetRenderState(RS_DEST_BLEND, BLEND_INV_SRC_ALPHA);
    pDevice->SetRenderState(RS_Z_WRITE_ENABLE, 1);
}

void RenderState_AlphaBlend::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    Matrix4 worldView = m_World * m_Camera.GetView();
    if (m_pBillboardButton->IsChecked())
    {
        // Rotation out, scale kept: the quad lies in the view plane, facing the camera.
        for (int row = 0; row < 3; ++row)
        {
            const float scale = std::sqrt(worldView(row, 0) * worldView(row, 0) +
                                          worldView(row, 1) * worldView(row, 1) +
                                          worldView(row, 2) * worldView(row, 2));
            for (int column = 0; column < 3; ++column)
            {
                worldView(row, column) = row == column ? scale : 0.0f;
            }
        }
    }
    const Matrix4 transform =
        Matrix4::RotationX(PLANE_UPRIGHT) * worldView * m_Camera.GetProjection();
    RenderDevice* pDevice = pRenderer->GetDevice();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, transform.Data());
    pDevice->SetTexture(SHADER_PIXEL, 0, &m_Texture, &MESH_SAMPLER);
    TestCommon::RenderMesh(pRenderer, pMesh);
}
