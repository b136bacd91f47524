#include "gui/hdragbutton.h"

#include <cmath>

namespace Halvex::HGui
{

HDragButton::HDragButton(HObject* pParent) : HPushButton(pParent)
{
    m_ObjectName = "HDragButton";
}

void HDragButton::MousePressEvent(HMouseEvent* pEvent)
{
    HPushButton::MousePressEvent(pEvent);
    m_PressPos = pEvent->GetPos();
    m_ClickPending = true;
    pEvent->Ignore();
}

void HDragButton::MouseMoveEvent(HMouseEvent* pEvent)
{
    HPushButton::MouseMoveEvent(pEvent);
    const HVec2F& pos = pEvent->GetPos();
    if (std::fabs(m_PressPos.x - pos.x) > 1.0f || std::fabs(m_PressPos.y - pos.y) > 1.0f)
    {
        m_ClickPending = false;
    }
    pEvent->Ignore();
}

void HDragButton::MouseReleaseEvent(HMouseEvent* pEvent)
{
    if (m_ClickPending)
    {
        m_ClickPending = false;
        HPushButton::MouseReleaseEvent(pEvent);
    }
    pEvent->Ignore();
}

void HDragButton::EnterEvent(HEnterEvent* pEvent)
{
    HPushButton::EnterEvent(pEvent);
    pEvent->Ignore();
}

void HDragButton::LeaveEvent(HLeaveEvent* pEvent)
{
    HPushButton::LeaveEvent(pEvent);
    pEvent->Ignore();
}

} // namespace Halvex::HGui
