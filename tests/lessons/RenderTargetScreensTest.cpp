// The render-to-texture and cube-map lessons in the real application on the software
// renderer, compared with golden pictures. The tests place the camera and set the globes'
// angles (with their speeds at 0), so the pictures do not depend on the frame times.

#include "LessonScreens.h"

#include "testcase/rendertocubemap.h"
#include "testcase/rendertotexture.h"
#include "testcase/usecubemap.h"

#include "common/render/myslider.h"
#include "common/render/renderimpl.h"

#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"

namespace
{
// After the off-screen passes the window is the target again, with the viewport over all of
// it.
void ExpectWholeWindowViewport(AppDriver& driver)
{
    const Halvex::RenderCore::Rect_t viewport =
        driver.GetApp().GetRenderer()->GetDevice()->GetViewport();
    EXPECT_EQ(viewport.m_X, 0.0f);
    EXPECT_EQ(viewport.m_Y, 0.0f);
    EXPECT_EQ(viewport.m_Width, 1280.0f);
    EXPECT_EQ(viewport.m_Height, 720.0f);
}
} // namespace

TEST_F(LessonScreens, RenderToTextureShowsTheCubeWearingItsOwnPicture)
{
    Start(HalvexTest::SourceDir() / "tests");
    auto* pLesson = Open<RenderToTexture>("RenderToTexture");
    ASSERT_NE(pLesson, nullptr);
    pLesson->GetCamera().SetLookAt({2.6f, 2.2f, 3.4f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    ExpectScreen("rendertotexture_two_passes");
    ExpectWholeWindowViewport(driver);
    ClickWidget(driver, pLesson->GetSkipButton());
    ExpectScreen("rendertotexture_skipped");
}

TEST_F(LessonScreens, RenderToCubeMapReflectsTheTurningGlobes)
{
    Start(HalvexTest::SourceDir() / "tests");
    auto* pLesson = Open<RenderToCubeMap>("RenderToCubeMap");
    ASSERT_NE(pLesson, nullptr);
    SceneObject& globe1 = pLesson->GetSceneObject(1);
    SceneObject& globe2 = pLesson->GetSceneObject(2);
    globe1.m_AngularSpeed = 0.0f;
    globe2.m_AngularSpeed = 0.0f;
    // Two moments three seconds apart.
    globe1.m_Angle = 0.0f;
    globe2.m_Angle = 0.0f;
    // The starting view: the teapot above the globe in front of it, the slider's caption in
    // the window.
    ExpectScreen("rendertocubemap_start");
    pLesson->GetCamera().SetLookAt({-2.2f, 0.8f, 4.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    ExpectScreen("rendertocubemap_mirror");
    ExpectWholeWindowViewport(driver);
    globe1.m_Angle = 3.0f;
    globe2.m_Angle = 1.5f;
    ExpectScreen("rendertocubemap_mirror_later");

    DragSlider(driver, pLesson->GetSlider(), 0.0f);
    ASSERT_FLOAT_EQ(pLesson->GetSlider()->GetValue(), -1.0f);
    ExpectScreen("rendertocubemap_glass");
    DragSlider(driver, pLesson->GetSlider(), 1.0f);
    ASSERT_FLOAT_EQ(pLesson->GetSlider()->GetValue(), 1.0f);
    ExpectScreen("rendertocubemap_glaze");
}

TEST_F(LessonScreens, UseCubeMapShowsEachFaceOfTheCubeMapOnItsSide)
{
    Start(HalvexTest::SourceDir() / "tests");
    auto* pLesson = Open<UseCubeMap>("UseCubeMap");
    ASSERT_NE(pLesson, nullptr);
    // +X, +Y and +Z, then -X, -Y and -Z.
    pLesson->GetCamera().SetLookAt({3.0f, 2.4f, 3.6f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    ExpectScreen("usecubemap_front_top_right");
    pLesson->GetCamera().SetLookAt({-3.0f, -2.4f, -3.6f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    ExpectScreen("usecubemap_back_bottom_left");
}
