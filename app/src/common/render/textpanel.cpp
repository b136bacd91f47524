#include "common/render/textpanel.h"

#include "common/render/renderimpl.h"

using namespace Halvex::HGui;

namespace
{
constexpr float PADDING = 8.0f;
constexpr float LINE_HEIGHT = 18.0f;
const HColor TEXT_COLOUR(0xFFFFFFFF);
} // namespace

TextPanel::TextPanel(HWidget* pParent, const TextManager* pFont, float x, float y, float width,
                     const HColor& background, unsigned alignment)
    : HWidget(pParent), m_pFont(pFont), m_X(x), m_Y(y), m_Width(width)
{
    SetAcceptMouse(false);
    SetAlignment(alignment);
    SetBackgroundColor(background);
    SetGeometry(x, y, width, 0.0f);
}

void TextPanel::SetText(const std::string& text)
{
    if (text == m_Text)
    {
        return;
    }
    m_Text = text;
    WrapTextOrKeep(m_pFont, text, m_Width - 2.0f * PADDING, m_Lines);
    const float height =
        m_Lines.empty() ? 0.0f : static_cast<float>(m_Lines.size()) * LINE_HEIGHT + 2.0f * PADDING;
    SetGeometry(m_X, m_Y, m_Width, height);
}

void TextPanel::OnRender(void* pContext)
{
    if (m_Lines.empty() || !GetVisibleRect().IsValid())
    {
        return;
    }
    auto* pRenderer = static_cast<RenderImpl*>(pContext);
    const HRectF& rect = GetRect();
    pRenderer->DrawRect(nullptr, GetVisibleRect(), GetBackgroundColor());
    pRenderer->DrawTextLines(rect.x + PADDING, rect.y + PADDING, LINE_HEIGHT, GetVisibleRect(),
                             TEXT_COLOUR.GetPacked(), m_Lines);
}
