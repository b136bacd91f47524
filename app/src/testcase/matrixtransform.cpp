#include "testcase/matrixtransform.h"

#include "main/lumivia.h"
#include "testcase/datapath.h"

#include "common/camera/angle.h"
#include "common/model/binmodel.h"
#include "common/render/myslider.h"
#include "common/render/renderimpl.h"
#include "common/render/texrenderproxybtn.h"

#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/texture.h"

#include <cmath>

using namespace Halvex;
using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;
using Vector3 = Halvex::MATH::Vector3<float>;

namespace
{
constexpr float GUI_COLUMN = 200.0f;
constexpr float OBSERVER_FAR = 1000.0f;
constexpr uint32_t LEFT_CLEAR = 0xff404040;
constexpr uint32_t RIGHT_CLEAR = 0xff8080ff;
// The frustum lines have no colour of their own in the model data; yellow stands out on
// both backgrounds.
constexpr uint32_t FRUSTUM_COLOUR = 0xffffff00;
constexpr float JUST_BELOW_TWO_PI = 6.2831454f;

// Corner pairs of the frustum's twelve edges: near rectangle, far rectangle, sides.
constexpr int FRUSTUM_EDGES[24] = {0, 1, 1, 2, 2, 3, 3, 0, 4, 5, 5, 6,
                                   6, 7, 7, 4, 0, 4, 1, 5, 2, 6, 3, 7};

struct SliderSetup
{
    float m_X;
    float m_Min;
    float m_Max;
    const char* m_pCaption;
    float m_CaptionX;
};

constexpr SliderSetup SLIDERS[MatrixTransform::SLIDER_MAX] = {
    {10.0f, -1.0f, 1.0f, "P", 0.0f},
    {30.0f, 0.0f, JUST_BELOW_TWO_PI, "Y", 0.0f},
    {50.0f, 0.0f, JUST_BELOW_TWO_PI, "R", 0.0f},
    {70.0f, 1.0f, 20.0f, "D", 0.0f},
    {130.0f, 0.17453292f, 2.9670596f, "Fov", -10.0f},
    {130.0f, 10.0f, 100.0f, "R", 0.0f},
    {150.0f, 0.1f, 2.0f, "N", 0.0f},
    {170.0f, 5.0f, 30.0f, "F", 0.0f},
};
} // namespace

MatrixTransform::MatrixTransform()
{
    Init("MatrixTransform");
    LoadModel("Data/camera.bin");
    m_NightsModel.Load(GetDataPath("Data/nights.bin"));
    m_SphereModel.Load(GetDataPath("Data/sphere_20.bin"));

    const float width = static_cast<float>(g_pApp->GetWidth()) - GUI_COLUMN;
    const float height = static_cast<float>(g_pApp->GetHeight());
    const float left[4] = {GUI_COLUMN, 0.0f, width / 2.0f, height};
    const float right[4] = {GUI_COLUMN + width / 2.0f, 0.0f, width / 2.0f, height};
    std::copy(left, left + 4, m_LeftViewport);
    std::copy(right, right + 4, m_RightViewport);

    m_Camera.SetPerspective(ANGLE_PI / 3.0f, m_LeftViewport[2] / m_LeftViewport[3], 0.1f,
                            OBSERVER_FAR);
    m_Camera.SetLookAt({-10.0f, 4.0f, 20.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});

    m_Perspective = true;
    m_ObservedCamera.SetPerspective(ANGLE_PI / 3.0f, RightAspect(), 0.1f, 30.0f);
    m_ObservedCamera.SetLookAt({0.0f, 2.0f, 10.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});

    BuildGui();
}

void MatrixTransform::BuildGui()
{
    using namespace Halvex::HGui;
    m_pModeButton = new HPushButton(GetPanel());
    m_pModeButton->SetGeometry(-10.0f, 10.0f, 24.0f, 24.0f);
    m_pModeButton->SetAlignment(ALIGN_RIGHT | ALIGN_TOP);
    m_pModeButton->SetText("S");
    m_pModeButton->SetCheckable(true);
    m_pModeButton->SetChecked(false);
    m_pModeButton->SetRenderProxy(
        new TexRenderProxyBtn(HColor(0xffffffff), HColor(0xffffff00), HColor(0xffa0a0a4), nullptr));
    m_pModeButton->Connect("Clicked", this, &MatrixTransform::OnModeClicked);

    const float initial[SLIDER_MAX] = {m_ObservedCamera.GetPitch(),
                                       m_ObservedCamera.GetYaw(),
                                       m_ObservedCamera.GetRoll(),
                                       m_ObservedCamera.GetDistance(),
                                       ANGLE_PI / 3.0f,
                                       50.0f,
                                       0.1f,
                                       30.0f};
    for (int i = 0; i < SLIDER_MAX; ++i)
    {
        const SliderSetup& setup = SLIDERS[i];
        auto* pSlider = new MySlider(GetPanel());
        pSlider->SetGeometry(setup.m_X, -50.0f, 10.0f, 240.0f);
        pSlider->SetAlignment(ALIGN_LEFT | ALIGN_BOTTOM);
        pSlider->SetDirection(3);
        pSlider->SetRange(setup.m_Min, setup.m_Max);
        pSlider->SetValue(initial[i]);
        pSlider->SetCaption(setup.m_pCaption, {setup.m_CaptionX, -30.0f});
        m_pSliders[i] = pSlider;
    }
    m_pSliders[SLIDER_ORTHO_SCALE]->SetVisible(false);
}

void MatrixTransform::OnModeClicked()
{
    m_Perspective = !m_Perspective;
    m_pSliders[SLIDER_ORTHO_SCALE]->SetVisible(!m_Perspective);
    m_pSliders[SLIDER_FOV]->SetVisible(m_Perspective);
}

void MatrixTransform::Update(float dt)
{
    float value[SLIDER_MAX];
    for (int i = 0; i < SLIDER_MAX; ++i)
    {
        value[i] = m_pSliders[i]->GetValue();
    }
    if (m_Perspective)
    {
        m_ObservedCamera.SetPerspective(value[SLIDER_FOV], RightAspect(), value[SLIDER_NEAR],
                                        value[SLIDER_FAR]);
    }
    else
    {
        const float scale = value[SLIDER_ORTHO_SCALE];
        m_ObservedCamera.SetOrtho(m_RightViewport[2] / scale, m_RightViewport[3] / scale,
                                  value[SLIDER_NEAR], value[SLIDER_FAR]);
    }
    m_ObservedCamera.SetOrientation(value[SLIDER_PITCH], value[SLIDER_YAW], value[SLIDER_ROLL],
                                    value[SLIDER_DISTANCE]);
    TestCommon::Update(dt);
}

void MatrixTransform::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    pDevice->SetRenderState(RS_CULL_MODE, CULL_CCW);
    m_Shader.Begin();

    m_pCurrentCamera = &m_Camera;
    pDevice->SetViewport(m_LeftViewport);
    pDevice->Clear(CLEAR_TARGET, LEFT_CLEAR, 1.0f, 0);
    DrawObservedCamera(pRenderer);
    DrawScene(pRenderer);

    m_pCurrentCamera = &m_ObservedCamera;
    pDevice->SetViewport(m_RightViewport);
    pDevice->Clear(CLEAR_TARGET, RIGHT_CLEAR, 1.0f, 0);
    DrawScene(pRenderer);

    m_Shader.End();
    const std::array<float, 4> client = g_pApp->GetClientRect();
    pDevice->SetViewport(client.data());
}

void MatrixTransform::DrawScene(RenderImpl* pRenderer)
{
    m_World = Matrix4::Translation(3.0f, 0.0f, 0.0f);
    RenderModel(pRenderer, &m_NightsModel);
    m_World = Matrix4::Translation(-3.0f, 0.0f, 0.0f);
    RenderModel(pRenderer, &m_SphereModel);
}

void MatrixTransform::DrawObservedCamera(RenderImpl* pRenderer)
{
    const CameraViewer& observed = m_ObservedCamera;
    // Roll first, the translation last (row vectors).
    m_World = Matrix4::RotationZ(observed.GetRoll()) * Matrix4::RotationX(observed.GetPitch()) *
              Matrix4::RotationY(observed.GetYaw()) * Matrix4::Translation(observed.GetEye());
    RenderModel(pRenderer, &m_Model);

    RenderDevice* pDevice = pRenderer->GetDevice();
    const float untextured[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    pDevice->SetShaderConstantVector(SHADER_PIXEL, 0, untextured);

    Bin_Vertex vertices[24] = {};
    const std::array<Vector3, 24> lines = BuildFrustumLines();
    for (int i = 0; i < 24; ++i)
    {
        vertices[i].m_Position[0] = lines[i].x;
        vertices[i].m_Position[1] = lines[i].y;
        vertices[i].m_Position[2] = lines[i].z;
        vertices[i].m_Color = FRUSTUM_COLOUR;
    }
    // The world, view and projection left by the camera mesh still apply.
    pDevice->DrawUser(&m_VertexLayout, PT_LINE_LIST, 12, vertices, sizeof(Bin_Vertex), 1);
}

std::array<Vector3, 24> MatrixTransform::BuildFrustumLines() const
{
    const float zNear = m_pSliders[SLIDER_NEAR]->GetValue();
    const float zFar = m_pSliders[SLIDER_FAR]->GetValue();
    Vector3 corners[8];
    if (m_Perspective)
    {
        const float ty = std::tan(m_pSliders[SLIDER_FOV]->GetValue() / 2.0f);
        const float tx = ty * RightAspect();
        const float depths[2] = {zNear, zFar};
        for (int k = 0; k < 2; ++k)
        {
            const float d = depths[k];
            corners[4 * k + 0] = {-tx * d, -ty * d, d};
            corners[4 * k + 1] = {-tx * d, ty * d, d};
            corners[4 * k + 2] = {tx * d, ty * d, d};
            corners[4 * k + 3] = {tx * d, -ty * d, d};
        }
    }
    else
    {
        const float k = 0.5f / m_pSliders[SLIDER_ORTHO_SCALE]->GetValue();
        const float hx = m_RightViewport[2] * k;
        const float hy = m_RightViewport[3] * k;
        const float depths[2] = {zNear, zFar};
        for (int i = 0; i < 2; ++i)
        {
            const float d = depths[i];
            corners[4 * i + 0] = {-hx, -hy, d};
            corners[4 * i + 1] = {-hx, hy, d};
            corners[4 * i + 2] = {hx, hy, d};
            corners[4 * i + 3] = {hx, -hy, d};
        }
    }
    std::array<Vector3, 24> lines;
    for (int i = 0; i < 24; ++i)
    {
        lines[i] = corners[FRUSTUM_EDGES[i]];
    }
    return lines;
}

void MatrixTransform::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    if (!m_pCurrentCamera)
    {
        return;
    }
    RenderDevice* pDevice = pRenderer->GetDevice();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, m_World.Data());
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 4, m_pCurrentCamera->GetView().Data());
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 8, m_pCurrentCamera->GetProjection().Data());
    const float textured[4] = {pMesh->m_pTexture ? 1.0f : 0.0f, 0.0f, 0.0f, 0.0f};
    pDevice->SetShaderConstantVector(SHADER_PIXEL, 0, textured);
    SamplerDesc sampler;
    sampler.m_MinFilter = FILTER_LINEAR;
    sampler.m_MagFilter = FILTER_LINEAR;
    sampler.m_MipFilter = FILTER_LINEAR;
    sampler.m_AddressU = ADDRESS_CLAMP;
    sampler.m_AddressV = ADDRESS_CLAMP;
    sampler.m_AddressW = ADDRESS_CLAMP;
    sampler.m_BorderColor = 0;
    pDevice->SetTexture(SHADER_PIXEL, 0, pMesh->m_pTexture.get(), &sampler);
    TestCommon::RenderMesh(pRenderer, pMesh);
}
