#pragma once
// The lessons' combo box: yellow, right-aligned, with a grey drop-down of red items.

#include "gui/hcombobox.h"

#include <string>

class MyComboBox : public Halvex::HGui::HComboBox
{
public:
    explicit MyComboBox(Halvex::HGui::HObject* pParent);

    void AddItem(const std::string& text);
    void AddItems(const char* const* texts, int count);
};
