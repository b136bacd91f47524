#include "tourstats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

double Percentile(std::vector<double> samples, double share)
{
    if (samples.empty())
    {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    const double rank = std::ceil(share * static_cast<double>(samples.size()));
    const std::size_t index = rank < 1.0 ? 0 : static_cast<std::size_t>(rank) - 1;
    return samples[std::min(index, samples.size() - 1)];
}

namespace
{
std::string Row(const char* format, const std::string& name, double a, double b, double c, double d)
{
    char line[256];
    std::snprintf(line, sizeof(line), format, name.c_str(), a, b, c, d);
    return line;
}
} // namespace

std::string FormatBenchCsv(double startupMs, const std::vector<LessonBench_t>& lessons)
{
    std::string csv = "lesson,switch_ms,frame_median_ms,frame_p95_ms,draw_calls_per_frame\n";
    const char* format = "%s,%.3f,%.3f,%.3f,%.1f\n";
    csv += Row(format, "start", startupMs, 0.0, 0.0, 0.0);
    for (const LessonBench_t& lesson : lessons)
    {
        csv += Row(format, lesson.m_Name, lesson.m_SwitchMs, lesson.m_FrameMedianMs,
                   lesson.m_FrameP95Ms, lesson.m_DrawCallsPerFrame);
    }
    return csv;
}

std::string FormatBenchTable(double startupMs, const std::vector<LessonBench_t>& lessons)
{
    char line[128];
    std::snprintf(line, sizeof(line), "start-up to first presented frame: %.1f ms\n", startupMs);
    std::string table = line;
    table += "lesson               switch ms  frame median ms  frame p95 ms  draws/frame\n";
    for (const LessonBench_t& lesson : lessons)
    {
        table += Row("%-20s %9.1f  %15.2f  %12.2f  %11.1f\n", lesson.m_Name, lesson.m_SwitchMs,
                     lesson.m_FrameMedianMs, lesson.m_FrameP95Ms, lesson.m_DrawCallsPerFrame);
    }
    return table;
}
