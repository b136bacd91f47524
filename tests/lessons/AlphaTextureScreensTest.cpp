// The alpha blend, alpha test, texture sampling and mipmap lessons in the real application
// on the software renderer, compared with golden pictures. The camera is turned and zoomed
// with the mouse; both act per frame, so the pictures do not depend on frame times.

#include "LessonScreens.h"

#include "testcase/mipmap.h"
#include "testcase/renderstate_alphablend.h"
#include "testcase/renderstate_alphatest.h"
#include "testcase/texturesampling.h"

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

TEST_F(AlphaTextureScreens, AlphaTestShowsTheBlackTexelsOrKeepsThoseAboveTheReference)
{
    auto* pLesson = Open<RenderState_AlphaTest>("RS_AlphaTest");
    ASSERT_NE(pLesson, nullptr);
    // Both quads in view. Without the test, and without blending, the transparent texels
    // show their black.
    Orbit(-40, 50);
    ExpectScreen("alphatest_disabled");
    ChooseItem(driver, pLesson->GetEnableCombo(), 1);
    ChooseItem(driver, pLesson->GetFuncCombo(), CMP_GREATER);
    ChooseItem(driver, pLesson->GetReferenceCombo(), 5);
    ExpectScreen("alphatest_greater_100");
    ChooseItem(driver, pLesson->GetFuncCombo(), CMP_ALWAYS);
    ExpectScreen("alphatest_always");
    ChooseItem(driver, pLesson->GetFuncCombo(), CMP_NEVER);
    ExpectScreen("alphatest_never");
}

TEST_F(AlphaTextureScreens, TextureSamplingShowsEachAddressModeAndFilter)
{
    auto* pLesson = Open<TextureSampling>("TextureSampling");
    ASSERT_NE(pLesson, nullptr);
    const char* const names[] = {"texturesampling_wrap", "texturesampling_mirror",
                                 "texturesampling_clamp", "texturesampling_border"};
    for (int address = ADDRESS_WRAP; address <= ADDRESS_BORDER; ++address)
    {
        ChooseItem(driver, pLesson->GetAddressCombo(), address);
        ExpectScreen(names[address]);
    }
    Zoom(15);
    ExpectScreen("texturesampling_point_close");
    ChooseItem(driver, pLesson->GetFilterCombo(), 1);
    ExpectScreen("texturesampling_linear_close");
}

TEST_F(AlphaTextureScreens, MipmapShowsEachCaseAtADistance)
{
    auto* pLesson = Open<Mipmap>("Mipmap");
    ASSERT_NE(pLesson, nullptr);
    // Three faces in view, far enough for the smaller levels.
    Orbit(-100, 70);
    Zoom(-14);
    const char* const names[] = {"mipmap_case1", "mipmap_case2", "mipmap_case3"};
    for (int item = Mipmap::CASE_NO_MIPS; item <= Mipmap::CASE_LEVEL_COLOURS; ++item)
    {
        ChooseItem(driver, pLesson->GetCaseCombo(), item);
        ExpectScreen(names[item]);
    }
}
