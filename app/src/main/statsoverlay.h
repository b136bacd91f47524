#pragma once
// The frame statistics (F2): a graph of the last 240 frame times with lines at 16.7 ms and
// 33.3 ms, and the last frame's time, native draws, state changes and uploads as the
// device counted them. Three draws: the panel, the graph with its lines, the text.

#include "common/render/uivertex.h"

#include "gui/hwidget.h"

#include <array>
#include <string>
#include <vector>

namespace Halvex::RenderCore
{
class RenderDevice;
}

struct FrameStats_t
{
    float m_Ms = 0.0f;
    unsigned m_Draws = 0;
    unsigned m_StateChanges = 0;
    unsigned m_Uploads = 0;
};

class StatsOverlay : public Halvex::HGui::HWidget
{
public:
    static constexpr int FRAME_COUNT = 240;

    // At the right edge of its parent, hidden.
    explicit StatsOverlay(Halvex::HGui::HWidget* pParent);

    // One frame: its time goes into the graph, its numbers into the text.
    void AddFrame(const FrameStats_t& stats);
    const FrameStats_t& GetLast() const { return m_Last; }
    const std::vector<std::string>& GetLines() const { return m_Lines; }

    void OnRender(void* pContext) override;

private:
    void BuildGraph();

    std::array<float, FRAME_COUNT> m_Times{};
    int m_Next = 0;
    FrameStats_t m_Last;
    std::vector<std::string> m_Labels;
    std::vector<std::string> m_Lines;
    // Reused every frame.
    std::vector<UIVertex_t> m_Graph;
};

// The counters of the frame that the device's last Present ended; zero for a device that
// does not count.
FrameStats_t ReadLastFrameStats(Halvex::RenderCore::RenderDevice* pDevice, float frameMs);
