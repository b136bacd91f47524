#include "gui/hwidget.h"

#include "gui/hmanager.h"
#include "gui/hmsghandler.h"
#include "gui/hrenderproxy.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace Halvex::HGui
{
namespace
{
// The largest float halved, so that x + width still fits a float.
constexpr float UNBOUNDED_ORIGIN = -1.7014117e38f;
constexpr float UNBOUNDED_SIZE = 3.4028235e38f;

template <typename E> E* EventClassOf(void (HWidget::*)(E*));

template <auto HANDLER> void Dispatch(HWidget* pWidget, HEvent* pEvent)
{
    // A type code paired with the wrong class reaches only the signal, never the handler.
    using E = std::remove_pointer_t<decltype(EventClassOf(HANDLER))>;
    if (E* pTyped = dynamic_cast<E*>(pEvent))
    {
        (pWidget->*HANDLER)(pTyped);
    }
}

// The handler and the signal of each dispatched type.
struct EventEntry
{
    uint32_t type;
    void (*dispatch)(HWidget*, HEvent*);
    std::string signal;
};

// Null for types without a handler (1 and 1000).
const EventEntry* FindEvent(uint32_t type)
{
    static const EventEntry ENTRIES[] = {
        {EVENT_MOUSE_PRESS, Dispatch<&HWidget::MousePressEvent>, "MousePress"},
        {EVENT_MOUSE_RELEASE, Dispatch<&HWidget::MouseReleaseEvent>, "MouseRelease"},
        {EVENT_MOUSE_DOUBLE_CLICK, Dispatch<&HWidget::MouseDoubleClickEvent>, "MouseDoubleClick"},
        {EVENT_MOUSE_MOVE, Dispatch<&HWidget::MouseMoveEvent>, "MouseMove"},
        {EVENT_KEY_PRESS, Dispatch<&HWidget::KeyPressEvent>, "KeyPress"},
        {EVENT_KEY_RELEASE, Dispatch<&HWidget::KeyReleaseEvent>, "KeyRelease"},
        {EVENT_ENTER, Dispatch<&HWidget::EnterEvent>, "MouseEnter"},
        {EVENT_LEAVE, Dispatch<&HWidget::LeaveEvent>, "MouseLeave"},
        {EVENT_PAINT, Dispatch<&HWidget::PaintEvent>, "Paint"},
        {EVENT_MOVE, Dispatch<&HWidget::MoveEvent>, "Move"},
        {EVENT_RESIZE, Dispatch<&HWidget::ResizeEvent>, "Resize"},
        {EVENT_WHEEL, Dispatch<&HWidget::WheelEvent>, "MouseWheel"},
        {EVENT_TOUCH_BEGIN, Dispatch<&HWidget::TouchBeginEvent>, "TouchBegin"},
        {EVENT_TOUCH_MOVE, Dispatch<&HWidget::TouchMoveEvent>, "TouchMove"},
        {EVENT_TOUCH_END, Dispatch<&HWidget::TouchEndEvent>, "TouchEnd"},
    };
    for (const EventEntry& entry : ENTRIES)
    {
        if (entry.type == type)
        {
            return &entry;
        }
    }
    return nullptr;
}
} // namespace

HWidget::HWidget(HObject* pParent) : HObject(pParent)
{
    m_ObjectName = "HWidget";
    if (pParent && pParent->IsWidgetType())
    {
        m_pParentWidget = static_cast<HWidget*>(pParent);
        m_pParentWidget->m_ChildWidgets.push_back(this);
    }
}

HWidget::~HWidget()
{
    for (HWidget* pChild : m_ChildWidgets)
    {
        pChild->m_pParentWidget = nullptr;
    }
    m_ChildWidgets.clear();
    if (m_pParentWidget)
    {
        m_pParentWidget->RemoveChildWidget(this);
    }
    if (m_pManager && static_cast<HWidget*>(m_pManager) != this)
    {
        m_pManager->ForgetWidget(this);
    }
}

HRenderProxy* HWidget::InheritProxy()
{
    return reinterpret_cast<HRenderProxy*>(~std::uintptr_t{0});
}

bool HWidget::Inherits(const std::string& className) const
{
    return className == "HWidget" || HObject::Inherits(className);
}

bool HWidget::Event(HEvent* pEvent)
{
    if (const EventEntry* pEntry = FindEvent(pEvent->GetType()))
    {
        pEntry->dispatch(this, pEvent);
        Emit(pEntry->signal, pEvent);
    }
    if (!pEvent->IsAccepted())
    {
        HObject::Event(pEvent);
    }
    return pEvent->IsAccepted();
}

bool HWidget::IsVisible() const
{
    return HOption::IsVisible() && (!m_pParentWidget || m_pParentWidget->IsVisible());
}

void HWidget::SetCapture(bool on)
{
    HOption::SetCapture(on);
    HMsgHandler* pHandler = m_pManager ? m_pManager->GetMsgHandler() : nullptr;
    if (!pHandler)
    {
        return;
    }
    if (on)
    {
        pHandler->CaptureMouse();
    }
    else
    {
        pHandler->ReleaseMouse();
    }
}

void HWidget::Update(float seconds)
{
    auto it = m_Children.begin();
    while (it != m_Children.end())
    {
        if (!(*it)->IsWidgetType())
        {
            ++it;
            continue;
        }
        HWidget* pChild = static_cast<HWidget*>(*it);
        if (!pChild->IsAlive())
        {
            it = DestroyChild(it);
            continue;
        }
        if (pChild->IsEnabled())
        {
            pChild->Update(seconds);
        }
        ++it;
    }
    if (!IsInitialized())
    {
        Initialize();
        SetInitialized(true);
    }
    OnUpdate(seconds);
}

void HWidget::OnUpdate(float seconds)
{
    if (HRenderProxy* pProxy = GetRenderProxy())
    {
        pProxy->Update(seconds, this);
    }
    Emit("OnUpdate", seconds);
}

void HWidget::Render(void* pContext)
{
    UpdateLayout();
    if (IsInitialized())
    {
        OnRender(pContext);
    }
    HRenderProxy* pProxy = GetRenderProxy();
    m_BoundingRect = pProxy && pProxy->HasCustomShape() ? HRectF(UNBOUNDED_ORIGIN, UNBOUNDED_ORIGIN,
                                                                 UNBOUNDED_SIZE, UNBOUNDED_SIZE)
                                                        : m_VisibleRect;
    for (HObject* pObject : m_Children)
    {
        if (!pObject->IsWidgetType())
        {
            continue;
        }
        HWidget* pChild = static_cast<HWidget*>(pObject);
        if (pChild->IsVisible())
        {
            pChild->Render(pContext);
            m_BoundingRect = m_BoundingRect.United(pChild->m_BoundingRect);
        }
    }
}

void HWidget::OnRender(void* pContext)
{
    if (HRenderProxy* pProxy = GetRenderProxy())
    {
        pProxy->Render(pContext, this);
    }
    Emit("OnRender", pContext);
}

HRectF HWidget::GetMarginedRect() const
{
    const HRectF& parent = m_pParentWidget->m_Rect;
    return {parent.x + m_Margins.left, parent.y + m_Margins.top,
            parent.width - m_Margins.left - m_Margins.right,
            parent.height - m_Margins.top - m_Margins.bottom};
}

void HWidget::UpdateLayout()
{
    if (!m_pParentWidget)
    {
        m_Rect = m_Geometry;
        m_VisibleRect = m_Geometry;
        return;
    }
    const HRectF margined = GetMarginedRect();
    HRectF resolved = m_Geometry;
    if (resolved.width < 0.0f)
    {
        if (resolved.x < 0.0f)
        {
            resolved.x = -resolved.x * margined.width;
        }
        resolved.width = -resolved.width * margined.width;
    }
    if (resolved.height < 0.0f)
    {
        if (resolved.y < 0.0f)
        {
            resolved.y = -resolved.y * margined.height;
        }
        resolved.height = -resolved.height * margined.height;
    }
    m_Rect = {resolved.x + margined.x, resolved.y + margined.y, resolved.width, resolved.height};
    AlignInside(m_Rect, margined.GetSize(), m_Alignment);
    m_VisibleRect = m_Rect;
    if (IsClip())
    {
        const HRectF& parentVisible = m_pParentWidget->m_VisibleRect;
        float left = std::max(margined.x, parentVisible.x);
        float top = std::max(margined.y, parentVisible.y);
        float right = std::min(margined.Right(), parentVisible.Right());
        float bottom = std::min(margined.Bottom(), parentVisible.Bottom());
        m_VisibleRect = HRectF::ClipTo(m_Rect, {left, top, right - left, bottom - top});
    }
}

HWidget* HWidget::WidgetAt(const HVec2F& pos)
{
    HWidget* pResult = nullptr;
    if (!IsEnabled() || !IsVisible() || !m_BoundingRect.Contains(pos))
    {
        return pResult;
    }
    if (IsAcceptMouse() && HitTest(pos))
    {
        pResult = this;
    }
    // The last child hit wins: later children are drawn on top.
    for (HObject* pObject : m_Children)
    {
        if (pObject->IsWidgetType())
        {
            if (HWidget* pHit = static_cast<HWidget*>(pObject)->WidgetAt(pos))
            {
                pResult = pHit;
            }
        }
    }
    return pResult;
}

bool HWidget::HitTest(const HVec2F& pos)
{
    HRenderProxy* pProxy = GetRenderProxy();
    if (pProxy && pProxy->HasCustomShape())
    {
        return pProxy->HitTest(pos, this);
    }
    return m_VisibleRect.Contains(pos);
}

bool HWidget::ContainsHover() const
{
    if (IsHovered())
    {
        return true;
    }
    for (const HObject* pObject : m_Children)
    {
        if (pObject->IsWidgetType() && static_cast<const HWidget*>(pObject)->ContainsHover())
        {
            return true;
        }
    }
    return false;
}

void HWidget::SendToSelf(HEvent* pEvent)
{
    if (m_pManager)
    {
        m_pManager->SendEvent(this, pEvent);
    }
}

void HWidget::SetGeometry(float x, float y, float w, float h)
{
    const HRectF old = m_Geometry;
    m_Geometry = {x, y, w, h};
    if (x != old.x || y != old.y)
    {
        HMoveEvent moved(m_Geometry.GetPos(), old.GetPos());
        SendToSelf(&moved);
    }
    if (w == old.width && h == old.height)
    {
        return;
    }
    m_Rect.width = w;
    m_Rect.height = h;
    HResizeEvent resized(m_Geometry.GetSize(), old.GetSize());
    SendToSelf(&resized);
}

void HWidget::Move(float x, float y)
{
    if (x == m_Geometry.x && y == m_Geometry.y)
    {
        return;
    }
    const HVec2F old = m_Geometry.GetPos();
    m_Geometry.x = x;
    m_Geometry.y = y;
    HMoveEvent moved(m_Geometry.GetPos(), old);
    SendToSelf(&moved);
}

void HWidget::Resize(float w, float h)
{
    if (w == m_Geometry.width && h == m_Geometry.height)
    {
        return;
    }
    const HVec2F old = m_Geometry.GetSize();
    m_Geometry.width = m_Rect.width = w;
    m_Geometry.height = m_Rect.height = h;
    HResizeEvent resized(m_Geometry.GetSize(), old);
    SendToSelf(&resized);
}

void HWidget::MoveBy(const HVec2F& delta)
{
    if (delta.x == 0.0f && delta.y == 0.0f)
    {
        return;
    }
    const HVec2F old = m_Geometry.GetPos();
    m_Geometry.x += delta.x;
    m_Geometry.y += delta.y;
    HMoveEvent moved(m_Geometry.GetPos(), old);
    SendToSelf(&moved);
}

void HWidget::SetMargins(float left, float top, float right, float bottom)
{
    m_Margins = {left, top, right, bottom};
}

void HWidget::SetRenderProxy(HRenderProxy* pProxy)
{
    if (pProxy == InheritProxy())
    {
        m_pOwnedProxy.reset();
        m_InheritProxy = true;
        return;
    }
    if (!m_InheritProxy && pProxy == m_pOwnedProxy.get())
    {
        return;
    }
    m_pOwnedProxy.reset(pProxy);
    m_InheritProxy = false;
}

HRenderProxy* HWidget::GetRenderProxy() const
{
    for (const HWidget* pWidget = this; pWidget; pWidget = pWidget->m_pParentWidget)
    {
        if (!pWidget->m_InheritProxy)
        {
            return pWidget->m_pOwnedProxy.get();
        }
    }
    return nullptr;
}

void HWidget::SetParentWidget(HWidget* pParent)
{
    if (pParent == m_pParentWidget)
    {
        return;
    }
    if (m_pParentWidget)
    {
        m_pParentWidget->RemoveChildWidget(this);
    }
    m_pParentWidget = pParent;
    if (pParent)
    {
        pParent->AddChildWidget(this);
    }
}

HWidget* HWidget::AddChildWidget(HWidget* pWidget)
{
    if (std::find(m_ChildWidgets.begin(), m_ChildWidgets.end(), pWidget) == m_ChildWidgets.end())
    {
        pWidget->SetParentWidget(this);
        m_ChildWidgets.push_back(pWidget);
    }
    return pWidget;
}

bool HWidget::RemoveChildWidget(HWidget* pWidget)
{
    auto it = std::find(m_ChildWidgets.begin(), m_ChildWidgets.end(), pWidget);
    if (it == m_ChildWidgets.end())
    {
        return false;
    }
    pWidget->m_pParentWidget = nullptr;
    m_ChildWidgets.erase(it);
    return true;
}

} // namespace Halvex::HGui
