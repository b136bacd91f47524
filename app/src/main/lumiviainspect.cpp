// The frame inspector's part of the application: holding the lesson's time while it is open
// and asking the device for the frame that it shows.

#include "main/inspectorpanel.h"
#include "main/lumivia.h"

#include "rendercore/source/renderdevice/devicediagnostics.h"
#include "rendercore/source/renderdevice/renderdevice.h"

namespace
{
// The device records the frame after the one in which it was asked to: the panel shows the
// capture once that frame has been presented.
constexpr int CAPTURE_FRAMES = 2;
} // namespace

void Lumivia::ToggleInspector()
{
    if (!m_pInspector)
    {
        return;
    }
    m_InspectorOpen = !m_InspectorOpen;
    if (m_InspectorOpen)
    {
        m_PausedBeforeInspector = m_Paused;
        m_Paused = true;
        m_CaptureWanted = true;
        return;
    }
    m_Paused = m_PausedBeforeInspector;
    m_CaptureWanted = false;
    m_CaptureFramesLeft = 0;
    m_pInspector->SetVisible(false);
}

void Lumivia::RecaptureFrame()
{
    m_CaptureWanted = m_InspectorOpen;
}

void Lumivia::BeginFrameCapture()
{
    if (!m_CaptureWanted)
    {
        return;
    }
    m_CaptureWanted = false;
    m_CaptureFramesLeft = CAPTURE_FRAMES;
    // The captured frame shows the lesson without the panel.
    m_pInspector->SetVisible(false);
    if (auto* pDiagnostics = m_Renderer.GetDevice()->GetDiagnostics())
    {
        pDiagnostics->RequestFrameCapture();
    }
}

void Lumivia::EndFrameCapture()
{
    if (m_CaptureFramesLeft == 0 || --m_CaptureFramesLeft > 0)
    {
        return;
    }
    m_pInspector->ShowCapture(m_Renderer.GetDevice()->GetDiagnostics());
    m_pInspector->SetVisible(true);
}
