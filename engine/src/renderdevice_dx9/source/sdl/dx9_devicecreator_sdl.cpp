#include "renderdevice_dx9/source/sdl/dx9_devicecreator_sdl.h"

#include "base/source/system/logger.h"

namespace Halvex::RenderCore
{

bool Dx9DeviceCreatorSDL::CreateNativeDevice(UINT adapter, D3DDEVTYPE deviceType, DWORD behaviour,
                                             IDirect3DDevice9** ppDevice)
{
    // The window is the focus window; the presentation's device window stays null.
    if (FAILED(GetDirect3D()->CreateDevice(adapter, deviceType, GetWindow(), behaviour,
                                           &GetPresentParameters(), ppDevice)))
    {
        *ppDevice = nullptr;
        HX_RAISE("!\"Can not create device\"");
        return false;
    }
    return true;
}

uint64_t Dx9DeviceCreatorSDL::QueryVideoMemory()
{
    return GetDevice() ? GetDevice()->GetAvailableTextureMem() : 0;
}

std::unique_ptr<Dx9DeviceCreatorBase> CreatePlatformDeviceCreator()
{
    return std::make_unique<Dx9DeviceCreatorSDL>();
}

} // namespace Halvex::RenderCore
