// The frame inspector as a learner meets it, through keys and clicks only: F3 holds the
// lesson's time and shows the captured frame's events, the keys walk through them with the
// picture beside the list following, and F3 again lets the lesson go on.

#include "AppFixture.h"
#include "main/inspectorpanel.h"
#include "testcase/shadowmap.h"

#include "gui/hpushbutton.h"

namespace
{
using HalvexTest::CountDiffering;
using HalvexTest::IgnoredRect;

class Inspector : public AppFixture
{
protected:
    InspectorPanel* Panel() { return driver.GetApp().GetInspector(); }

    IgnoredRect PictureArea()
    {
        const Halvex::HGui::HRectF rect = Panel()->GetPictureRect();
        return {static_cast<int>(rect.x), static_cast<int>(rect.y), static_cast<int>(rect.width),
                static_cast<int>(rect.height)};
    }
};

TEST_F(Inspector, F3HoldsTheLessonAndTheKeysWalkThroughTheFramesEvents)
{
    Start();
    driver.RunFrames(2);
    ASSERT_TRUE(driver.SelectLesson("ShadowMap"));
    auto* pLesson = dynamic_cast<ShadowMap*>(Current());
    ASSERT_NE(pLesson, nullptr);

    // The device records the frame after the press's; the panel shows it from then on.
    driver.PressKey(SDLK_F3);
    EXPECT_FALSE(Panel()->IsVisible());
    driver.RunFrames(1);
    ASSERT_TRUE(Panel()->IsVisible());
    const int count = Panel()->GetEventCount();
    ASSERT_GE(count, 4);
    EXPECT_EQ(Panel()->GetSelectedIndex(), count - 1);
    const auto held = pLesson->GetLight().GetPosition();

    driver.PressKey(SDLK_HOME);
    EXPECT_EQ(Panel()->GetSelectedIndex(), 0);
    const auto first = Shot("first");
    driver.PressKey(SDLK_DOWN);
    EXPECT_EQ(Panel()->GetSelectedIndex(), 1);
    const auto second = Shot("second");
    EXPECT_GT(CountDiffering(first, second, PictureArea()), 1000);
    driver.PressKey(SDLK_UP);
    driver.PressKey(SDLK_UP);
    EXPECT_EQ(Panel()->GetSelectedIndex(), 0);
    EXPECT_EQ(CountDiffering(first, Shot("first_again"), PictureArea()), 0);
    driver.PressKey(SDLK_END);
    EXPECT_EQ(Panel()->GetSelectedIndex(), count - 1);
    driver.RunFrames(20);
    EXPECT_EQ(pLesson->GetLight().GetPosition(), held);

    // The lesson's controls still work, and the next capture shows their effect: one draw of
    // the shadow map in a corner takes the place of the scene's clear and five draws.
    ClickOn(pLesson->GetViewButton());
    ClickOn(Panel()->GetCaptureButton());
    driver.RunFrames(2);
    ASSERT_TRUE(Panel()->IsVisible());
    EXPECT_EQ(Panel()->GetEventCount(), count - 5);

    driver.PressKey(SDLK_F3);
    EXPECT_FALSE(Panel()->IsVisible());
    driver.RunFrames(20);
    EXPECT_NE(pLesson->GetLight().GetPosition(), held);
}
} // namespace
