#include "d3d9gl/image/resample.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace d3d9gl
{
namespace
{

struct Tap
{
    UINT index;
    float weight;
};

using Dims = std::array<UINT, 3>;

// For each destination position along one axis, the source positions it reads and their
// weights. Positions map by texel centres: destination i covers [i, i + 1) * from / to.
std::vector<std::vector<Tap>> BuildTaps(UINT from, UINT to, ResampleFilter filter)
{
    std::vector<std::vector<Tap>> taps(to);
    const double scale = double(from) / double(to);
    for (UINT i = 0; i < to; ++i)
    {
        if (filter == RESAMPLE_POINT)
        {
            UINT source = std::min(UINT((i + 0.5) * scale), from - 1);
            taps[i].push_back({source, 1.0f});
        }
        else if (filter == RESAMPLE_LINEAR)
        {
            double centre = std::max((i + 0.5) * scale - 0.5, 0.0);
            UINT first = std::min(UINT(centre), from - 1);
            UINT second = std::min(first + 1, from - 1);
            float fraction = float(centre - first);
            taps[i].push_back({first, 1.0f - fraction});
            if (fraction > 0.0f)
                taps[i].push_back({second, fraction});
        }
        else
        {
            double begin = i * scale;
            double end = (i + 1) * scale;
            for (UINT s = UINT(begin); s < from && s < end; ++s)
            {
                double covered = std::min(end, s + 1.0) - std::max(begin, double(s));
                if (covered > 0.0)
                    taps[i].push_back({s, float(covered / scale)});
            }
        }
    }
    return taps;
}

// Resamples a dims[0] x dims[1] x dims[2] image along one axis to newSize texels.
void ResampleAxis(const float* pSrc, const Dims& dims, int axis, UINT newSize,
                  ResampleFilter filter, std::vector<float>& dst)
{
    const std::vector<std::vector<Tap>> taps = BuildTaps(dims[axis], newSize, filter);
    Dims out = dims;
    out[axis] = newSize;
    const size_t strides[3] = {1, dims[0], size_t(dims[0]) * dims[1]};
    dst.assign(size_t(out[0]) * out[1] * out[2] * 4, 0.0f);
    float* pDst = dst.data();
    for (UINT z = 0; z < out[2]; ++z)
    {
        for (UINT y = 0; y < out[1]; ++y)
        {
            for (UINT x = 0; x < out[0]; ++x, pDst += 4)
            {
                const Dims at = {x, y, z};
                size_t base =
                    x * strides[0] + y * strides[1] + z * strides[2] - at[axis] * strides[axis];
                for (const Tap& tap : taps[at[axis]])
                {
                    const float* pTexel = pSrc + (base + tap.index * strides[axis]) * 4;
                    for (int c = 0; c < 4; ++c)
                        pDst[c] += pTexel[c] * tap.weight;
                }
            }
        }
    }
}

void ResampleImage(const float* pSrc, Dims dims, const Dims& target, ResampleFilter filter,
                   std::vector<float>& dst)
{
    if (!pSrc || std::find(dims.begin(), dims.end(), 0u) != dims.end() ||
        std::find(target.begin(), target.end(), 0u) != target.end())
    {
        dst.clear();
        return;
    }
    dst.assign(pSrc, pSrc + size_t(dims[0]) * dims[1] * dims[2] * 4);
    std::vector<float> scratch;
    for (int axis = 0; axis < 3; ++axis)
    {
        if (dims[axis] == target[axis])
            continue;
        ResampleAxis(dst.data(), dims, axis, target[axis], filter, scratch);
        dims[axis] = target[axis];
        dst.swap(scratch);
    }
}

} // namespace

void BoxFilterDown(const float* pSrc, UINT width, UINT height, UINT depth, std::vector<float>& dst)
{
    const Dims target = {std::max(1u, width / 2), std::max(1u, height / 2),
                         std::max(1u, depth / 2)};
    ResampleImage(pSrc, {width, height, depth}, target, RESAMPLE_BOX, dst);
}

void Resample(const float* pSrc, UINT srcWidth, UINT srcHeight, UINT dstWidth, UINT dstHeight,
              ResampleFilter filter, std::vector<float>& dst, UINT depth)
{
    ResampleImage(pSrc, {srcWidth, srcHeight, depth}, {dstWidth, dstHeight, depth}, filter, dst);
}

} // namespace d3d9gl
