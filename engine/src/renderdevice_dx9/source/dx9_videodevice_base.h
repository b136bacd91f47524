#pragma once
// The back end's video device: holds the IDirect3D9 interface the render device is
// created from.

#include "d3d9gl/d3d9.h"
#include "rendercore/source/renderdevice/renderdevice.h"

namespace Halvex::RenderCore
{

class Dx9VideoDevice : public VideoDevice
{
public:
    // Creates the interface with Direct3DCreate9(D3D_SDK_VERSION).
    Dx9VideoDevice();
    // Adopts one reference of an existing interface (which may be null).
    explicit Dx9VideoDevice(IDirect3D9* pDirect3D);
    ~Dx9VideoDevice() override;
    Dx9VideoDevice(const Dx9VideoDevice&) = delete;
    Dx9VideoDevice& operator=(const Dx9VideoDevice&) = delete;

    IDirect3D9* GetDirect3D() const { return m_pDirect3D; }

private:
    IDirect3D9* m_pDirect3D;
};

} // namespace Halvex::RenderCore
