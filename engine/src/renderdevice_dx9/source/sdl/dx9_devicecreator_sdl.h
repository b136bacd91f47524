#pragma once
// The device creator for an SDL window: the DeviceCreateParam window is the SDL_Window*
// (created with SDL_WINDOW_OPENGL), and the video memory is the figure the device reports.

#include "renderdevice_dx9/source/dx9_devicecreator_base.h"

namespace Halvex::RenderCore
{

class Dx9DeviceCreatorSDL final : public Dx9DeviceCreatorBase
{
protected:
    bool CreateNativeDevice(UINT adapter, D3DDEVTYPE deviceType, DWORD behaviour,
                            IDirect3DDevice9** ppDevice) override;
    uint64_t QueryVideoMemory() override;
};

} // namespace Halvex::RenderCore
