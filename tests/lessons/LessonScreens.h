#pragma once
// Lessons in the real application on the software renderer, chosen through the lesson list
// and operated through SDL mouse events; screenshots are compared with golden pictures
// under tests/lessons/golden.

#include "LessonInput.h"

#include "apptest.h"
#include "testcase/lighting.h"

#include "goldenimage.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

inline const HalvexTest::IgnoredRect FPS_LABEL{1208, 700, 72, 20};

// Runs the application from `workingDir`, whose parent holds Data and Shader.
class LessonScreens : public AppTest
{
protected:
    LessonScreens() = default;
    // For pictures that change with time: the application reads `clock`.
    explicit LessonScreens(Halvex::Base::HighResolutionTimer clock) : AppTest(std::move(clock)) {}

    void Start(const std::filesystem::path& workingDir)
    {
        m_Dir.emplace(workingDir);
        ASSERT_TRUE(driver.Start());
        driver.RunFrames(2);
    }

    template <typename Lesson> Lesson* Open(const std::string& row)
    {
        EXPECT_TRUE(driver.SelectLesson(row));
        driver.RunFrames(1);
        return dynamic_cast<Lesson*>(driver.GetApp().GetModeManager()->GetCurrent());
    }

    // The light stands still in front of the scene, up and to the right.
    Lighting* OpenLighting()
    {
        auto* pLesson = Open<Lighting>("Lighting");
        if (pLesson)
        {
            pLesson->GetLight().SetSpeed(0.0f, 0.0f);
            pLesson->GetLight().SetLookAt({2.5f, 2.5f, 5.0f}, {0.0f, 0.0f, 0.0f});
        }
        return pLesson;
    }

    std::filesystem::path Shot(const std::string& name)
    {
        driver.RunFrames(1);
        const auto path = temp / (name + ".png");
        EXPECT_TRUE(driver.SaveScreenshot(path.string()));
        return path;
    }

    void ExpectScreen(const std::string& name)
    {
        const HalvexTest::GoldenResult result = HalvexTest::CompareWithGolden(
            Shot(name), HalvexTest::SourceDir() / "tests" / "lessons" / "golden", name, FPS_LABEL);
        EXPECT_TRUE(result.m_Matches) << result.m_Message;
    }

    HalvexTest::TempDir temp;

private:
    std::optional<HalvexTest::CurrentDir> m_Dir;
};
