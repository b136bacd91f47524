#pragma once
// A push button inside something draggable: its mouse events go on to the parent, and a
// press becomes a click only when the mouse moved at most one pixel on each axis.

#include "gui/hpushbutton.h"

namespace Halvex::HGui
{

class HDragButton : public HPushButton
{
public:
    explicit HDragButton(HObject* pParent = nullptr);

    void MousePressEvent(HMouseEvent* pEvent) override;
    void MouseReleaseEvent(HMouseEvent* pEvent) override;
    void MouseMoveEvent(HMouseEvent* pEvent) override;
    void EnterEvent(HEnterEvent* pEvent) override;
    void LeaveEvent(HLeaveEvent* pEvent) override;

private:
    HVec2F m_PressPos;
    bool m_ClickPending = false;
};

} // namespace Halvex::HGui
