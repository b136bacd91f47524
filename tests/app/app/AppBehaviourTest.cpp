// The real application, headless, driven through SDL events on a clock that only moves when
// a test moves it: the frame-rate read-out, the fixed buttons, the lesson list's dragging,
// lesson switching and the matrix lesson's distance slider, checked in the presented picture
// and in the objects behind it.

#include "apptest.h"
#include "goldenimage.h"
#include "testcase/matrixtransform.h"
#include "testcase/testbase.h"

#include "common/render/myslider.h"

#include "base/source/system/logger.h"
#include "gui/hdragbutton.h"
#include "gui/hlabel.h"
#include "gui/hscrollarea.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

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
using Region = HalvexTest::IgnoredRect;

const Region WHOLE{0, 0, 1280, 720};
const Region LIST_AREA{4, 4, 180, 280};
const Region FPS_LABEL{1208, 700, 72, 20};
// The matrix lesson's right half: the view through the observed camera.
const Region RIGHT_VIEW{740, 0, 540, 720};

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

class AppBehaviour : private ManualClock, public AppTest
{
protected:
    AppBehaviour() : AppTest(HighResolutionTimer([this] { return m_Ticks; }, TICKS_PER_SECOND)) {}

    void SetUp() override { ASSERT_TRUE(driver.Start()); }

    void Advance(std::int64_t ticks) { m_Ticks += ticks; }

    std::filesystem::path Shot(const std::string& name)
    {
        const auto path = temp / (name + ".png");
        EXPECT_TRUE(driver.SaveScreenshot(path.string()));
        return path;
    }

    ModeBase* Current() { return driver.GetApp().GetModeManager()->GetCurrent(); }
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

    MatrixTransform* StartMatrixTransform()
    {
        driver.RunFrames(1);
        EXPECT_TRUE(driver.SelectLesson("MatrixTransform"));
        driver.RunFrames(1);
        return dynamic_cast<MatrixTransform*>(Current());
    }

    // A click on the slider at `share` of its height from the bottom.
    void ClickSlider(MySlider* pSlider, float share)
    {
        const HRectF rect = pSlider->GetRect();
        driver.Click(static_cast<int>(rect.x + rect.width / 2.0f),
                     static_cast<int>(rect.Bottom() - rect.height * share));
    }

    HalvexTest::TempDir temp;

private:
    // Data and shaders are read from the parent of the working directory.
    HalvexTest::CurrentDir m_Dir{HalvexTest::SourceDir() / "tests"};
};
} // namespace

TEST_F(AppBehaviour, FpsLabelReadsZeroUntilMoreThanASecondHasPassedThenTheRate)
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
}

TEST_F(AppBehaviour, ListButtonHidesAndShowsTheListInThePicture)
{
    driver.MoveMouse(640, 360, false);
    driver.RunFrames(2);
    const auto shown = Shot("shown");
    EXPECT_GT(CountLit(shown, LIST_AREA), LIST_AREA.width * LIST_AREA.height / 4);
    driver.Click(20, 700);
    driver.RunFrames(1);
    EXPECT_EQ(CountLit(Shot("hidden"), LIST_AREA), 0);
    driver.Click(20, 700);
    EXPECT_EQ(CountDiffering(Shot("shown_again"), shown, LIST_AREA), 0);
}

TEST_F(AppBehaviour, ReloadButtonWithoutALessonLeavesThePictureUnchanged)
{
    driver.MoveMouse(640, 360, false);
    driver.RunFrames(2);
    const auto before = Shot("before");
    DiagnosticCapture capture;
    driver.Click(50, 700);
    EXPECT_TRUE(capture.Asserts().empty());
    EXPECT_TRUE(capture.Logs().empty());
    EXPECT_EQ(Current(), nullptr);
    EXPECT_EQ(Pending(), nullptr);
    // Away from the button again, so that it is drawn without its hover colour.
    driver.MoveMouse(640, 360, false);
    driver.RunFrames(1);
    EXPECT_EQ(CountDiffering(Shot("after"), before, WHOLE, {FPS_LABEL}, 0), 0);
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

TEST_F(AppBehaviour, ClickedLessonBecomesCurrentAtTheNextUpdate)
{
    driver.RunFrames(1);
    ClickRowWithoutFrame("MatrixTransform");
    EXPECT_EQ(Current(), nullptr);
    auto* pQueued = dynamic_cast<MatrixTransform*>(Pending());
    ASSERT_NE(pQueued, nullptr);
    driver.RunFrames(1);
    EXPECT_EQ(Current(), pQueued);
    EXPECT_EQ(Pending(), nullptr);
}

TEST_F(AppBehaviour, ClickingTheRunningLessonAgainRestartsIt)
{
    MatrixTransform* pFirst = StartMatrixTransform();
    ASSERT_NE(pFirst, nullptr);
    const float startDistance = pFirst->GetSlider(MatrixTransform::SLIDER_DISTANCE)->GetValue();
    ClickSlider(pFirst->GetSlider(MatrixTransform::SLIDER_DISTANCE), 0.9f);
    ASSERT_GT(pFirst->GetSlider(MatrixTransform::SLIDER_DISTANCE)->GetValue(),
              startDistance + 5.0f);

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
}

TEST_F(AppBehaviour, AfterASwitchADragReachesOnlyTheNewLessonsCamera)
{
    MatrixTransform* pOld = StartMatrixTransform();
    ASSERT_NE(pOld, nullptr);
    const void* pOldInput = &pOld->GetCameraInput();
    ClickRowWithoutFrame("MatrixTransform");
    driver.RunFrames(1);
    auto* pNew = dynamic_cast<MatrixTransform*>(Current());
    ASSERT_NE(pNew, nullptr);
    ASSERT_NE(pNew, pOld);

    HWidget* pInput = driver.GetApp().GetInputWidget();
    for (const char* pSignal : {"MousePress", "MouseMove"})
    {
        const auto* pConnections = pInput->GetConnections(pSignal);
        ASSERT_NE(pConnections, nullptr) << pSignal;
        ASSERT_EQ(pConnections->size(), 1u) << pSignal;
        EXPECT_EQ(pConnections->front().m_pReceiver, &pNew->GetCameraInput()) << pSignal;
        EXPECT_NE(pConnections->front().m_pReceiver, pOldInput) << pSignal;
    }
    // Over the empty left view.
    const float yaw = pNew->GetCamera().GetYaw();
    driver.Drag(500, 500, 560, 520, 3);
    driver.RunFrames(1);
    EXPECT_GT(std::fabs(pNew->GetCamera().GetYaw() - yaw), 0.05f);
}

TEST_F(AppBehaviour, DistanceSliderMovesTheObservedCameraSeenInTheRightView)
{
    MatrixTransform* pLesson = StartMatrixTransform();
    ASSERT_NE(pLesson, nullptr);
    driver.MoveMouse(100, 300, false);
    driver.RunFrames(1);
    const auto before = Shot("before");
    const Halvex::MATH::Matrix4 observerView = pLesson->GetCamera().GetView();

    MySlider* pDistance = pLesson->GetSlider(MatrixTransform::SLIDER_DISTANCE);
    ClickSlider(pDistance, 0.9f);
    driver.RunFrames(1);
    EXPECT_NEAR(pLesson->GetObservedCamera().GetDistance(), pDistance->GetValue(), 1e-5f);
    EXPECT_GT(pDistance->GetValue(), 15.0f);
    // Objects seen from further away: a good part of the right view changes.
    EXPECT_GT(CountDiffering(Shot("after"), before, RIGHT_VIEW), 2000);
    // The observer camera of the left view is the mouse's, not the slider's.
    for (int row = 0; row < 4; ++row)
    {
        for (int column = 0; column < 4; ++column)
        {
            EXPECT_EQ(pLesson->GetCamera().GetView()(row, column), observerView(row, column));
        }
    }
}

TEST_F(AppBehaviour, FrameTimeKeepsItsPrecisionAfterHoursOfRunning)
{
    driver.RunFrames(1);
    auto* pProbe = new FrameTimeProbe;
    driver.GetApp().SetMode(pProbe);
    // More than a day later, then one 60 Hz frame.
    Advance(100000 * TICKS_PER_SECOND);
    driver.RunFrames(1);
    Advance(TICKS_PER_FRAME);
    driver.RunFrames(1);
    ASSERT_EQ(pProbe->m_FrameTimes.size(), 2u);
    EXPECT_FLOAT_EQ(pProbe->m_FrameTimes[0], 100000.0f);
    EXPECT_FLOAT_EQ(pProbe->m_FrameTimes[1], 1.0f / 60.0f);
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
