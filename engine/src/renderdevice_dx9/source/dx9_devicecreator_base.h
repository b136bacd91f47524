#pragma once
// Creates the native Direct3D 9 device: presentation parameters, multisample checks, the
// adapter choice, the shader-model level and the video-memory figure. A platform variant
// makes the device for its window and supplies the video memory.

#include "d3d9gl/d3d9.h"
#include "rendercore/source/renderdevice/devicetypes.h"

#include <memory>

namespace Halvex::RenderCore
{

class Dx9DeviceCreatorBase
{
public:
    Dx9DeviceCreatorBase() = default;
    // Releases the native device.
    virtual ~Dx9DeviceCreatorBase();
    Dx9DeviceCreatorBase(const Dx9DeviceCreatorBase&) = delete;
    Dx9DeviceCreatorBase& operator=(const Dx9DeviceCreatorBase&) = delete;

    // Runs the creation steps; false (with the native device left null) on failure.
    bool Create(IDirect3D9* pDirect3D, const DeviceCreateParam* pParam);

    IDirect3DDevice9* GetDevice() const { return m_pDevice; }
    D3DPRESENT_PARAMETERS& GetPresentParameters() { return m_PresentParams; }
    // 0-3.
    int GetShaderModel() const { return m_ShaderModel; }
    // Local video memory in MB, 0 when unknown.
    int GetVideoMemorySize() const { return m_VideoMemorySize; }
    HWND GetWindow() const { return m_hWindow; }

protected:
    // Creates the device on the chosen adapter for the window; on failure raises its
    // assertion and leaves *ppDevice null.
    virtual bool CreateNativeDevice(UINT adapter, D3DDEVTYPE deviceType, DWORD behaviour,
                                    IDirect3DDevice9** ppDevice) = 0;
    // Local video memory in bytes of the created device, 0 when unknown.
    virtual uint64_t QueryVideoMemory() = 0;

    IDirect3D9* GetDirect3D() const { return m_pDirect3D; }

private:
    void ChooseAdapter(UINT* pAdapter, D3DDEVTYPE* pDeviceType);
    void ReadShaderModel();

    IDirect3D9* m_pDirect3D = nullptr;
    IDirect3DDevice9* m_pDevice = nullptr;
    D3DPRESENT_PARAMETERS m_PresentParams = {};
    int m_ShaderModel = 0;
    int m_VideoMemorySize = 0;
    HWND m_hWindow = nullptr;
    D3DCAPS9 m_Caps = {};
};

// The creator for the window of the platform the back end is built for (an SDL window, or the
// page's canvas); each platform folder defines it.
std::unique_ptr<Dx9DeviceCreatorBase> CreatePlatformDeviceCreator();

} // namespace Halvex::RenderCore
