#include "testcase/lighting.h"

#include "testcase/datapath.h"
#include "testcase/lessoncamera.h"
#include "testcase/lessoncontrols.h"
#include "testcase/meshsampler.h"

#include "common/render/myslider.h"
#include "common/render/renderimpl.h"

#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <algorithm>

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;
using Halvex::MATH::Vector4;

namespace
{
// How far the sphere and the teapot stand to the left and right of the origin.
constexpr float MODEL_OFFSET = 3.0f;
} // namespace

Lighting::Lighting()
{
    Init("Lighting");
    m_PerPixelShader.Load("LightingPerPixel");
    m_PerVertexShader.Load("LightingPerVertex");

    LoadModel("Data/sphere_20.bin");
    m_NightsModel.Load(GetDataPath("Data/nights.bin"));
    m_LightModel.Load(GetDataPath("Data/light.bin"));

    m_Light.SetDiffuse({0.5f, 0.5f, 0.5f, 1.0f});
    m_Light.SetAmbient({0.0f, 0.0f, 0.0f, 1.0f});
    m_Light.SetSpecular({0.0f, 0.0f, 0.0f, 20.0f});
    m_Light.SetLookAt({2.0f, 3.0f, -10.0f}, {0.0f, 0.0f, 0.0f});
    m_Light.SetSpeed(1.0f, 0.0f);

    m_Camera.SetLookAt({0.0f, 0.0f, 10.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    // The models stand to either side of the target: the eye stays clear of both, whichever
    // way it orbits.
    KeepEyeOutside(m_Camera,
                   MODEL_OFFSET + std::max(m_Model.GetRadius(), m_NightsModel.GetRadius()));

    Halvex::HGui::HWidget* pPanel = GetPanel();
    m_pLightButton = CreateToggleButton(pPanel, -10.0f, 10.0f, 80.0f, "Light");
    m_pPointButton = CreateToggleButton(pPanel, -10.0f, 40.0f, 80.0f, "P or D");
    m_pPerPixelButton = CreateToggleButton(pPanel, -10.0f, 70.0f, 80.0f, "P or V");

    m_pDiffuseSlider = CreateLessonSlider(pPanel, 10.0f, 0.0f, 1.0f, 0.5f, "D");
    m_pAmbientSlider = CreateLessonSlider(pPanel, 30.0f, 0.0f, 1.0f, 0.0f, "A");
    m_pSpecularSlider = CreateLessonSlider(pPanel, 50.0f, 0.0f, 1.0f, 0.0f, "S");
    m_pPowerSlider = CreateLessonSlider(pPanel, 70.0f, 0.0f, 50.0f, 20.0f, "P");
}

void Lighting::Update(float dt)
{
    const float diffuse = m_pDiffuseSlider->GetValue();
    const float ambient = m_pAmbientSlider->GetValue();
    const float specular = m_pSpecularSlider->GetValue();
    const float power = m_pPowerSlider->GetValue();
    m_Light.SetDiffuse({diffuse, diffuse, diffuse, 1.0f});
    m_Light.SetAmbient({ambient, ambient, ambient, 1.0f});
    m_Light.SetSpecular({specular, specular, specular, power});

    m_LightOn = m_pLightButton->IsChecked();
    m_PointLight = m_pPointButton->IsChecked();
    m_PerPixel = m_pPerPixelButton->IsChecked();

    TestCommon::Update(dt);
}

void Lighting::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    pDevice->Clear(CLEAR_TARGET, 0xff404040, 1.0f, 0);
    pDevice->SetRenderState(RS_CULL_MODE, CULL_CCW);

    TestShader& shader = m_PerPixel ? m_PerPixelShader : m_PerVertexShader;
    shader.Begin();
    m_World = Matrix4::Translation(-MODEL_OFFSET, 0.0f, 0.0f);
    RenderModel(pRenderer, &m_Model);
    m_World = Matrix4::Translation(MODEL_OFFSET, 0.0f, 0.0f);
    RenderModel(pRenderer, &m_NightsModel);
    shader.End();

    if (m_LightOn)
    {
        m_Shader.Begin();
        pDevice->SetRenderState(RS_ALPHA_BLEND_ENABLE, 1);
        pDevice->SetRenderState(RS_Z_WRITE_ENABLE, 0);
        m_World = Matrix4::RotationX(m_Light.GetPitch()) * Matrix4::RotationY(m_Light.GetYaw()) *
                  Matrix4::Translation(m_Light.GetPosition());
        RenderModel(pRenderer, &m_LightModel);
        pDevice->SetRenderState(RS_Z_WRITE_ENABLE, 1);
        pDevice->SetRenderState(RS_ALPHA_BLEND_ENABLE, 0);
        m_Shader.End();
    }
}

void Lighting::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    const Matrix4 worldViewProjection = m_World * m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, worldViewProjection.Data());
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, WORLD_REGISTER, m_World.Data());

    const float flags[4] = {pMesh->m_pTexture ? 1.0f : 0.0f, m_LightOn ? 1.0f : 0.0f, 0.0f, 0.0f};
    pDevice->SetShaderConstantVector(SHADER_PIXEL, 0, flags);

    const Vector4<float> white(1.0f, 1.0f, 1.0f, 1.0f);
    const Vector4<float> registers[8] = {
        m_Light.GetDiffuse(),
        m_Light.GetAmbient(),
        m_Light.GetSpecular(),
        Vector4<float>(m_Light.GetPosition(), m_PointLight ? 1.0f : 0.0f),
        white,
        white,
        white,
        Vector4<float>(m_Camera.GetEye(), 1.0f),
    };
    const ShaderType target = m_PerPixel ? SHADER_PIXEL : SHADER_VERTEX;
    for (int i = 0; i < 8; ++i)
    {
        pDevice->SetShaderConstantVector(target, LIGHT_REGISTER + i, &registers[i].x);
    }

    pDevice->SetTexture(SHADER_PIXEL, 0, pMesh->m_pTexture.get(), &MESH_SAMPLER);
    TestCommon::RenderMesh(pRenderer, pMesh);
}
