// The stencil lesson in the real application on the software renderer, chosen through the
// list and operated through SDL mouse events, compared with golden pictures. Cameras are
// placed by the tests, so the pictures do not depend on frame times.

#include "LessonScreens.h"

#include "testcase/stencil.h"

#include "common/render/mycombobox.h"

using Halvex::MATH::Vector3;

namespace
{
const Vector3<float> ORIGIN{0.0f, 0.0f, 0.0f};
const Vector3<float> UP{0.0f, 1.0f, 0.0f};
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
}
