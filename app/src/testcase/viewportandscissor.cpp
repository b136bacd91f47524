#include "testcase/viewportandscissor.h"

#include "testcase/lessoncontrols.h"
#include "testcase/lessontexture.h"
#include "testcase/meshsampler.h"

#include "common/render/renderimpl.h"
#include "main/lumivia.h"

#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;

namespace
{
const char* const TEXTURE_FILES[ViewportAndScissor::QUARTER_COUNT] = {
    "Data/_Tex_/Earth_Color.dds",
    "Data/_Tex_/Earth_Night.dds",
    "Data/_Tex_/Earth_Normal.dds",
    "Data/_Tex_/Earth_Cloud.dds",
};
// The vertex program's view matrix, beside view-projection in c0-c3.
constexpr int VIEW_REGISTER = 4;
} // namespace

ViewportAndScissor::ViewportAndScissor()
{
    Init("ViewportAndScissor");
    LoadModel("Data/cube.bin");
    for (int i = 0; i < QUARTER_COUNT; ++i)
    {
        LoadLessonTexture(m_Textures[i], TEXTURE_FILES[i]);
    }
    // Fractional halves, so that the quarters meet without a gap whatever the window size.
    const float halfWidth = static_cast<float>(g_pApp->GetWidth()) / 2.0f;
    const float halfHeight = static_cast<float>(g_pApp->GetHeight()) / 2.0f;
    m_Quarters = {{
        {0.0f, 0.0f, halfWidth, halfHeight},
        {halfWidth, 0.0f, halfWidth, halfHeight},
        {0.0f, halfHeight, halfWidth, halfHeight},
        {halfWidth, halfHeight, halfWidth, halfHeight},
    }};
    m_pViewportButton = CreateToggleButton(GetPanel(), -10.0f, 10.0f, 24.0f, "S");
}

void ViewportAndScissor::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    const bool viewports = m_pViewportButton->IsChecked();
    pDevice->SetRenderState(RS_CULL_MODE, CULL_CCW);
    m_Shader.Begin();
    for (int i = 0; i < QUARTER_COUNT; ++i)
    {
        // A scissor rectangle with an area also turns the scissor test on.
        if (viewports)
        {
            pDevice->SetViewport(m_Quarters[i].data());
        }
        else
        {
            pDevice->SetScissorRect(m_Quarters[i].data());
        }
        m_pCurrentTexture = &m_Textures[i];
        RenderModel(pRenderer, &m_Model);
    }
    m_Shader.End();

    // The next draws (and the next lesson) get the whole window and no scissor test back.
    if (viewports)
    {
        pDevice->SetViewport(g_pApp->GetClientRect().data());
    }
    else
    {
        constexpr std::array<float, 4> NO_SCISSOR = {0.0f, 0.0f, 0.0f, 0.0f};
        pDevice->SetScissorRect(NO_SCISSOR.data());
    }
}

void ViewportAndScissor::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    const Matrix4 viewProjection = m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, viewProjection.Data());
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, VIEW_REGISTER, m_Camera.GetView().Data());
    pDevice->SetTexture(SHADER_PIXEL, 0, m_pCurrentTexture, &MESH_SAMPLER);
    TestCommon::RenderMesh(pRenderer, pMesh);
}
