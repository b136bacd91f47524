#pragma once
// IDirect3D9 over GL: one adapter, the GL renderer as its description.

#include "d3d9gl/d3d9.h"
#include "d3d9gl/refcounted.h"

#include <string>

namespace d3d9gl
{

class Direct3D9 final : public RefCounted<IDirect3D9>
{
public:
    UINT GetAdapterCount() override { return 1; }
    HRESULT GetAdapterIdentifier(UINT Adapter, DWORD Flags,
                                 D3DADAPTER_IDENTIFIER9* pIdentifier) override;
    HRESULT CheckDeviceMultiSampleType(UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT SurfaceFormat,
                                       BOOL Windowed, D3DMULTISAMPLE_TYPE MultiSampleType,
                                       DWORD* pQualityLevels) override;
    HMONITOR GetAdapterMonitor(UINT Adapter) override;
    HRESULT CheckDeviceFormat(UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT AdapterFormat,
                              DWORD Usage, D3DRESOURCETYPE RType, D3DFORMAT CheckFormat) override;
    HRESULT CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow,
                         DWORD BehaviorFlags, D3DPRESENT_PARAMETERS* pPresentationParameters,
                         IDirect3DDevice9** ppReturnedDeviceInterface) override;

private:
    // Reads the GL renderer and vendor through a short-lived hidden window and context.
    void QueryRenderer();

    std::string m_Renderer;
    std::string m_Vendor;
};

} // namespace d3d9gl
