// The lessons without the common 3D base (primitives, vertex and index buffers, device
// capabilities, the two test lessons) on a recording device: what each frame draws and
// sends, how the mouse reaches them, and that nothing of them stays connected once they go.

#include "LessonStates.h"

#include "testcase/devicecapability.h"
#include "testcase/primitive.h"
#include "testcase/spheremesh.h"
#include "testcase/test01.h"
#include "testcase/test02.h"
#include "testcase/vertexindexbuffer.h"

#include "common/render/mycombobox.h"

#include "base/source/system/logger.h"

#include "gui/hlabel.h"
#include "gui/hpushbutton.h"

#include <cmath>
#include <cstring>

using Halvex::MATH::Matrix4;

namespace
{
// The model draws (not the GUI's) recorded from `first` on.
std::vector<FakeRenderDevice::Draw> ModelDraws(const FakeRenderDevice& device, std::size_t first)
{
    std::vector<FakeRenderDevice::Draw> draws;
    for (std::size_t i = first; i < device.m_Draws.size(); ++i)
    {
        if (!device.m_Draws[i].m_User)
        {
            draws.push_back(device.m_Draws[i]);
        }
    }
    return draws;
}
} // namespace

class PlainLessonStates : public LessonStates
{
protected:
    void SetUp() override
    {
        LessonStates::SetUp();
        fake.dir.Write("Data/_Tex_/panda.dds", FakeRenderDevice::TextureFile(64, 64));
    }

    // One frame's model draws and the calls they were made among.
    std::vector<FakeRenderDevice::Draw> DrawFrame()
    {
        BeginFrame();
        const std::size_t first = fake.device->m_Draws.size();
        fake.Frame();
        return ModelDraws(*fake.device, first);
    }
};

TEST_F(PlainLessonStates, PrimitiveDrawsTheChosenTypeThenTheHandlesAndKeepsPointList)
{
    auto* pLesson = Open<Primitive>("Primitive");
    ASSERT_NE(pLesson, nullptr);
    ClickWidget(driver, pLesson->GetFillButton());
    for (int type = PT_POINT_LIST; type <= PT_TRIANGLE_FAN; ++type)
    {
        ChooseItem(driver, pLesson->GetTypeCombo(), type);
        const std::vector<FakeRenderDevice::Draw> draws = DrawFrame();
        const std::vector<std::size_t> calls = FrameCalls("DrawIndexed");
        // Point list skips the main draw: only the handles.
        ASSERT_EQ(draws.size(), type == PT_POINT_LIST ? 1u : 2u) << type;
        if (type != PT_POINT_LIST)
        {
            EXPECT_EQ(draws[0].m_PrimType, type);
            EXPECT_EQ(draws[0].m_VertexCount, 6);
            EXPECT_EQ(draws[0].m_pIndexBuffer, nullptr);
            EXPECT_EQ(StateAt(calls[0], RS_FILL_MODE), static_cast<uint32_t>(FILL_WIREFRAME));
            EXPECT_EQ(StateAt(calls[0], RS_POINT_SIZE), 1u);
        }
        EXPECT_EQ(draws.back().m_PrimType, PT_POINT_LIST) << type;
        EXPECT_EQ(StateAt(calls.back(), RS_POINT_SIZE), 6u);
        EXPECT_EQ(StateAt(calls.back(), RS_FILL_MODE), static_cast<uint32_t>(FILL_SOLID));
        EXPECT_EQ(pLesson->GetVertexBuffer().GetPrimitiveType(), PT_POINT_LIST);
    }
    ExpectRestoredForTheNextGui({{RS_POINT_SIZE, 1}, {RS_FILL_MODE, FILL_SOLID}});
}

TEST_F(PlainLessonStates, PrimitiveDragKeepsTheGrabOffsetAndTheHighestIndexWins)
{
    auto* pLesson = Open<Primitive>("Primitive");
    ASSERT_NE(pLesson, nullptr);
    const auto initial = pLesson->GetVertices();
    // Vertex 3 (0, 0.5) is at (640, 180): 9 pixels to its right grabs nothing.
    driver.Drag(649, 180, 700, 300, 3);
    EXPECT_EQ(pLesson->GetGrabbed(), -1);
    EXPECT_EQ(std::memcmp(pLesson->GetVertices().data(), initial.data(), sizeof(initial)), 0);

    // Grabbed 3 pixels left of and 4 below the vertex; the vertex keeps that offset.
    driver.Drag(643, 184, 743, 284, 4);
    const Primitive::Vertex_t& moved = pLesson->GetVertices()[3];
    EXPECT_FLOAT_EQ(moved.m_Position[0], 2.0f * 740.0f / 1280.0f - 1.0f);
    EXPECT_FLOAT_EQ(moved.m_Position[1], 1.0f - 2.0f * 280.0f / 720.0f);
    EXPECT_EQ(moved.m_Position[2], 1.0f);
    EXPECT_EQ(moved.m_Color, 0xff00ff00u);
    EXPECT_EQ(pLesson->GetGrabbed(), -1);
    // The buffer is rebuilt from the working copy.
    const std::vector<uint8_t>& bytes = fake.device->BufferBytes(&pLesson->GetVertexBuffer());
    ASSERT_EQ(bytes.size(), sizeof(initial));
    EXPECT_EQ(std::memcmp(bytes.data(), pLesson->GetVertices().data(), bytes.size()), 0);

    // Vertex 4 (0.25, -0.5) at (800, 540) dropped 4 pixels from vertex 3 at (740, 280): a
    // press between them takes 4.
    driver.Drag(800, 540, 744, 280, 2);
    fake.Mouse(2, 742.0f, 280.0f, 1, 1);
    fake.Frame();
    EXPECT_EQ(pLesson->GetGrabbed(), 4);
    fake.Mouse(3, 742.0f, 280.0f, 1, 0);
    fake.Frame();
}

TEST_F(PlainLessonStates, ReplacedLessonsLeaveNoConnectionOnTheInputWidget)
{
    struct Case
    {
        const char* m_pRow;
        const char* m_pNextRow;
    };
    for (const Case& c : {Case{"Primitive", "Test01"}, Case{"Test02", "Primitive"}})
    {
        ModeBase* pOld = Open<ModeBase>(c.m_pRow);
        ASSERT_NE(pOld, nullptr) << c.m_pRow;
        auto* pTest02 = dynamic_cast<Test02*>(pOld);
        const void* pReceiver = pTest02 ? static_cast<void*>(&pTest02->GetCameraInput()) : pOld;
        Halvex::HGui::HWidget* pInput = fake.app.GetInputWidget();
        ASSERT_NE(pInput->GetConnections("MouseMove"), nullptr);
        ASSERT_NE(Open<ModeBase>(c.m_pNextRow), pOld);
        for (const char* signal : {"MousePress", "MouseRelease", "MouseMove", "MouseWheel"})
        {
            const auto* pConnections = pInput->GetConnections(signal);
            for (std::size_t i = 0; pConnections && i < pConnections->size(); ++i)
            {
                EXPECT_NE((*pConnections)[i].m_pReceiver, pReceiver) << c.m_pRow << " " << signal;
            }
        }
    }
    // The move reaches the new Primitive only.
    auto* pLesson = dynamic_cast<Primitive*>(fake.app.GetModeManager()->GetCurrent());
    ASSERT_NE(pLesson, nullptr);
    driver.Drag(640, 180, 650, 190, 1);
    EXPECT_NE(pLesson->GetVertices()[3].m_Position[1], 0.5f);
}

TEST_F(PlainLessonStates, ReloadButtonLeavesTheseLessonsShadersAlone)
{
    for (const char* row :
         {"Primitive", "VertexIndexBuffer", "DeviceCapability", "Test01", "Test02"})
    {
        ModeBase* pLesson = Open<ModeBase>(row);
        ASSERT_NE(pLesson, nullptr) << row;
        const int loads =
            fake.device->CallCount("LoadVertexShader") + fake.device->CallCount("LoadPixelShader");
        ClickWidget(driver, fake.app.GetReloadButton());
        EXPECT_EQ(fake.device->CallCount("LoadVertexShader") +
                      fake.device->CallCount("LoadPixelShader"),
                  loads)
            << row;
        EXPECT_EQ(fake.app.GetModeManager()->GetCurrent(), pLesson);
    }
}

TEST_F(PlainLessonStates, VertexIndexBufferDrawsTheSameCornersBothWays)
{
    auto* pLesson = Open<VertexIndexBuffer>("VertexIndexBuffer");
    ASSERT_NE(pLesson, nullptr);
    std::vector<FakeRenderDevice::Draw> draws = DrawFrame();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_FALSE(pLesson->IsUsingIndices());
    EXPECT_EQ(draws[0].m_pVertexBuffer, &pLesson->GetSixVertexBuffer());
    EXPECT_EQ(draws[0].m_VertexCount, 6);
    EXPECT_EQ(draws[0].m_pIndexBuffer, nullptr);

    ClickWidget(driver, pLesson->GetIndexButton());
    draws = DrawFrame();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_TRUE(pLesson->IsUsingIndices());
    EXPECT_EQ(draws[0].m_pVertexBuffer, &pLesson->GetFourVertexBuffer());
    EXPECT_EQ(draws[0].m_VertexCount, 4);
    EXPECT_EQ(draws[0].m_pIndexBuffer, &pLesson->GetIndexBuffer());
    EXPECT_EQ(draws[0].m_IndexCount, 6);
    EXPECT_NE(draws[0].m_pPixelTexture0, nullptr);
    EXPECT_EQ(draws[0].m_Sampler0.m_MinFilter, FILTER_LINEAR);
    EXPECT_EQ(draws[0].m_Sampler0.m_AddressV, ADDRESS_CLAMP);

    // The four corners read through the index list are the six vertices.
    const auto& four = fake.device->BufferBytes(&pLesson->GetFourVertexBuffer());
    const auto& six = fake.device->BufferBytes(&pLesson->GetSixVertexBuffer());
    const auto& indexBytes = fake.device->BufferBytes(&pLesson->GetIndexBuffer());
    ASSERT_EQ(four.size(), 4u * 36u);
    ASSERT_EQ(six.size(), 6u * 36u);
    ASSERT_EQ(indexBytes.size(), 6u * 2u);
    for (std::size_t i = 0; i < 6; ++i)
    {
        uint16_t index = 0;
        std::memcpy(&index, indexBytes.data() + 2 * i, 2);
        EXPECT_EQ(std::memcmp(six.data() + 36 * i, four.data() + 36 * index, 36), 0) << i;
    }
}

TEST_F(PlainLessonStates, DeviceCapabilityWritesTheLimitsAndAtMostFiveFormatsEveryFrame)
{
    auto* pLesson = Open<DeviceCapability>("DeviceCapability");
    ASSERT_NE(pLesson, nullptr);
    DeviceCaps& caps = fake.device->m_Caps;
    caps = {4096, 2048, 16, 32, -1, 8192, 4096, 1024, 512, 1000, 2000, 16, 256, 224, {}};
    fake.Frame();
    const char* const limits[] = {
        "MaxTextureCount: 16",        "MaxVertexAttribCount: 32",    "MaxVaryingVectorCount: -1",
        "MaxRenderTargetWidth: 4096", "MaxRenderTargetHeight: 2048", "MaxTextureWidth: 8192",
        "MaxTextureHeight: 4096",     "MaxCubemapWidth: 1024",       "MaxCubemapHeight: 512",
        "MaxVertexShaderConst: 256",  "MaxPixelShaderConst: 224",
    };
    for (int i = 0; i < DeviceCapability::FIRST_FORMAT_LINE; ++i)
    {
        EXPECT_EQ(pLesson->GetLine(i)->GetText(), limits[i]);
    }
    // No formats: the format lines keep their empty text.
    for (int i = DeviceCapability::FIRST_FORMAT_LINE; i < DeviceCapability::LINE_COUNT; ++i)
    {
        EXPECT_EQ(pLesson->GetLine(i)->GetText(), "") << i;
    }

    // Seven formats (the four-character codes DXT1 ... DXT5, ATI1, ATI2): the first five.
    const int32_t formats[] = {827611204, 844388420, 861165636, 877942852,
                               894720068, 826889281, 843666497};
    std::copy(std::begin(formats), std::end(formats), caps.CompressTex);
    caps.MaxTextureCount = 8;
    fake.Frame();
    EXPECT_EQ(pLesson->GetLine(0)->GetText(), "MaxTextureCount: 8");
    EXPECT_EQ(pLesson->GetLine(11)->GetText(), "CompressTex: 827611204 (0x31545844)");
    EXPECT_EQ(pLesson->GetLine(15)->GetText(), "CompressTex: 894720068 (0x35545844)");
    // The hexadecimal field pads to four digits and does not cut longer codes.
    caps.CompressTex[1] = 0x2A;
    caps.CompressTex[2] = 0;
    fake.Frame();
    EXPECT_EQ(pLesson->GetLine(12)->GetText(), "CompressTex: 42 (0x002A)");
    EXPECT_EQ(pLesson->GetLine(13)->GetText(), "CompressTex: 861165636 (0x33545844)");
}

TEST_F(PlainLessonStates, TestLessonsSendTheCaseToBothStagesAndDrawTheirBuffer)
{
    const auto& vertex = fake.device->m_VertexConstants;
    const auto& pixel = fake.device->m_PixelConstants;
    for (const char* row : {"Test01", "Test02"})
    {
        ModeBase* pLesson = Open<ModeBase>(row);
        ASSERT_NE(pLesson, nullptr) << row;
        auto* pTest01 = dynamic_cast<Test01*>(pLesson);
        auto* pTest02 = dynamic_cast<Test02*>(pLesson);
        MyComboBox* pCombo = pTest01 ? pTest01->GetCaseCombo() : pTest02->GetCaseCombo();
        for (int index = 0; index < 3; ++index)
        {
            ChooseItem(driver, pCombo, index);
            const std::vector<FakeRenderDevice::Draw> draws = DrawFrame();
            ASSERT_EQ(draws.size(), 1u);
            EXPECT_EQ(vertex[20][0], static_cast<float>(index)) << row;
            EXPECT_EQ(pixel[20][0], static_cast<float>(index)) << row;
            EXPECT_EQ(draws[0].m_VertexCount, pTest01 ? 15000 : 14700);
            EXPECT_EQ(draws[0].m_PrimType, PT_TRIANGLE_LIST);
            EXPECT_EQ(draws[0].m_pIndexBuffer, nullptr);
            EXPECT_NE(draws[0].m_pPixelTexture0, nullptr);
            EXPECT_EQ(draws[0].m_Sampler0.m_MagFilter, FILTER_LINEAR);
            if (pTest01)
            {
                // The time in c0, as the draw saw it (the GUI reuses c0 afterwards).
                EXPECT_GT(pTest01->GetTime(), 0.0f);
                EXPECT_EQ(draws[0].m_VertexMatrix0[0], pTest01->GetTime());
                EXPECT_EQ(draws[0].m_VertexMatrix0[1], 0.0f);
            }
        }
    }
}

TEST_F(PlainLessonStates, Test02SendsViewProjectionLightAndEye)
{
    auto* pLesson = Open<Test02>("Test02");
    ASSERT_NE(pLesson, nullptr);
    const std::vector<FakeRenderDevice::Draw> draws = DrawFrame();
    ASSERT_EQ(draws.size(), 1u);
    const Matrix4 viewProjection =
        pLesson->GetCamera().GetView() * pLesson->GetCamera().GetProjection();
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_FLOAT_EQ(draws[0].m_VertexMatrix0[i], viewProjection.m[i]);
    }
    const auto& pixel = fake.device->m_PixelConstants;
    // The GUI reuses c0 after the lesson: read it as the draw saw it.
    EXPECT_EQ(draws[0].m_PixelConstant0, Registers(0.5f, 0.5f, 0.5f, 1.0f));
    EXPECT_EQ(pixel[1], Registers(0.2f, 0.2f, 0.2f, 1.0f));
    EXPECT_EQ(pixel[2], Registers(0.5f, 0.5f, 0.5f, 20.0f));
    const auto& light = pLesson->GetLight().GetPosition();
    EXPECT_EQ(pixel[3], Registers(light.x, light.y, light.z, 1.0f));
    for (int i = 4; i <= 6; ++i)
    {
        EXPECT_EQ(pixel[i], Registers(1.0f, 1.0f, 1.0f, 1.0f));
    }
    const auto& eye = pLesson->GetCamera().GetEye();
    EXPECT_NEAR(eye.z, 4.0f, 1e-5f);
    EXPECT_EQ(pixel[7], Registers(eye.x, eye.y, eye.z, 1.0f));
}

TEST(PlainLessonMeshes, SphereLiesOnTheUnitSphereInBandsOfEqualHeight)
{
    const std::vector<SphereVertex_t> sphere = BuildSphere();
    ASSERT_EQ(sphere.size(), 14700u);
    for (const SphereVertex_t& vertex : sphere)
    {
        const float* p = vertex.m_Position;
        EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 1.0f, 1e-5f);
        EXPECT_EQ(std::memcmp(vertex.m_Normal, vertex.m_Position, sizeof(vertex.m_Normal)), 0);
    }
    struct Expected
    {
        std::size_t m_Index;
        float m_Y;
        float m_U;
        float m_V;
    };
    const Expected expected[] = {
        {0, 1.0f, 0.01f, 0.0f},                  // top pole, slice 0
        {1, 0.96f, 0.0f, 0.02f},                 // top ring
        {150, -0.96f, 0.0f, 0.98f},              // first band, lower left corner
        {155, -0.92f, 0.02f, 0.96f},             // its upper right corner
        {150 + 49 * 6 + 5, -0.92f, 1.0f, 0.96f}, // the seam: u = 1
        {14550, -1.0f, 0.01f, 1.0f},             // bottom pole
    };
    for (const Expected& e : expected)
    {
        const SphereVertex_t& vertex = sphere[e.m_Index];
        EXPECT_NEAR(vertex.m_Position[1], e.m_Y, 1e-6f) << e.m_Index;
        EXPECT_NEAR(vertex.m_TexCoord[0], e.m_U, 1e-6f) << e.m_Index;
        EXPECT_NEAR(vertex.m_TexCoord[1], e.m_V, 1e-6f) << e.m_Index;
    }
    // The seam's vertex coincides with slice 0 of the same height.
    const SphereVertex_t& seam = sphere[150 + 49 * 6 + 5];
    EXPECT_NEAR(seam.m_Position[0], 0.0f, 1e-5f);
    EXPECT_NEAR(seam.m_Position[2], sphere[150 + 2].m_Position[2], 1e-5f);
}
