#pragma once
// Frame-time statistics and the benchmark report of lumivia-tour.

#include <string>
#include <vector>

// The value below which the given share (0..1) of the samples lie, by nearest rank.
double Percentile(std::vector<double> samples, double share);

struct LessonBench_t
{
    std::string m_Name;
    double m_SwitchMs = 0.0;
    double m_FrameMedianMs = 0.0;
    double m_FrameP95Ms = 0.0;
    double m_DrawCallsPerFrame = 0.0;
    // The frame after the one that opened the lesson.
    double m_FirstFrameMs = 0.0;
    double m_StateChangesPerFrame = 0.0;
    double m_UploadsPerFrame = 0.0;
    double m_UploadKiBPerFrame = 0.0;
    // The most heap allocations of one measured frame.
    unsigned m_AllocationsPerFrame = 0;
    // GL errors reported while the screen ran.
    unsigned m_GLErrors = 0;
    // With --compare-merge: the same screen with draw merging off (median 0: not measured).
    double m_UnmergedMedianMs = 0.0;
    double m_UnmergedDrawCallsPerFrame = 0.0;
};

// "lesson,switch_ms,frame_median_ms,frame_p95_ms,draw_calls_per_frame,first_frame_ms,
// state_changes_per_frame,uploads_per_frame,upload_kib_per_frame,allocations_per_frame,
// gl_errors,unmerged_frame_median_ms,unmerged_draw_calls_per_frame" with one row per
// screen. The tour's first row is the start screen ("start"), whose switch time is the
// start-up time to the first presented frame.
std::string FormatBenchCsv(const std::vector<LessonBench_t>& rows);
// The same as an aligned table for the terminal; the merge comparison as a ratio of medians.
std::string FormatBenchTable(const std::vector<LessonBench_t>& rows);
