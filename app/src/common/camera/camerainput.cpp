#include "common/camera/camerainput.h"

#include "common/camera/cameraviewer.h"

#include "gui/hevent.h"

#include <cmath>

using namespace Halvex::HGui;

namespace
{
// A pinch has to change the finger distance by more than this between two moves to zoom.
constexpr float PINCH_THRESHOLD = 2.0f;

float Distance(const std::vector<HVec2F>& points)
{
    const HVec2F d = points[0] - points[1];
    return std::sqrt(d.x * d.x + d.y * d.y);
}
} // namespace

void CameraInput::OnMouse(HEvent* pEvent)
{
    const auto* pMouse = dynamic_cast<const HMouseEvent*>(pEvent);
    if (!pMouse || pMouse->GetButtons() != MOUSE_BUTTON_LEFT)
    {
        return;
    }
    switch (pMouse->GetType())
    {
    case EVENT_MOUSE_PRESS:
        m_LastPos = pMouse->GetPos();
        break;
    case EVENT_MOUSE_RELEASE:
        m_DragX = 0;
        m_DragY = 0;
        break;
    case EVENT_MOUSE_MOVE:
        // Replaced, not added: of several moves in one frame the last one counts.
        m_DragX = static_cast<int>(pMouse->GetPos().x - m_LastPos.x);
        m_DragY = static_cast<int>(pMouse->GetPos().y - m_LastPos.y);
        m_LastPos = pMouse->GetPos();
        break;
    default:
        break;
    }
}

void CameraInput::OnWheel(HEvent* pEvent)
{
    const auto* pWheel = dynamic_cast<const HWheelEvent*>(pEvent);
    if (!pWheel)
    {
        return;
    }
    const int delta = pWheel->GetDelta();
    m_Zoom = -2 * ((delta > 0) - (delta < 0));
}

void CameraInput::OnTouch(HEvent* pEvent)
{
    const auto* pTouch = dynamic_cast<const HTouchEvent*>(pEvent);
    if (!pTouch)
    {
        return;
    }
    switch (pTouch->GetType())
    {
    case EVENT_TOUCH_BEGIN:
        m_TouchPoints = pTouch->GetPoints();
        break;
    case EVENT_TOUCH_MOVE:
        if (m_TouchPoints.size() >= 2 && pTouch->GetPoints().size() >= 2)
        {
            const float d = Distance(pTouch->GetPoints()) - Distance(m_TouchPoints);
            m_Zoom = d > PINCH_THRESHOLD ? -1 : d < -PINCH_THRESHOLD ? 1 : 0;
        }
        m_TouchPoints = pTouch->GetPoints();
        break;
    case EVENT_TOUCH_END:
        m_TouchPoints.clear();
        m_Zoom = 0;
        break;
    default:
        break;
    }
}

void CameraInput::Poll()
{
    m_Current[CAMERA_CHANNEL_DRAG_X] = m_DragX;
    m_Current[CAMERA_CHANNEL_DRAG_Y] = m_DragY;
    m_Current[CAMERA_CHANNEL_ZOOM] = m_Zoom;
    m_Zoom = 0;
    m_DragX = 0;
    m_DragY = 0;
}
