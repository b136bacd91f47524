#include "testcase/testcommon.h"

#include "main/lumivia.h"
#include "testcase/datapath.h"
#include "testcase/lessoncamera.h"
#include "testcase/modellayout.h"

#include "common/render/renderimpl.h"

#include "gui/hwidget.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/vertexbuffer.h"

using namespace Halvex::RenderCore;

TestCommon::TestCommon() = default;

TestCommon::~TestCommon()
{
    g_pApp->GetInputWidget()->Disconnect(&m_CameraInput);
}

void TestCommon::Init(const std::string& name)
{
    m_VertexLayout.Load(MODEL_LAYOUT);
    m_Shader.Load(name);

    SetUpLessonCamera(m_Camera, 5.0f);

    Halvex::HGui::HWidget* pInput = g_pApp->GetInputWidget();
    pInput->Connect("MousePress", &m_CameraInput, &CameraInput::OnMouse);
    pInput->Connect("MouseMove", &m_CameraInput, &CameraInput::OnMouse);
    pInput->Connect("MouseWheel", &m_CameraInput, &CameraInput::OnWheel);
    pInput->Connect("TouchBegin", &m_CameraInput, &CameraInput::OnTouch);
    pInput->Connect("TouchMove", &m_CameraInput, &CameraInput::OnTouch);
    pInput->Connect("TouchEnd", &m_CameraInput, &CameraInput::OnTouch);
}

void TestCommon::LoadModel(const std::string& dataFile)
{
    m_Model.Load(GetDataPath(dataFile));
    KeepEyeOutside(m_Camera, m_Model.GetRadius());
}

namespace
{
// How often the shader files are looked at for changes.
constexpr float WATCH_PERIOD = 0.5f;
} // namespace

void TestCommon::Update(float dt)
{
    // An edited shader file is taken as if "R" had been pressed: only the lesson's own pair;
    // the shaders of further passes keep their code.
    m_WatchSeconds += dt;
    if (m_WatchSeconds >= WATCH_PERIOD)
    {
        m_WatchSeconds = 0.0f;
        if (m_Shader.HasChangedOnDisk())
        {
            ReloadShaders();
        }
    }
    m_CameraInput.Update(dt);
    m_Camera.Update(dt, &m_CameraInput);
    m_Light.Update(dt);
}

void TestCommon::Render(RenderImpl* pRenderer)
{
    m_Shader.Begin();
    RenderModel(pRenderer, &m_Model);
    m_Shader.End();
}

void TestCommon::ReloadShaders()
{
    m_Shader.Reload();
}

void TestCommon::RenderModel(RenderImpl* pRenderer, const SimpleModel* pModel)
{
    for (const Render_Mat& material : pModel->GetMaterials())
    {
        for (const Render_Mesh& mesh : material.m_Meshes)
        {
            RenderMesh(pRenderer, &mesh);
        }
    }
}

void TestCommon::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    VertexBuffer* pVertexBuffer = pMesh->m_pVertexBuffer.get();
    if (!pVertexBuffer)
    {
        return;
    }
    IndexBuffer* pIndexBuffer = pMesh->m_pIndexBuffer.get();
    pRenderer->GetDevice()->DrawIndexed(&m_VertexLayout, pVertexBuffer, 0,
                                        pVertexBuffer->GetVertexNum(), pIndexBuffer, 0,
                                        pIndexBuffer ? pIndexBuffer->GetIndexNum() : 0);
}
