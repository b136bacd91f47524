#include "touroptions.h"

#include <cctype>
#include <cstdlib>

const char* const TOUR_USAGE =
    "usage: lumivia-tour [--help] [--out DIR] [--frames N] [--notes] [--stats] [--bench]\n"
    "                    [--csv FILE] [--compare-merge] [--soak CYCLES] [--inspect LESSON]\n"
    "                    [--fixed-frames N [--click X,Y ...]] [LESSON ...]\n"
    "  Runs Lumivia headless, opens each lesson from the list and writes DIR/<lesson>.png\n"
    "  (and DIR/start.png). --frames: frames rendered before each picture (30).\n"
    "  --notes, --stats: the pictures show the notes panel or the frame statistics.\n"
    "  --bench: start-up, switch, first-frame and frame times with the device's draws,\n"
    "  state changes, uploads, GL errors and heap allocations per frame; --csv also writes\n"
    "  them. --compare-merge: every screen also measured with draw merging off.\n"
    "  --soak: switches through the lessons CYCLES times and checks that resources, live\n"
    "  GL objects and resident memory come back to their level (no pictures).\n"
    "  --inspect: captures one frame of LESSON and writes its events to DIR/events.txt and\n"
    "  the picture after each event to DIR/event_NN.png (no other pictures).\n"
    "  --fixed-frames: each screen from a fresh start, the lesson opened directly, N frames\n"
    "  of 1/60 s each (the web test pages' clock); --click: a left click at client pixel\n"
    "  X,Y after those frames (repeatable; two more frames follow the last).\n";

namespace
{
bool ParseCount(const std::string& option, const std::string& text, int* pCount,
                std::string* pError)
{
    char* pEnd = nullptr;
    const long count = std::strtol(text.c_str(), &pEnd, 10);
    if (text.empty() || *pEnd != '\0' || count < 1 || count > 100000)
    {
        *pError = option + " needs a count from 1 to 100000, not \"" + text + "\"";
        return false;
    }
    *pCount = static_cast<int>(count);
    return true;
}

// A whole number from 0 to 100000 at *ppText, which moves past it; -1 when there is none.
long ParseCoordinate(const char** ppText)
{
    char* pEnd = nullptr;
    const long value =
        std::isdigit(static_cast<unsigned char>(**ppText)) ? std::strtol(*ppText, &pEnd, 10) : -1;
    *ppText = pEnd ? pEnd : *ppText;
    return value <= 100000 ? value : -1;
}

// "X,Y" in pixels.
bool ParseClick(const std::string& text, std::vector<TourClick_t>* pClicks, std::string* pError)
{
    const char* pText = text.c_str();
    const long x = ParseCoordinate(&pText);
    long y = -1;
    if (*pText == ',')
    {
        ++pText;
        y = ParseCoordinate(&pText);
    }
    if (x < 0 || y < 0 || *pText != '\0')
    {
        *pError = "--click needs X,Y in pixels, not \"" + text + "\"";
        return false;
    }
    pClicks->push_back({static_cast<int>(x), static_cast<int>(y)});
    return true;
}

// Options without a value; false for an argument that is not one.
bool ApplyFlag(const std::string& arg, TourOptions_t* pOptions)
{
    if (arg == "--help" || arg == "-h")
    {
        pOptions->m_Help = true;
    }
    else if (arg == "--notes")
    {
        pOptions->m_Notes = true;
    }
    else if (arg == "--stats")
    {
        pOptions->m_Stats = true;
    }
    else if (arg == "--bench")
    {
        pOptions->m_Bench = true;
    }
    else if (arg == "--compare-merge")
    {
        pOptions->m_CompareMerge = true;
        pOptions->m_Bench = true;
    }
    else
    {
        return false;
    }
    return true;
}

bool TakesValue(const std::string& arg)
{
    return arg == "--out" || arg == "--frames" || arg == "--soak" || arg == "--csv" ||
           arg == "--inspect" || arg == "--fixed-frames" || arg == "--click";
}

bool ApplyValue(const std::string& arg, const std::string& text, TourOptions_t* pOptions,
                std::string* pError)
{
    if (arg == "--frames")
    {
        return ParseCount(arg, text, &pOptions->m_Frames, pError);
    }
    if (arg == "--soak")
    {
        return ParseCount(arg, text, &pOptions->m_SoakCycles, pError);
    }
    if (arg == "--fixed-frames")
    {
        return ParseCount(arg, text, &pOptions->m_FixedFrames, pError);
    }
    if (arg == "--click")
    {
        return ParseClick(text, &pOptions->m_Clicks, pError);
    }
    if (arg == "--out")
    {
        pOptions->m_OutDir = text;
    }
    else if (arg == "--inspect")
    {
        pOptions->m_InspectLesson = text;
    }
    else
    {
        pOptions->m_CsvPath = text;
        pOptions->m_Bench = true;
    }
    return true;
}
} // namespace

bool ParseTourOptions(int argc, const char* const* argv, TourOptions_t* pOptions,
                      std::string* pError)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (TakesValue(arg))
        {
            if (i + 1 >= argc)
            {
                *pError = arg + " needs a value";
                return false;
            }
            if (!ApplyValue(arg, argv[++i], pOptions, pError))
            {
                return false;
            }
        }
        else if (!ApplyFlag(arg, pOptions))
        {
            if (arg.size() > 1 && arg[0] == '-')
            {
                *pError = "unknown option " + arg;
                return false;
            }
            pOptions->m_Lessons.push_back(arg);
        }
    }
    if (!pOptions->m_Clicks.empty() && pOptions->m_FixedFrames == 0)
    {
        *pError = "--click needs --fixed-frames";
        return false;
    }
    return true;
}
