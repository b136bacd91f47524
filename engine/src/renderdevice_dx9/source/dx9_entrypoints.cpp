// The back end's factory entry points, with the device creator of the platform's window.

#include "renderdevice_dx9/source/dx9_devicecreator_base.h"
#include "renderdevice_dx9/source/dx9_renderdevice.h"
#include "renderdevice_dx9/source/dx9_videodevice_base.h"

namespace Halvex::RenderCore
{

std::unique_ptr<VideoDevice> CreateVideoDevice()
{
    return std::make_unique<Dx9VideoDevice>();
}

std::unique_ptr<RenderDevice> CreateRenderDevice(VideoDevice* pVideoDevice,
                                                 const DeviceCreateParam* pParam)
{
    auto* pDx9Video = dynamic_cast<Dx9VideoDevice*>(pVideoDevice);
    std::unique_ptr<Dx9DeviceCreatorBase> pCreator = CreatePlatformDeviceCreator();
    pCreator->Create(pDx9Video ? pDx9Video->GetDirect3D() : nullptr, pParam);
    return std::make_unique<Dx9RenderDevice>(std::move(pCreator));
}

} // namespace Halvex::RenderCore
