#pragma once
// A widget that hosts one content widget, which its users move to scroll.

#include "gui/hwidget.h"

namespace Halvex::HGui
{

class HScrollArea : public HWidget
{
public:
    explicit HScrollArea(HObject* pParent = nullptr);

    // The old content retires through its alive flag; a non-null one becomes a child widget.
    void SetContent(HWidget* pContent);
    HWidget* GetContent() const { return m_pContent; }

    // A scroll area has no scroll bars to refresh: its update neither runs the render
    // proxy's update nor emits "OnUpdate".
    void OnUpdate(float) override {}

private:
    HWidget* m_pContent = nullptr;
};

} // namespace Halvex::HGui
