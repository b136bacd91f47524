// The real application, headless, driven through SDL events on a clock that only moves when
// a test moves it: the frame-rate read-out, the fixed buttons, the lesson list's dragging,
// lesson switching and the matrix lesson's distance slider, checked in the presented picture
// and in the objects behind it.

#include "AppFixture.h"
#include "testcase/matrixtransform.h"
#include "testcase/testbase.h"

#include "common/render/myslider.h"

#include "base/source/system/logger.h"
#include "gui/hdragbutton.h"
#include "gui/hlabel.h"
#include "gui/hscrollarea.h"

#include <cmath>
#include <cstdint>

using Halvex::Base::DiagnosticCapture;
using Halvex::Base::HighResolutionTimer;
using namespace Halvex::HGui;

namespace
{
// One tick is a sixtieth of a millisecond, so a 60 Hz frame is a whole number of ticks.
constexpr std::int64_t TICKS_PER_SECOND = 60000;
constexpr std::int64_t TICKS_PER_FRAME = TICKS_PER_SECOND / 60;
// The spring of the lesson list comes to rest well within this many frames.
constexpr int SETTLE_FRAMES = 60;

using HalvexTest::CountDiffering;
using HalvexTest::CountLit;
const HalvexTest::IgnoredRect LIST_AREA{4, 4, 180, 280};

// A lesson that only records the frame times it is given.
class FrameTimeProbe : public TestBase
{
public:
    void Update(float dt) override { m_FrameTimes.push_back(dt); }
    std::vector<float> m_FrameTimes;
};

// The application's clock: a base made before the driver, which reads it from the start.
struct ManualClock
{
    std::int64_t m_Ticks = 0;
};

class AppBehaviour : private ManualClock, public AppFixture
{
protected:
    AppBehaviour() : AppFixture(HighResolutionTimer([this] { return m_Ticks; }, TICKS_PER_SECOND))
    {
    }

    void SetUp() override { Start(); }

    void Advance(std::int64_t ticks) { m_Ticks += ticks; }

    ModeBase* Pending() { return driver.GetApp().GetModeManager()->GetPending(); }
    float ListTop() { return driver.GetApp().GetListContent()->GetPos().y; }

    // Presses and releases the lesson's row and hands the events to the application without
    // running the frame that follows them.
    void ClickRowWithoutFrame(const std::string& name)
    {
        int x = 0;
        int y = 0;
        ASSERT_TRUE(driver.RevealLesson(name, &x, &y));
        driver.MoveMouse(x, y, false);
        driver.RunFrames(1);
        driver.PressLeft(x, y);
        driver.RunFrames(1);
        driver.ReleaseLeft(x, y);
        driver.DispatchEvents();
    }
};
} // namespace

TEST_F(AppBehaviour, FpsLabelAndFrameTimesFollowTheClock)
{
    HLabel* pLabel = driver.GetApp().GetFpsLabel();
    driver.RunFrames(1);
    EXPECT_EQ(pLabel->GetText(), "FPS: 0");
    // Four more frames a quarter of a second apart: exactly one second is not yet more.
    for (int i = 0; i < 4; ++i)
    {
        Advance(TICKS_PER_SECOND / 4);
        driver.RunFrames(1);
    }
    EXPECT_EQ(pLabel->GetText(), "FPS: 0");
    const auto zero = Shot("zero");
    // Six frames in 1.25 s.
    Advance(TICKS_PER_SECOND / 4);
    driver.RunFrames(1);
    EXPECT_EQ(pLabel->GetText(), "FPS: 5");
    EXPECT_GT(CountDiffering(Shot("five"), zero, FPS_LABEL), 0);

    // The frame time keeps its precision after hours of running: more than a day later, then
    // one 60 Hz frame.
    auto* pProbe = new FrameTimeProbe;
    driver.GetApp().SetMode(pProbe);
    Advance(100000 * TICKS_PER_SECOND);
    driver.RunFrames(1);
    Advance(TICKS_PER_FRAME);
    driver.RunFrames(1);
    ASSERT_EQ(pProbe->m_FrameTimes.size(), 2u);
    EXPECT_FLOAT_EQ(pProbe->m_FrameTimes[0], 100000.0f);
    EXPECT_FLOAT_EQ(pProbe->m_FrameTimes[1], 1.0f / 60.0f);
}

// The reload button without a lesson changes nothing; the list button hides the list and
// shows it again.
TEST_F(AppBehaviour, ReloadAndListButtonsOnTheStartScreen)
{
    driver.MoveMouse(640, 360, false);
    driver.RunFrames(2);
    const auto shown = Shot("shown");
    DiagnosticCapture capture;
    driver.Click(50, 700);
    EXPECT_TRUE(capture.Asserts().empty());
    EXPECT_TRUE(capture.Logs().empty());
    // Away from the button again, so that it is drawn without its hover colour.
    driver.MoveMouse(640, 360, false);
    driver.RunFrames(1);
    EXPECT_EQ(CountDiffering(Shot("after"), shown, {}, {FPS_LABEL}, 0), 0);

    driver.Click(20, 700);
    driver.RunFrames(1);
    EXPECT_EQ(CountLit(Shot("hidden"), LIST_AREA), 0);
    driver.Click(20, 700);
    EXPECT_EQ(CountDiffering(Shot("shown_again"), shown, LIST_AREA), 0);
}

TEST_F(AppBehaviour, ListDraggedPastEitherEndSpringsBackToIt)
{
    driver.RunFrames(1);
    driver.Drag(94, 20, 94, 120, 5);
    EXPECT_GT(ListTop(), 10.0f);
    driver.RunFrames(SETTLE_FRAMES);
    EXPECT_NEAR(ListTop(), 0.0f, 0.01f);

    const float end = driver.GetApp().GetListArea()->GetGeometry().height -
                      driver.GetApp().GetListContent()->GetGeometry().height;
    ASSERT_LT(end, 0.0f);
    const HWidget* pLastRow = nullptr;
    for (HObject* pChild : driver.GetApp().GetListContent()->GetChildren())
    {
        pLastRow = dynamic_cast<HDragButton*>(pChild) ? static_cast<HWidget*>(pChild) : pLastRow;
    }
    ASSERT_NE(pLastRow, nullptr);
    EXPECT_FALSE(pLastRow->GetVisibleRect().IsValid());
    driver.Drag(94, 270, 94, 10, 13);
    EXPECT_LT(ListTop(), end - 10.0f);
    driver.RunFrames(SETTLE_FRAMES);
    EXPECT_NEAR(ListTop(), end, 0.01f);
    EXPECT_TRUE(pLastRow->GetVisibleRect().IsValid());
}

// A clicked row queues its lesson, which becomes current at the next update; clicking the
// running lesson's row again starts a fresh one, with its settings from the start, and the
// mouse then reaches only the new lesson's camera.
TEST_F(AppBehaviour, ClickedRowStartsAFreshLessonAtTheNextUpdate)
{
    driver.RunFrames(1);
    ASSERT_TRUE(driver.SelectLesson("MatrixTransform"));
    auto* pFirst = dynamic_cast<MatrixTransform*>(Current());
    ASSERT_NE(pFirst, nullptr);
    MySlider* pDistance = pFirst->GetSlider(MatrixTransform::SLIDER_DISTANCE);
    const float startDistance = pDistance->GetValue();
    ClickOn(pDistance, 0.9f);
    ASSERT_GT(pDistance->GetValue(), startDistance + 5.0f);

    ClickRowWithoutFrame("MatrixTransform");
    EXPECT_EQ(Current(), pFirst);
    auto* pSecond = dynamic_cast<MatrixTransform*>(Pending());
    ASSERT_NE(pSecond, nullptr);
    EXPECT_NE(pSecond, pFirst);
    driver.RunFrames(1);
    ASSERT_EQ(Current(), pSecond);
    EXPECT_FLOAT_EQ(pSecond->GetSlider(MatrixTransform::SLIDER_DISTANCE)->GetValue(),
                    startDistance);
    EXPECT_FLOAT_EQ(pSecond->GetObservedCamera().GetDistance(), startDistance);

    // Over the empty left view.
    const float yaw = pSecond->GetCamera().GetYaw();
    driver.Drag(500, 500, 560, 520, 3);
    driver.RunFrames(1);
    EXPECT_GT(std::fabs(pSecond->GetCamera().GetYaw() - yaw), 0.05f);
}

TEST(AppStart, GuiShaderThatDoesNotBuildIsNamedInTheLog)
{
    HalvexTest::TempDir dir;
    HalvexTest::WriteFile(dir / "Shader/hlsl/UI.wvu", "void main() { gl_Position = ; }\n");
    std::filesystem::create_directories(dir / "bin");
    DiagnosticCapture capture;
    {
        AppDriver driver;
        const HalvexTest::CurrentDir bin(dir / "bin");
        ASSERT_TRUE(driver.Start());
        // The program goes on without its GUI shaders.
        driver.RunFrames(1);
    }
    EXPECT_TRUE(capture.Logged("Can not build the shader \"../Shader/hlsl/UI.wvu\""));
    EXPECT_TRUE(capture.Logged("Can not read the shader \"../Shader/hlsl/UI.wpu\""));
    // Nor its font: the text is left out.
    EXPECT_TRUE(capture.Logged("ASCII_1.dds"));
}
