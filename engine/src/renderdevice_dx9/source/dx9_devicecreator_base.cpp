#include "renderdevice_dx9/source/dx9_devicecreator_base.h"

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "renderdevice_dx9/source/dx9_typeconverter.h"

#include <cstring>

namespace Halvex::RenderCore
{

Dx9DeviceCreatorBase::~Dx9DeviceCreatorBase()
{
    if (m_pDevice)
    {
        m_pDevice->Release();
    }
}

bool Dx9DeviceCreatorBase::Create(IDirect3D9* pDirect3D, const DeviceCreateParam* pParam)
{
    if (!pDirect3D)
    {
        Base::Log(RENDER_CORE_MODULE, Base::LOG_LEVEL_ERROR, "Can not Create Direct3D Interface");
        HX_RAISE("pDirect3D");
        return false;
    }
    if (!HX_ASSERT(pParam))
    {
        return false;
    }
    m_pDirect3D = pDirect3D;
    m_hWindow = static_cast<HWND>(pParam->m_pWindow);

    D3DPRESENT_PARAMETERS& params = m_PresentParams;
    params = {};
    params.BackBufferWidth = static_cast<UINT>(pParam->m_Width);
    params.BackBufferHeight = static_cast<UINT>(pParam->m_Height);
    params.BackBufferFormat =
        static_cast<D3DFORMAT>(ToNative(CONVERT_TEXTURE_FORMAT, pParam->m_BackBufferFormat));
    params.BackBufferCount = 1;
    params.MultiSampleType =
        static_cast<D3DMULTISAMPLE_TYPE>(ToNative(CONVERT_MULTISAMPLE, pParam->m_MultiSample));
    params.MultiSampleQuality = 0;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = pParam->m_FullScreen ? FALSE : TRUE;
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat =
        static_cast<D3DFORMAT>(ToNative(CONVERT_TEXTURE_FORMAT, pParam->m_DepthStencilFormat));
    params.Flags = 0;
    params.PresentationInterval =
        pParam->m_VSync ? D3DPRESENT_INTERVAL_DEFAULT : D3DPRESENT_INTERVAL_IMMEDIATE;

    for (D3DFORMAT format : {params.BackBufferFormat, params.AutoDepthStencilFormat})
    {
        if (FAILED(pDirect3D->CheckDeviceMultiSampleType(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, format,
                                                         params.Windowed, params.MultiSampleType,
                                                         nullptr)))
        {
            return false;
        }
    }

    UINT adapter = D3DADAPTER_DEFAULT;
    D3DDEVTYPE deviceType = D3DDEVTYPE_HAL;
    ChooseAdapter(&adapter, &deviceType);

    if (!CreateNativeDevice(adapter, deviceType, D3DCREATE_HARDWARE_VERTEXPROCESSING, &m_pDevice) ||
        !m_pDevice)
    {
        return false;
    }
    ReadShaderModel();
    m_VideoMemorySize = static_cast<int>(QueryVideoMemory() >> 20);
    return true;
}

// An adapter named "PerfHUD" is the performance analyser's: it only works with the
// reference device type in a window. The last such adapter wins.
void Dx9DeviceCreatorBase::ChooseAdapter(UINT* pAdapter, D3DDEVTYPE* pDeviceType)
{
    const UINT count = m_pDirect3D->GetAdapterCount();
    for (UINT adapter = 0; adapter < count; ++adapter)
    {
        D3DADAPTER_IDENTIFIER9 identifier = {};
        if (FAILED(m_pDirect3D->GetAdapterIdentifier(adapter, 0, &identifier)))
        {
            continue;
        }
        identifier.Description[sizeof(identifier.Description) - 1] = '\0';
        if (std::strstr(identifier.Description, "PerfHUD"))
        {
            *pAdapter = adapter;
            *pDeviceType = D3DDEVTYPE_REF;
            m_PresentParams.Windowed = TRUE;
        }
    }
}

void Dx9DeviceCreatorBase::ReadShaderModel()
{
    if (FAILED(m_pDevice->GetDeviceCaps(&m_Caps)))
    {
        return;
    }
    const DWORD vs = m_Caps.VertexShaderVersion;
    const DWORD ps = m_Caps.PixelShaderVersion;
    if (vs < D3DVS_VERSION(1, 1))
    {
        m_ShaderModel = 0;
    }
    else if (vs < D3DVS_VERSION(2, 0))
    {
        m_ShaderModel = 1;
    }
    else if (vs < D3DVS_VERSION(3, 0) && ps < D3DPS_VERSION(3, 0))
    {
        m_ShaderModel = 2;
    }
    else if (vs < D3DVS_VERSION(4, 0) && ps < D3DPS_VERSION(4, 0))
    {
        m_ShaderModel = 3;
    }
}

} // namespace Halvex::RenderCore
