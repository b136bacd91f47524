#pragma once
// The rendering core's diagnostics over d3d9gl's counters, shader logs, marker pairs and frame
// capture.

#include "d3d9gl/d3d9.h"
#include "rendercore/source/renderdevice/devicediagnostics.h"

namespace Halvex::RenderCore
{

class Dx9DeviceDiagnostics final : public DeviceDiagnostics
{
public:
    // pDevice: the d3d9gl device, borrowed; null makes every query fail.
    explicit Dx9DeviceDiagnostics(IDirect3DDevice9* pDevice) : m_pDevice(pDevice) {}

    bool GetLastFrameCounters(DeviceFrameCounters* pOut) override;
    void SetNextShaderName(const char* pFileName) override;
    bool GetLastShaderError(std::string* pLog, unsigned* pFailures) override;
    void BeginEventGroup(const char* pName) override;
    void EndEventGroup() override;
    void RequestFrameCapture() override;
    bool HasFrameCapture() const override;
    const std::vector<FrameEvent>& GetFrameEvents() const override;
    std::string GetCaptureMessage() const override;
    bool ReplayTo(size_t index, FramePicture* pOut) override;

private:
    // Takes the events of a capture that finished since the last call.
    void Refresh() const;

    IDirect3DDevice9* m_pDevice;
    mutable unsigned m_Serial = 0;
    mutable std::vector<FrameEvent> m_Events;
    mutable std::string m_Message;
};

} // namespace Halvex::RenderCore
