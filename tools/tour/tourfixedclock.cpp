#include "tourfixedclock.h"

#include "tourlessons.h"

#include "main/appdriver.h"

#include <cstdint>
#include <cstdio>
#include <memory>

namespace
{
constexpr std::int64_t FRAMES_PER_SECOND = 60;
constexpr int FRAMES_AFTER_CLICKS = 2;

// One fresh application whose clock moves by one frame's time before each frame.
class FixedClockApp
{
public:
    FixedClockApp()
        : m_pTicks(std::make_shared<std::int64_t>(0)),
          m_Driver(Halvex::Base::HighResolutionTimer([pTicks = m_pTicks] { return *pTicks; },
                                                     FRAMES_PER_SECOND))
    {
    }

    AppDriver& Driver() { return m_Driver; }

    void RunFrames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            ++*m_pTicks;
            m_Driver.RunFrames(1);
        }
    }

    void Click(int x, int y)
    {
        m_Driver.MoveMouse(x, y, false);
        RunFrames(1);
        m_Driver.PressLeft(x, y);
        RunFrames(1);
        m_Driver.ReleaseLeft(x, y);
        RunFrames(1);
    }

private:
    std::shared_ptr<std::int64_t> m_pTicks;
    AppDriver m_Driver;
};

// "start" or a lesson's name.
bool RenderScreen(const std::string& name, const TourOptions_t& options,
                  const std::filesystem::path& picture)
{
    FixedClockApp app;
    if (!app.Driver().Start())
    {
        return false;
    }
    if (const int row = FindLessonRow(name.c_str()); row >= 0)
    {
        app.Driver().GetApp().RunLesson(row);
    }
    app.RunFrames(options.m_FixedFrames);
    for (const TourClick_t& click : options.m_Clicks)
    {
        app.Click(click.m_X, click.m_Y);
    }
    if (!options.m_Clicks.empty())
    {
        app.RunFrames(FRAMES_AFTER_CLICKS);
    }
    if (!app.Driver().SaveScreenshot(picture.string()))
    {
        std::fprintf(stderr, "lumivia-tour: cannot write %s\n", picture.c_str());
        return false;
    }
    std::printf("%s\n", picture.c_str());
    return true;
}
} // namespace

int RunFixedClockTour(const std::vector<std::string>& lessons, const TourOptions_t& options,
                      const std::filesystem::path& outDir)
{
    if (!RenderScreen("start", options, outDir / "start.png"))
    {
        return 1;
    }
    for (const std::string& name : lessons)
    {
        if (!RenderScreen(name, options, outDir / (name + ".png")))
        {
            return 1;
        }
    }
    return 0;
}
