// The stencil, viewport/scissor and shadow-map lessons in the real application on the
// software renderer, chosen through the list and operated through SDL mouse events,
// compared with golden pictures. Cameras and lights are placed by the tests, so the
// pictures do not depend on frame times.

#include "LessonScreens.h"

#include "testcase/shadowmap.h"
#include "testcase/stencil.h"
#include "testcase/viewportandscissor.h"

#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"

#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"

using Halvex::MATH::Vector3;
using namespace Halvex::RenderCore;

namespace
{
const Vector3<float> ORIGIN{0.0f, 0.0f, 0.0f};
const Vector3<float> UP{0.0f, 1.0f, 0.0f};

// What the lesson leaves for the GUI and the next frame.
void ExpectWholeWindow(const Rect_t& rect)
{
    EXPECT_EQ((std::array<float, 4>{rect.m_X, rect.m_Y, rect.m_Width, rect.m_Height}),
              (std::array<float, 4>{0.0f, 0.0f, 1280.0f, 720.0f}));
}
} // namespace

TEST_F(LessonScreens, StencilMasksTheQuadAndClipsTheReflectionToTheFloor)
{
    Start(HalvexTest::SourceDir() / "tests");
    auto* pLesson = Open<Stencil>("Stencil");
    ASSERT_NE(pLesson, nullptr);
    ExpectScreen("stencil_case1");
    ChooseItem(driver, pLesson->GetCaseCombo(), 1);
    ExpectScreen("stencil_case2");
    ChooseItem(driver, pLesson->GetCaseCombo(), 2);
    ExpectScreen("stencil_case3");
    // From the side, the mirror image lies half beyond the floor's edge: the stencil cuts
    // it there.
    pLesson->GetCamera().SetLookAt({2.5f, 1.5f, 0.6f}, ORIGIN, UP);
    ExpectScreen("stencil_case3_edge");
    // The next lesson finds the stencil test as the lesson found it.
    for (const auto& [state, value] : {std::pair{RS_STENCIL_FUNC, uint32_t(CMP_ALWAYS)},
                                       {RS_STENCIL_PASS, uint32_t(STENCIL_OP_KEEP)},
                                       {RS_STENCIL_REF, 0u}})
    {
        uint32_t now = 0;
        driver.GetApp().GetRenderer()->GetDevice()->GetRenderState(state, &now);
        EXPECT_EQ(now, value) << state;
    }
}

TEST_F(LessonScreens, ViewportScissorClipsFullCubesOrShrinksThemIntoTheQuarters)
{
    Start(HalvexTest::SourceDir() / "tests");
    auto* pLesson = Open<ViewportAndScissor>("ViewportScissor");
    ASSERT_NE(pLesson, nullptr);
    pLesson->GetCamera().SetLookAt({2.5f, 2.0f, 4.0f}, ORIGIN, UP);
    ExpectScreen("viewportscissor_scissor");
    RenderDevice* pDevice = driver.GetApp().GetRenderer()->GetDevice();
    EXPECT_EQ(pDevice->GetScissorRect().m_Width, 0.0f) << "the scissor test stays on";
    ClickWidget(driver, pLesson->GetViewportButton());
    ExpectScreen("viewportscissor_viewport");
    ExpectWholeWindow(pDevice->GetViewport());
}

TEST_F(LessonScreens, ShadowMapCastsTheShadowOnTheFloorAndShowsTheMap)
{
    Start(HalvexTest::SourceDir() / "tests");
    auto* pLesson = Open<ShadowMap>("ShadowMap");
    ASSERT_NE(pLesson, nullptr);
    RenderDevice* pDevice = driver.GetApp().GetRenderer()->GetDevice();
    pLesson->GetLight().SetSpeed(0.0f, 0.0f);
    pLesson->GetLight().SetLookAt({1.0f, 2.0f, 1.0f}, ORIGIN);
    ExpectScreen("shadowmap_light_front_right");
    // After the off-screen pass the window's target and its whole area are back.
    ExpectWholeWindow(pDevice->GetViewport());

    pLesson->GetLight().SetLookAt({-1.2f, 2.0f, -0.6f}, ORIGIN);
    ExpectScreen("shadowmap_light_back_left");
    ClickWidget(driver, pLesson->GetViewButton());
    ExpectScreen("shadowmap_texture");
}
