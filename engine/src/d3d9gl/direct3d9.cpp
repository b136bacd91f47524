#include "d3d9gl/direct3d9.h"

#include "base/source/system/logger.h"
#include "d3d9gl/device.h"
#include "d3d9gl/driverpin.h"
#include "d3d9gl/glformat.h"
#include "d3d9gl/glsurface.h"

#include <cstring>
#include <string>
#include <utility>

namespace d3d9gl
{
namespace
{

using Halvex::Base::Log;
using Halvex::Base::LOG_LEVEL_ERROR;

// Logs why no device can be made and leaves the same line where the program's start-up
// reads it to tell the user.
void ReportUnavailable(const std::string& reason)
{
    Log(LOG_MODULE, LOG_LEVEL_ERROR, "CreateDevice: %s", reason.c_str());
    ReportStartFailure(reason);
}

void CopyString(char* pDest, size_t size, const std::string& text)
{
    const size_t length = std::min(size - 1, text.size());
    std::memcpy(pDest, text.data(), length);
    pDest[length] = '\0';
}

} // namespace

void ReadContextRendererNames(std::string& renderer, std::string& vendor)
{
    if (const GLubyte* pRenderer = glGetString(GL_RENDERER))
        renderer = reinterpret_cast<const char*>(pRenderer);
    if (const GLubyte* pVendor = glGetString(GL_VENDOR))
        vendor = reinterpret_cast<const char*>(pVendor);
    if (const GLubyte* pVersion = glGetString(GL_VERSION))
        vendor += std::string(" ") + reinterpret_cast<const char*>(pVersion);
}

void Direct3D9::QueryRenderer()
{
    if (!m_Renderer.empty())
        return;
    m_Renderer = "OpenGL";
    QueryRendererNames(m_Renderer, m_Vendor);
}

HRESULT Direct3D9::GetAdapterIdentifier(UINT Adapter, DWORD, D3DADAPTER_IDENTIFIER9* pIdentifier)
{
    if (Adapter != 0 || !pIdentifier)
        return D3DERR_INVALIDCALL;
    QueryRenderer();
    *pIdentifier = {};
    CopyString(pIdentifier->Description, sizeof(pIdentifier->Description), m_Renderer);
    CopyString(pIdentifier->Driver, sizeof(pIdentifier->Driver), m_Vendor);
    CopyString(pIdentifier->DeviceName, sizeof(pIdentifier->DeviceName), "display0");
    return D3D_OK;
}

HRESULT Direct3D9::CheckDeviceMultiSampleType(UINT Adapter, D3DDEVTYPE, D3DFORMAT, BOOL,
                                              D3DMULTISAMPLE_TYPE MultiSampleType,
                                              DWORD* pQualityLevels)
{
    if (Adapter != 0)
        return D3DERR_INVALIDCALL;
    // The back buffer is a single-sampled framebuffer object.
    if (pQualityLevels)
        *pQualityLevels = MultiSampleType == D3DMULTISAMPLE_NONE ? 1 : 0;
    return MultiSampleType == D3DMULTISAMPLE_NONE ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HMONITOR Direct3D9::GetAdapterMonitor(UINT Adapter)
{
    // An opaque, non-null handle per adapter: display index + 1.
    return Adapter == 0 ? reinterpret_cast<HMONITOR>(uintptr_t(1)) : nullptr;
}

HRESULT Direct3D9::CheckDeviceFormat(UINT Adapter, D3DDEVTYPE, D3DFORMAT, DWORD Usage,
                                     D3DRESOURCETYPE, D3DFORMAT CheckFormat)
{
    if (Adapter != 0)
        return D3DERR_INVALIDCALL;
    if (Usage & D3DUSAGE_DEPTHSTENCIL)
        return GetGLDepthFormat(CheckFormat, false) ? D3D_OK : D3DERR_NOTAVAILABLE;
    // Both GL profiles hold the same formats, and the same ones render.
    const GLFormat_t* pFormat =
        GetGLFormat(CheckFormat, false, (Usage & D3DUSAGE_RENDERTARGET) != 0);
    if (!pFormat || ((Usage & D3DUSAGE_RENDERTARGET) && !pFormat->renderable))
        return D3DERR_NOTAVAILABLE;
    return D3D_OK;
}

HRESULT Direct3D9::CreateDevice(UINT Adapter, D3DDEVTYPE, HWND hFocusWindow, DWORD,
                                D3DPRESENT_PARAMETERS* pPresentationParameters,
                                IDirect3DDevice9** ppReturnedDeviceInterface)
{
    if (Adapter != 0 || !pPresentationParameters || !ppReturnedDeviceInterface)
        return D3DERR_INVALIDCALL;
    *ppReturnedDeviceInterface = nullptr;
    HWND window = hFocusWindow ? hFocusWindow : pPresentationParameters->hDeviceWindow;
    if (!window)
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "CreateDevice: no window");
        return D3DERR_INVALIDCALL;
    }
    std::string reason;
    std::unique_ptr<GLSurface> surface = CreateGLSurface(window, reason);
    if (!surface)
    {
        ReportUnavailable(reason);
        return D3DERR_NOTAVAILABLE;
    }
    KeepLoadedLibrariesUntilExit();
    auto* pDevice = new Device(this, std::move(surface));
    if (!pDevice->Initialize(*pPresentationParameters))
    {
        pDevice->Release();
        return D3DERR_NOTAVAILABLE;
    }
    *pPresentationParameters = pDevice->PresentParameters();
    *ppReturnedDeviceInterface = pDevice;
    return D3D_OK;
}

} // namespace d3d9gl

IDirect3D9* Direct3DCreate9(UINT SDKVersion)
{
    return SDKVersion == D3D_SDK_VERSION ? new d3d9gl::Direct3D9() : nullptr;
}
