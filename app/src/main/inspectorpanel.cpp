#include "main/inspectorpanel.h"

#include "main/virtualkeys.h"

#include "common/render/renderimpl.h"
#include "common/render/texrenderproxy.h"
#include "common/render/texrenderproxybtn.h"
#include "common/render/textmanager.h"

#include "gui/hevent.h"
#include "gui/hlistview.h"
#include "gui/hlistwidget.h"
#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/texture.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

using namespace Halvex::HGui;
using namespace Halvex::RenderCore;

namespace
{
// Client pixels of the 1280 x 720 layout: right of the lesson list and the lessons' sliders,
// below the lessons' controls at the top right and above the corner buttons, so that all of
// them stay within reach.
constexpr float PANEL_X = 190.0f;
constexpr float PANEL_Y = 166.0f;
constexpr float PANEL_WIDTH = 1040.0f;
constexpr float PANEL_HEIGHT = 510.0f;
constexpr float PADDING = 8.0f;
constexpr float HEADING_HEIGHT = 28.0f;
constexpr float LIST_WIDTH = 470.0f;
constexpr float ROW_WIDTH = LIST_WIDTH;
constexpr float LIST_HEIGHT = PANEL_HEIGHT - HEADING_HEIGHT - 2.0f * PADDING;
constexpr float LINE_HEIGHT = 18.0f;
constexpr float ROW_PADDING = 4.0f;
constexpr float ROW_INDENT = 28.0f;
// The list view's gap above each row.
constexpr float ROW_SPACING = 2.0f;
constexpr float WHEEL_NOTCH = 120.0f;
constexpr float WHEEL_STEP = 3.0f * LINE_HEIGHT;
constexpr int PICTURE_WIDTH = 546;
constexpr int PICTURE_HEIGHT = 307;
constexpr float PICTURE_X = PADDING + LIST_WIDTH + PADDING;
constexpr float PICTURE_Y = PADDING + HEADING_HEIGHT;
constexpr float BUTTON_WIDTH = 80.0f;
const HColor BACKGROUND(0xFF202020);
const HColor LIST_BACKGROUND(0xFF101010);
const HColor ROW_NORMAL(0xFF2A2A2A);
const HColor ROW_HOVER(0xFF3A4050);
const HColor ROW_SELECTED(0xFF28508C);
constexpr uint32_t TITLE_COLOUR = 0xFFFFFFFF;
constexpr uint32_t DETAIL_COLOUR = 0xFFC0C8D0;
constexpr uint32_t LETTERBOX = 0xFF181818;
// Written pixels lean towards this colour; the others are dimmed.
constexpr int HIGHLIGHT[3] = {255, 64, 200};
constexpr int TINT_PERCENT = 35;
constexpr int DIM_PERCENT = 45;

// Text wrapped to `width`.
std::vector<std::string> Wrap(const TextManager* pFont, const std::string& text, float width)
{
    std::vector<std::string> lines;
    WrapTextOrKeep(pFont, text, width, lines);
    return lines;
}

// One event: its number and title, then its target, shaders, textures and states, each
// wrapped to the row's width.
class EventRow : public HWidget
{
public:
    EventRow(HWidget* pParent, const TextManager* pFont, int index, const FrameEvent& event)
        : HWidget(pParent)
    {
        char number[16];
        std::snprintf(number, sizeof(number), "%d", index + 1);
        m_Title =
            Wrap(pFont, std::string(number) + "  " + event.title, ROW_WIDTH - 2.0f * ROW_PADDING);
        std::string details = "target: " + event.target;
        if (!event.shaders.empty())
        {
            details += "\nshaders: " + event.shaders;
        }
        for (const std::vector<std::string>* pList : {&event.textures, &event.states})
        {
            for (const std::string& line : *pList)
            {
                details += "\n" + line;
            }
        }
        m_Details = Wrap(pFont, details, ROW_WIDTH - ROW_INDENT - ROW_PADDING);
        const auto lines = static_cast<float>(m_Title.size() + m_Details.size());
        SetGeometry(0.0f, 0.0f, ROW_WIDTH, lines * LINE_HEIGHT + 2.0f * ROW_PADDING);
        SetBackgroundColor(ROW_NORMAL);
    }

    void OnRender(void* pContext) override
    {
        if (!GetVisibleRect().IsValid())
        {
            return;
        }
        auto* pRenderer = static_cast<RenderImpl*>(pContext);
        const HRectF& rect = GetRect();
        pRenderer->DrawRect(nullptr, GetVisibleRect(), GetBackgroundColor());
        const float top = rect.y + ROW_PADDING;
        pRenderer->DrawTextLines(rect.x + ROW_PADDING, top, LINE_HEIGHT, GetVisibleRect(),
                                 TITLE_COLOUR, m_Title);
        const float detailTop = top + LINE_HEIGHT * static_cast<float>(m_Title.size());
        pRenderer->DrawTextLines(rect.x + ROW_INDENT, detailTop, LINE_HEIGHT, GetVisibleRect(),
                                 DETAIL_COLOUR, m_Details);
    }

private:
    std::vector<std::string> m_Title;
    std::vector<std::string> m_Details;
};

uint32_t Pack(const int rgb[3])
{
    return 0xFF000000u | static_cast<uint32_t>(rgb[0] << 16 | rgb[1] << 8 | rgb[2]);
}

// The mean colour of the source pixels in [x0, x1) x [y0, y1), dimmed or tinted by the share
// of them that the event wrote.
uint32_t MarkedBox(const FramePicture& picture, int x0, int x1, int y0, int y1)
{
    long sum[3] = {0, 0, 0};
    long written = 0;
    const bool hasMask = picture.written.size() == picture.rgba.size() / 4;
    for (int y = y0; y < y1; ++y)
    {
        for (int x = x0; x < x1; ++x)
        {
            const std::size_t at = static_cast<std::size_t>(y) * picture.width + x;
            for (int c = 0; c < 3; ++c)
            {
                sum[c] += picture.rgba[at * 4 + c];
            }
            written += hasMask && picture.written[at] ? 1 : 0;
        }
    }
    const long count = static_cast<long>(x1 - x0) * (y1 - y0);
    int rgb[3];
    for (int c = 0; c < 3; ++c)
    {
        const long mean = sum[c] / count;
        // Unwritten share dimmed, written share tinted, both in percent.
        const long kept =
            (count - written) * mean * DIM_PERCENT / 100 +
            written * (mean * (100 - TINT_PERCENT) + HIGHLIGHT[c] * TINT_PERCENT) / 100;
        rgb[c] = static_cast<int>(std::clamp(kept / count, 0L, 255L));
    }
    return Pack(rgb);
}
} // namespace

InspectorPanel::InspectorPanel(HWidget* pParent, const TextManager* pFont)
    : HWidget(pParent), m_pFont(pFont),
      m_Texels(static_cast<std::size_t>(PICTURE_WIDTH) * PICTURE_HEIGHT, LETTERBOX)
{
    SetAlignment(ALIGN_LEFT | ALIGN_TOP);
    SetGeometry(PANEL_X, PANEL_Y, PANEL_WIDTH, PANEL_HEIGHT);
    SetBackgroundColor(BACKGROUND);
    SetRenderProxy(new TexRenderProxy(nullptr, 1.0f));
    SetVisible(false);

    m_pList = new HListWidget(this);
    m_pList->SetGeometry(PADDING, PADDING + HEADING_HEIGHT, LIST_WIDTH, LIST_HEIGHT);
    m_pList->SetBackgroundColor(LIST_BACKGROUND);

    m_pCaptureButton = new HPushButton(this);
    m_pCaptureButton->SetGeometry(PICTURE_X + PICTURE_WIDTH - BUTTON_WIDTH, PADDING - 2.0f,
                                  BUTTON_WIDTH, 24.0f);
    m_pCaptureButton->SetText(std::string("Capture"));
    m_pCaptureButton->SetRenderProxy(
        new TexRenderProxyBtn(HColor(0xFFFFFFFF), HColor(0xFFFFFF00), HColor(0xFFA0A0A4), nullptr));
}

InspectorPanel::~InspectorPanel() = default;

HRectF InspectorPanel::GetPictureRect() const
{
    const HRectF& rect = GetRect();
    return {rect.x + PICTURE_X, rect.y + PICTURE_Y, static_cast<float>(PICTURE_WIDTH),
            static_cast<float>(PICTURE_HEIGHT)};
}

void InspectorPanel::ShowCapture(DeviceDiagnostics* pDiagnostics)
{
    m_pDiagnostics = pDiagnostics;
    // The old view and its rows retire through their alive flag.
    m_pList->SetListView(new HListView(m_pList));
    m_pList->SetItemColors(ROW_NORMAL, ROW_HOVER, ROW_SELECTED);
    m_pList->GetListView()->SetBackgroundColor(LIST_BACKGROUND);
    m_pList->GetListView()->Connect("ItemSelected", this, &InspectorPanel::OnItemSelected);
    m_Rows.clear();
    m_Selected = -1;
    m_Scroll = 0.0f;
    m_ContentHeight = 0.0f;
    static const std::vector<FrameEvent> NONE;
    const std::vector<FrameEvent>& events = pDiagnostics ? pDiagnostics->GetFrameEvents() : NONE;
    for (std::size_t i = 0; i < events.size(); ++i)
    {
        AddRow(static_cast<int>(i), events[i]);
    }
    char heading[96];
    std::snprintf(heading, sizeof(heading),
                  "Frame: %zu events   Up/Down, Home/End: select   F3: close", events.size());
    m_Heading.assign(1, pDiagnostics ? heading : "This device cannot capture frames.");
    Select(GetEventCount() - 1);
}

void InspectorPanel::AddRow(int index, const FrameEvent& event)
{
    HWidget* pRow = m_pList->GetListView()->AddItem(
        new EventRow(m_pList->GetListView(), m_pFont, index, event));
    m_Rows.push_back(pRow);
    m_ContentHeight += ROW_SPACING + pRow->GetGeometry().height;
}

void InspectorPanel::Select(int index)
{
    const int count = GetEventCount();
    const int chosen = count == 0 ? -1 : std::clamp(index, 0, count - 1);
    if (m_Selected >= 0 && m_Selected < count)
    {
        m_Rows[m_Selected]->SetBackgroundColor(ROW_NORMAL);
    }
    m_Selected = chosen;
    m_pList->SetSelectedIndex(chosen);
    if (chosen >= 0)
    {
        HWidget* pRow = m_Rows[chosen];
        pRow->SetBackgroundColor(ROW_SELECTED);
        // The row's top and bottom as the view lays the rows out.
        float top = ROW_SPACING;
        for (int i = 0; i < chosen; ++i)
        {
            top += m_Rows[i]->GetGeometry().height + ROW_SPACING;
        }
        const float bottom = top + pRow->GetGeometry().height;
        if (top < m_Scroll)
        {
            ScrollTo(top - ROW_SPACING);
        }
        else if (bottom > m_Scroll + LIST_HEIGHT)
        {
            ScrollTo(bottom + ROW_SPACING - LIST_HEIGHT);
        }
    }
    ShowPicture();
}

bool InspectorPanel::HandleKey(uint32_t virtualKey)
{
    if (!IsVisible())
    {
        return false;
    }
    switch (virtualKey)
    {
    case KEY_UP:
        Select(std::max(m_Selected - 1, 0));
        return true;
    case KEY_DOWN:
        Select(m_Selected + 1);
        return true;
    case KEY_HOME:
        Select(0);
        return true;
    case KEY_END:
        Select(GetEventCount() - 1);
        return true;
    default:
        return false;
    }
}

void InspectorPanel::OnItemSelected(HWidget* pItem)
{
    const auto it = std::find(m_Rows.begin(), m_Rows.end(), pItem);
    if (it != m_Rows.end())
    {
        Select(static_cast<int>(it - m_Rows.begin()));
    }
}

void InspectorPanel::WheelEvent(HWheelEvent* pEvent)
{
    // A notch away from the user shows the rows above.
    ScrollTo(m_Scroll - static_cast<float>(pEvent->GetDelta()) / WHEEL_NOTCH * WHEEL_STEP);
    pEvent->Accept();
}

void InspectorPanel::ScrollTo(float offset)
{
    m_Scroll =
        std::clamp(offset, 0.0f, std::max(0.0f, m_ContentHeight + ROW_SPACING - LIST_HEIGHT));
    m_pList->GetListView()->Move(0.0f, -m_Scroll);
}

void InspectorPanel::ShowPicture()
{
    m_Caption.clear();
    std::fill(m_Texels.begin(), m_Texels.end(), LETTERBOX);
    if (m_pDiagnostics && !m_pDiagnostics->GetCaptureMessage().empty())
    {
        m_Caption.push_back(m_pDiagnostics->GetCaptureMessage());
    }
    if (m_Selected >= 0 && m_pDiagnostics &&
        m_pDiagnostics->ReplayTo(static_cast<std::size_t>(m_Selected), &m_Replayed) &&
        m_Replayed.width > 0 && m_Replayed.height > 0 &&
        m_Replayed.rgba.size() ==
            static_cast<std::size_t>(m_Replayed.width) * m_Replayed.height * 4)
    {
        ComposePicture(m_Replayed);
        char line[96];
        std::snprintf(line, sizeof(line), "After event %d of %d, in the %s", m_Selected + 1,
                      GetEventCount(), m_pDiagnostics->GetFrameEvents()[m_Selected].target.c_str());
        m_Caption.emplace_back(line);
        m_Caption.emplace_back("Tinted: the pixels this event wrote; dimmed: the others.");
    }
    else if (m_Selected >= 0)
    {
        m_Caption.emplace_back("The device could not replay this event.");
    }
    UploadPicture();
}

// The picture fitted into the picture area, centred, each area pixel the mean of the source
// pixels under it.
void InspectorPanel::ComposePicture(const FramePicture& picture)
{
    const float scale = std::min(static_cast<float>(PICTURE_WIDTH) / picture.width,
                                 static_cast<float>(PICTURE_HEIGHT) / picture.height);
    const int width = std::clamp(static_cast<int>(picture.width * scale), 1, PICTURE_WIDTH);
    const int height = std::clamp(static_cast<int>(picture.height * scale), 1, PICTURE_HEIGHT);
    const int left = (PICTURE_WIDTH - width) / 2;
    const int top = (PICTURE_HEIGHT - height) / 2;
    for (int y = 0; y < height; ++y)
    {
        const int y0 = y * picture.height / height;
        const int y1 = std::max(y0 + 1, (y + 1) * picture.height / height);
        for (int x = 0; x < width; ++x)
        {
            const int x0 = x * picture.width / width;
            const int x1 = std::max(x0 + 1, (x + 1) * picture.width / width);
            m_Texels[static_cast<std::size_t>(top + y) * PICTURE_WIDTH + left + x] =
                MarkedBox(picture, x0, x1, y0, y1);
        }
    }
}

void InspectorPanel::UploadPicture()
{
    if (!GetRenderDevice())
    {
        return;
    }
    if (!m_pPicture)
    {
        m_pPicture = std::make_unique<Texture>();
        if (!m_pPicture->Create(TEX_2D, PICTURE_WIDTH, PICTURE_HEIGHT, 1, FMT_A8R8G8B8, 1,
                                POOL_MANAGED, 0))
        {
            m_pPicture.reset();
            return;
        }
    }
    LockedRect locked;
    if (!m_pPicture->Lock(0, &locked, nullptr, LOCK_NONE))
    {
        return;
    }
    auto* pBytes = static_cast<uint8_t*>(locked.m_pBits);
    for (int y = 0; y < PICTURE_HEIGHT; ++y)
    {
        std::copy_n(
            m_Texels.begin() + static_cast<std::ptrdiff_t>(y) * PICTURE_WIDTH, PICTURE_WIDTH,
            reinterpret_cast<uint32_t*>(pBytes + static_cast<std::ptrdiff_t>(y) * locked.m_Pitch));
    }
    m_pPicture->Unlock();
}

void InspectorPanel::OnRender(void* pContext)
{
    HWidget::OnRender(pContext);
    auto* pRenderer = static_cast<RenderImpl*>(pContext);
    const HRectF& rect = GetRect();
    pRenderer->DrawTextLines(rect.x + PADDING, rect.y + PADDING + 3.0f, LINE_HEIGHT,
                             GetVisibleRect(), TITLE_COLOUR, m_Heading);
    const HRectF picture = GetPictureRect();
    if (m_pPicture)
    {
        pRenderer->DrawRect(m_pPicture.get(), picture, HColor(0xFFFFFFFF));
    }
    pRenderer->DrawTextLines(picture.x, picture.Bottom() + PADDING, LINE_HEIGHT, GetVisibleRect(),
                             DETAIL_COLOUR, m_Caption);
}
