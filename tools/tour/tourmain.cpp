// lumivia-tour: runs the real application headless, opens lessons by clicking their rows in
// the lesson list and writes one picture per lesson; with --bench it also measures start-up,
// lesson switches and frame times with the native draw calls of each frame; with --soak it
// switches through the lessons repeatedly and checks that nothing accumulates.

#include "tourlessons.h"
#include "touroptions.h"
#include "toursoak.h"
#include "tourstats.h"

#include "main/appdriver.h"

#include "base/source/system/directory.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace
{
using Clock = std::chrono::steady_clock;
constexpr int WARM_UP_FRAMES = 10;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

LessonBench_t MeasureFrames(AppDriver& driver, const std::string& name, int frames)
{
    driver.RunFrames(WARM_UP_FRAMES);
    std::vector<double> times;
    double drawCalls = 0.0;
    for (int i = 0; i < frames; ++i)
    {
        const Clock::time_point start = Clock::now();
        driver.RunFrames(1);
        times.push_back(MsSince(start));
        drawCalls += LastFrameCounters(driver).DrawCalls;
    }
    LessonBench_t bench;
    bench.m_Name = name;
    bench.m_FrameMedianMs = Percentile(times, 0.5);
    bench.m_FrameP95Ms = Percentile(times, 0.95);
    bench.m_DrawCallsPerFrame = drawCalls / frames;
    return bench;
}
} // namespace

int main(int argc, char** argv)
{
    TourOptions_t options;
    std::string error;
    if (!ParseTourOptions(argc, argv, &options, &error))
    {
        std::fprintf(stderr, "lumivia-tour: %s\n%s", error.c_str(), TOUR_USAGE);
        return 2;
    }
    if (options.m_Help)
    {
        std::fputs(TOUR_USAGE, stdout);
        return 0;
    }
    std::vector<std::string> lessons = options.m_Lessons;
    for (const std::string& name : lessons)
    {
        const LessonEntry_t* pEntry = FindLesson(name);
        if (!pEntry || !pEntry->m_Factory)
        {
            std::fprintf(stderr, "lumivia-tour: %s \"%s\"\n",
                         pEntry ? "this build has no lesson" : "unknown lesson", name.c_str());
            return 2;
        }
    }
    if (lessons.empty())
    {
        for (const LessonEntry_t& entry : LESSONS)
        {
            if (entry.m_Factory)
            {
                lessons.push_back(entry.m_pName);
            }
        }
    }

    // Paths given on the command line are taken from where the tour was started; the
    // application itself runs from its executable's folder.
    const std::filesystem::path outDir = std::filesystem::absolute(options.m_OutDir);
    const std::filesystem::path csvPath = options.m_CsvPath.empty()
                                              ? std::filesystem::path()
                                              : std::filesystem::absolute(options.m_CsvPath);
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec)
    {
        std::fprintf(stderr, "lumivia-tour: cannot create %s: %s\n", outDir.c_str(),
                     ec.message().c_str());
        return 1;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    Halvex::Base::SetCurrentDirectory(Halvex::Base::GetModuleDirectory());

    if (options.m_SoakCycles > 0)
    {
        return RunSoak(lessons, options.m_SoakCycles);
    }
    const Clock::time_point start = Clock::now();
    AppDriver driver;
    if (!driver.Start())
    {
        return 1;
    }
    driver.GetApp().SetNotesAvailable(options.m_Notes);
    if (options.m_Stats)
    {
        driver.GetApp().ToggleStats();
    }
    driver.RunFrames(1);
    const double startupMs = MsSince(start);
    std::vector<LessonBench_t> results;
    if (options.m_Bench)
    {
        LessonBench_t bench = MeasureFrames(driver, "start", options.m_Frames);
        bench.m_SwitchMs = startupMs;
        results.push_back(bench);
    }
    else
    {
        driver.RunFrames(options.m_Frames);
    }
    driver.SaveScreenshot((outDir / "start.png").string());

    for (const std::string& name : lessons)
    {
        double switchMs = 0.0;
        if (!OpenLesson(driver, name, &switchMs))
        {
            std::fprintf(stderr, "lumivia-tour: cannot reach the row of \"%s\"\n", name.c_str());
            return 1;
        }
        if (options.m_Bench)
        {
            LessonBench_t bench = MeasureFrames(driver, name, options.m_Frames);
            bench.m_SwitchMs = switchMs;
            results.push_back(bench);
        }
        else
        {
            driver.RunFrames(options.m_Frames);
        }
        const std::filesystem::path picture = outDir / (name + ".png");
        driver.SaveScreenshot(picture.string());
        std::printf("%s\n", picture.c_str());
    }
    if (options.m_Bench)
    {
        std::printf("%s", FormatBenchTable(results).c_str());
        if (!csvPath.empty())
        {
            std::ofstream csv(csvPath);
            csv << FormatBenchCsv(results);
            if (!csv)
            {
                std::fprintf(stderr, "lumivia-tour: cannot write %s\n", csvPath.c_str());
                return 1;
            }
        }
    }
    return 0;
}
