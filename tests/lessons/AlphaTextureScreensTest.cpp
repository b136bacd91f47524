// The alpha blend, alpha test, texture sampling and mipmap lessons in the real application
// on the software renderer, compared with golden pictures. The camera is turned and zoomed
// with the mouse; both act per frame, so the pictures do not depend on frame times.

#include "LessonScreens.h"

#include "testcase/renderstate_alphablend.h"
#include "testcase/renderstate_alphatest.h"

#include "common/render/mycombobox.h"

#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderenums.h"

using namespace Halvex::RenderCore;

namespace
{
// An empty part of the window, where drags and the wheel reach the camera.
constexpr int SCENE_X = 640;
constexpr int SCENE_Y = 520;
} // namespace

class AlphaTextureScreens : public LessonScreens
{
protected:
    void SetUp() override { Start(HalvexTest::SourceDir() / "tests"); }

    // Drags across the scene and lets the turn die away.
    void Orbit(int dx, int dy)
    {
        driver.Drag(SCENE_X, SCENE_Y, SCENE_X + dx, SCENE_Y + dy, 10);
        driver.RunFrames(80);
    }

    // Wheel notches (above 0 zooms in), then lets the zoom die away.
    void Zoom(int notches)
    {
        driver.Scroll(SCENE_X, SCENE_Y, notches);
        driver.RunFrames(40);
    }
};

TEST_F(AlphaTextureScreens, AlphaBlendShowsSortingFactorsAndBillboards)
{
    auto* pLesson = Open<RenderState_AlphaBlend>("RS_AlphaBlend");
    ASSERT_NE(pLesson, nullptr);
    // From behind and above, where grid order draws the near quads first.
    Orbit(300, 15);
    ExpectScreen("alphablend_unsorted");
    ClickWidget(driver, pLesson->GetSortButton());
    ExpectScreen("alphablend_sorted");
    ChooseItem(driver, pLesson->GetSrcBlendCombo(), BLEND_ZERO);
    ChooseItem(driver, pLesson->GetDestBlendCombo(), BLEND_ONE);
    ExpectScreen("alphablend_zero_one");
    ChooseItem(driver, pLesson->GetSrcBlendCombo(), BLEND_ONE);
    ExpectScreen("alphablend_one_one");
    ChooseItem(driver, pLesson->GetSrcBlendCombo(), BLEND_SRC_ALPHA);
    ChooseItem(driver, pLesson->GetDestBlendCombo(), BLEND_INV_SRC_ALPHA);
    ClickWidget(driver, pLesson->GetBillboardButton());
    Orbit(-120, 60);
    ExpectScreen("alphablend_billboard");
}

TEST_F(AlphaTextureScreens, AlphaTestKeepsTexelsAboveTheReference)
{
    auto* pLesson = Open<RenderState_AlphaTest>("RS_AlphaTest");
    ASSERT_NE(pLesson, nullptr);
    // Both quads in view.
    Orbit(-40, 50);
    ChooseItem(driver, pLesson->GetEnableCombo(), 1);
    ChooseItem(driver, pLesson->GetFuncCombo(), CMP_GREATER);
    ChooseItem(driver, pLesson->GetReferenceCombo(), 5);
    ExpectScreen("alphatest_greater_100");
    ChooseItem(driver, pLesson->GetFuncCombo(), CMP_ALWAYS);
    ExpectScreen("alphatest_always");
    ChooseItem(driver, pLesson->GetFuncCombo(), CMP_NEVER);
    ExpectScreen("alphatest_never");
}
