#pragma once
// What the Direct3D 9 device has bound, as the back end last set it.
//
// Every bind compares against this record first, so binding what is already bound costs a
// compare and no native call. A slot marked "not known" always reaches the device.

#include "d3d9gl/d3d9.h"
#include "rendercore/source/renderdevice/renderenums.h"

#include <cstdint>

namespace Halvex::RenderCore
{

inline constexpr int DX9_STREAM_MAX = 4;
inline constexpr int DX9_PIXEL_SAMPLER_MAX = 16;
inline constexpr int DX9_VERTEX_SAMPLER_MAX = 4;
inline constexpr int DX9_SAMPLER_SLOT_MAX = DX9_PIXEL_SAMPLER_MAX + DX9_VERTEX_SAMPLER_MAX;

// The seven sampler states in engine order: min, mag and mip filter, address U, V and W,
// border colour.
inline constexpr int DX9_SAMPLER_STATE_MAX = 7;
inline constexpr D3DSAMPLERSTATETYPE DX9_SAMPLER_STATES[DX9_SAMPLER_STATE_MAX] = {
    D3DSAMP_MINFILTER, D3DSAMP_MAGFILTER, D3DSAMP_MIPFILTER,   D3DSAMP_ADDRESSU,
    D3DSAMP_ADDRESSV,  D3DSAMP_ADDRESSW,  D3DSAMP_BORDERCOLOR,
};

struct Dx9SamplerSlot_t
{
    IDirect3DBaseTexture9* m_pTexture = nullptr;
    DWORD m_States[DX9_SAMPLER_STATE_MAX] = {};
    bool m_StateKnown[DX9_SAMPLER_STATE_MAX] = {};
};

// A vertex stream: the same buffer at another offset or stride is another binding.
struct Dx9Stream_t
{
    IDirect3DVertexBuffer9* m_pBuffer = nullptr;
    UINT m_Offset = 0;
    UINT m_Stride = 0;

    bool operator==(const Dx9Stream_t&) const = default;
};

struct Dx9BoundState
{
    IDirect3DVertexDeclaration9* m_pDeclaration = nullptr;
    Dx9Stream_t m_Streams[DX9_STREAM_MAX];
    IDirect3DIndexBuffer9* m_pIndices = nullptr;
    // Pixel samplers 0-15, then vertex samplers 257-260.
    Dx9SamplerSlot_t m_Samplers[DX9_SAMPLER_SLOT_MAX];
    IDirect3DVertexShader9* m_pVertexShader = nullptr;
    IDirect3DPixelShader9* m_pPixelShader = nullptr;
    uint32_t m_RenderStates[RS_MAX] = {};
    bool m_RenderStateKnown[RS_MAX] = {};

    // Slot of a native sampler number, -1 for one outside both ranges.
    static int SamplerSlot(DWORD sampler)
    {
        if (sampler < DX9_PIXEL_SAMPLER_MAX)
        {
            return static_cast<int>(sampler);
        }
        if (sampler >= D3DVERTEXTEXTURESAMPLER0 && sampler <= D3DVERTEXTEXTURESAMPLER3)
        {
            return DX9_PIXEL_SAMPLER_MAX + static_cast<int>(sampler - D3DVERTEXTEXTURESAMPLER0);
        }
        return -1;
    }

    static DWORD SlotSampler(int slot)
    {
        return slot < DX9_PIXEL_SAMPLER_MAX
                   ? static_cast<DWORD>(slot)
                   : static_cast<DWORD>(D3DVERTEXTEXTURESAMPLER0 + slot - DX9_PIXEL_SAMPLER_MAX);
    }
};

} // namespace Halvex::RenderCore
