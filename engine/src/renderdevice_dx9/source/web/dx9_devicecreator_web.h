#pragma once
// The device creator for the page's canvas: the DeviceCreateParam window is the canvas's CSS
// selector (a const char*, "#canvas" when null), which d3d9gl takes as the device's window
// and makes its WebGL2 context on. Browsers do not tell the video memory: it is 0.

#include "renderdevice_dx9/source/dx9_devicecreator_base.h"

namespace Halvex::RenderCore
{

class Dx9DeviceCreatorWeb final : public Dx9DeviceCreatorBase
{
protected:
    bool CreateNativeDevice(UINT adapter, D3DDEVTYPE deviceType, DWORD behaviour,
                            IDirect3DDevice9** ppDevice) override;
    uint64_t QueryVideoMemory() override { return 0; }
};

} // namespace Halvex::RenderCore
