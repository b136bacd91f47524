#pragma once
// What draws a widget. The toolkit knows no graphics interface: it hands each widget and
// the application's opaque render context to the widget's proxy.

#include "gui/htypes.h"

#include <string>

namespace Halvex::HGui
{

class HWidget;

class HRenderProxy
{
public:
    virtual ~HRenderProxy() = default;

    // When true the widget's bounds are unbounded during render and hit tests ask HitTest.
    virtual bool HasCustomShape() const { return false; }
    virtual bool HitTest(const HVec2F& /*pos*/, HWidget* /*pWidget*/) { return false; }
    virtual void Update(float /*seconds*/, HWidget* /*pWidget*/) {}
    virtual int Render(void* /*pContext*/, HWidget* /*pWidget*/) { return 0; }
    // textRect is the text's box (its x, y the pen origin); clipRect is that box cut to the
    // widget's visible rect.
    virtual void RenderText(void* /*pContext*/, const std::string& /*text*/,
                            const HRectF& /*clipRect*/, const HRectF& /*textRect*/,
                            const HColor& /*color*/)
    {
    }
    virtual HVec2F MeasureText(void* /*pContext*/, const std::string& /*text*/) { return {}; }
};

} // namespace Halvex::HGui
