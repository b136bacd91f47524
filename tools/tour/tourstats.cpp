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

std::string FormatBenchCsv(const std::vector<LessonBench_t>& rows)
{
    std::string csv = "lesson,switch_ms,frame_median_ms,frame_p95_ms,draw_calls_per_frame\n";
    for (const LessonBench_t& row : rows)
    {
        csv += Row("%s,%.3f,%.3f,%.3f,%.1f\n", row.m_Name, row.m_SwitchMs, row.m_FrameMedianMs,
                   row.m_FrameP95Ms, row.m_DrawCallsPerFrame);
    }
    return csv;
}

std::string FormatBenchTable(const std::vector<LessonBench_t>& rows)
{
    std::string table =
        "screen               switch ms  frame median ms  frame p95 ms  draws/frame\n";
    for (const LessonBench_t& row : rows)
    {
        table += Row("%-20s %9.1f  %15.2f  %12.2f  %11.1f\n", row.m_Name, row.m_SwitchMs,
                     row.m_FrameMedianMs, row.m_FrameP95Ms, row.m_DrawCallsPerFrame);
    }
    table += "(the start row's switch time is the start-up time to the first presented frame)\n";
    return table;
}
