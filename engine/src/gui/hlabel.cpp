#include "gui/hlabel.h"

#include "gui/hrenderproxy.h"

#include <cstdarg>
#include <cstdio>

namespace Halvex::HGui
{

HLabel::HLabel(HObject* pParent) : HWidget(pParent)
{
    m_ObjectName = "HLabel";
}

bool HLabel::Inherits(const std::string& className) const
{
    return className == "HLabel" || HWidget::Inherits(className);
}

void HLabel::SetText(const char* format, ...)
{
    // Most texts fit the stack buffer and are assigned into the string's own storage, so a
    // label rewritten every frame allocates nothing once its text has been that long.
    char buffer[256];
    va_list args;
    va_start(args, format);
    va_list retry;
    va_copy(retry, args);
    const int length = vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    if (length < 0)
    {
        m_Text.clear();
    }
    else if (length < static_cast<int>(sizeof(buffer)))
    {
        m_Text.assign(buffer, static_cast<size_t>(length));
    }
    else
    {
        // The string keeps room for its terminator, which vsnprintf writes last.
        m_Text.resize(static_cast<size_t>(length));
        vsnprintf(m_Text.data(), static_cast<size_t>(length) + 1, format, retry);
    }
    va_end(retry);
}

void HLabel::OnRender(void* pContext)
{
    HWidget::OnRender(pContext);
    RenderText(pContext);
}

void HLabel::RenderText(void* pContext)
{
    UpdateTextLayout(pContext);
    if (HRenderProxy* pProxy = GetRenderProxy())
    {
        pProxy->RenderText(pContext, m_Text, m_ClipRect, m_TextRect, m_TextColor);
    }
}

void HLabel::UpdateTextLayout(void* pContext)
{
    m_TextRect = MeasureText(pContext);
    m_TextRect.x += m_Rect.x;
    m_TextRect.y += m_Rect.y;
    AlignInside(m_TextRect, GetSize(), m_TextAlignment);
    m_ClipRect = m_ClipText ? HRectF::ClipTo(m_TextRect, GetTextLimitRect()) : m_TextRect;
}

HRectF HLabel::MeasureText(void* pContext)
{
    HVec2F size;
    if (HRenderProxy* pProxy = GetRenderProxy())
    {
        size = pProxy->MeasureText(pContext, m_Text);
    }
    return {m_TextOffset.x, m_TextOffset.y, size.x, size.y};
}

} // namespace Halvex::HGui
