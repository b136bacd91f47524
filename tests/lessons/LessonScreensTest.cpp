// The lighting, fill/shade/cull and depth lessons in the real application on the software
// renderer, compared with golden pictures. The light and the camera are placed by the tests
// so that the pictures do not depend on the frame times.

#include "LessonScreens.h"

#include "testcase/renderstate_depth.h"
#include "testcase/renderstate_fillshadecull.h"

#include "common/render/mycombobox.h"
#include "common/render/myslider.h"

#include "base/source/system/logger.h"
#include "gui/hpushbutton.h"

#include <chrono>
#include <cstdint>
#include <memory>

using Halvex::MATH::Vector3;
using HalvexTest::PixelAt;

TEST_F(LessonScreens, LightingShowsLightSpecularPerPixelAndPointLight)
{
    Start(HalvexTest::SourceDir() / "tests");
    Lighting* pLesson = OpenLighting();
    ASSERT_NE(pLesson, nullptr);
    ExpectScreen("lighting_start");
    ClickWidget(driver, pLesson->GetLightButton());
    ExpectScreen("lighting_light_on_directional");
    DragSlider(driver, pLesson->GetSpecularSlider(), 1.0f);
    ExpectScreen("lighting_specular_per_vertex");
    ClickWidget(driver, pLesson->GetPerPixelButton());
    ExpectScreen("lighting_specular_per_pixel");
    ClickWidget(driver, pLesson->GetPointButton());
    ExpectScreen("lighting_point_light");
}

TEST_F(LessonScreens, FillShadeCullShowsEachModeOnTheColouredCube)
{
    Start(HalvexTest::SourceDir() / "tests");
    auto* pLesson = Open<RenderState_FillShadeCull>("RS_FillShadeCull");
    ASSERT_NE(pLesson, nullptr);
    // Three faces in view.
    pLesson->GetCamera().SetLookAt({2.2f, 2.0f, 3.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    ChooseItem(driver, pLesson->GetFillCombo(), 0);
    ExpectScreen("fillshadecull_point");
    ChooseItem(driver, pLesson->GetFillCombo(), 1);
    ExpectScreen("fillshadecull_wireframe");
    ChooseItem(driver, pLesson->GetFillCombo(), 2);
    ChooseItem(driver, pLesson->GetShadeCombo(), 0);
    ExpectScreen("fillshadecull_flat");
    ChooseItem(driver, pLesson->GetShadeCombo(), 1);
    ChooseItem(driver, pLesson->GetCullCombo(), 1);
    ExpectScreen("fillshadecull_cull_cw");
    ChooseItem(driver, pLesson->GetCullCombo(), 2);
    ExpectScreen("fillshadecull_cull_ccw");
}

TEST_F(LessonScreens, DepthShowsNeverAlwaysAndDisabledTests)
{
    Start(HalvexTest::SourceDir() / "tests");
    auto* pLesson = Open<RenderState_Depth>("RS_Depth");
    ASSERT_NE(pLesson, nullptr);
    // From behind and above: the cubes drawn last are the farthest, so "Always" paints
    // them over the near ones.
    pLesson->GetCamera().SetLookAt({4.0f, 6.0f, -9.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    ChooseItem(driver, pLesson->GetFuncCombo(), 0);
    ExpectScreen("depth_never");
    ChooseItem(driver, pLesson->GetFuncCombo(), 7);
    ExpectScreen("depth_always");
    ChooseItem(driver, pLesson->GetFuncCombo(), 3);
    ChooseItem(driver, pLesson->GetEnableCombo(), 0);
    ExpectScreen("depth_z_disable");
}

// Time moves only when the test moves it, so the automatic reload looks at the files only
// when the test lets it, whatever the speed of the build.
class SteppedLessonScreens : public LessonScreens
{
protected:
    SteppedLessonScreens() : SteppedLessonScreens(std::make_shared<std::int64_t>(0)) {}

    // Lets `ms` milliseconds pass before the next frame.
    void Wait(std::int64_t ms) { *m_pMs += ms; }

private:
    explicit SteppedLessonScreens(const std::shared_ptr<std::int64_t>& pMs)
        : LessonScreens(Halvex::Base::HighResolutionTimer([pMs] { return *pMs; }, 1000)), m_pMs(pMs)
    {
    }

    std::shared_ptr<std::int64_t> m_pMs;
};

TEST_F(SteppedLessonScreens, ReloadByButtonOrFileWatchTakesOnlyTheLessonsOwnPairThatCompiles)
{
    // A copy of the shader folder that the test may break; the data is shared.
    const std::filesystem::path root = temp / "tree";
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "Shader");
    std::filesystem::copy(HalvexTest::SourceDir() / "Shader" / "hlsl", root / "Shader" / "hlsl");
    std::filesystem::create_directory_symlink(HalvexTest::SourceDir() / "Data", root / "Data");
    const std::filesystem::path shaders = root / "Shader" / "hlsl";
    Start(root / "bin");
    Lighting* pLesson = OpenLighting();
    ASSERT_NE(pLesson, nullptr);
    ClickWidget(driver, pLesson->GetLightButton());

    // Where the light model's bulb is on screen.
    const Vector3<float> ndc = Halvex::MATH::TransformCoord(
        pLesson->GetLight().GetPosition(),
        pLesson->GetCamera().GetView() * pLesson->GetCamera().GetProjection());
    const int x = static_cast<int>((ndc.x + 1.0f) * 0.5f * 1280.0f);
    const int y = static_cast<int>((1.0f - ndc.y) * 0.5f * 720.0f);
    // The middle of the sphere, lit per vertex.
    const int sphereX = 454;
    const auto before = Shot("before");
    const uint32_t bulb = PixelAt(before, x, y);
    const uint32_t sphere = PixelAt(before, sphereX, 360);

    // A broken lesson file and a changed file of another pass.
    HalvexTest::WriteFile(shaders / "Lighting.wpu", "void main() { oColor = ; }\n");
    HalvexTest::WriteFile(shaders / "LightingPerVertex.wpu",
                          "void main() { oColor = vec4(1.0, 0.0, 0.0, 1.0); }\n");
    {
        Halvex::Base::DiagnosticCapture capture;
        ClickWidget(driver, driver.GetApp().GetReloadButton());
        EXPECT_TRUE(capture.Logged("does not compile")) << "no compiler message";
        EXPECT_TRUE(capture.Raised("0"));
    }
    const auto kept = Shot("kept");
    EXPECT_EQ(PixelAt(kept, x, y), bulb);
    EXPECT_EQ(PixelAt(kept, sphereX, 360), sphere);

    // A good file is taken by the look at the files half a second later, as by the button:
    // the lesson's own pair only, the other pass keeps its code.
    const std::filesystem::path fixed = shaders / "Lighting.wpu";
    HalvexTest::WriteFile(fixed, "void main() { oColor = vec4(1.0, 0.0, 1.0, 1.0); }\n");
    std::filesystem::last_write_time(fixed, std::filesystem::last_write_time(fixed) +
                                                std::chrono::seconds(1));
    Wait(600);
    const auto reloaded = Shot("reloaded");
    EXPECT_EQ(PixelAt(reloaded, x, y), 0xFF00FFu);
    EXPECT_EQ(PixelAt(reloaded, sphereX, 360), sphere);
}
