#pragma once
// An image in memory: a texture's surfaces as the file or the device lays them out.

#include "d3d9gl/d3d9types.h"

#include <cstdint>
#include <vector>

namespace d3d9gl
{

// One mip level of one face (a whole volume level for volume images). Row 0 is the top row;
// a row of a compressed format is a row of 4x4 blocks. What this module makes is tightly
// packed (rowPitch = GetRowPitch(format, width), slicePitch = rowPitch * GetRowCount(format,
// height), bytes.size() = slicePitch * depth); what it reads may pad rows and slices.
struct ImageSurface
{
    UINT width = 0;
    UINT height = 0;
    UINT depth = 1;
    UINT rowPitch = 0;
    UINT slicePitch = 0;
    std::vector<uint8_t> bytes;
};

struct Image
{
    enum Kind
    {
        TEXTURE_2D,
        CUBE,
        VOLUME,
        KIND_MAX
    };

    D3DFORMAT format = D3DFMT_UNKNOWN;
    Kind kind = TEXTURE_2D;
    UINT levelCount = 0;
    // Face-major: surfaces[face * levelCount + level]. Six faces for a cube in the order
    // +X, -X, +Y, -Y, +Z, -Z; one face otherwise.
    std::vector<ImageSurface> surfaces;

    UINT FaceCount() const { return kind == CUBE ? 6 : 1; }
    const ImageSurface& Surface(UINT face, UINT level) const
    {
        return surfaces[face * levelCount + level];
    }
    ImageSurface& Surface(UINT face, UINT level) { return surfaces[face * levelCount + level]; }
};

// True when the surface's pitches and bytes cover its width x height x depth texels of format
// (rows and slices may be padded beyond the tight layout).
bool SurfaceFits(D3DFORMAT format, const ImageSurface& surface);

// A zero-filled surface of the format's tight layout, or false for an unsupported format.
bool MakeSurface(D3DFORMAT format, UINT width, UINT height, UINT depth, ImageSurface& out);

} // namespace d3d9gl
