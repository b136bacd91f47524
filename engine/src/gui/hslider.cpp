#include "gui/hslider.h"

namespace Halvex::HGui
{

HSlider::HSlider(HObject* pParent) : HProgressBar(pParent)
{
    m_ObjectName = "HSlider";
}

bool HSlider::IsOwnInput(const HEvent* pEvent) const
{
    const HObject* pReceiver = pEvent->GetReceiver();
    return m_pBar && (pReceiver == this || pReceiver == m_pBar);
}

void HSlider::MousePressEvent(HMouseEvent* pEvent)
{
    if (IsOwnInput(pEvent))
    {
        SetValueFromPoint(pEvent->GetPos());
    }
}

void HSlider::MouseMoveEvent(HMouseEvent* pEvent)
{
    if (IsOwnInput(pEvent) && pEvent->GetButtons() == MOUSE_BUTTON_LEFT)
    {
        SetValueFromPoint(pEvent->GetPos());
    }
}

void HSlider::SetValueFromPoint(const HVec2F& pos)
{
    if (!m_pBar)
    {
        return;
    }
    const HVec2F area = GetBarArea();
    const HRectF& bar = m_pBar->GetRect();
    float fraction = 0.0f;
    switch (m_Direction)
    {
    case BAR_FROM_LEFT:
    case BAR_FROM_RIGHT:
        if (!(area.x > 0.0f))
        {
            return;
        }
        fraction = (m_Direction == BAR_FROM_LEFT ? pos.x - bar.x : bar.Right() - pos.x) / area.x;
        break;
    default:
        if (!(area.y > 0.0f))
        {
            return;
        }
        fraction = (m_Direction == BAR_FROM_TOP ? pos.y - bar.y : bar.Bottom() - pos.y) / area.y;
        break;
    }
    SetValue(m_Minimum + (m_Maximum - m_Minimum) * fraction);
}

} // namespace Halvex::HGui
