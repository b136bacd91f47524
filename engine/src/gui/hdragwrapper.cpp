#include "gui/hdragwrapper.h"

#include "base/source/system/logger.h"
#include "gui/hwidget.h"

#include <algorithm>
#include <cmath>

namespace Halvex::HGui
{
namespace
{
constexpr float FLOAT_MAX = 3.4028235e38f;
// The edge closes this share of the gap per update and snaps once a step is this small.
constexpr float SPRING_BACK_FACTOR = 0.2f;
constexpr float SPRING_BACK_SNAP = 0.2f;

float Axis(const HVec2F& v, bool vertical)
{
    return vertical ? v.y : v.x;
}
float& Axis(HVec2F& v, bool vertical)
{
    return vertical ? v.y : v.x;
}
} // namespace

HDragWrapper::HDragWrapper(HWidget* pTarget, uint32_t axes)
    : HObject(pTarget), m_pTarget(pTarget), m_Axes(axes)
{
    if (!HX_ASSERT(pTarget))
    {
        return;
    }
    pTarget->Connect("OnUpdate", this, &HDragWrapper::OnUpdate);
    pTarget->Connect("MousePress", this, &HDragWrapper::OnMousePress);
    pTarget->Connect("MouseRelease", this, &HDragWrapper::OnMouseRelease);
    pTarget->Connect("MouseMove", this, &HDragWrapper::OnMouseMove);
    pTarget->Connect("MouseLeave", this, &HDragWrapper::OnMouseLeave);
    pTarget->Connect("AnimStop", this, &HDragWrapper::OnAnimStop);
}

bool HDragWrapper::HasAxis(bool vertical) const
{
    return (m_Axes & (vertical ? DRAG_AXIS_VERTICAL : DRAG_AXIS_HORIZONTAL)) != 0;
}

float HDragWrapper::Overscroll(bool vertical) const
{
    const HWidget* pParent = m_pTarget->GetParentWidget();
    float limit = pParent ? Axis(pParent->GetSize(), vertical) : FLOAT_MAX;
    float pos = Axis(m_pTarget->GetPos(), vertical);
    float size = Axis(m_pTarget->GetSize(), vertical);
    if (pos > 0.0f)
    {
        return pos;
    }
    if (pos + size < limit)
    {
        return pos + std::max(size - limit, 0.0f);
    }
    return 0.0f;
}

float HDragWrapper::Ease(float current, float target, float factor, float maxStep, float snap)
{
    float step = (target - current) * factor;
    if (std::fabs(step) >= snap)
    {
        return current + std::clamp(step, -maxStep, maxStep);
    }
    return target;
}

HVec2F HDragWrapper::ReleaseSpeed() const
{
    HVec2F speed;
    for (bool vertical : {false, true})
    {
        if (!HasAxis(vertical))
        {
            continue;
        }
        float v = Axis(m_Position, vertical) - Axis(m_PreviousPosition, vertical);
        Axis(speed, vertical) = Overscroll(vertical) != 0.0f ? v * m_DragFactor : v;
    }
    return speed;
}

void HDragWrapper::OnMousePress(HEvent* pEvent)
{
    auto* pMouse = dynamic_cast<HMouseEvent*>(pEvent);
    if (!pMouse)
    {
        return;
    }
    m_pTarget->SetCapture(true);
    m_Position = m_PreviousPosition = pMouse->GetPos();
    pEvent->Accept();
}

void HDragWrapper::OnMouseMove(HEvent* pEvent)
{
    auto* pMouse = dynamic_cast<HMouseEvent*>(pEvent);
    if (!pMouse)
    {
        return;
    }
    m_PreviousPosition = m_Position;
    for (bool vertical : {false, true})
    {
        if (HasAxis(vertical))
        {
            Axis(m_Position, vertical) = Axis(pMouse->GetPos(), vertical);
        }
    }
    if (pMouse->GetButtons() == MOUSE_BUTTON_LEFT)
    {
        HVec2F pos = m_pTarget->GetPos();
        for (bool vertical : {false, true})
        {
            if (!HasAxis(vertical))
            {
                continue;
            }
            float delta = Axis(m_Position, vertical) - Axis(m_PreviousPosition, vertical);
            Axis(pos, vertical) += Overscroll(vertical) != 0.0f ? delta * m_DragFactor : delta;
        }
        m_pTarget->Move(pos);
        m_Speed = {};
    }
    pEvent->Accept();
}

void HDragWrapper::OnMouseRelease(HEvent* pEvent)
{
    if (m_pTarget->IsCapture())
    {
        m_Speed = ReleaseSpeed();
        m_pTarget->SetCapture(false);
    }
    pEvent->Accept();
}

// The cursor left the target's whole subtree in the middle of a drag: let it go.
void HDragWrapper::OnMouseLeave(HEvent* pEvent)
{
    if (!m_pTarget->ContainsHover() && m_pTarget->IsCapture())
    {
        m_Speed = ReleaseSpeed();
        m_pTarget->SetCapture(false);
    }
    pEvent->Accept();
}

void HDragWrapper::OnAnimStop()
{
    m_Speed = {};
}

void HDragWrapper::OnUpdate()
{
    if (m_pTarget->IsCapture())
    {
        return;
    }
    HVec2F correction;
    for (bool vertical : {false, true})
    {
        if (!HasAxis(vertical))
        {
            continue;
        }
        const float o = Overscroll(vertical);
        float& v = Axis(m_Speed, vertical);
        if (o != 0.0f && v * o < 0.0f)
        {
            // Moving back towards the edge: ease in instead of overshooting it.
            Axis(correction, vertical) =
                Ease(o, 0.0f, SPRING_BACK_FACTOR, FLOAT_MAX, SPRING_BACK_SNAP) - o;
            v = 0.0f;
        }
        else if (o != 0.0f)
        {
            v = v * m_Damping - o * m_Spring;
        }
        else if (v != 0.0f)
        {
            v *= m_Damping;
            if (-m_StopThreshold < v && v < m_StopThreshold)
            {
                v = 0.0f;
            }
        }
    }
    m_pTarget->MoveBy(m_Speed + correction);
}

} // namespace Halvex::HGui
