#pragma once
// Stacks item widgets vertically, colours the hovered and the selected item and emits
// "ItemSelected" (HWidget*) when an item is pressed.

#include "gui/hwidget.h"

#include <vector>

namespace Halvex::HGui
{

class HListView : public HWidget
{
public:
    explicit HListView(HObject* pParent = nullptr);

    bool Inherits(const std::string& className) const override;
    // An item deleted through the tree leaves the list; the indices after it close up.
    void ChildRemoved(HObject* pChild) override;
    void UpdateLayout() override;
    void MousePressEvent(HMouseEvent* pEvent) override;
    void MouseMoveEvent(HMouseEvent* pEvent) override;
    void LeaveEvent(HLeaveEvent* pEvent) override;

    // Appends `pWidget` (ignored when null) and makes it a child widget of the view.
    HWidget* AddItem(HWidget* pWidget);
    HWidget* GetItem(int index) const;
    int IndexOf(const HWidget* pWidget) const;
    int GetItemCount() const { return static_cast<int>(m_Items.size()); }
    void SetItemColors(const HColor& normal, const HColor& hover, const HColor& selected);
    void SetItemSize(const HVec2F& size) { m_ItemSize = size; }
    const HVec2F& GetItemSize() const { return m_ItemSize; }
    // Plain field access: no colour changes, no signal.
    void SetSelectedIndex(int index) { m_SelectedIndex = index; }
    int GetSelectedIndex() const { return m_SelectedIndex; }
    int GetHoverIndex() const { return m_HoverIndex; }

private:
    int m_HoverIndex = -1;
    int m_SelectedIndex = -1;
    float m_Spacing = 2.0f;
    HVec2F m_ItemSize{-1.0f, 20.0f};
    std::vector<HWidget*> m_Items;
    HColor m_NormalColor{0xFFFFFFFFu};
    HColor m_HoverColor{0xFFA0A0A4u};
    HColor m_SelectedColor{0xFFFFFF00u};
};

} // namespace Halvex::HGui
