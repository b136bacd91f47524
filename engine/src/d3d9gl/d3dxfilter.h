#pragma once
// How D3DX filter flags map to the image module's resampling filters.

#include "d3d9gl/d3dx9.h"
#include "d3d9gl/image/resample.h"

namespace d3d9gl
{

// D3DX_FILTER_NONE and POINT pick texels, LINEAR blends four, every other filter (the
// default TRIANGLE and BOX) averages the area a texel covers.
inline ResampleFilter ToResampleFilter(DWORD filter)
{
    switch (filter & 0xFF)
    {
    case D3DX_FILTER_NONE:
    case D3DX_FILTER_POINT:
        return RESAMPLE_POINT;
    case D3DX_FILTER_LINEAR:
        return RESAMPLE_LINEAR;
    default:
        return RESAMPLE_BOX;
    }
}

} // namespace d3d9gl
