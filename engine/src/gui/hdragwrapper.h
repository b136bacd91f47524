#pragma once
// Makes a target widget draggable inside its parent widget, with elastic edges and inertia.
// A child object of its target, so it lives exactly as long as the target. The animation
// advances once per update of the target, independent of the frame time.

#include "gui/hobject.h"
#include "gui/htypes.h"

#include <cstdint>

namespace Halvex::HGui
{

class HEvent;
class HWidget;

enum HDragAxis : uint32_t
{
    DRAG_AXIS_HORIZONTAL = 1,
    DRAG_AXIS_VERTICAL = 2,
};

class HDragWrapper : public HObject
{
public:
    // A null target raises an assertion and leaves the wrapper inert.
    HDragWrapper(HWidget* pTarget, uint32_t axes);

    const HVec2F& GetSpeed() const { return m_Speed; }

    // How far the target lies beyond its parent's edges on one axis (0 = inside).
    float Overscroll(bool vertical) const;

private:
    // One step from current towards target: a share of the gap, at most maxStep, and the
    // target itself once the step falls under snap.
    static float Ease(float current, float target, float factor, float maxStep, float snap);
    void OnUpdate();
    void OnMousePress(HEvent* pEvent);
    void OnMouseRelease(HEvent* pEvent);
    void OnMouseMove(HEvent* pEvent);
    void OnMouseLeave(HEvent* pEvent);
    void OnAnimStop();
    HVec2F ReleaseSpeed() const;
    bool HasAxis(bool vertical) const;

    HWidget* m_pTarget;
    uint32_t m_Axes;
    HVec2F m_Position;
    HVec2F m_PreviousPosition;
    // Pixels per update.
    HVec2F m_Speed;
    float m_DragFactor = 0.5f;
    float m_Damping = 0.95f;
    float m_Spring = 0.05f;
    float m_StopThreshold = 0.01f;
};

} // namespace Halvex::HGui
