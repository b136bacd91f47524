#include "testcase/test02.h"

#include "main/lumivia.h"
#include "testcase/lessoncamera.h"
#include "testcase/lessoncontrols.h"
#include "testcase/lessontexture.h"
#include "testcase/meshsampler.h"
#include "testcase/spheremesh.h"
#include "testcase/testcases.h"

#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"

#include "gui/hwidget.h"
#include "rendercore/source/renderdevice/renderdevice.h"

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;

namespace
{
const InputElementDesc_t SPHERE_LAYOUT[] = {
    {STREAM_0, 0, DECL_FLOAT3, METHOD_DEFAULT, USAGE_POSITION, 0},
    {STREAM_0, 12, DECL_FLOAT3, METHOD_DEFAULT, USAGE_NORMAL, 0},
    {STREAM_0, 24, DECL_FLOAT2, METHOD_DEFAULT, USAGE_TEXCOORD, 0},
    INPUT_ELEMENT_END,
};

// Pixel registers of the light, the material and the eye.
constexpr int LIGHT_DIFFUSE = 0;
constexpr int LIGHT_AMBIENT = 1;
constexpr int LIGHT_SPECULAR = 2;
constexpr int LIGHT_POSITION = 3;
constexpr int MATERIAL_FIRST = 4;
constexpr int EYE_POSITION = 7;
} // namespace

Test02::Test02()
{
    m_Layout.Load(SPHERE_LAYOUT);
    m_Shader.Load("Test02");
    const std::vector<SphereVertex_t> sphere = BuildSphere();
    m_VertexBuffer.Load(PT_TRIANGLE_LIST, sphere.data(), SPHERE_VERTICES,
                        static_cast<int>(sizeof(SphereVertex_t)), POOL_MANAGED);
    LoadLessonTexture(m_Texture, "Data/_Tex_/panda.dds");

    SetUpLessonCamera(m_Camera, 4.0f);
    KeepEyeOutside(m_Camera, 1.0f);

    m_Light.SetDiffuse({0.5f, 0.5f, 0.5f, 1.0f});
    m_Light.SetAmbient({0.2f, 0.2f, 0.2f, 1.0f});
    m_Light.SetSpecular({0.5f, 0.5f, 0.5f, 20.0f});
    m_Light.SetLookAt({2.0f, 3.0f, 10.0f}, {0.0f, 0.0f, 0.0f});
    m_Light.SetSpeed(1.0f, 0.0f);

    Halvex::HGui::HWidget* pInput = g_pApp->GetInputWidget();
    pInput->Connect("MousePress", &m_CameraInput, &CameraInput::OnMouse);
    pInput->Connect("MouseMove", &m_CameraInput, &CameraInput::OnMouse);
    pInput->Connect("MouseWheel", &m_CameraInput, &CameraInput::OnWheel);

    m_pCaseCombo = CreateCaseCombo(GetPanel());
}

Test02::~Test02()
{
    g_pApp->GetInputWidget()->Disconnect(&m_CameraInput);
}

void Test02::Update(float dt)
{
    m_CameraInput.Update(dt);
    m_Camera.Update(dt, &m_CameraInput);
    m_Light.Update(dt);
}

void Test02::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    m_Shader.Begin();
    const Matrix4 viewProjection = m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, viewProjection.Data());
    SendLight(pDevice);
    pDevice->SetTexture(SHADER_PIXEL, 0, &m_Texture, &MESH_SAMPLER);
    SendCase(pDevice, m_pCaseCombo, m_Case);
    pDevice->DrawIndexed(&m_Layout, &m_VertexBuffer, 0, SPHERE_VERTICES, nullptr, 0, 0);
    m_Shader.End();
}

void Test02::SendLight(RenderDevice* pDevice)
{
    pDevice->SetShaderConstantVector(SHADER_PIXEL, LIGHT_DIFFUSE, &m_Light.GetDiffuse().x);
    pDevice->SetShaderConstantVector(SHADER_PIXEL, LIGHT_AMBIENT, &m_Light.GetAmbient().x);
    pDevice->SetShaderConstantVector(SHADER_PIXEL, LIGHT_SPECULAR, &m_Light.GetSpecular().x);
    const auto& light = m_Light.GetPosition();
    const float lightPosition[4] = {light.x, light.y, light.z, 1.0f};
    pDevice->SetShaderConstantVector(SHADER_PIXEL, LIGHT_POSITION, lightPosition);
    // A white material: the light's colours reach the surface unchanged.
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    for (int i = 0; i < 3; ++i)
    {
        pDevice->SetShaderConstantVector(SHADER_PIXEL, MATERIAL_FIRST + i, white);
    }
    const auto& eye = m_Camera.GetEye();
    const float eyePosition[4] = {eye.x, eye.y, eye.z, 1.0f};
    pDevice->SetShaderConstantVector(SHADER_PIXEL, EYE_POSITION, eyePosition);
}
