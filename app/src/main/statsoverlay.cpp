#include "main/statsoverlay.h"

#include "common/render/renderimpl.h"
#include "common/render/shaderlog.h"

#include "rendercore/source/renderdevice/devicediagnostics.h"

#include <algorithm>
#include <cstdio>

using namespace Halvex::HGui;

namespace
{
constexpr float WIDTH = 280.0f;
constexpr float PADDING = 8.0f;
constexpr float GRAPH_LEFT = 20.0f;
constexpr float GRAPH_HEIGHT = 80.0f;
// The graph's top stands for this many milliseconds.
constexpr float GRAPH_MS = 50.0f;
constexpr float LINE_HEIGHT = 18.0f;
constexpr float VALUE_LEFT = 150.0f;
constexpr float FRAME_60HZ_MS = 1000.0f / 60.0f;
constexpr float FRAME_30HZ_MS = 1000.0f / 30.0f;
constexpr uint32_t FAST_COLOUR = 0xFF40C040;
constexpr uint32_t SLOW_COLOUR = 0xFFE0C040;
constexpr uint32_t LATE_COLOUR = 0xFFE04040;
const HColor BACKGROUND(0xE8181818);
const HColor TEXT_COLOUR(0xFFFFFFFF);
const char* const LABELS[] = {"frame ms", "native draws", "state changes", "uploads",
                              "lines: 16.7 and 33.3 ms"};
constexpr int VALUE_COUNT = 4;
constexpr int ROW_COUNT = 5;

// A rectangle as two triangles of a list.
void AddQuad(std::vector<UIVertex_t>& vertices, float left, float top, float right, float bottom,
             uint32_t colour)
{
    const UIVertex_t corners[4] = {{left, top, UI_DEPTH, colour, 0.0f, 0.0f},
                                   {left, bottom, UI_DEPTH, colour, 0.0f, 0.0f},
                                   {right, bottom, UI_DEPTH, colour, 0.0f, 0.0f},
                                   {right, top, UI_DEPTH, colour, 0.0f, 0.0f}};
    for (int corner : {0, 1, 2, 0, 2, 3})
    {
        vertices.push_back(corners[corner]);
    }
}
} // namespace

StatsOverlay::StatsOverlay(HWidget* pParent)
    : HWidget(pParent), m_Labels(std::begin(LABELS), std::end(LABELS)), m_Lines(VALUE_COUNT)
{
    SetAcceptMouse(false);
    SetAlignment(ALIGN_RIGHT | ALIGN_TOP);
    SetGeometry(-10.0f, 300.0f, WIDTH,
                2.0f * PADDING + GRAPH_HEIGHT + PADDING + ROW_COUNT * LINE_HEIGHT);
    SetBackgroundColor(BACKGROUND);
    SetVisible(false);
    m_Graph.reserve((FRAME_COUNT + 2) * 6);
    for (std::string& line : m_Lines)
    {
        line.reserve(16);
    }
}

void StatsOverlay::AddFrame(const FrameStats_t& stats)
{
    m_Times[m_Next] = stats.m_Ms;
    m_Next = (m_Next + 1) % FRAME_COUNT;
    m_Last = stats;
    char text[16];
    std::snprintf(text, sizeof(text), "%.1f", stats.m_Ms);
    m_Lines[0] = text;
    const unsigned counts[] = {stats.m_Draws, stats.m_StateChanges, stats.m_Uploads};
    for (int i = 0; i < 3; ++i)
    {
        std::snprintf(text, sizeof(text), "%u", counts[i]);
        m_Lines[i + 1] = text;
    }
}

void StatsOverlay::BuildGraph()
{
    const HRectF& rect = GetRect();
    const float left = rect.x + GRAPH_LEFT;
    const float bottom = rect.y + PADDING + GRAPH_HEIGHT;
    const float scale = GRAPH_HEIGHT / GRAPH_MS;
    m_Graph.clear();
    for (int i = 0; i < FRAME_COUNT; ++i)
    {
        // Oldest at the left.
        const float ms = m_Times[(m_Next + i) % FRAME_COUNT];
        const uint32_t colour =
            ms < FRAME_60HZ_MS ? FAST_COLOUR : (ms < FRAME_30HZ_MS ? SLOW_COLOUR : LATE_COLOUR);
        const float x = left + static_cast<float>(i);
        AddQuad(m_Graph, x, bottom - std::min(ms, GRAPH_MS) * scale, x + 1.0f, bottom, colour);
    }
    for (const auto& [ms, colour] :
         {std::pair{FRAME_60HZ_MS, FAST_COLOUR}, std::pair{FRAME_30HZ_MS, SLOW_COLOUR}})
    {
        const float y = bottom - ms * scale;
        AddQuad(m_Graph, left, y, left + FRAME_COUNT, y + 1.0f, colour | 0xFF000000);
    }
}

void StatsOverlay::OnRender(void* pContext)
{
    auto* pRenderer = static_cast<RenderImpl*>(pContext);
    const HRectF& rect = GetRect();
    pRenderer->DrawRect(nullptr, GetVisibleRect(), GetBackgroundColor());
    BuildGraph();
    pRenderer->DrawPrimitive(nullptr, m_Graph.data(), static_cast<int>(m_Graph.size() / 3),
                             Halvex::RenderCore::PT_TRIANGLE_LIST, {});
    const float textTop = rect.y + 2.0f * PADDING + GRAPH_HEIGHT;
    const uint32_t colour = TEXT_COLOUR.GetPacked();
    pRenderer->DrawTextLines(rect.x + PADDING, textTop, LINE_HEIGHT, GetVisibleRect(), colour,
                             m_Labels);
    pRenderer->DrawTextLines(rect.x + VALUE_LEFT, textTop, LINE_HEIGHT, GetVisibleRect(), colour,
                             m_Lines);
}

FrameStats_t ReadLastFrameStats(Halvex::RenderCore::RenderDevice* pDevice, float frameMs)
{
    FrameStats_t stats;
    stats.m_Ms = frameMs;
    Halvex::RenderCore::DeviceFrameCounters last;
    auto* pDiagnostics = GetDiagnostics(pDevice);
    if (pDiagnostics && pDiagnostics->GetLastFrameCounters(&last))
    {
        stats.m_Draws = last.drawCalls;
        stats.m_StateChanges = last.stateChanges;
        stats.m_Uploads = last.uploads;
    }
    return stats;
}
