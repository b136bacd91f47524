#pragma once
// Command line of lumivia-tour:
//   lumivia-tour [--help] [--out DIR] [--frames N] [--notes] [--stats] [--bench] [--csv FILE]
//                [--compare-merge] [--soak CYCLES] [--inspect LESSON]
//                [--fixed-frames N [--click X,Y ...]] [LESSON ...]

#include <string>
#include <vector>

// A left click in client pixels.
struct TourClick_t
{
    int m_X = 0;
    int m_Y = 0;
    bool operator==(const TourClick_t&) const = default;
};

struct TourOptions_t
{
    std::string m_OutDir = "tour";
    int m_Frames = 30;
    bool m_Bench = false;
    std::string m_CsvPath;             // implies m_Bench
    bool m_CompareMerge = false;       // implies m_Bench
    int m_SoakCycles = 0;              // 0: no soak run
    std::string m_InspectLesson;       // empty: no frame inspection
    int m_FixedFrames = 0;             // 0: pictures through the lesson list on the steady clock
    std::vector<TourClick_t> m_Clicks; // made after the fixed-clock frames
    std::vector<std::string> m_Lessons;
    bool m_Help = false;  // --help: print the usage and end
    bool m_Notes = false; // --notes: pictures with the notes panel and its "?" button
    bool m_Stats = false; // --stats: pictures with the frame statistics
};

// False with a message in pError for an unknown option or a missing or bad value.
bool ParseTourOptions(int argc, const char* const* argv, TourOptions_t* pOptions,
                      std::string* pError);

extern const char* const TOUR_USAGE;
