#include "../model/ModelFile.h"
#include "../support/FakeApp.h"

#include "testcase/datapath.h"
#include "testcase/testcommon.h"

#include "base/source/system/logger.h"
#include "gui/hwidget.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/vertexshader.h"

#include <gtest/gtest.h>

using Halvex::Base::DiagnosticCapture;
using HalvexTest::FakeRenderDevice;

namespace
{
class ProbeLesson : public TestCommon
{
public:
    explicit ProbeLesson(const std::string& model = "")
    {
        Init("Probe");
        if (!model.empty())
        {
            m_Model.Load(model);
        }
    }
};

const char* const CAMERA_SIGNALS[] = {"MousePress", "MouseMove", "MouseWheel",
                                      "TouchBegin", "TouchMove", "TouchEnd"};

class LessonBase : public testing::Test
{
protected:
    void SetUp() override
    {
        fake.dir.Write("Shader/hlsl/Probe.wvu", "probe vertex");
        fake.dir.Write("Shader/hlsl/Probe.wpu", "probe pixel");
    }

    std::size_t Connections(const char* name)
    {
        const auto* pList = fake.app.GetInputWidget()->GetConnections(name);
        return pList ? pList->size() : 0;
    }

    FakeApp fake;
};
} // namespace

TEST_F(LessonBase, InitLoadsShadersAndSetsUpTheCamera)
{
    ProbeLesson lesson;
    EXPECT_NE(lesson.GetShader().GetVertexShader(), nullptr);
    EXPECT_NE(lesson.GetShader().GetPixelShader(), nullptr);
    EXPECT_EQ(lesson.GetVertexLayout().GetStreamSize(0), 36u);
    const FrustumDesc_t* pFrustum = lesson.GetCamera().GetFrustum();
    ASSERT_NE(pFrustum, nullptr);
    EXPECT_FLOAT_EQ(pFrustum->m_Aspect, 1280.0f / 720.0f);
    EXPECT_FLOAT_EQ(pFrustum->m_Far, 10000.0f);
    EXPECT_FLOAT_EQ(lesson.GetCamera().GetDistance(), 5.0f);
    EXPECT_EQ(lesson.GetPanel()->GetParent(), fake.app.GetRootWidget());
    EXPECT_FALSE(lesson.GetPanel()->IsAcceptMouse());
}

TEST_F(LessonBase, DestructionRemovesTheSixCameraConnectionsAndThePanel)
{
    auto* pLesson = new ProbeLesson;
    for (const char* name : CAMERA_SIGNALS)
    {
        EXPECT_EQ(Connections(name), 1u) << name;
    }
    const std::size_t children = fake.app.GetRootWidget()->GetChildren().size();
    delete pLesson;
    for (const char* name : CAMERA_SIGNALS)
    {
        EXPECT_EQ(Connections(name), 0u) << name;
    }
    EXPECT_EQ(fake.app.GetRootWidget()->GetChildren().size(), children - 1);
}

TEST_F(LessonBase, MouseDragOverEmptyPanelReachesOnlyTheRunningLessonsCamera)
{
    auto* pOld = new ProbeLesson;
    fake.app.SetMode(pOld);
    fake.Frame();
    fake.Frame();
    auto* pNew = new ProbeLesson;
    fake.app.SetMode(pNew);
    fake.Frame(); // switches: the old lesson is gone
    fake.Frame();
    fake.Mouse(2, 600, 400, 1, 1);
    fake.Mouse(5, 640, 400, 0, 1);
    fake.Frame();
    EXPECT_EQ(pNew->GetCameraInput().GetValue(CAMERA_CHANNEL_DRAG_X), 40);
    EXPECT_NEAR(pNew->GetCamera().GetYaw(), 3.1415927f - 0.2f, 1e-5f);
}

TEST_F(LessonBase, MissingShaderFileAssertsAndLeavesThatStageEmpty)
{
    fake.dir.Write("Shader/hlsl/Probe.wpu", "");
    std::filesystem::remove(fake.dir.Root() / "Shader/hlsl/Probe.wvu");
    DiagnosticCapture capture;
    ProbeLesson lesson;
    EXPECT_TRUE(capture.Raised("0"));
    EXPECT_TRUE(capture.Logged("Probe.wvu"));
    EXPECT_EQ(lesson.GetShader().GetVertexShader(), nullptr);
}

TEST_F(LessonBase, ReloadReadsTheFilesAgainAndKeepsTheOldCodeWhenOneIsGone)
{
    ProbeLesson lesson;
    auto* pVertex = lesson.GetShader().GetVertexShader();
    lesson.ReloadShaders();
    EXPECT_NE(lesson.GetShader().GetVertexShader(), nullptr);
    std::filesystem::remove(fake.dir.Root() / "Shader/hlsl/Probe.wvu");
    DiagnosticCapture capture;
    pVertex = lesson.GetShader().GetVertexShader();
    lesson.ReloadShaders();
    EXPECT_TRUE(capture.Raised("0"));
    EXPECT_EQ(lesson.GetShader().GetVertexShader(), pVertex);
    EXPECT_TRUE(pVertex->IsLoaded());
}

TEST_F(LessonBase, RenderDrawsEveryMeshInOrderBetweenItsShaders)
{
    ModelFile file;
    file.Text("").Text("m").Int(2);
    file.Text("first").Int(2);
    file.Material("a", "", ModelFile::Triangle(), {0, 1, 2, 2, 1, 0});
    file.Material("b", "", ModelFile::Triangle(), {});
    file.Text("second").Int(1);
    file.Material("c", "", {ModelFile::MakeVertex(0, 0, 0)}, {});
    fake.dir.Write("Data/probe.bin", file.Bytes());

    ProbeLesson lesson(GetDataPath("Data/probe.bin"));
    FakeRenderDevice& device = *fake.device;
    device.m_Draws.clear();
    device.m_Calls.clear();
    lesson.Render(fake.app.GetRenderer());
    ASSERT_EQ(device.m_Draws.size(), 3u);
    EXPECT_EQ(device.m_Draws[0].m_IndexCount, 6);
    EXPECT_EQ(device.m_Draws[0].m_VertexCount, 3);
    EXPECT_EQ(device.m_Draws[1].m_pIndexBuffer, nullptr);
    EXPECT_EQ(device.m_Draws[1].m_IndexCount, 0);
    EXPECT_EQ(device.m_Draws[2].m_VertexCount, 1);
    EXPECT_EQ(device.m_Draws[0].m_pLayout, &lesson.GetVertexLayout());
    EXPECT_EQ(device.m_Calls.front(), "SetShaders");
    EXPECT_EQ(device.m_Calls.back(), "ResetShaders");
}

TEST_F(LessonBase, MeshWithoutVertexBufferIsSkipped)
{
    ProbeLesson lesson;
    Render_Mesh mesh;
    fake.device->m_Draws.clear();
    lesson.RenderMesh(fake.app.GetRenderer(), &mesh);
    EXPECT_TRUE(fake.device->m_Draws.empty());
}
