#include "renderdevice_dx9/source/dx9_videodevice_base.h"

namespace Halvex::RenderCore
{

Dx9VideoDevice::Dx9VideoDevice() : m_pDirect3D(Direct3DCreate9(D3D_SDK_VERSION)) {}

Dx9VideoDevice::Dx9VideoDevice(IDirect3D9* pDirect3D) : m_pDirect3D(pDirect3D) {}

Dx9VideoDevice::~Dx9VideoDevice()
{
    if (m_pDirect3D)
    {
        m_pDirect3D->Release();
    }
}

} // namespace Halvex::RenderCore
