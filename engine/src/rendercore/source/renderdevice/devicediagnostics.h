#pragma once
// What a back end tells about its own work: per-frame counters, shader logs, marker pairs
// that group draws, and the capture of one whole frame that can be listed event by event
// and replayed off-screen up to any event. A back end without these returns null from
// RenderDevice::GetDiagnostics().

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Halvex::RenderCore
{

// The device's own counts for one frame (those of the last Present).
struct DeviceFrameCounters
{
    uint32_t drawCalls = 0;    // native draw calls
    uint32_t stateChanges = 0; // native state calls let through
    uint32_t uploads = 0;      // buffer, texture and shader-constant uploads
    uint32_t programLinks = 0;
    uint32_t errors = 0; // native errors reported since the device was made, up to now
    uint32_t uploadBytes = 0;
};

// One row of a captured frame: a clear, a draw, a change of render target or a group of draws
// made between a marker pair.
struct FrameEvent
{
    enum class Kind
    {
        Clear,
        Draw,
        TargetChange,
        Group
    };
    Kind kind = Kind::Draw;
    // "DrawIndexedPrimitive D3DPT_TRIANGLELIST 12 triangles", "Clear colour depth",
    // "Target: texture 512 x 512 D3DFMT_R32F", "GUI (37 draws)".
    std::string title;
    // "Shader/hlsl/Lighting.wvu + Lighting.wpu" (the names the shaders were loaded under).
    std::string shaders;
    // One per bound sampler: "s0: tree01.dds 256 x 256 D3DFMT_DXT5".
    std::vector<std::string> textures;
    // "back buffer", "texture 512 x 512", "cube face +X 256 x 256".
    std::string target;
    // Render and sampler states that differ from the device's defaults:
    // "D3DRS_ZFUNC = D3DCMP_GREATER", "s0 D3DSAMP_ADDRESSU = D3DTADDRESS_BORDER".
    std::vector<std::string> states;
};

// A replayed picture: RGBA8 rows top to bottom; `written` holds one byte per pixel, 1 where
// the event wrote that pixel.
struct FramePicture
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    std::vector<uint8_t> written;
};

class DeviceDiagnostics
{
public:
    virtual ~DeviceDiagnostics() = default;

    // The counts of the frame the last Present ended; false when the device has none.
    virtual bool GetLastFrameCounters(DeviceFrameCounters* pOut) = 0;
    // Names the next vertex or pixel shader loaded (its file name, for logs and events).
    virtual void SetNextShaderName(const char* pFileName) = 0;
    // The log of the latest shader that failed to compile or link and how many have failed
    // since the device was made; false when the device cannot tell.
    virtual bool GetLastShaderError(std::string* pLog, unsigned* pFailures) = 0;
    // Draws between a begin and its end fold into one Group event named pName.
    virtual void BeginEventGroup(const char* pName) = 0;
    virtual void EndEventGroup() = 0;
    // Records the next whole frame, up to its Present.
    virtual void RequestFrameCapture() = 0;
    virtual bool HasFrameCapture() const = 0;
    // The events of the last capture; empty before one.
    virtual const std::vector<FrameEvent>& GetFrameEvents() const = 0;
    // Why a capture is incomplete or missing ("frame too long: recording stopped after
    // 100000 calls"); empty when the last capture is whole.
    virtual std::string GetCaptureMessage() const = 0;
    // The picture after event `index` in the target that event drew into, replayed
    // off-screen; false when there is no capture or the index is out of range.
    virtual bool ReplayTo(size_t index, FramePicture* pOut) = 0;
};

} // namespace Halvex::RenderCore
