#include "gui/hcombobox.h"

#include "gui/hlistview.h"
#include "gui/hlistwidget.h"
#include "gui/hpushbutton.h"

namespace Halvex::HGui
{

HComboBox::HComboBox(HObject* pParent) : HLabel(pParent)
{
    m_ObjectName = "HComboBox";
    SetTextAlignment(ALIGN_LEFT | ALIGN_VCENTER);
    Connect("MousePress", this, &HComboBox::OnPress);
    SetListWidget(new HListWidget(this));
    auto* pButton = new HPushButton(this);
    pButton->SetGeometry(0.0f, 0.0f, 20.0f, -1.0f);
    SetButton(pButton);
    SetMode(COMBO_MODE_COLLAPSED);
}

void HComboBox::SetMode(int mode)
{
    if (mode == m_Mode)
    {
        return;
    }
    m_Mode = mode;
    if (mode == COMBO_MODE_COLLAPSED)
    {
        m_pListWidget->SetVisible(false);
    }
    else if (mode == COMBO_MODE_EXPANDED)
    {
        m_pListWidget->SetVisible(true);
    }
}

void HComboBox::SetListWidget(HListWidget* pList)
{
    if (!pList || pList == m_pListWidget)
    {
        return;
    }
    if (m_pListWidget)
    {
        m_pListWidget->SetAlive(false);
    }
    m_pListWidget = pList;
    AddChildWidget(pList);
    // The drop-down may reach beyond the combo box.
    pList->SetClip(false);
    pList->GetListView()->Connect("ItemSelected", this, &HComboBox::OnItemSelected);
}

void HComboBox::SetButton(HPushButton* pButton)
{
    if (pButton == m_pButton)
    {
        return;
    }
    if (m_pButton)
    {
        m_pButton->SetAlive(false);
    }
    m_pButton = pButton;
    if (pButton)
    {
        AddChildWidget(pButton);
        pButton->SetAlignment(ALIGN_RIGHT | ALIGN_VCENTER);
        pButton->Connect("Pressed", this, &HComboBox::OnButtonPressed);
    }
}

int HComboBox::GetSelectedIndex() const
{
    return m_pListWidget->GetSelectedIndex();
}

void HComboBox::SelectItem(int index)
{
    m_pListWidget->SetSelectedIndex(index);
    HWidget* pItem = m_pListWidget->GetItem(index);
    if (pItem && pItem->Inherits("HLabel"))
    {
        SetText(pItem->GetText());
    }
}

void HComboBox::Toggle()
{
    if (m_Mode == COMBO_MODE_COLLAPSED)
    {
        SetMode(COMBO_MODE_EXPANDED);
    }
    else if (m_Mode == COMBO_MODE_EXPANDED)
    {
        SetMode(COMBO_MODE_COLLAPSED);
    }
}

// Presses on the list or the button bubble up here too; only one on the box itself counts.
void HComboBox::OnPress(HEvent* pEvent)
{
    if (pEvent->GetReceiver() == this)
    {
        Toggle();
    }
}

void HComboBox::OnButtonPressed(HObject* pSender)
{
    if (pSender == m_pButton)
    {
        Toggle();
    }
}

void HComboBox::OnItemSelected(HWidget* pItem)
{
    if (pItem && pItem->Inherits("HLabel"))
    {
        SetText(pItem->GetText());
        SetMode(COMBO_MODE_COLLAPSED);
    }
}

} // namespace Halvex::HGui
