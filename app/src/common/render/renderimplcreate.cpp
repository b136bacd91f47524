// Device creation through the back end's factory, kept apart from the rest of the renderer
// so that code using RenderImpl with a device of its own does not need a back end.

#include "common/render/renderimpl.h"

#include "rendercore/source/renderdevice/renderdevice.h"

using namespace Halvex::RenderCore;

bool RenderImpl::Init(void* pWindow, int width, int height)
{
    std::unique_ptr<VideoDevice> pVideoDevice = CreateVideoDevice();
    if (!pVideoDevice)
    {
        return Init(nullptr, nullptr);
    }
    DeviceCreateParam param;
    param.m_BackBufferFormat = FMT_X8R8G8B8;
    param.m_DepthStencilFormat = FMT_D24S8;
    param.m_Width = width;
    param.m_Height = height;
    param.m_pWindow = pWindow;
    param.m_FullScreen = false;
    param.m_VSync = true;
    param.m_MultiSample = MULTISAMPLE_NONE;
    std::unique_ptr<RenderDevice> pRenderDevice = CreateRenderDevice(pVideoDevice.get(), &param);
    return Init(std::move(pVideoDevice), std::move(pRenderDevice));
}
