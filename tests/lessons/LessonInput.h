#pragma once
// Operating lesson controls the way a user does: through mouse events aimed at the centre
// of a widget as the last rendered frame laid it out. Works with any driver that offers
// Click(x, y) after which the click has been delivered.

#include "gui/hcombobox.h"
#include "gui/hlistwidget.h"
#include "gui/hwidget.h"

template <typename Driver> void ClickWidget(Driver& driver, const Halvex::HGui::HWidget* pWidget)
{
    const Halvex::HGui::HRectF& rect = pWidget->GetRect();
    driver.Click(static_cast<int>(rect.x + rect.width / 2.0f),
                 static_cast<int>(rect.y + rect.height / 2.0f));
}

// Opens the combo box and clicks its item.
template <typename Driver>
void ChooseItem(Driver& driver, const Halvex::HGui::HComboBox* pCombo, int index)
{
    ClickWidget(driver, pCombo);
    ClickWidget(driver, pCombo->GetListWidget()->GetItem(index));
}

// Drags a bottom-up slider from its bottom edge to `ratio` of its height (beyond the top
// for 1, so the value reaches the maximum).
template <typename Driver>
void DragSlider(Driver& driver, const Halvex::HGui::HWidget* pSlider, float ratio)
{
    const Halvex::HGui::HRectF& rect = pSlider->GetRect();
    const int x = static_cast<int>(rect.x + rect.width / 2.0f);
    const int bottom = static_cast<int>(rect.Bottom()) - 3;
    const int to = ratio >= 1.0f ? static_cast<int>(rect.y) - 10
                                 : static_cast<int>(rect.Bottom() - rect.height * ratio);
    driver.Drag(x, bottom, x, to, 4);
}
