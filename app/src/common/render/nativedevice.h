#pragma once
// The d3d9gl device under the Direct3D 9 back end, for d3d9gl's own extensions (counters,
// shader logs).

#include "d3d9gl/d3d9.h"

namespace Halvex::RenderCore
{
class RenderDevice;
}

// Null for no device, for another back end, or when the native device was not created.
IDirect3DDevice9* GetD3D9GLDevice(Halvex::RenderCore::RenderDevice* pDevice);
