// The real application, headless, driven through SDL events and compared with golden
// pictures.

#include "apptest.h"
#include "testcase/matrixtransform.h"

#include "common/render/myslider.h"

#include "goldenimage.h"
#include "gui/hpushbutton.h"
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

// From its row below the visible list; then a camera drag and two sliders; then the
// orthographic mode with a nearer far plane, whose frustum the left view draws as a box.
TEST_F(AppScreens, MatrixTransformFollowsACameraDragSlidersAndItsModeButton)
{
    driver.RunFrames(2);
    ASSERT_TRUE(driver.SelectLesson("MatrixTransform"));
    driver.RunFrames(3);
    auto* pLesson = dynamic_cast<MatrixTransform*>(driver.GetApp().GetModeManager()->GetCurrent());
    ASSERT_NE(pLesson, nullptr);
    ExpectScreen("matrixtransform_start");
    // Turn the observer camera by dragging over the empty left view.
    driver.Drag(600, 300, 660, 320, 4);
    driver.RunFrames(60);
    const auto clickSlider = [&](int index, float share)
    {
        const Halvex::HGui::HRectF rect = pLesson->GetSlider(index)->GetRect();
        driver.Click(static_cast<int>(rect.x + rect.width / 2.0f),
                     static_cast<int>(rect.Bottom() - rect.height * share));
    };
    // Distance slider to its upper quarter, yaw slider a third of the way up.
    clickSlider(MatrixTransform::SLIDER_DISTANCE, 0.75f);
    clickSlider(MatrixTransform::SLIDER_YAW, 0.3f);
    driver.RunFrames(2);
    EXPECT_NEAR(pLesson->GetSlider(MatrixTransform::SLIDER_DISTANCE)->GetValue(), 15.25f, 0.5f);
    EXPECT_NEAR(pLesson->GetObservedCamera().GetDistance(),
                pLesson->GetSlider(MatrixTransform::SLIDER_DISTANCE)->GetValue(), 1e-5f);
    ExpectScreen("matrixtransform_moved");
    const Halvex::HGui::HRectF mode = pLesson->GetModeButton()->GetRect();
    driver.Click(static_cast<int>(mode.x + mode.width / 2.0f),
                 static_cast<int>(mode.y + mode.height / 2.0f));
    clickSlider(MatrixTransform::SLIDER_FAR, 0.3f);
    driver.RunFrames(2);
    EXPECT_FALSE(pLesson->IsPerspective());
    ExpectScreen("matrixtransform_ortho");
}
