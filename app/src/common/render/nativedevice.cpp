#include "common/render/nativedevice.h"

#include "renderdevice_dx9/source/dx9_renderdevice.h"

IDirect3DDevice9* GetD3D9GLDevice(Halvex::RenderCore::RenderDevice* pDevice)
{
    auto* pDx9 = dynamic_cast<Halvex::RenderCore::Dx9RenderDevice*>(pDevice);
    return pDx9 ? static_cast<IDirect3DDevice9*>(pDx9->GetNativeDevice()) : nullptr;
}
