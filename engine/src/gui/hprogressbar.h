#pragma once
// Shows a value between a minimum and a maximum as a bar widget that fills part of the
// area from one side. Emits "ValueChanged" (float) after a change.

#include "gui/hlabel.h"

#include <cstdint>

namespace Halvex::HGui
{

enum HBarDirection : uint32_t
{
    BAR_FROM_LEFT = 0,
    BAR_FROM_RIGHT = 1,
    BAR_FROM_TOP = 2,
    BAR_FROM_BOTTOM = 3, // and every larger value
};

class HProgressBar : public HLabel
{
public:
    explicit HProgressBar(HObject* pParent = nullptr);

    // The old bar retires through its alive flag; the new one becomes a child widget.
    void SetBar(HWidget* pBar);
    HWidget* GetBar() const { return m_pBar; }
    void SetDirection(uint32_t direction) { m_Direction = direction; }
    uint32_t GetDirection() const { return m_Direction; }
    // Stores the range only; the bar follows at the next value change.
    void SetRange(float minimum, float maximum);
    // Clamped into the range; does nothing while the range is empty.
    void SetValue(float value);
    float GetValue() const { return m_Minimum + (m_Maximum - m_Minimum) * m_Ratio; }
    float GetRatio() const { return m_Ratio; }

protected:
    void UpdateBar();
    // The size the bar can fill: this widget's size less the bar's margins.
    HVec2F GetBarArea() const;

    HWidget* m_pBar = nullptr;
    uint32_t m_Direction = BAR_FROM_LEFT;
    float m_Ratio = 0.0f;
    float m_Minimum = 0.0f;
    float m_Maximum = 1.0f;
};

} // namespace Halvex::HGui
