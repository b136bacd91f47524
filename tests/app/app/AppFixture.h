#pragma once
// The real application run headless from a working folder (tests/ unless a test names
// another, with Data and Shader beside it), its pictures saved and compared with the goldens
// of tests/app/golden.

#include "apptest.h"
#include "goldenimage.h"
#include "testsupport.h"

#include "gui/hwidget.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class AppFixture : public AppTest
{
protected:
    // The frame-rate read-out, which differs from run to run.
    static constexpr HalvexTest::IgnoredRect FPS_LABEL{1208, 700, 72, 20};

    using AppTest::AppTest;

    void Start(const std::filesystem::path& workingDir = HalvexTest::SourceDir() / "tests")
    {
        m_Dir.emplace(workingDir);
        ASSERT_TRUE(driver.Start());
    }

    std::filesystem::path Shot(const std::string& name)
    {
        const auto path = temp / (name + ".png");
        EXPECT_TRUE(driver.SaveScreenshot(path.string()));
        return path;
    }

    void ExpectScreen(const std::string& name,
                      const std::vector<HalvexTest::IgnoredRect>& ignored = {FPS_LABEL})
    {
        const HalvexTest::GoldenResult result = HalvexTest::CompareWithGolden(
            Shot(name), HalvexTest::SourceDir() / "tests" / "app" / "golden", name, ignored);
        EXPECT_TRUE(result.m_Matches) << result.m_Message;
    }

    // A click on the widget at `share` of its height from the bottom (the middle by default).
    void ClickOn(const Halvex::HGui::HWidget* pWidget, float share = 0.5f)
    {
        const Halvex::HGui::HRectF rect = pWidget->GetRect();
        driver.Click(static_cast<int>(rect.x + rect.width / 2.0f),
                     static_cast<int>(rect.Bottom() - rect.height * share));
    }

    ModeBase* Current() { return driver.GetApp().GetModeManager()->GetCurrent(); }

    HalvexTest::TempDir temp;

private:
    std::optional<HalvexTest::CurrentDir> m_Dir;
};
