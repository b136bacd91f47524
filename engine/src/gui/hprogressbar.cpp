#include "gui/hprogressbar.h"

#include <algorithm>

namespace Halvex::HGui
{

HProgressBar::HProgressBar(HObject* pParent) : HLabel(pParent)
{
    m_ObjectName = "HProgressBar";
    SetValue(0.0f);
}

void HProgressBar::SetBar(HWidget* pBar)
{
    if (!pBar || pBar == m_pBar)
    {
        return;
    }
    if (m_pBar)
    {
        m_pBar->SetAlive(false);
    }
    m_pBar = pBar;
    AddChildWidget(pBar);
    UpdateBar();
}

void HProgressBar::SetRange(float minimum, float maximum)
{
    m_Minimum = minimum;
    m_Maximum = maximum;
}

void HProgressBar::SetValue(float value)
{
    if (!(m_Minimum < m_Maximum))
    {
        return;
    }
    float ratio = std::clamp((value - m_Minimum) / (m_Maximum - m_Minimum), 0.0f, 1.0f);
    if (ratio != m_Ratio)
    {
        m_Ratio = ratio;
        Emit("ValueChanged", GetValue());
        UpdateBar();
    }
}

HVec2F HProgressBar::GetBarArea() const
{
    const HMargins& margins = m_pBar->GetMargins();
    return {GetWidth() - margins.left - margins.right, GetHeight() - margins.top - margins.bottom};
}

void HProgressBar::UpdateBar()
{
    if (!m_pBar)
    {
        return;
    }
    const HVec2F area = GetBarArea();
    switch (m_Direction)
    {
    case BAR_FROM_LEFT:
        m_pBar->Move(0.0f, 0.0f);
        m_pBar->Resize(area.x * m_Ratio, area.y);
        break;
    case BAR_FROM_RIGHT:
        m_pBar->Move(area.x - area.x * m_Ratio, 0.0f);
        m_pBar->Resize(area.x * m_Ratio, area.y);
        break;
    case BAR_FROM_TOP:
        m_pBar->Move(0.0f, 0.0f);
        m_pBar->Resize(area.x, area.y * m_Ratio);
        break;
    default:
        m_pBar->Move(0.0f, area.y - area.y * m_Ratio);
        m_pBar->Resize(area.x, area.y * m_Ratio);
        break;
    }
}

} // namespace Halvex::HGui
