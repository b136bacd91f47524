#include "touroptions.h"

#include <cstdlib>

const char* const TOUR_USAGE =
    "usage: lumivia-tour [--help] [--out DIR] [--frames N] [--notes] [--stats] [--bench]\n"
    "                    [--csv FILE] [--compare-merge] [--soak CYCLES] [--inspect LESSON]\n"
    "                    [LESSON ...]\n"
    "  Runs Lumivia headless, opens each lesson from the list and writes DIR/<lesson>.png\n"
    "  (and DIR/start.png). --frames: frames rendered before each picture (30).\n"
    "  --notes, --stats: the pictures show the notes panel or the frame statistics.\n"
    "  --bench: start-up, switch, first-frame and frame times with the device's draws,\n"
    "  state changes, uploads, GL errors and heap allocations per frame; --csv also writes\n"
    "  them. --compare-merge: every screen also measured with draw merging off.\n"
    "  --soak: switches through the lessons CYCLES times and checks that resources, live\n"
    "  GL objects and resident memory come back to their level (no pictures).\n"
    "  --inspect: captures one frame of LESSON and writes its events to DIR/events.txt and\n"
    "  the picture after each event to DIR/event_NN.png (no other pictures).\n";

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
           arg == "--inspect";
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
    return true;
}
