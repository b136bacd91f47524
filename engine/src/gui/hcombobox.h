#pragma once
// A label showing the current choice, with a drop button and a drop-down list that opens
// and closes on clicks and closes again when an item is chosen.

#include "gui/hlabel.h"

namespace Halvex::HGui
{

class HListWidget;
class HPushButton;

enum HComboMode
{
    COMBO_MODE_NONE = 0,
    COMBO_MODE_COLLAPSED = 1,
    COMBO_MODE_EXPANDED = 2,
};

class HComboBox : public HLabel
{
public:
    explicit HComboBox(HObject* pParent = nullptr);

    virtual void SetMode(int mode);
    int GetMode() const { return m_Mode; }

    // Ignored when null or unchanged; the old list widget retires through its alive flag.
    void SetListWidget(HListWidget* pList);
    HListWidget* GetListWidget() const { return m_pListWidget; }
    void SetButton(HPushButton* pButton);
    HPushButton* GetButton() const { return m_pButton; }
    int GetSelectedIndex() const;
    // Selects and shows an item without a signal and without colouring it.
    void SelectItem(int index);

private:
    void OnPress(HEvent* pEvent);
    void OnButtonPressed(HObject* pSender);
    void OnItemSelected(HWidget* pItem);
    void Toggle();

    int m_Mode = COMBO_MODE_NONE;
    HListWidget* m_pListWidget = nullptr;
    HPushButton* m_pButton = nullptr;
};

} // namespace Halvex::HGui
