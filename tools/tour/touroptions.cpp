#include "touroptions.h"

#include <cstdlib>

const char* const TOUR_USAGE =
    "usage: lumivia-tour [--out DIR] [--frames N] [--bench] [--csv FILE] [LESSON ...]\n"
    "  Runs Lumivia headless, opens each lesson from the list and writes DIR/<lesson>.png\n"
    "  (and DIR/start.png). --frames: frames rendered before each picture (30).\n"
    "  --bench: start-up, switch and frame times with draw calls; --csv also writes them.\n";

bool ParseTourOptions(int argc, const char* const* argv, TourOptions_t* pOptions,
                      std::string* pError)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        auto value = [&](std::string* pValue)
        {
            if (i + 1 >= argc)
            {
                *pError = arg + " needs a value";
                return false;
            }
            *pValue = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "--out")
        {
            if (!value(&pOptions->m_OutDir))
            {
                return false;
            }
        }
        else if (arg == "--frames")
        {
            if (!value(&text))
            {
                return false;
            }
            char* pEnd = nullptr;
            const long frames = std::strtol(text.c_str(), &pEnd, 10);
            if (text.empty() || *pEnd != '\0' || frames < 1 || frames > 100000)
            {
                *pError = "--frames needs a count from 1 to 100000, not \"" + text + "\"";
                return false;
            }
            pOptions->m_Frames = static_cast<int>(frames);
        }
        else if (arg == "--bench")
        {
            pOptions->m_Bench = true;
        }
        else if (arg == "--csv")
        {
            if (!value(&pOptions->m_CsvPath))
            {
                return false;
            }
            pOptions->m_Bench = true;
        }
        else if (arg.size() > 1 && arg[0] == '-')
        {
            *pError = "unknown option " + arg;
            return false;
        }
        else
        {
            pOptions->m_Lessons.push_back(arg);
        }
    }
    return true;
}
