// The real application, headless, driven through SDL events and compared with golden
// pictures.

#include "GoldenImage.h"

#include "main/appdriver.h"

#include "gui/hscrollarea.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
class AppScreens : public testing::Test
{
protected:
    void SetUp() override
    {
        // Data and shaders are read from the parent of the working directory.
        m_Previous = std::filesystem::current_path();
        std::filesystem::current_path(HalvexTest::SourceDir() / "tests");
        ASSERT_TRUE(driver.Start());
    }
    void TearDown() override { std::filesystem::current_path(m_Previous); }

    void ExpectScreen(const std::string& name)
    {
        const auto path = temp / (name + ".png");
        ASSERT_TRUE(driver.SaveScreenshot(path.string()));
        const GoldenResult result = CompareWithGolden(path, name);
        EXPECT_TRUE(result.m_Matches) << result.m_Message;
    }

    HalvexTest::TempDir temp;
    AppDriver driver;

private:
    std::filesystem::path m_Previous;
};
} // namespace

TEST_F(AppScreens, StartScreenShowsTheListAndFixedControls)
{
    driver.RunFrames(3);
    ExpectScreen("start");
}

TEST_F(AppScreens, ListButtonHidesTheLessonList)
{
    driver.RunFrames(2);
    driver.Click(20, 700);
    driver.RunFrames(1);
    EXPECT_FALSE(driver.GetApp().GetListArea()->IsVisible());
    driver.Click(20, 700);
    EXPECT_TRUE(driver.GetApp().GetListArea()->IsVisible());
}
