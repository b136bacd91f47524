// The lessons keep their 1280 x 720 layout in a window of any size and on a high-DPI
// display: pointer positions are mapped from window coordinates into the letterboxed client
// area, and a press on a bar goes nowhere.

#include "apptest.h"
#include "main/clientmapping.h"
#include "testcase/shadowmap.h"

#include <gtest/gtest.h>

namespace
{

struct MappingCase
{
    WindowGeometry geometry;
    float windowX, windowY;
    bool inside;
    float clientX, clientY;
};

TEST(ClientMapping, WindowPositionsMapIntoTheClientAreaAndBack)
{
    const MappingCase cases[] = {
        {{1280, 720, 1280, 720}, 100.0f, 50.0f, true, 100.0f, 50.0f},
        {{1920, 1080, 1920, 1080}, 960.0f, 540.0f, true, 640.0f, 360.0f},
        {{1000, 1000, 1000, 1000}, 500.0f, 218.0f, true, 640.0f, 0.0f},
        {{1000, 1000, 1000, 1000}, 500.0f, 100.0f, false, 640.0f, -150.906f},
        // A 2x display: half as many window coordinates as drawable pixels.
        {{640, 360, 1280, 720}, 100.0f, 50.0f, true, 200.0f, 100.0f},
        {{960, 540, 1920, 1080}, 480.0f, 270.0f, true, 640.0f, 360.0f},
    };
    for (const MappingCase& c : cases)
    {
        float x = 0.0f;
        float y = 0.0f;
        EXPECT_EQ(WindowToClient(c.geometry, c.windowX, c.windowY, &x, &y), c.inside);
        EXPECT_NEAR(x, c.clientX, 0.01f) << c.geometry.windowWidth;
        EXPECT_NEAR(y, c.clientY, 0.01f) << c.geometry.windowWidth;
        float backX = 0.0f;
        float backY = 0.0f;
        ClientToWindow(c.geometry, x, y, &backX, &backY);
        EXPECT_NEAR(backX, c.windowX, 0.01f);
        EXPECT_NEAR(backY, c.windowY, 0.01f);
    }
}

class WindowScaling : public AppTestOf<::testing::TestWithParam<std::pair<int, int>>>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driver.Start(GetParam().first, GetParam().second));
        driver.RunFrames(2);
    }
    // The row's centre in window coordinates.
    void RowInWindow(const char* name, int* pX, int* pY)
    {
        int clientX = 0;
        int clientY = 0;
        ASSERT_TRUE(driver.RevealLesson(name, &clientX, &clientY));
        float x = 0.0f;
        float y = 0.0f;
        ClientToWindow(GetWindowGeometry(driver.GetWindow()), static_cast<float>(clientX),
                       static_cast<float>(clientY), &x, &y);
        *pX = static_cast<int>(x);
        *pY = static_cast<int>(y);
    }
    ModeBase* Running() { return driver.GetApp().GetModeManager()->GetCurrent(); }
};

// In a window taller than the picture's shape, with bars above and below it, a press on a
// bar straight above the first row goes nowhere.
TEST_P(WindowScaling, AClickOnALessonRowInWindowCoordinatesOpensIt)
{
    if (GetParam().second * 16 > GetParam().first * 9)
    {
        float top = 0.0f;
        float unused = 0.0f;
        ClientToWindow(GetWindowGeometry(driver.GetWindow()), 0.0f, 0.0f, &unused, &top);
        ASSERT_GT(top, 100.0f);
        int x = 0;
        int y = 0;
        RowInWindow("RenderToTexture", &x, &y);
        driver.Click(x, static_cast<int>(top / 2.0f));
        driver.RunFrames(2);
        EXPECT_EQ(Running(), nullptr);
    }
    int x = 0;
    int y = 0;
    RowInWindow("ShadowMap", &x, &y);
    driver.Click(x, y);
    driver.RunFrames(2);
    EXPECT_NE(dynamic_cast<ShadowMap*>(Running()), nullptr) << "clicked at " << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowScaling,
                         ::testing::Values(std::pair{1920, 1080}, std::pair{1000, 1000}));

} // namespace
