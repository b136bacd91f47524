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
// lesson, after a row for the start screen that carries the start-up time as its switch.
std::string FormatBenchCsv(double startupMs, const std::vector<LessonBench_t>& lessons);
// The same as an aligned table for the terminal.
std::string FormatBenchTable(double startupMs, const std::vector<LessonBench_t>& lessons);
