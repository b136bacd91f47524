#pragma once
// A label with a mouse-driven state machine and optional check behaviour. Signals:
// "StateChanged" (int), "Pressed", "Clicked", "CheckChanged" (bool).

#include "gui/hlabel.h"

namespace Halvex::HGui
{

enum HButtonState
{
    BUTTON_STATE_NORMAL = 0,
    BUTTON_STATE_HOVER = 1,
    BUTTON_STATE_PRESSED = 2,
    // Pressed, with the cursor dragged outside.
    BUTTON_STATE_PRESSED_OUTSIDE = 3,
    BUTTON_STATE_DISABLED = 4,
    BUTTON_STATE_MAX
};

class HPushButton : public HLabel
{
public:
    explicit HPushButton(HObject* pParent = nullptr);

    bool Inherits(const std::string& className) const override;
    void Reset() override { SetState(BUTTON_STATE_NORMAL); }
    void Initialize() override { SetState(BUTTON_STATE_NORMAL); }
    void SetEnabled(bool on) override;

    void MousePressEvent(HMouseEvent* pEvent) override;
    void MouseReleaseEvent(HMouseEvent* pEvent) override;
    void MouseMoveEvent(HMouseEvent* pEvent) override;
    void EnterEvent(HEnterEvent* pEvent) override;
    void LeaveEvent(HLeaveEvent* pEvent) override;

    virtual void SetState(int state);
    int GetState() const { return m_State; }
    void SetCheckable(bool checkable) { m_Checkable = checkable; }
    bool IsCheckable() const { return m_Checkable; }
    // Only a checkable button changes; "CheckChanged" follows a change.
    void SetChecked(bool checked);
    bool IsChecked() const { return m_Checkable && m_Checked; }

private:
    int m_State = BUTTON_STATE_NORMAL;
    bool m_Checkable = false;
    bool m_Checked = false;
};

} // namespace Halvex::HGui
