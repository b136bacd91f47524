#include "testcase/rendertocubemap.h"

#include "testcase/datapath.h"
#include "testcase/lessoncontrols.h"
#include "testcase/lessontexture.h"
#include "testcase/meshsampler.h"

#include "main/lumivia.h"

#include "common/camera/angle.h"
#include "common/render/myslider.h"
#include "common/render/renderimpl.h"

#include "rendercore/source/renderdevice/renderdevice.h"

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;
using Halvex::MATH::Vector3;

namespace
{
constexpr int TARGET_SIZE = 512;
constexpr uint32_t CLEAR_COLOR = 0xFF000000;
constexpr float FACE_FIELD_OF_VIEW = 1.5707964f;
constexpr float FIELD_OF_VIEW = DEGREE_TO_RADIAN * 60.0f;

// Where the camera at the origin looks for each face, in Direct3D's face order (+X, -X, +Y,
// -Y, +Z, -Z), and which way is up in that face's picture.
struct FaceView
{
    Vector3<float> m_Target;
    Vector3<float> m_Up;
};
const FaceView FACE_VIEWS[6] = {
    {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}},  {{-1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}},
    {{0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, -1.0f}}, {{0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}},
    {{0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f}},  {{0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f}},
};
} // namespace

RenderToCubeMap::RenderToCubeMap()
{
    Init("RenderToCubeMap_Use");
    m_SceneShader.Load("RenderToCubeMap");
    // Above the globe on the z axis, which would hide the teapot from an eye level with it.
    m_Camera.SetLookAt({0.0f, 4.0f, 10.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    LoadModel("Data/nights.bin");
    CreateLessonTarget(m_CubeTarget, TARGET_SIZE, true);
    LoadLessonTexture(m_FallbackTexture, "Data/_Tex_/Wallpaper_2_512.dds", TEX_2D);

    m_BoxModel.Load(GetDataPath("Data/cube_panda.bin"));
    m_SphereModel.Load(GetDataPath("Data/sphere_20.bin"));
    m_Objects[0] = {
        {20.0f, 20.0f, 20.0f}, {0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, 0.0f, 0.0f, &m_BoxModel};
    m_Objects[1] = {{1.0f, 1.0f, 1.0f}, {2.0f, 1.0f, 4.0f}, {0.0f, 1.0f, 0.0f}, 1.0f, 0.0f,
                    &m_SphereModel};
    m_Objects[2] = {{1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 5.0f}, {1.0f, 0.0f, 0.0f}, 0.5f, 0.0f,
                    &m_SphereModel};

    // Low enough that the caption above it stays inside the window.
    m_pSlider = CreateRightSlider(GetPanel(), -20.0f, 50.0f, 16.0f, -1.0f, 1.0f, 0.0f, "R");
}

void RenderToCubeMap::Update(float dt)
{
    TestCommon::Update(dt);
    for (SceneObject& object : m_Objects)
    {
        object.Advance(dt);
    }
}

void RenderToCubeMap::Render(RenderImpl* pRenderer)
{
    // The face passes borrow the observer camera. The whole camera (orbit angles, distance,
    // velocity) is copied back afterwards: setting its look-at again would go through the
    // orbit angles and lose a little every frame, and the view would creep.
    m_SavedCamera = m_Camera;
    if (m_CubeTarget.IsLoaded())
    {
        RenderFaces(pRenderer);
    }
    m_Camera = m_SavedCamera;

    pRenderer->GetDevice()->Clear(CLEAR_TARGET | CLEAR_DEPTH, CLEAR_COLOR, 1.0f, 0);
    m_Camera.SetPerspective(FIELD_OF_VIEW, g_pApp->GetAspect(), 0.1f, 10000.0f);

    m_SceneShader.Begin();
    m_Reflective = false;
    RenderScene(pRenderer);
    m_SceneShader.End();

    m_Shader.Begin();
    m_Reflective = true;
    m_World = Matrix4::Identity();
    RenderModel(pRenderer, &m_Model);
    m_Shader.End();
}

void RenderToCubeMap::RenderFaces(RenderImpl* pRenderer)
{
    m_FacePass = true;
    m_InvertedCull = true;
    m_SceneShader.Begin();
    m_Camera.SetPerspective(FACE_FIELD_OF_VIEW, 1.0f, 0.1f, 10000.0f);
    for (int face = 0; face < 6; ++face)
    {
        RenderFace(pRenderer, face);
    }
    m_SceneShader.End();
    m_FacePass = false;
    m_InvertedCull = false;
}

void RenderToCubeMap::RenderFace(RenderImpl* pRenderer, int face)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    pDevice->GetRenderTarget(0, &m_SavedTarget);
    pDevice->SetCubeRenderTarget(0, &m_CubeTarget, face);
    pDevice->Clear(CLEAR_TARGET | CLEAR_DEPTH, CLEAR_COLOR, 1.0f, 0);
    const FaceView& view = FACE_VIEWS[face];
    m_Camera.SetLookAt({0.0f, 0.0f, 0.0f}, view.m_Target, view.m_Up);
    RenderScene(pRenderer);
    pDevice->ResolveRenderTarget(0, &m_CubeTarget);
    pDevice->RestoreRenderTarget(0, &m_SavedTarget);
}

void RenderToCubeMap::RenderScene(RenderImpl* pRenderer)
{
    for (std::size_t i = 0; i < m_Objects.size(); ++i)
    {
        const SceneObject& object = m_Objects[i];
        m_World = object.GetWorld();
        // The box is seen from inside: its far walls are the ones to draw.
        const bool box = i == 0;
        m_InvertedCull ^= box;
        RenderModel(pRenderer, object.m_pModel);
        m_InvertedCull ^= box;
    }
}

void RenderToCubeMap::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    pDevice->SetRenderState(RS_CULL_MODE, m_InvertedCull ? CULL_CW : CULL_CCW);
    Matrix4 projection = m_Camera.GetProjection();
    if (m_FacePass)
    {
        // Direct3D's cube faces are laid out for a left-handed world; mirroring x turns our
        // right-handed view into that layout (and turns the winding, hence the inverted cull).
        projection = projection * Matrix4::Scaling(-1.0f, 1.0f, 1.0f);
    }
    const Matrix4 worldViewProjection = m_World * m_Camera.GetView() * projection;
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, worldViewProjection.Data());
    if (m_Reflective && !m_FacePass)
    {
        const Vector3<float>& eye = m_Camera.GetEye();
        const float eyeAndRatio[4] = {eye.x, eye.y, eye.z, m_pSlider->GetValue()};
        pDevice->SetShaderConstantVector(SHADER_PIXEL, 0, eyeAndRatio);
        pDevice->SetTexture(SHADER_PIXEL, 0, pMesh->m_pTexture.get(), &MESH_SAMPLER);
        pDevice->SetTexture(SHADER_PIXEL, 1, &m_CubeTarget, &MESH_SAMPLER);
    }
    else
    {
        Texture* pTexture = pMesh->m_pTexture ? pMesh->m_pTexture.get() : &m_FallbackTexture;
        pDevice->SetTexture(SHADER_PIXEL, 0, pTexture, &MESH_SAMPLER);
    }
    TestCommon::RenderMesh(pRenderer, pMesh);
}
