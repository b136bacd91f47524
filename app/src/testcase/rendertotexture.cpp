#include "testcase/rendertotexture.h"

#include "testcase/lessoncontrols.h"
#include "testcase/lessontexture.h"
#include "testcase/meshsampler.h"

#include "main/lumivia.h"

#include "common/camera/angle.h"
#include "common/render/renderimpl.h"

#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;

namespace
{
constexpr int TARGET_SIZE = 512;
constexpr float FIELD_OF_VIEW = DEGREE_TO_RADIAN * 60.0f;
constexpr uint32_t CLEAR_COLOR = 0xFF000000;
} // namespace

RenderToTexture::RenderToTexture()
{
    Init("RenderToTexture");
    m_UseShader.Load("RenderToTexture_Use");
    LoadModel("Data/cube_panda.bin");
    CreateLessonTarget(m_Target, TARGET_SIZE, false);
    m_pSkipButton = CreateToggleButton(GetPanel(), -10.0f, 10.0f, 24.0f, "S");
}

void RenderToTexture::Render(RenderImpl* pRenderer)
{
    pRenderer->GetDevice()->SetRenderState(RS_CULL_MODE, CULL_CCW);
    if (m_pSkipButton->IsChecked() || !m_Target.IsLoaded())
    {
        // Straight into the window with the projection the camera has now.
        DrawModel(pRenderer, m_Shader, false);
        return;
    }
    RenderOffscreen(pRenderer);
    RenderWithTarget(pRenderer);
}

void RenderToTexture::RenderOffscreen(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    pDevice->GetRenderTarget(0, &m_SavedTarget);
    pDevice->SetRenderTarget(0, &m_Target);
    pDevice->Clear(CLEAR_TARGET | CLEAR_DEPTH, CLEAR_COLOR, 1.0f, 0);
    // The target is square, whatever the window's shape.
    m_Camera.SetPerspective(FIELD_OF_VIEW, 1.0f, 0.1f, 10000.0f);
    DrawModel(pRenderer, m_Shader, false);
    pDevice->ResolveRenderTarget(0, &m_Target);
    pDevice->RestoreRenderTarget(0, &m_SavedTarget);
}

void RenderToTexture::RenderWithTarget(RenderImpl* pRenderer)
{
    pRenderer->GetDevice()->Clear(CLEAR_TARGET | CLEAR_DEPTH, CLEAR_COLOR, 1.0f, 0);
    m_Camera.SetPerspective(FIELD_OF_VIEW, g_pApp->GetAspect(), 0.1f, 10000.0f);
    DrawModel(pRenderer, m_UseShader, true);
}

void RenderToTexture::DrawModel(RenderImpl* pRenderer, TestShader& shader, bool useTarget)
{
    shader.Begin();
    m_UseTarget = useTarget;
    RenderModel(pRenderer, &m_Model);
    shader.End();
}

void RenderToTexture::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    const Matrix4 viewProjection = m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, viewProjection.Data());
    Texture* pTexture = m_UseTarget ? &m_Target : pMesh->m_pTexture.get();
    pDevice->SetTexture(SHADER_PIXEL, 0, pTexture, &MESH_SAMPLER);
    TestCommon::RenderMesh(pRenderer, pMesh);
}
