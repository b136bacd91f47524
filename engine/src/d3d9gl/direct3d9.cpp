#include "d3d9gl/direct3d9.h"

#include "base/source/system/logger.h"
#include "d3d9gl/device.h"
#include "d3d9gl/driverpin.h"
#include "d3d9gl/glformat.h"

#include <SDL2/SDL.h>
#include <epoxy/gl.h>

#include <cstring>
#include <string>

namespace d3d9gl
{
namespace
{

using Halvex::Base::Log;
using Halvex::Base::LOG_LEVEL_ERROR;

void RequestCoreContext()
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
}

// The version a context of the driver's own choosing reports ("2.1 Mesa ..."), for a message
// that says what the driver offers; empty when it offers no context at all.
std::string OfferedVersion(SDL_Window* pWindow)
{
    SDL_GL_ResetAttributes();
    std::string version;
    if (SDL_GLContext context = SDL_GL_CreateContext(pWindow))
    {
        if (const GLubyte* pVersion = glGetString(GL_VERSION))
            version = reinterpret_cast<const char*>(pVersion);
        SDL_GL_DeleteContext(context);
    }
    RequestCoreContext();
    return version;
}

// Logs why no device can be made and leaves the same line as SDL's error, where the
// program's start-up reads it to tell the user.
void ReportUnavailable(const std::string& reason)
{
    Log(LOG_MODULE, LOG_LEVEL_ERROR, "CreateDevice: %s", reason.c_str());
    SDL_SetError("%s", reason.c_str());
}

void CopyString(char* pDest, size_t size, const std::string& text)
{
    const size_t length = std::min(size - 1, text.size());
    std::memcpy(pDest, text.data(), length);
    pDest[length] = '\0';
}

} // namespace

void Direct3D9::QueryRenderer()
{
    if (!m_Renderer.empty())
        return;
    m_Renderer = "OpenGL";
    const bool startedVideo = !SDL_WasInit(SDL_INIT_VIDEO);
    if (startedVideo && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return;
    SDL_Window* pPreviousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    RequestCoreContext();
    SDL_Window* pWindow = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (pWindow)
    {
        if (SDL_GLContext context = SDL_GL_CreateContext(pWindow))
        {
            if (const GLubyte* pRenderer = glGetString(GL_RENDERER))
                m_Renderer = reinterpret_cast<const char*>(pRenderer);
            if (const GLubyte* pVendor = glGetString(GL_VENDOR))
                m_Vendor = reinterpret_cast<const char*>(pVendor);
            if (const GLubyte* pVersion = glGetString(GL_VERSION))
                m_Vendor += std::string(" ") + reinterpret_cast<const char*>(pVersion);
            SDL_GL_DeleteContext(context);
        }
        SDL_DestroyWindow(pWindow);
    }
    if (previousContext)
        SDL_GL_MakeCurrent(pPreviousWindow, previousContext);
    if (startedVideo)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
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
        return GetGLDepthFormat(CheckFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
    const GLFormat_t* pFormat = GetGLFormat(CheckFormat);
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
    auto* pWindow = reinterpret_cast<SDL_Window*>(window);
    if (!pWindow)
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "CreateDevice: no window");
        return D3DERR_INVALIDCALL;
    }
    RequestCoreContext();
    SDL_GLContext context = SDL_GL_CreateContext(pWindow);
    const char* pRequired = "OpenGL 3.3 core profile is required; ";
    if (!context)
    {
        const std::string reason = SDL_GetError();
        const std::string offered = OfferedVersion(pWindow);
        ReportUnavailable(pRequired + (offered.empty()
                                           ? "the driver offers no OpenGL context (" + reason + ")"
                                           : "this driver offers " + offered));
        return D3DERR_NOTAVAILABLE;
    }
    if (epoxy_gl_version() < 33)
    {
        const auto* pVersion = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        SDL_GL_DeleteContext(context);
        ReportUnavailable(std::string(pRequired) + "this driver offers " +
                          (pVersion ? pVersion : "an unknown version"));
        return D3DERR_NOTAVAILABLE;
    }
    KeepLoadedLibrariesUntilExit();
    auto* pDevice = new Device(this, pWindow, context);
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
