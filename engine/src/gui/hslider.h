#pragma once
// A progress bar set with the mouse: a press, or a move with the left button held, sets
// the value from the cursor position. The events go on to the parent.

#include "gui/hprogressbar.h"

namespace Halvex::HGui
{

class HSlider : public HProgressBar
{
public:
    explicit HSlider(HObject* pParent = nullptr);

    void MousePressEvent(HMouseEvent* pEvent) override;
    void MouseMoveEvent(HMouseEvent* pEvent) override;

    // Ignored without a bar or while the area the bar can fill has no extent.
    void SetValueFromPoint(const HVec2F& pos);

private:
    bool IsOwnInput(const HEvent* pEvent) const;
};

} // namespace Halvex::HGui
