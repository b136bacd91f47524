// What the application adds around the lessons' own screens for a learner, driven through
// SDL events only: the notes panel without its file, the keyboard shortcuts, the screenshot
// key, the shader error panel and the mouse wheel.

#include "AppFixture.h"
#include "main/mainwindow.h"
#include "testcase/lighting.h"
#include "testcase/matrixtransform.h"

#include "common/render/textpanel.h"

#include "base/source/system/logger.h"

#include <algorithm>
#include <chrono>
#include <iterator>

namespace fs = std::filesystem;
using Halvex::Base::DiagnosticCapture;
using HalvexTest::ReadFile;
using HalvexTest::WriteFile;

namespace
{
class LearnerAids : public AppFixture
{
protected:
    void Start(const fs::path& workingDir = HalvexTest::SourceDir() / "tests")
    {
        AppFixture::Start(workingDir);
        driver.GetApp().SetNotesAvailable(true);
        driver.RunFrames(2);
    }

    // Runs UseCubeMap on a copy of the shaders that the test may edit, beside the real data;
    // gives the path of its pixel shader.
    fs::path StartUseCubeMapWithEditableShaders()
    {
        const fs::path source = HalvexTest::SourceDir();
        fs::create_directories(temp.Path() / "bin");
        fs::create_directory_symlink(source / "Data", temp.Path() / "Data");
        fs::copy(source / "Shader", temp.Path() / "Shader", fs::copy_options::recursive);
        Start(temp.Path() / "bin");
        EXPECT_TRUE(driver.SelectLesson("UseCubeMap"));
        return temp.Path() / "Shader" / "hlsl" / "UseCubeMap.wpu";
    }

    TextPanel* Notes() { return driver.GetApp().GetNotesPanel(); }

    static void PushKey(SDL_Keycode key)
    {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = key;
        SDL_PushEvent(&event);
    }
};

TEST_F(LearnerAids, AMissingNotesFileLeavesThePanelEmptyWithOneDiagnosticLine)
{
    // Data with every notes file but the lighting lesson's.
    const fs::path source = HalvexTest::SourceDir();
    fs::create_directories(temp.Path() / "bin");
    fs::create_directories(temp.Path() / "Data" / "Notes");
    fs::create_directory_symlink(source / "Shader", temp.Path() / "Shader");
    for (const auto& entry : fs::directory_iterator(source / "Data"))
    {
        if (entry.path().filename() != "Notes")
        {
            fs::create_symlink(entry.path(), temp.Path() / "Data" / entry.path().filename());
        }
    }
    fs::copy_file(source / "Data" / "Notes" / "Start.txt",
                  temp.Path() / "Data" / "Notes" / "Start.txt");
    Start(temp.Path() / "bin");
    EXPECT_FALSE(Notes()->GetLines().empty());

    DiagnosticCapture capture;
    ASSERT_TRUE(driver.SelectLesson("Lighting"));
    EXPECT_TRUE(Notes()->GetLines().empty());
    EXPECT_EQ(std::count_if(capture.Logs().begin(), capture.Logs().end(),
                            [](const auto& record) { return record.module == "NOTES"; }),
              1);
    EXPECT_TRUE(capture.Logged("Lighting"));
}

TEST_F(LearnerAids, F12SavesTheFrameAsAPngBesideTheExecutablesFolder)
{
    Start();
    const fs::path folder = HalvexTest::SourceDir() / "screenshots";
    const bool existed = fs::exists(folder);
    const std::size_t before = existed ? std::distance(fs::directory_iterator(folder), {}) : 0;

    PushKey(SDLK_F12);
    DiagnosticCapture capture;
    driver.DispatchEvents();
    const fs::path expected = Shot("frame");

    ASSERT_TRUE(fs::exists(folder));
    std::optional<fs::path> saved;
    for (const auto& entry : fs::directory_iterator(folder))
    {
        if (capture.Logged(entry.path().filename().string()))
        {
            saved = entry.path();
        }
    }
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), before + 1);
    EXPECT_EQ(saved->extension(), ".png");
    EXPECT_EQ(ReadFile(*saved), ReadFile(expected));
    fs::remove(*saved);
    if (!existed)
    {
        fs::remove(folder);
    }
}

// Enough frames for the half second after which a lesson looks at its shader files again,
// however fast the frames are drawn.
constexpr int RELOAD_FRAMES = 5000;

// Runs frames until `done` holds, at most `frames` of them; whether it came to hold.
template <typename Condition> bool RunUntil(AppDriver& driver, int frames, Condition done)
{
    for (int i = 0; i < frames && !done(); ++i)
    {
        driver.RunFrames(1);
    }
    return done();
}

// A file that does not compile reloads by itself once it changes on disk; a pair that does not
// link (the pixel stage reads an input of another type than the vertex stage writes) shows
// on F5; the good file clears the panel.
TEST_F(LearnerAids, BrokenShadersShowTheRedPanelUntilTheFixedFileReloads)
{
    const fs::path file = StartUseCubeMapWithEditableShaders();
    const std::string good = ReadFile(file);
    TextPanel* pPanel = driver.GetApp().GetShaderErrorPanel();
    EXPECT_TRUE(pPanel->GetLines().empty());

    // An undeclared name on the file's third line.
    std::string broken = good;
    std::size_t third = 0;
    for (int i = 0; i < 2; ++i)
    {
        third = broken.find('\n', third) + 1;
    }
    broken.insert(third, "float broken = undeclaredName;\n");
    WriteFile(file, broken);
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(1));
    ASSERT_TRUE(RunUntil(driver, RELOAD_FRAMES, [&] { return !pPanel->GetLines().empty(); }));
    EXPECT_NE(pPanel->GetText().find("UseCubeMap.wpu line 3: "), std::string::npos)
        << pPanel->GetText();
    EXPECT_NE(pPanel->GetText().find("undeclaredName"), std::string::npos) << pPanel->GetText();

    std::string unlinked = good;
    const std::size_t at = unlinked.find("in vec3 vViewNormal;");
    ASSERT_NE(at, std::string::npos);
    unlinked.replace(at, 7, "in vec4");
    WriteFile(file, unlinked);
    driver.PressKey(SDLK_F5);
    ASSERT_TRUE(RunUntil(
        driver, 3, [&] { return pPanel->GetText().find("vViewNormal") != std::string::npos; }));
    EXPECT_NE(pPanel->GetText().find("UseCubeMap.wpu"), std::string::npos) << pPanel->GetText();

    WriteFile(file, good);
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(2));
    EXPECT_TRUE(RunUntil(driver, RELOAD_FRAMES, [&] { return pPanel->GetLines().empty(); }));
}
// The wheel over the list scrolls it and leaves the camera alone; Page Up and Page Down run the
// neighbouring lessons, Space holds the lesson's time and resumes it, Escape ends the loop
// with exit code 0.
TEST_F(LearnerAids, TheWheelAndKeysScrollSwitchLessonsHoldTimeAndEndTheLoop)
{
    Start();
    ASSERT_TRUE(driver.SelectLesson("Lighting"));
    auto* pLesson = dynamic_cast<Lighting*>(Current());
    ASSERT_NE(pLesson, nullptr);
    const float distance = pLesson->GetCamera().GetDistance();
    const float top = driver.GetApp().GetListContent()->GetPos().y;
    // The row of the lesson sits at the end of the list: two notches show two rows above.
    driver.Scroll(90, 140, 2);
    driver.RunFrames(60);
    EXPECT_GT(driver.GetApp().GetListContent()->GetPos().y, top);
    EXPECT_EQ(pLesson->GetCamera().GetDistance(), distance);

    driver.PressKey(SDLK_PAGEUP);
    driver.RunFrames(1);
    EXPECT_NE(dynamic_cast<MatrixTransform*>(Current()), nullptr);
    driver.PressKey(SDLK_PAGEDOWN);
    driver.RunFrames(1);
    pLesson = dynamic_cast<Lighting*>(Current());
    ASSERT_NE(pLesson, nullptr);
    driver.PressKey(SDLK_SPACE);
    const auto held = pLesson->GetLight().GetPosition();
    driver.RunFrames(30);
    EXPECT_EQ(pLesson->GetLight().GetPosition(), held);
    driver.PressKey(SDLK_SPACE);
    driver.RunFrames(30);
    EXPECT_NE(pLesson->GetLight().GetPosition(), held);
    PushKey(SDLK_ESCAPE);
    EXPECT_EQ(RunMainLoop(driver.GetApp()), 0);
    EXPECT_TRUE(driver.GetApp().IsQuitRequested());
}

} // namespace
