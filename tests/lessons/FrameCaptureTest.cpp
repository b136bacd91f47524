// The device's frame capture in the real application: a lesson's frame, recorded and
// replayed to its last event off-screen, gives the picture the frame showed, pixel for pixel;
// the events name the states the lesson set.

#include "LessonScreens.h"

#include "testcase/renderstate_depth.h"

#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"

#include "rendercore/source/renderdevice/devicediagnostics.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <stb/stb_image.h>

#include <algorithm>

using Halvex::RenderCore::DeviceDiagnostics;
using Halvex::RenderCore::FrameEvent;
using Halvex::RenderCore::FramePicture;

namespace
{

class FrameCapture : public LessonScreens
{
protected:
    DeviceDiagnostics* Diagnostics()
    {
        return driver.GetApp().GetRenderer()->GetDevice()->GetDiagnostics();
    }

    // Records the next whole frame; the back buffer holds its picture afterwards.
    const std::vector<FrameEvent>& CaptureFrame()
    {
        DeviceDiagnostics* pDiagnostics = Diagnostics();
        pDiagnostics->RequestFrameCapture();
        driver.RunFrames(2); // the first Present begins the recording, the second ends it
        EXPECT_TRUE(pDiagnostics->HasFrameCapture());
        EXPECT_EQ(pDiagnostics->GetCaptureMessage(), "");
        return pDiagnostics->GetFrameEvents();
    }

    // The back buffer as RGBA8 rows.
    std::vector<uint8_t> Screen(int* pWidth, int* pHeight)
    {
        const auto path = temp / "frame.png";
        EXPECT_TRUE(driver.SaveScreenshot(path.string()));
        int channels = 0;
        stbi_uc* pPixels = stbi_load(path.string().c_str(), pWidth, pHeight, &channels, 4);
        if (!pPixels)
            return {};
        std::vector<uint8_t> rgba(pPixels, pPixels + std::size_t(*pWidth) * *pHeight * 4);
        stbi_image_free(pPixels);
        return rgba;
    }
};

// Depth and stencil tests, shadow and cube-map passes: the replay to the last event is the
// frame the window showed; a one-channel target's picture is grey.
TEST_F(FrameCapture, ReplayToTheLastEventGivesTheFrameShownInTheTargetLessons)
{
    Start(HalvexTest::SourceDir() / "tests");
    for (const std::string lesson : {"RS_Depth", "Stencil", "ShadowMap", "RenderToCubeMap"})
    {
        SCOPED_TRACE(lesson);
        ASSERT_TRUE(driver.SelectLesson(lesson));
        driver.RunFrames(1);
        const std::vector<FrameEvent>& events = CaptureFrame();
        int width = 0;
        int height = 0;
        const std::vector<uint8_t> screen = Screen(&width, &height);
        ASSERT_GT(events.size(), 2u);
        FramePicture picture;
        ASSERT_TRUE(Diagnostics()->ReplayTo(events.size() - 1, &picture));
        EXPECT_EQ(picture.width * picture.height, width * height);
        EXPECT_TRUE(picture.rgba == screen) << "the replayed frame differs from the one shown";
        ASSERT_TRUE(Diagnostics()->ReplayTo(0, &picture));
        EXPECT_FALSE(picture.rgba == screen) << "the first event shows the finished frame";
        EXPECT_TRUE(Screen(&width, &height) == screen) << "the replay changed the window";
        // The shadow map's last depth draw: its one channel is shown as grey, not as cyan.
        const auto map =
            std::find_if(events.rbegin(), events.rend(),
                         [](const FrameEvent& e) { return e.target.ends_with("D3DFMT_R32F"); });
        ASSERT_EQ(map != events.rend(), lesson == "ShadowMap");
        if (map == events.rend() || !Diagnostics()->ReplayTo(events.rend() - map - 1, &picture))
            continue;
        size_t grey = 0;
        for (size_t i = 0; i + 3 < picture.rgba.size(); i += 4)
            grey +=
                picture.rgba[i] == picture.rgba[i + 1] && picture.rgba[i] == picture.rgba[i + 2];
        EXPECT_EQ(grey * 4, picture.rgba.size());
        EXPECT_LT(std::count(picture.rgba.begin(), picture.rgba.end(), 255), picture.rgba.size());
    }
}

TEST_F(FrameCapture, DepthDrawsNameTheStatesChosenInThePanel)
{
    Start(HalvexTest::SourceDir() / "tests");
    auto* pLesson = Open<RenderState_Depth>("RS_Depth");
    ASSERT_NE(pLesson, nullptr);
    ChooseItem(driver, pLesson->GetFuncCombo(), 4);  // Greater
    ChooseItem(driver, pLesson->GetWriteCombo(), 0); // writes off
    long cubes = 0; // the lesson's nine cubes; the GUI draws without the depth test
    for (const FrameEvent& e : CaptureFrame())
        cubes += std::count(e.states.begin(), e.states.end(), "D3DRS_ZWRITEENABLE = FALSE") &&
                 std::count(e.states.begin(), e.states.end(), "D3DRS_ZFUNC = D3DCMP_GREATER");
    EXPECT_EQ(cubes, 9);
}

} // namespace
