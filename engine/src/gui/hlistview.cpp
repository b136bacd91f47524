#include "gui/hlistview.h"

#include <algorithm>

namespace Halvex::HGui
{

HListView::HListView(HObject* pParent) : HWidget(pParent)
{
    m_ObjectName = "HListView";
}

bool HListView::Inherits(const std::string& className) const
{
    return className == "HListView" || HWidget::Inherits(className);
}

HWidget* HListView::AddItem(HWidget* pWidget)
{
    if (!pWidget)
    {
        return nullptr;
    }
    m_Items.push_back(pWidget);
    AddChildWidget(pWidget);
    return pWidget;
}

HWidget* HListView::GetItem(int index) const
{
    if (index < 0 || index >= GetItemCount())
    {
        return nullptr;
    }
    return m_Items[static_cast<size_t>(index)];
}

int HListView::IndexOf(const HWidget* pWidget) const
{
    if (!pWidget)
    {
        return -1;
    }
    auto it = std::find(m_Items.begin(), m_Items.end(), pWidget);
    return it == m_Items.end() ? -1 : static_cast<int>(it - m_Items.begin());
}

void HListView::SetItemColors(const HColor& normal, const HColor& hover, const HColor& selected)
{
    m_NormalColor = normal;
    m_HoverColor = hover;
    m_SelectedColor = selected;
}

void HListView::ChildRemoved(HObject* pChild)
{
    int index = pChild->IsWidgetType() ? IndexOf(static_cast<HWidget*>(pChild)) : -1;
    if (index < 0)
    {
        return;
    }
    m_Items.erase(m_Items.begin() + index);
    for (int* pIndex : {&m_HoverIndex, &m_SelectedIndex})
    {
        if (*pIndex == index)
        {
            *pIndex = -1;
        }
        else if (*pIndex > index)
        {
            --*pIndex;
        }
    }
}

// The view fills its parent's content area and grows to hold every item.
void HListView::UpdateLayout()
{
    if (GetParentWidget())
    {
        const HRectF margined = GetMarginedRect();
        m_Geometry.width = margined.width;
        m_Geometry.height = margined.height;
    }
    float y = m_Spacing;
    for (HWidget* pItem : m_Items)
    {
        if (!(pItem->GetGeometry().height > 0.0f))
        {
            continue;
        }
        pItem->Move(0.0f, y);
        if (pItem->GetGeometry().width > 0.0f)
        {
            m_Geometry.width = std::max(m_Geometry.width, pItem->GetWidth());
        }
        y += pItem->GetHeight() + m_Spacing;
    }
    m_Geometry.height = std::max(m_Geometry.height, y);
    HWidget::UpdateLayout();
}

void HListView::MousePressEvent(HMouseEvent* pEvent)
{
    const uint32_t button = pEvent->GetButton();
    if ((button != MOUSE_BUTTON_LEFT && button != MOUSE_BUTTON_RIGHT) || !HitTest(pEvent->GetPos()))
    {
        return;
    }
    HWidget* pOld = GetItem(m_SelectedIndex);
    HObject* pReceiver = pEvent->GetReceiver();
    HWidget* pItem =
        pReceiver && pReceiver->IsWidgetType() ? static_cast<HWidget*>(pReceiver) : nullptr;
    int index = IndexOf(pItem);
    if (index < 0)
    {
        return;
    }
    m_SelectedIndex = index;
    if (pOld)
    {
        pOld->SetBackgroundColor(m_NormalColor);
    }
    pItem->SetBackgroundColor(m_SelectedColor);
    Emit("ItemSelected", pItem);
}

void HListView::MouseMoveEvent(HMouseEvent* pEvent)
{
    if (!HitTest(pEvent->GetPos()))
    {
        return;
    }
    HWidget* pCurrent = GetItem(m_HoverIndex);
    HObject* pReceiver = pEvent->GetReceiver();
    HWidget* pItem =
        pReceiver && pReceiver->IsWidgetType() ? static_cast<HWidget*>(pReceiver) : nullptr;
    int index = IndexOf(pItem);
    if (pItem == pCurrent || index < 0)
    {
        return;
    }
    m_HoverIndex = index;
    HWidget* pSelected = GetItem(m_SelectedIndex);
    if (pCurrent && pCurrent != pSelected)
    {
        pCurrent->SetBackgroundColor(m_NormalColor);
    }
    if (pItem != pSelected)
    {
        pItem->SetBackgroundColor(m_HoverColor);
    }
}

void HListView::LeaveEvent(HLeaveEvent*)
{
    if (ContainsHover() || m_HoverIndex == -1 || m_HoverIndex == m_SelectedIndex)
    {
        return;
    }
    if (HWidget* pHovered = GetItem(m_HoverIndex))
    {
        pHovered->SetBackgroundColor(m_NormalColor);
    }
    m_HoverIndex = -1;
}

} // namespace Halvex::HGui
