#include "gui/hlabel.h"

#include "gui/hrenderproxy.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

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
    constexpr size_t BUFFER_SIZE = 1024;
    std::vector<char> buffer(BUFFER_SIZE);
    va_list args;
    va_start(args, format);
    va_list retry;
    va_copy(retry, args);
    int length = vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (length >= static_cast<int>(BUFFER_SIZE))
    {
        buffer.resize(static_cast<size_t>(length) + 1);
        vsnprintf(buffer.data(), buffer.size(), format, retry);
    }
    va_end(retry);
    m_Text = length < 0 ? std::string() : std::string(buffer.data(), static_cast<size_t>(length));
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
