#include "d3d9gl/image/image.h"

#include "d3d9gl/image/pixelformat.h"

#include <cstddef>

namespace d3d9gl
{

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
