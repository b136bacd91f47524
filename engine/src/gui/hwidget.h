#pragma once
// The base of every visible element: layout with margins, alignment and relative sizes,
// clipping, hit testing, the update and render passes and the event dispatch.

#include "gui/hevent.h"
#include "gui/hobject.h"
#include "gui/hoption.h"
#include "gui/htypes.h"

#include <list>
#include <memory>

namespace Halvex::HGui
{

class HRenderProxy;

class HWidget : public HObject, public HOption
{
public:
    explicit HWidget(HObject* pParent = nullptr);
    ~HWidget() override;

    // Passed to SetRenderProxy: draw with the parent widget's proxy (the default).
    static HRenderProxy* InheritProxy();

    bool Inherits(const std::string& className) const override;
    bool IsWidgetType() const override { return true; }
    bool Event(HEvent* pEvent) override;

    bool IsVisible() const override;
    void SetCapture(bool on) override;

    virtual void Reset() {}
    virtual void Update(float seconds);
    virtual void Render(void* pContext);
    virtual bool HitTest(const HVec2F& pos);
    virtual void MoveBy(const HVec2F& delta);
    virtual std::string GetText() const { return {}; }
    virtual void Initialize() {}
    virtual void UpdateLayout();
    virtual void OnUpdate(float seconds);
    virtual void OnRender(void* pContext);

    virtual void KeyPressEvent(HKeyEvent*) {}
    virtual void KeyReleaseEvent(HKeyEvent*) {}
    virtual void MousePressEvent(HMouseEvent*) {}
    virtual void MouseReleaseEvent(HMouseEvent*) {}
    virtual void MouseDoubleClickEvent(HMouseEvent*) {}
    virtual void MouseMoveEvent(HMouseEvent*) {}
    virtual void EnterEvent(HEnterEvent*) {}
    virtual void LeaveEvent(HLeaveEvent*) {}
    virtual void WheelEvent(HWheelEvent*) {}
    virtual void PaintEvent(HEvent*) {}
    virtual void MoveEvent(HMoveEvent*) {}
    virtual void ResizeEvent(HResizeEvent*) {}
    virtual void TouchBeginEvent(HTouchEvent*) {}
    virtual void TouchMoveEvent(HTouchEvent*) {}
    virtual void TouchEndEvent(HTouchEvent*) {}

    // Geometry is relative to the parent's margined rect; a negative size is a fraction of
    // the available size (-1 all of it), and then a negative position a fraction too.
    void SetGeometry(float x, float y, float w, float h);
    void Move(float x, float y);
    void Move(const HVec2F& pos) { Move(pos.x, pos.y); }
    void Resize(float w, float h);
    void Resize(const HVec2F& size) { Resize(size.x, size.y); }
    const HRectF& GetGeometry() const { return m_Geometry; }
    HVec2F GetPos() const { return m_Geometry.GetPos(); }
    HVec2F GetSize() const { return m_Rect.GetSize(); }
    float GetWidth() const { return m_Rect.width; }
    float GetHeight() const { return m_Rect.height; }
    const HRectF& GetRect() const { return m_Rect; }
    const HRectF& GetVisibleRect() const { return m_VisibleRect; }
    const HRectF& GetBoundingRect() const { return m_BoundingRect; }
    void SetMargins(float left, float top, float right, float bottom);
    const HMargins& GetMargins() const { return m_Margins; }
    void SetAlignment(unsigned flags) { m_Alignment = flags; }
    unsigned GetAlignment() const { return m_Alignment; }

    void SetBackgroundColor(const HColor& color) { m_BackgroundColor = color; }
    const HColor& GetBackgroundColor() const { return m_BackgroundColor; }
    // Takes ownership of `pProxy`; null draws nothing, InheritProxy() borrows the parent's.
    void SetRenderProxy(HRenderProxy* pProxy);
    HRenderProxy* GetRenderProxy() const;

    HWidget* GetParentWidget() const { return m_pParentWidget; }
    void SetParentWidget(HWidget* pParent);
    HWidget* AddChildWidget(HWidget* pWidget);
    bool RemoveChildWidget(HWidget* pWidget);
    const std::list<HWidget*>& GetChildWidgets() const { return m_ChildWidgets; }
    HWidget* WidgetAt(const HVec2F& pos);
    bool ContainsHover() const;

protected:
    void SendToSelf(HEvent* pEvent);
    // The parent widget's rect moved in by this widget's margins (needs a parent widget).
    HRectF GetMarginedRect() const;

    HRectF m_Geometry{0.0f, 0.0f, -1.0f, -1.0f};
    HRectF m_Rect;
    HRectF m_VisibleRect;
    HRectF m_BoundingRect;

private:
    HWidget* m_pParentWidget = nullptr;
    std::list<HWidget*> m_ChildWidgets;
    HMargins m_Margins;
    unsigned m_Alignment = ALIGN_LEFT | ALIGN_TOP;
    HColor m_BackgroundColor;
    std::unique_ptr<HRenderProxy> m_pOwnedProxy;
    bool m_InheritProxy = true;
};

} // namespace Halvex::HGui
