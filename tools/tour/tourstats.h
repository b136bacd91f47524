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
};

// "lesson,switch_ms,frame_median_ms,frame_p95_ms,draw_calls_per_frame" with one row per
// screen. The tour's first row is the start screen ("start"), whose switch time is the
// start-up time to the first presented frame.
std::string FormatBenchCsv(const std::vector<LessonBench_t>& rows);
// The same as an aligned table for the terminal.
std::string FormatBenchTable(const std::vector<LessonBench_t>& rows);
