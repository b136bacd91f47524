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
double MergeRatio(const LessonBench_t& row)
{
    return row.m_UnmergedMedianMs > 0.0 ? row.m_FrameMedianMs / row.m_UnmergedMedianMs : 0.0;
}

std::string Row(const char* format, const LessonBench_t& row)
{
    char line[512];
    std::snprintf(line, sizeof(line), format, row.m_Name.c_str(), row.m_SwitchMs,
                  row.m_FrameMedianMs, row.m_FrameP95Ms, row.m_DrawCallsPerFrame,
                  row.m_FirstFrameMs, row.m_StateChangesPerFrame, row.m_UploadsPerFrame,
                  row.m_UploadKiBPerFrame, row.m_AllocationsPerFrame, row.m_GLErrors,
                  row.m_UnmergedMedianMs, row.m_UnmergedDrawCallsPerFrame);
    return line;
}
} // namespace

std::string FormatBenchCsv(const std::vector<LessonBench_t>& rows)
{
    std::string csv = "lesson,switch_ms,frame_median_ms,frame_p95_ms,draw_calls_per_frame,"
                      "first_frame_ms,state_changes_per_frame,uploads_per_frame,"
                      "upload_kib_per_frame,allocations_per_frame,gl_errors,"
                      "unmerged_frame_median_ms,unmerged_draw_calls_per_frame\n";
    for (const LessonBench_t& row : rows)
    {
        csv += Row("%s,%.3f,%.3f,%.3f,%.1f,%.3f,%.1f,%.1f,%.1f,%u,%u,%.3f,%.1f\n", row);
    }
    return csv;
}

std::string FormatBenchTable(const std::vector<LessonBench_t>& rows)
{
    const bool compared =
        std::any_of(rows.begin(), rows.end(),
                    [](const LessonBench_t& row) { return row.m_UnmergedMedianMs > 0.0; });
    std::string table = "screen             switch ms  median ms  p95 ms  draws  first ms  "
                        "states  uploads    KiB  allocs  errors";
    table += compared ? "  unmerged ms  draws  merged/unmerged\n" : "\n";
    for (const LessonBench_t& row : rows)
    {
        std::string line =
            Row("%-18s %9.1f  %9.2f  %6.2f  %5.0f  %8.2f  %6.0f  %7.1f  %5.0f  %6u  %6u", row);
        if (compared)
        {
            char extra[96];
            std::snprintf(extra, sizeof(extra), "  %11.2f  %5.0f  %15.2f", row.m_UnmergedMedianMs,
                          row.m_UnmergedDrawCallsPerFrame, MergeRatio(row));
            line += extra;
        }
        table += line + "\n";
    }
    table += "(the start row's switch time is the start-up time to the first presented frame;\n"
             " first: the frame after the switch; states, uploads, KiB: per frame; allocs: the\n"
             " most heap allocations of one frame)\n";
    return table;
}
