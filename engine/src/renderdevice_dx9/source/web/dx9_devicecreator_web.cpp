#include "renderdevice_dx9/source/web/dx9_devicecreator_web.h"

#include "base/source/system/logger.h"

namespace Halvex::RenderCore
{

namespace
{
const char DEFAULT_CANVAS[] = "#canvas";
} // namespace

bool Dx9DeviceCreatorWeb::CreateNativeDevice(UINT adapter, D3DDEVTYPE deviceType, DWORD behaviour,
                                             IDirect3DDevice9** ppDevice)
{
    HWND canvas =
        GetWindow() ? GetWindow() : reinterpret_cast<HWND>(const_cast<char*>(DEFAULT_CANVAS));
    if (FAILED(GetDirect3D()->CreateDevice(adapter, deviceType, canvas, behaviour,
                                           &GetPresentParameters(), ppDevice)))
    {
        *ppDevice = nullptr;
        HX_RAISE("!\"Can not create device\"");
        return false;
    }
    return true;
}

std::unique_ptr<Dx9DeviceCreatorBase> CreatePlatformDeviceCreator()
{
    return std::make_unique<Dx9DeviceCreatorWeb>();
}

} // namespace Halvex::RenderCore
