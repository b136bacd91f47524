#include "d3d9gl/image/pixelformat.h"

#include <algorithm>
#include <iterator>

namespace d3d9gl
{
namespace
{

// clang-format off
constexpr FormatInfo FORMATS[] = {
    // format                 name             bytes  compr  depth  alpha  float
    {D3DFMT_R8G8B8,          "R8G8B8",          3,  false, false, false, false},
    {D3DFMT_A8R8G8B8,        "A8R8G8B8",        4,  false, false, true,  false},
    {D3DFMT_X8R8G8B8,        "X8R8G8B8",        4,  false, false, false, false},
    {D3DFMT_R5G6B5,          "R5G6B5",          2,  false, false, false, false},
    {D3DFMT_X1R5G5B5,        "X1R5G5B5",        2,  false, false, false, false},
    {D3DFMT_A1R5G5B5,        "A1R5G5B5",        2,  false, false, true,  false},
    {D3DFMT_A4R4G4B4,        "A4R4G4B4",        2,  false, false, true,  false},
    {D3DFMT_A8,              "A8",              1,  false, false, true,  false},
    {D3DFMT_A8B8G8R8,        "A8B8G8R8",        4,  false, false, true,  false},
    {D3DFMT_X8B8G8R8,        "X8B8G8R8",        4,  false, false, false, false},
    {D3DFMT_G16R16,          "G16R16",          4,  false, false, false, false},
    {D3DFMT_A16B16G16R16,    "A16B16G16R16",    8,  false, false, true,  false},
    {D3DFMT_L8,              "L8",              1,  false, false, false, false},
    {D3DFMT_A8L8,            "A8L8",            2,  false, false, true,  false},
    {D3DFMT_L16,             "L16",             2,  false, false, false, false},
    {D3DFMT_DXT1,            "DXT1",            8,  true,  false, true,  false},
    {D3DFMT_DXT2,            "DXT2",            16, true,  false, true,  false},
    {D3DFMT_DXT3,            "DXT3",            16, true,  false, true,  false},
    {D3DFMT_DXT4,            "DXT4",            16, true,  false, true,  false},
    {D3DFMT_DXT5,            "DXT5",            16, true,  false, true,  false},
    {D3DFMT_R16F,            "R16F",            2,  false, false, false, true},
    {D3DFMT_G16R16F,         "G16R16F",         4,  false, false, false, true},
    {D3DFMT_A16B16G16R16F,   "A16B16G16R16F",   8,  false, false, true,  true},
    {D3DFMT_R32F,            "R32F",            4,  false, false, false, true},
    {D3DFMT_G32R32F,         "G32R32F",         8,  false, false, false, true},
    {D3DFMT_A32B32G32R32F,   "A32B32G32R32F",   16, false, false, true,  true},
    {D3DFMT_D24S8,           "D24S8",           4,  false, true,  false, false},
    {D3DFMT_D24X8,           "D24X8",           4,  false, true,  false, false},
    {D3DFMT_D16,             "D16",             2,  false, true,  false, false},
    {D3DFMT_D32,             "D32",             4,  false, true,  false, false},
};
// clang-format on

} // namespace

const FormatInfo* GetFormatInfo(D3DFORMAT format)
{
    auto it = std::find_if(std::begin(FORMATS), std::end(FORMATS),
                           [format](const FormatInfo& info) { return info.format == format; });
    return it == std::end(FORMATS) ? nullptr : &*it;
}

UINT GetRowPitch(D3DFORMAT format, UINT width)
{
    const FormatInfo* pInfo = GetFormatInfo(format);
    if (!pInfo)
        return 0;
    UINT elements = pInfo->compressed ? (width + 3) / 4 : width;
    return elements * pInfo->elementBytes;
}

UINT GetRowCount(D3DFORMAT format, UINT height)
{
    const FormatInfo* pInfo = GetFormatInfo(format);
    return pInfo && pInfo->compressed ? (height + 3) / 4 : height;
}

uint64_t GetSurfaceSize(D3DFORMAT format, UINT width, UINT height)
{
    const FormatInfo* pInfo = GetFormatInfo(format);
    if (!pInfo)
        return 0;
    uint64_t columns = pInfo->compressed ? (uint64_t(width) + 3) / 4 : width;
    uint64_t rows = pInfo->compressed ? (uint64_t(height) + 3) / 4 : height;
    return columns * rows * pInfo->elementBytes;
}

UINT GetLevelDimension(UINT size, UINT level)
{
    return level >= 32 ? 1 : std::max(1u, size >> level);
}

UINT LevelCount(UINT width, UINT height, UINT depth)
{
    UINT largest = std::max({width, height, depth, 1u});
    UINT levels = 1;
    while (largest > 1)
    {
        largest >>= 1;
        ++levels;
    }
    return levels;
}

} // namespace d3d9gl
