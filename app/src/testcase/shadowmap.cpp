#include "testcase/shadowmap.h"

#include "testcase/datapath.h"
#include "testcase/lessoncontrols.h"
#include "testcase/meshsampler.h"

#include "common/camera/angle.h"
#include "common/render/renderimpl.h"
#include "main/lumivia.h"

#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;
using Halvex::MATH::Vector3;

namespace
{
// The light camera: a 45-degree square frustum reaching 100 units.
constexpr float LIGHT_FOV = 0.785398f;
constexpr float LIGHT_NEAR = 0.1f;
constexpr float LIGHT_FAR = 100.0f;
// The observer camera as every lesson sets it up.
constexpr float VIEW_FOV = ANGLE_PI / 3.0f;
constexpr float VIEW_NEAR = 0.1f;
constexpr float VIEW_FAR = 10000.0f;
// The map starts as the far plane everywhere: nothing casts a shadow there.
constexpr uint32_t FAR_DEPTH = 0xffffffff;
const Vector3<float> LIGHT_TARGET{0.0f, 0.0f, 0.1f};
const Vector3<float> UP{0.0f, 1.0f, 0.0f};
// Pixel c0 of the scene program: z = 1 for the floor, which receives the shadow.
const float CASTER_FLAGS[4] = {0.0f, 0.0f, 0.0f, 0.0f};
const float RECEIVER_FLAGS[4] = {0.0f, 0.0f, 1.0f, 0.0f};
} // namespace

Matrix4 ShadowMap::ShadowObject::GetWorld() const
{
    return Matrix4::Scaling(m_Scale.x, m_Scale.y, m_Scale.z) *
           Matrix4::RotationAxis(m_Axis, m_Angle) * Matrix4::Translation(m_Position);
}

ShadowMap::ShadowMap()
{
    Init("ShadowMap_Use");
    m_DepthShader.Load("ShadowMap");
    LoadModel("Data/plane.bin");
    // An R32F target keeps the depth as a full float, so the comparison needs no packing.
    m_ShadowTexture.CreateRenderTarget(SHADOW_SIZE, SHADOW_SIZE, FMT_R32F, 1, false);

    m_Light.SetLookAt({1.0f, 2.0f, 1.0f}, {0.0f, 0.0f, 0.0f});
    m_Light.SetSpeed(1.0f, 0.0f);
    m_Camera.SetLookAt({0.0f, 3.0f, 3.0f}, {0.0f, 0.0f, 0.0f}, UP);
    m_Casters[0].m_Model.Load(GetDataPath("Data/nights.bin"));
    m_pViewButton = CreateToggleButton(GetPanel(), -10.0f, 10.0f, 24.0f, "S");
}

void ShadowMap::Update(float dt)
{
    TestCommon::Update(dt);
    for (ShadowObject& caster : m_Casters)
    {
        caster.m_Angle += caster.m_AngularSpeed * dt;
    }
}

void ShadowMap::Render(RenderImpl* pRenderer)
{
    // The depth pass moves the observer camera to the light (and SetLookAt stops it).
    const SavedView saved{m_Camera.GetEye(), m_Camera.GetTarget(), m_Camera.GetVelocity()};
    RenderShadowPass(pRenderer);
    if (m_pViewButton->IsChecked())
    {
        // The camera stays the light's in such frames, so the view goes on from there.
        ShowShadowTexture(pRenderer);
    }
    else
    {
        RenderScene(pRenderer, saved);
    }
}

void ShadowMap::RenderShadowPass(RenderImpl* pRenderer)
{
    // Without its target (its creation was reported) the pass would draw the light's view
    // into the window; the scene is then drawn without a map.
    if (!m_ShadowTexture.IsLoaded())
    {
        return;
    }
    RenderDevice* pDevice = pRenderer->GetDevice();
    m_ShadowPass = true;
    m_DepthShader.Begin();
    m_Camera.SetPerspective(LIGHT_FOV, 1.0f, LIGHT_NEAR, LIGHT_FAR);

    // Binding a target also sets the viewport to all of it; binding the window's target
    // again gives the whole window back.
    pDevice->GetRenderTarget(0, &m_SavedTarget);
    pDevice->SetRenderTarget(0, &m_ShadowTexture);
    pDevice->Clear(CLEAR_TARGET | CLEAR_DEPTH, FAR_DEPTH, 1.0f, 0);
    // The depth program reads no texture, and the map must not be sampled while it is drawn
    // into: the pass leaves both samplers empty (the scene pass binds what it reads).
    pDevice->SetTexture(SHADER_PIXEL, 0, nullptr, &MESH_SAMPLER);
    pDevice->SetTexture(SHADER_PIXEL, SHADOW_SAMPLER, nullptr, &MESH_SAMPLER);
    m_Camera.SetLookAt(m_Light.GetPosition(), LIGHT_TARGET, UP);
    RenderCasters(pRenderer);
    pDevice->ResolveRenderTarget(0, &m_ShadowTexture);
    pDevice->RestoreRenderTarget(0, &m_SavedTarget);

    m_LightViewProjection = m_Camera.GetView() * m_Camera.GetProjection();
    m_DepthShader.End();
}

void ShadowMap::RenderScene(RenderImpl* pRenderer, const SavedView& saved)
{
    m_ShadowPass = false;
    pRenderer->GetDevice()->Clear(CLEAR_TARGET | CLEAR_DEPTH, 0xff000000, 1.0f, 0);
    m_Camera.SetPerspective(VIEW_FOV, g_pApp->GetAspect(), VIEW_NEAR, VIEW_FAR);
    m_Camera.SetLookAt(saved.m_Eye, saved.m_Target, UP);
    m_Camera.SetVelocity(saved.m_Velocity);

    m_Shader.Begin();
    m_Receiver = false;
    RenderCasters(pRenderer);
    m_Receiver = true;
    m_World = Matrix4::Identity();
    RenderModel(pRenderer, &m_Model);
    m_Shader.End();
}

void ShadowMap::ShowShadowTexture(RenderImpl* pRenderer)
{
    const float size = static_cast<float>(SHADOW_SIZE);
    const Halvex::HGui::HRectF corner(static_cast<float>(g_pApp->GetWidth()) - size,
                                      static_cast<float>(g_pApp->GetHeight()) - size, size, size);
    pRenderer->BeginGui();
    pRenderer->DrawRect(&m_ShadowTexture, corner, Halvex::HGui::HColor(0xffffffff));
    pRenderer->EndGui();
}

void ShadowMap::RenderCasters(RenderImpl* pRenderer)
{
    for (const ShadowObject& caster : m_Casters)
    {
        m_World = caster.GetWorld();
        RenderModel(pRenderer, &caster.m_Model);
    }
}

void ShadowMap::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    // In the depth pass the camera is the light's.
    const Matrix4 worldViewProjection = m_World * m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, worldViewProjection.Data());
    if (!m_ShadowPass)
    {
        const Matrix4 lightSpace = m_World * m_LightViewProjection;
        pDevice->SetShaderConstantMatrix(SHADER_VERTEX, LIGHT_MATRIX_REGISTER, lightSpace.Data());
        if (m_Receiver)
        {
            // Texture 0 keeps whatever the casters bound last.
            pDevice->SetShaderConstantVector(SHADER_PIXEL, 0, RECEIVER_FLAGS);
            pDevice->SetTexture(SHADER_PIXEL, SHADOW_SAMPLER, &m_ShadowTexture, &MESH_SAMPLER);
        }
        else
        {
            pDevice->SetShaderConstantVector(SHADER_PIXEL, 0, CASTER_FLAGS);
            pDevice->SetTexture(SHADER_PIXEL, 0, pMesh->m_pTexture.get(), &MESH_SAMPLER);
        }
    }
    TestCommon::RenderMesh(pRenderer, pMesh);
}
