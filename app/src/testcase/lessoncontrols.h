#pragma once
// The control styles the lessons share, each created as a child of a lesson panel.

#include <string>

namespace Halvex::HGui
{
class HPushButton;
class HWidget;
} // namespace Halvex::HGui

class MyComboBox;
class MySlider;

// Item lists in the engine's enum order, so that a selected index is the state's value.
inline constexpr const char* COMPARE_ITEMS[] = {"Never",   "Less",     "Equal",        "LessEqual",
                                                "Greater", "NotEqual", "GreaterEqual", "Always"};
inline constexpr const char* ENABLE_ITEMS[] = {"Disable", "Enable"};
inline constexpr const char* WRITE_ITEMS[] = {"Write Disable", "Write Enable"};

// A right- and top-aligned combo box at (x, y) of width w and height 24 whose drop-down
// list is (0, 24, w, listHeight) below it, filled with the items and showing `selected`.
MyComboBox* CreateStateCombo(Halvex::HGui::HWidget* pPanel, float y, float w, float listHeight,
                             const char* const* items, int count, int selected, float x = -10.0f);

// A vertical 10 x 240 slider at (x, -50), left- and bottom-aligned, whose bar grows from the
// bottom edge, with its caption 30 pixels above it.
MySlider* CreateLessonSlider(Halvex::HGui::HWidget* pPanel, float x, float minimum, float maximum,
                             float value, const std::string& caption);

// A vertical w x 240 slider at (x, y), right- and top-aligned, whose bar grows from the
// bottom edge, with its caption 30 pixels above it.
MySlider* CreateRightSlider(Halvex::HGui::HWidget* pPanel, float x, float y, float w, float minimum,
                            float maximum, float value, const std::string& caption);

// An unchecked checkable button of w x 24 at (x, y), right- and top-aligned.
Halvex::HGui::HPushButton* CreateToggleButton(Halvex::HGui::HWidget* pPanel, float x, float y,
                                              float w, const std::string& text);

// "Case1" to "Case3" at (-10, 10), 80 wide, the first chosen.
MyComboBox* CreateCaseCombo(Halvex::HGui::HWidget* pPanel);
