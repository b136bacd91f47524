#pragma once
// A scroll area whose content is a list view, with shortcuts for text items.

#include "gui/hscrollarea.h"

#include <string>

namespace Halvex::HGui
{

class HLabel;
class HListView;

class HListWidget : public HScrollArea
{
public:
    explicit HListWidget(HObject* pParent = nullptr);

    // Ignored when null or unchanged; the old view retires through its alive flag.
    void SetListView(HListView* pView);
    HListView* GetListView() const { return m_pListView; }

    // A label of the view's item size, appended to the view.
    HLabel* AddItem(const std::string& text);
    HWidget* GetItem(int index) const;
    void SetItemColors(const HColor& normal, const HColor& hover, const HColor& selected);
    void SetSelectedIndex(int index);
    int GetSelectedIndex() const;

private:
    HListView* m_pListView = nullptr;
};

} // namespace Halvex::HGui
