#pragma once
// The lessons' slider: a white trough with a red bar and an optional white caption.

#include "gui/hslider.h"

#include <string>

class MySlider : public Halvex::HGui::HSlider
{
public:
    explicit MySlider(Halvex::HGui::HObject* pParent);

    // The caption is the slider's own text, placed at offset from its top-left corner and
    // not clipped to the slider.
    void SetCaption(const std::string& text, const Halvex::HGui::HVec2F& offset);
};
