// The real application, headless, driven through SDL events and compared with golden
// pictures: the start screen, the matrix lesson, and the notes panel and statistics overlay
// a learner can show around a lesson.

#include "AppFixture.h"
#include "main/statsoverlay.h"
#include "testcase/matrixtransform.h"

#include "common/render/myslider.h"
#include "common/render/textpanel.h"

#include "d3d9gl/d3d9gl.h"
#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <tuple>

using HalvexTest::ReadFile;

namespace
{
class AppScreens : public AppFixture
{
protected:
    void SetUp() override { Start(); }
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
    auto* pLesson = dynamic_cast<MatrixTransform*>(Current());
    ASSERT_NE(pLesson, nullptr);
    ExpectScreen("matrixtransform_start");
    // Turn the observer camera by dragging over the empty left view.
    driver.Drag(600, 300, 660, 320, 4);
    driver.RunFrames(60);
    // Distance slider to its upper quarter, yaw slider a third of the way up.
    ClickOn(pLesson->GetSlider(MatrixTransform::SLIDER_DISTANCE), 0.75f);
    ClickOn(pLesson->GetSlider(MatrixTransform::SLIDER_YAW), 0.3f);
    driver.RunFrames(2);
    const float distance = pLesson->GetSlider(MatrixTransform::SLIDER_DISTANCE)->GetValue();
    EXPECT_NEAR(distance, 15.25f, 0.5f);
    EXPECT_NEAR(pLesson->GetObservedCamera().GetDistance(), distance, 1e-5f);
    ExpectScreen("matrixtransform_moved");
    ClickOn(pLesson->GetModeButton());
    ClickOn(pLesson->GetSlider(MatrixTransform::SLIDER_FAR), 0.3f);
    driver.RunFrames(2);
    EXPECT_FALSE(pLesson->IsPerspective());
    ExpectScreen("matrixtransform_ortho");
}

// The notes show the running lesson's text and toggle with their button and F1; F2 shows the
// statistics of the previous frame.
TEST_F(AppScreens, NotesAndStatisticsOnTheStartScreenAndInALesson)
{
    driver.GetApp().SetNotesAvailable(true);
    driver.RunFrames(3);
    TextPanel* pNotes = driver.GetApp().GetNotesPanel();
    const std::filesystem::path notes = HalvexTest::SourceDir() / "Data" / "Notes";
    EXPECT_EQ(pNotes->GetText(), ReadFile(notes / "Start.txt"));
    ExpectScreen("start_notes");
    ASSERT_TRUE(driver.SelectLesson("MatrixTransform"));
    driver.RunFrames(1);
    EXPECT_EQ(pNotes->GetText(), ReadFile(notes / "MatrixTransform.txt"));
    EXPECT_GT(pNotes->GetLines().size(), 3u);
    ExpectScreen("matrixtransform_notes");

    StatsOverlay* pStats = driver.GetApp().GetStatsOverlay();
    EXPECT_FALSE(pStats->IsVisible());
    driver.PressKey(SDLK_F2);
    EXPECT_TRUE(pStats->IsVisible());
    D3D9GL_COUNTERS previous = {};
    auto* pNative = static_cast<IDirect3DDevice9*>(
        driver.GetApp().GetRenderer()->GetDevice()->GetNativeDevice());
    ASSERT_EQ(D3D9GL_GetCounters(pNative, nullptr, &previous), D3D_OK);
    driver.RunFrames(1);
    EXPECT_GT(previous.DrawCalls, 0u);
    const auto& last = pStats->GetLast();
    EXPECT_EQ((std::tuple{last.m_Draws, last.m_StateChanges, last.m_Uploads}),
              (std::tuple{previous.DrawCalls, previous.StateChanges, previous.Uploads}));
    EXPECT_EQ(pStats->GetLines()[1], std::to_string(previous.DrawCalls));
    // The overlay's graph and numbers change from run to run.
    ExpectScreen("matrixtransform_stats", {{1010, 308, 240, 80}, {1140, 396, 130, 72}, FPS_LABEL});
    driver.PressKey(SDLK_F2);
    EXPECT_FALSE(pStats->IsVisible());

    for (bool visible : {false, true})
    {
        ClickOn(driver.GetApp().GetNotesButton());
        EXPECT_EQ(pNotes->IsVisible(), visible);
    }
    for (bool visible : {false, true})
    {
        driver.PressKey(SDLK_F1);
        EXPECT_EQ(pNotes->IsVisible(), visible);
    }
}
