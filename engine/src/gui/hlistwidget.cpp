#include "gui/hlistwidget.h"

#include "gui/hlabel.h"
#include "gui/hlistview.h"

namespace Halvex::HGui
{

HListWidget::HListWidget(HObject* pParent) : HScrollArea(pParent)
{
    m_ObjectName = "HListWidget";
    SetListView(new HListView(this));
}

void HListWidget::SetListView(HListView* pView)
{
    if (!pView || pView == m_pListView)
    {
        return;
    }
    if (m_pListView)
    {
        m_pListView->SetAlive(false);
    }
    m_pListView = pView;
    SetContent(pView);
}

HLabel* HListWidget::AddItem(const std::string& text)
{
    auto* pLabel = new HLabel(m_pListView);
    pLabel->Resize(m_pListView->GetItemSize());
    pLabel->SetText(text);
    m_pListView->AddItem(pLabel);
    return pLabel;
}

HWidget* HListWidget::GetItem(int index) const
{
    return m_pListView->GetItem(index);
}

void HListWidget::SetItemColors(const HColor& normal, const HColor& hover, const HColor& selected)
{
    m_pListView->SetItemColors(normal, hover, selected);
}

void HListWidget::SetSelectedIndex(int index)
{
    m_pListView->SetSelectedIndex(index);
}

int HListWidget::GetSelectedIndex() const
{
    return m_pListView->GetSelectedIndex();
}

} // namespace Halvex::HGui
