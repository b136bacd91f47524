#include "gui/hpushbutton.h"

namespace Halvex::HGui
{

HPushButton::HPushButton(HObject* pParent) : HLabel(pParent)
{
    m_ObjectName = "HPushButton";
}

bool HPushButton::Inherits(const std::string& className) const
{
    return className == "HPushButton" || HLabel::Inherits(className);
}

void HPushButton::SetEnabled(bool on)
{
    HLabel::SetEnabled(on);
    SetState(on ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED);
}

void HPushButton::SetState(int state)
{
    if (state != m_State)
    {
        m_State = state;
        Emit("StateChanged", m_State);
    }
}

void HPushButton::SetChecked(bool checked)
{
    if (m_Checkable && checked != m_Checked)
    {
        m_Checked = checked;
        Emit("CheckChanged", m_Checked);
    }
}

// Each handler acts only on events addressed to the button itself, not on bubbled ones.
void HPushButton::MousePressEvent(HMouseEvent* pEvent)
{
    if (pEvent->GetReceiver() != this)
    {
        return;
    }
    if (pEvent->GetButton() == MOUSE_BUTTON_LEFT && m_State == BUTTON_STATE_HOVER)
    {
        SetState(BUTTON_STATE_PRESSED);
        Emit("Pressed");
    }
    pEvent->Accept();
}

void HPushButton::MouseReleaseEvent(HMouseEvent* pEvent)
{
    if (pEvent->GetReceiver() != this)
    {
        return;
    }
    if (pEvent->GetButton() == MOUSE_BUTTON_LEFT)
    {
        if (HitTest(pEvent->GetPos()))
        {
            if (m_Checkable)
            {
                SetChecked(!m_Checked);
            }
            if (m_State == BUTTON_STATE_PRESSED)
            {
                SetState(BUTTON_STATE_HOVER);
                Emit("Clicked");
            }
        }
        else
        {
            SetState(BUTTON_STATE_NORMAL);
        }
    }
    pEvent->Accept();
}

void HPushButton::MouseMoveEvent(HMouseEvent* pEvent)
{
    if (pEvent->GetReceiver() != this)
    {
        return;
    }
    if (HitTest(pEvent->GetPos()))
    {
        if (m_State == BUTTON_STATE_PRESSED_OUTSIDE)
        {
            SetState(BUTTON_STATE_PRESSED);
        }
        else if (m_State == BUTTON_STATE_NORMAL)
        {
            SetState(BUTTON_STATE_HOVER);
        }
    }
    else
    {
        SetState(BUTTON_STATE_PRESSED_OUTSIDE);
    }
    pEvent->Accept();
}

void HPushButton::EnterEvent(HEnterEvent* pEvent)
{
    if (pEvent->GetReceiver() == this)
    {
        SetState(BUTTON_STATE_HOVER);
        pEvent->Accept();
    }
}

void HPushButton::LeaveEvent(HLeaveEvent* pEvent)
{
    if (pEvent->GetReceiver() == this)
    {
        SetState(BUTTON_STATE_NORMAL);
        pEvent->Accept();
    }
}

} // namespace Halvex::HGui
