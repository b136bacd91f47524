// The primitive, vertex/index buffer, device capability and test lessons in the real
// application on the software renderer, operated through SDL events and compared with
// golden pictures.

#include "LessonScreens.h"

#include "testcase/devicecapability.h"
#include "testcase/primitive.h"
#include "testcase/test01.h"
#include "testcase/test02.h"
#include "testcase/vertexindexbuffer.h"

#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"
#include "common/render/textpanel.h"

#include "gui/hlabel.h"
#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <cstdint>
#include <cstdio>

using namespace Halvex::RenderCore;

namespace
{
constexpr std::int64_t TICKS_PER_SECOND = 120;
} // namespace

// Every reading of the clock moves it on by one tick, so the running time, the orbiting
// light and the frame-rate read-out are the same in every run.
class PlainLessonScreens : public LessonScreens
{
protected:
    PlainLessonScreens()
        : LessonScreens(Halvex::Base::HighResolutionTimer(
              [ticks = std::int64_t{0}]() mutable { return ++ticks; }, TICKS_PER_SECOND))
    {
    }

    void SetUp() override { Start(HalvexTest::SourceDir() / "tests"); }

    // Compares a screenshot with one this test took before.
    void ExpectSameAs(const std::filesystem::path& shot, const std::string& earlier,
                      const HalvexTest::IgnoredRect& ignored)
    {
        const HalvexTest::GoldenResult result =
            HalvexTest::CompareWithGolden(shot, temp.Path(), earlier, ignored, 0, 0);
        EXPECT_TRUE(result.m_Matches) << result.m_Message;
    }
};

TEST_F(PlainLessonScreens, PrimitiveShowsEachTypeAndFollowsTheDraggedVertex)
{
    auto* pLesson = Open<Primitive>("Primitive");
    ASSERT_NE(pLesson, nullptr);
    const char* const names[] = {"point_list",    "line_list",      "line_strip",
                                 "triangle_list", "triangle_strip", "triangle_fan"};
    for (int type = PT_POINT_LIST; type <= PT_TRIANGLE_FAN; ++type)
    {
        ChooseItem(driver, pLesson->GetTypeCombo(), type);
        ExpectScreen(std::string("primitive_") + names[type]);
    }

    ChooseItem(driver, pLesson->GetTypeCombo(), PT_TRIANGLE_STRIP);
    // Vertex 3 is at (640, 180): a press 9 pixels away grabs nothing.
    const Primitive::Vertex_t before = pLesson->GetVertices()[3];
    driver.Drag(631, 180, 560, 300, 3);
    EXPECT_EQ(pLesson->GetVertices()[3].m_Position[0], before.m_Position[0]);
    EXPECT_EQ(pLesson->GetVertices()[3].m_Position[1], before.m_Position[1]);
    // Pressed 3 pixels left of and 4 below the vertex, released 100 pixels to the right and
    // 150 lower: the vertex stays 3 right of and 4 above the cursor.
    driver.Drag(637, 184, 737, 334, 5);
    float x = 0.0f;
    float y = 0.0f;
    const Primitive::Vertex_t& moved = pLesson->GetVertices()[3];
    Primitive::ToScreen(moved.m_Position[0], moved.m_Position[1], &x, &y);
    EXPECT_NEAR(x, 740.0f, 1e-3f);
    EXPECT_NEAR(y, 330.0f, 1e-3f);
    ExpectScreen("primitive_dragged");
    ClickWidget(driver, pLesson->GetFillButton());
    ExpectScreen("primitive_dragged_wireframe");
}

TEST_F(PlainLessonScreens, VertexIndexBufferShowsTheSamePictureBothWays)
{
    auto* pLesson = Open<VertexIndexBuffer>("VertexIndexBuffer");
    ASSERT_NE(pLesson, nullptr);
    // The cursor rests away from the list and the button, which it would light up.
    driver.MoveMouse(1000, 650, false);
    ExpectScreen("vertexindexbuffer_six");
    ClickWidget(driver, pLesson->GetIndexButton());
    EXPECT_TRUE(pLesson->IsUsingIndices());
    driver.MoveMouse(1000, 650, false);
    ExpectScreen("vertexindexbuffer_indexed");
    // Only the right column differs: the checked "S" button and the frame rate.
    ExpectSameAs(temp / "vertexindexbuffer_indexed.png", "vertexindexbuffer_six",
                 {1200, 0, 80, 720});
}

TEST_F(PlainLessonScreens, DeviceCapabilityListsTheDevicesLimits)
{
    auto* pLesson = Open<DeviceCapability>("DeviceCapability");
    ASSERT_NE(pLesson, nullptr);
    DeviceCaps caps;
    driver.GetApp().GetRenderer()->GetDevice()->GetDeviceCaps(&caps);
    EXPECT_GE(caps.MaxTextureWidth, 2048);
    char expected[64];
    std::snprintf(expected, sizeof(expected), "MaxTextureWidth: %d", caps.MaxTextureWidth);
    EXPECT_EQ(pLesson->GetLine(5)->GetText(), expected);
    std::snprintf(expected, sizeof(expected), "MaxVertexShaderConst: %d",
                  caps.MaxVertexShaderConst);
    EXPECT_EQ(pLesson->GetLine(9)->GetText(), expected);
    // The six size lines depend on the GL driver; the rest of the picture does not.
    const HalvexTest::GoldenResult result = HalvexTest::CompareWithGolden(
        Shot("devicecapability"), HalvexTest::SourceDir() / "tests" / "lessons" / "golden",
        "devicecapability", {490, 92, 300, 140});
    EXPECT_TRUE(result.m_Matches) << result.m_Message;
}

TEST_F(PlainLessonScreens, Test01ShowsEachCaseAndRestartsItsTime)
{
    auto* pLesson = Open<Test01>("Test01");
    ASSERT_NE(pLesson, nullptr);
    // Far enough into the animation for every case to show clearly.
    while (pLesson->GetTime() < 1.3f)
    {
        driver.RunFrames(1);
    }
    for (int index = 0; index < 3; ++index)
    {
        ChooseItem(driver, pLesson->GetCaseCombo(), index);
        ExpectScreen("test01_case" + std::to_string(index + 1));
    }
    const float ran = pLesson->GetTime();
    auto* pAgain = Open<Test01>("Test01");
    ASSERT_NE(pAgain, nullptr);
    ASSERT_NE(pAgain, pLesson);
    EXPECT_GT(ran, 1.3f);
    EXPECT_LT(pAgain->GetTime(), 0.1f);
}

TEST_F(PlainLessonScreens, Test02ShowsEachCaseOfTheTurnedSphere)
{
    auto* pLesson = Open<Test02>("Test02");
    ASSERT_NE(pLesson, nullptr);
    // One drag to the left and a little down turns the camera toward the orbiting light and
    // lifts it over the top cap; then the camera comes to rest.
    driver.Drag(700, 400, 680, 408, 1);
    driver.RunFrames(40);
    for (int index = 0; index < 3; ++index)
    {
        ChooseItem(driver, pLesson->GetCaseCombo(), index);
        ExpectScreen("test02_case" + std::to_string(index + 1));
    }
}

TEST_F(PlainLessonScreens, GuiStaysInFrontOfALessonDrawnNearerThanIt)
{
    ASSERT_NE(Open<Test01>("Test01"), nullptr);
    // The flag lies at depth 0, in front of the GUI's quads; a note tall enough to reach up
    // over the panda's white face must still cover it with its dark panel.
    driver.GetApp().SetNotesAvailable(true);
    driver.GetApp().GetNotesPanel()->SetText(std::string(14, '\n') + "bottom line");
    const auto shot = Shot("test01_tall_note");
    for (int shift : {0, 8, 16})
    {
        EXPECT_LT((HalvexTest::PixelAt(shot, 640, 450) >> shift) & 0xFF, 0x60u) << shift;
    }
}
