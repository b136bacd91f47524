#include "d3d9gl/image/image.h"

#include "d3d9gl/image/pixelformat.h"

#include <cstddef>

namespace d3d9gl
{

bool SurfaceFits(D3DFORMAT format, const ImageSurface& s)
{
    const UINT tightPitch = GetRowPitch(format, s.width);
    const UINT rows = GetRowCount(format, s.height);
    if (tightPitch == 0 || rows == 0 || s.depth == 0 || s.rowPitch < tightPitch ||
        uint64_t(s.slicePitch) < uint64_t(s.rowPitch) * (rows - 1) + tightPitch)
        return false;
    const uint64_t needed =
        uint64_t(s.slicePitch) * (s.depth - 1) + uint64_t(s.rowPitch) * (rows - 1) + tightPitch;
    return s.bytes.size() >= needed;
}

bool MakeSurface(D3DFORMAT format, UINT width, UINT height, UINT depth, ImageSurface& out)
{
    if (!GetFormatInfo(format) || width == 0 || height == 0 || depth == 0)
        return false;
    out.width = width;
    out.height = height;
    out.depth = depth;
    out.rowPitch = GetRowPitch(format, width);
    out.slicePitch = out.rowPitch * GetRowCount(format, height);
    out.bytes.assign(std::size_t(out.slicePitch) * depth, 0);
    return true;
}

} // namespace d3d9gl
