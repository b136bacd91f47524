#pragma once
// Turns the GUI's mouse, wheel and touch signals into the six camera channels: a left-button
// drag feeds channels 4 and 5 (pixels), the wheel or a pinch feeds channel 3 (zoom steps).
// Each result reaches exactly one camera update.

#include "common/camera/inputcommon.h"

#include "gui/htypes.h"

#include <vector>

namespace Halvex::HGui
{
class HEvent;
}

class CameraInput : public InputCommon<6>
{
public:
    // "MousePress" and "MouseMove" (and "MouseRelease", which ends a drag).
    void OnMouse(Halvex::HGui::HEvent* pEvent);
    // "MouseWheel".
    void OnWheel(Halvex::HGui::HEvent* pEvent);
    // "TouchBegin", "TouchMove", "TouchEnd".
    void OnTouch(Halvex::HGui::HEvent* pEvent);

protected:
    void Poll() override;

private:
    int m_Zoom = 0;
    int m_DragX = 0;
    int m_DragY = 0;
    Halvex::HGui::HVec2F m_LastPos;
    std::vector<Halvex::HGui::HVec2F> m_TouchPoints;
};
