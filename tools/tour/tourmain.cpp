// lumivia-tour: runs the real application headless, opens lessons by clicking their rows in
// the lesson list and writes one picture per lesson; with --bench it also measures start-up,
// lesson switches and frame times with the native draw calls of each frame; with --soak it
// switches through the lessons repeatedly and checks that nothing accumulates; with
// --fixed-frames it writes the pictures that the web build's test pages are compared with;
// with --inspect it writes one lesson's frame event by event.

#include "tourallocations.h"
#include "tourfixedclock.h"
#include "tourinspect.h"
#include "tourlessons.h"
#include "touroptions.h"
#include "toursoak.h"
#include "tourstats.h"

#include "main/appdriver.h"

#include "base/source/system/directory.h"

#include <algorithm>
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

// The measured frames of one screen in one mode.
struct FrameSamples_t
{
    std::vector<double> m_Times;
    double m_DrawCalls = 0.0;
    double m_StateChanges = 0.0;
    double m_Uploads = 0.0;
    double m_UploadBytes = 0.0;
    unsigned m_MostAllocations = 0;
};

void MeasureFrame(AppDriver& driver, FrameSamples_t* pSamples)
{
    const std::uint64_t allocationsBefore = AllocationCount();
    const Clock::time_point start = Clock::now();
    driver.RunFrames(1);
    pSamples->m_Times.push_back(MsSince(start));
    const std::uint64_t allocations = AllocationCount() - allocationsBefore;
    pSamples->m_MostAllocations = std::max(pSamples->m_MostAllocations, unsigned(allocations));
    const D3D9GL_COUNTERS counters = LastFrameCounters(driver);
    pSamples->m_DrawCalls += counters.DrawCalls;
    pSamples->m_StateChanges += counters.StateChanges;
    pSamples->m_Uploads += counters.Uploads;
    pSamples->m_UploadBytes += counters.UploadBytes;
}

// Times the frame after the switch, runs the other warm-up frames, then measures; with the
// comparison every measured frame is followed by one with merging off, so both modes see
// the same load on the machine.
LessonBench_t MeasureScreen(AppDriver& driver, const std::string& name,
                            const TourOptions_t& options)
{
    const unsigned errorsBefore = driver.GetGLErrorCount();
    const Clock::time_point start = Clock::now();
    driver.RunFrames(1);
    LessonBench_t bench;
    bench.m_Name = name;
    bench.m_FirstFrameMs = MsSince(start);
    driver.RunFrames(WARM_UP_FRAMES - 1);
    FrameSamples_t merged;
    FrameSamples_t unmerged;
    // Room for every sample up front: the tour's own bookkeeping must not allocate in a
    // measured frame.
    merged.m_Times.reserve(std::size_t(options.m_Frames));
    unmerged.m_Times.reserve(std::size_t(options.m_Frames));
    for (int i = 0; i < options.m_Frames; ++i)
    {
        MeasureFrame(driver, &merged);
        if (options.m_CompareMerge)
        {
            SetDrawMerging(driver, false);
            MeasureFrame(driver, &unmerged);
            SetDrawMerging(driver, true);
        }
    }
    const double frames = options.m_Frames;
    bench.m_FrameMedianMs = Percentile(merged.m_Times, 0.5);
    bench.m_FrameP95Ms = Percentile(merged.m_Times, 0.95);
    bench.m_DrawCallsPerFrame = merged.m_DrawCalls / frames;
    bench.m_StateChangesPerFrame = merged.m_StateChanges / frames;
    bench.m_UploadsPerFrame = merged.m_Uploads / frames;
    bench.m_UploadKiBPerFrame = merged.m_UploadBytes / 1024.0 / frames;
    bench.m_AllocationsPerFrame = std::max(merged.m_MostAllocations, unmerged.m_MostAllocations);
    bench.m_GLErrors = driver.GetGLErrorCount() - errorsBefore;
    if (options.m_CompareMerge)
    {
        bench.m_UnmergedMedianMs = Percentile(unmerged.m_Times, 0.5);
        bench.m_UnmergedDrawCallsPerFrame = unmerged.m_DrawCalls / frames;
    }
    return bench;
}

// The lessons named on the command line, or every lesson this build has; false with a message
// for a name that is unknown or not built.
bool ChooseLessons(const TourOptions_t& options, std::vector<std::string>* pLessons)
{
    *pLessons = options.m_Lessons;
    for (std::string& name : *pLessons)
    {
        const int row = FindLessonRow(name.c_str());
        if (row < 0 || !LESSONS[row].m_Factory)
        {
            std::fprintf(stderr, "lumivia-tour: %s \"%s\"\n",
                         row >= 0 ? "this build has no lesson" : "unknown lesson", name.c_str());
            return false;
        }
        name = LESSONS[row].m_pName; // the list's spelling, which the row shows
    }
    if (pLessons->empty())
    {
        for (const LessonEntry_t& entry : LESSONS)
        {
            if (entry.m_Factory)
            {
                pLessons->push_back(entry.m_pName);
            }
        }
    }
    return true;
}

// Renders the frames before a screen's picture, measured under --bench.
void RenderScreen(AppDriver& driver, const std::string& name, double switchMs,
                  const TourOptions_t& options, std::vector<LessonBench_t>* pResults)
{
    if (options.m_Bench)
    {
        LessonBench_t bench = MeasureScreen(driver, name, options);
        bench.m_SwitchMs = switchMs;
        pResults->push_back(bench);
    }
    else
    {
        driver.RunFrames(options.m_Frames);
    }
}

bool WriteBenchResults(const std::vector<LessonBench_t>& results,
                       const std::filesystem::path& csvPath)
{
    std::printf("%s", FormatBenchTable(results).c_str());
    if (csvPath.empty())
    {
        return true;
    }
    std::ofstream csv(csvPath);
    csv << FormatBenchCsv(results);
    if (!csv)
    {
        std::fprintf(stderr, "lumivia-tour: cannot write %s\n", csvPath.c_str());
        return false;
    }
    return true;
}

// Starts the application, then opens each lesson from the list and saves its picture.
int RunTour(const std::vector<std::string>& lessons, const TourOptions_t& options,
            const std::filesystem::path& outDir, const std::filesystem::path& csvPath)
{
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
    std::vector<LessonBench_t> results;
    RenderScreen(driver, "start", MsSince(start), options, &results);
    driver.SaveScreenshot((outDir / "start.png").string());

    for (const std::string& name : lessons)
    {
        double switchMs = 0.0;
        if (!OpenLesson(driver, name, &switchMs))
        {
            std::fprintf(stderr, "lumivia-tour: cannot reach the row of \"%s\"\n", name.c_str());
            return 1;
        }
        RenderScreen(driver, name, switchMs, options, &results);
        const std::filesystem::path picture = outDir / (name + ".png");
        driver.SaveScreenshot(picture.string());
        std::printf("%s\n", picture.c_str());
    }
    if (options.m_Bench && !WriteBenchResults(results, csvPath))
    {
        return 1;
    }
    return 0;
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
    std::vector<std::string> lessons;
    if (!ChooseLessons(options, &lessons))
    {
        return 2;
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
    if (!options.m_InspectLesson.empty())
    {
        return RunInspect(options.m_InspectLesson, options.m_Frames, outDir);
    }
    if (options.m_SoakCycles > 0)
    {
        return RunSoak(lessons, options.m_SoakCycles);
    }
    if (options.m_FixedFrames > 0)
    {
        return RunFixedClockTour(lessons, options, outDir);
    }
    return RunTour(lessons, options, outDir, csvPath);
}
