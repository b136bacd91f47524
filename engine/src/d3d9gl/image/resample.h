#pragma once
// Scaling of RGBA float images (4 floats per texel, row 0 first, slice after slice).

#include "d3d9gl/d3d9types.h"

#include <vector>

namespace d3d9gl
{

enum ResampleFilter
{
    RESAMPLE_POINT,  // nearest source texel to the destination texel's centre
    RESAMPLE_LINEAR, // bilinear between the four nearest texel centres, clamped at the edges
    RESAMPLE_BOX,    // area average: each destination texel averages the source it covers
    RESAMPLE_FILTER_MAX
};

// The next mip level: each dimension halved (never below 1), every texel the area average of
// its footprint. An odd dimension of n > 1 becomes n / 2 texels that each cover n / (n / 2)
// source texels, partly covered edge texels weighted by their share, so no source texel is
// dropped.
void BoxFilterDown(const float* pSrc, UINT width, UINT height, UINT depth, std::vector<float>& dst);

// An image of srcWidth x srcHeight scaled to dstWidth x dstHeight; each of its `depth`
// slices is scaled on its own.
void Resample(const float* pSrc, UINT srcWidth, UINT srcHeight, UINT dstWidth, UINT dstHeight,
              ResampleFilter filter, std::vector<float>& dst, UINT depth = 1);

} // namespace d3d9gl
