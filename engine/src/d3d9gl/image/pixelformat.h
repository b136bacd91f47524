#pragma once
// What the image code knows of each texture format: element size, block compression and the
// pitches, sizes and mip chains that follow from them.

#include "d3d9gl/d3d9types.h"

#include <cstdint>

namespace d3d9gl
{

struct FormatInfo
{
    D3DFORMAT format;
    const char* name;
    UINT elementBytes;  // bytes per pixel, or per 4x4 block when compressed
    bool compressed;    // DXT1-DXT5: memory holds 4x4 blocks
    bool depth;         // depth-stencil formats have no texel codec
    bool alpha;         // the format stores an alpha channel
    bool floatingPoint; // 16- or 32-bit float channels
};

// The description of a supported format, or null for any other.
const FormatInfo* GetFormatInfo(D3DFORMAT format);

// Bytes of one row of pixels (of 4x4 blocks when compressed); 0 for an unsupported format.
UINT GetRowPitch(D3DFORMAT format, UINT width);

// Rows of pixels (of blocks when compressed) that make up a surface of the given height.
UINT GetRowCount(D3DFORMAT format, UINT height);

// Bytes of one tightly packed 2D surface; 0 for an unsupported format. 64-bit so that no
// product of checked dimensions can overflow.
uint64_t GetSurfaceSize(D3DFORMAT format, UINT width, UINT height);

// Size of one dimension at a mip level: halved per level, never below 1.
UINT GetLevelDimension(UINT size, UINT level);

// Levels of a full mip chain down to 1x1x1.
UINT LevelCount(UINT width, UINT height, UINT depth = 1);

} // namespace d3d9gl
