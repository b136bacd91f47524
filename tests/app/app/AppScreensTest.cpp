// The real application, headless, driven through SDL events and compared with golden
// pictures.

#include "apptest.h"
#include "testcase/matrixtransform.h"

#include "common/render/myslider.h"

#include "goldenimage.h"
#include "gui/hscrollarea.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using HalvexTest::CompareWithGolden;
using HalvexTest::GoldenResult;
using HalvexTest::IgnoredRect;

namespace
{
const IgnoredRect FPS_LABEL{1208, 700, 72, 20};

class AppScreens : public AppTest
{
protected:
    void SetUp() override { ASSERT_TRUE(driver.Start()); }

    void ExpectScreen(const std::string& name)
    {
        const auto path = temp / (name + ".png");
        ASSERT_TRUE(driver.SaveScreenshot(path.string()));
        // The frame-rate read-out differs from run to run.
        const GoldenResult result = CompareWithGolden(
            path, HalvexTest::SourceDir() / "tests" / "app" / "golden", name, FPS_LABEL);
        EXPECT_TRUE(result.m_Matches) << result.m_Message;
    }

    HalvexTest::TempDir temp;

private:
    // Data and shaders are read from the parent of the working directory.
    HalvexTest::CurrentDir m_Dir{HalvexTest::SourceDir() / "tests"};
};
} // namespace

TEST_F(AppScreens, StartScreenShowsTheListAndFixedControls)
{
    driver.RunFrames(3);
    ExpectScreen("start");
}

TEST_F(AppScreens, ListButtonHidesTheLessonList)
{
    driver.RunFrames(2);
    driver.Click(20, 700);
    driver.RunFrames(1);
    EXPECT_FALSE(driver.GetApp().GetListArea()->IsVisible());
    driver.Click(20, 700);
    EXPECT_TRUE(driver.GetApp().GetListArea()->IsVisible());
}

TEST_F(AppScreens, MatrixTransformStartsFromItsRowBelowTheVisibleList)
{
    driver.RunFrames(2);
    ASSERT_TRUE(driver.SelectLesson("MatrixTransform"));
    driver.RunFrames(3);
    auto* pLesson = dynamic_cast<MatrixTransform*>(driver.GetApp().GetModeManager()->GetCurrent());
    ASSERT_NE(pLesson, nullptr);
    ExpectScreen("matrixtransform_start");
}

TEST_F(AppScreens, MatrixTransformFollowsACameraDragAndTwoSliders)
{
    driver.RunFrames(2);
    ASSERT_TRUE(driver.SelectLesson("MatrixTransform"));
    driver.RunFrames(2);
    auto* pLesson = dynamic_cast<MatrixTransform*>(driver.GetApp().GetModeManager()->GetCurrent());
    ASSERT_NE(pLesson, nullptr);
    // Turn the observer camera by dragging over the empty left view.
    driver.Drag(600, 300, 660, 320, 4);
    driver.RunFrames(60);
    // Distance slider to its upper quarter, yaw slider a third of the way up.
    const auto sliderPoint = [&](int index, float share)
    {
        const Halvex::HGui::HRectF rect = pLesson->GetSlider(index)->GetRect();
        return std::pair<int, int>(static_cast<int>(rect.x + rect.width / 2.0f),
                                   static_cast<int>(rect.Bottom() - rect.height * share));
    };
    const auto distance = sliderPoint(MatrixTransform::SLIDER_DISTANCE, 0.75f);
    driver.Click(distance.first, distance.second);
    const auto yaw = sliderPoint(MatrixTransform::SLIDER_YAW, 0.3f);
    driver.Click(yaw.first, yaw.second);
    driver.RunFrames(2);
    EXPECT_NEAR(pLesson->GetSlider(MatrixTransform::SLIDER_DISTANCE)->GetValue(), 15.25f, 0.5f);
    EXPECT_NEAR(pLesson->GetObservedCamera().GetDistance(),
                pLesson->GetSlider(MatrixTransform::SLIDER_DISTANCE)->GetValue(), 1e-5f);
    ExpectScreen("matrixtransform_moved");
}
