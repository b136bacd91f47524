#include "d3d9gl/image/surfacecodec.h"

#include "d3d9gl/image/dxt.h"
#include "d3d9gl/image/halffloat.h"
#include "d3d9gl/image/pixelformat.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace d3d9gl
{
namespace
{

template <typename T> T Load(const uint8_t* p)
{
    T value;
    std::memcpy(&value, p, sizeof(T));
    return value;
}

template <typename T> void Store(uint8_t* p, T value)
{
    std::memcpy(p, &value, sizeof(T));
}

float Unorm(uint32_t bits, uint32_t shift, uint32_t width)
{
    uint32_t max = (1u << width) - 1;
    return float((bits >> shift) & max) / float(max);
}

float Luminance(const float* pRgba)
{
    return 0.2126f * pRgba[0] + 0.7152f * pRgba[1] + 0.0722f * pRgba[2];
}

// Formats whose texel is one little-endian word of packed unsigned normalised fields. For
// the luminance formats the red field is the luminance: read into red, green and blue (zero
// without one), written from the weighted sum of red, green and blue.
struct Field_t
{
    uint8_t shift;
    uint8_t width; // 0: the format lacks the channel
};

struct PackedFormat_t
{
    D3DFORMAT format;
    UINT bytes;
    Field_t rgba[4];
    Field_t padding; // written as ones
    bool luminance;
};

// clang-format off
constexpr PackedFormat_t PACKED_FORMATS[] = {
    {D3DFMT_A8R8G8B8, 4, {{16, 8}, {8, 8}, {0, 8},  {24, 8}}, {},       false},
    {D3DFMT_X8R8G8B8, 4, {{16, 8}, {8, 8}, {0, 8},  {}},      {24, 8},  false},
    {D3DFMT_A8B8G8R8, 4, {{0, 8},  {8, 8}, {16, 8}, {24, 8}}, {},       false},
    {D3DFMT_X8B8G8R8, 4, {{0, 8},  {8, 8}, {16, 8}, {}},      {24, 8},  false},
    {D3DFMT_R8G8B8,   3, {{16, 8}, {8, 8}, {0, 8},  {}},      {},       false},
    {D3DFMT_R5G6B5,   2, {{11, 5}, {5, 6}, {0, 5},  {}},      {},       false},
    {D3DFMT_X1R5G5B5, 2, {{10, 5}, {5, 5}, {0, 5},  {}},      {15, 1},  false},
    {D3DFMT_A1R5G5B5, 2, {{10, 5}, {5, 5}, {0, 5},  {15, 1}}, {},       false},
    {D3DFMT_A4R4G4B4, 2, {{8, 4},  {4, 4}, {0, 4},  {12, 4}}, {},       false},
    {D3DFMT_A8,       1, {{},      {},     {},      {0, 8}},  {},       true},
    {D3DFMT_L8,       1, {{0, 8},  {},     {},      {}},      {},       true},
    {D3DFMT_A8L8,     2, {{0, 8},  {},     {},      {8, 8}},  {},       true},
    {D3DFMT_L16,      2, {{0, 16}, {},     {},      {}},      {},       true},
};
// clang-format on

// Formats whose texel is an array of equal channels, red first.
enum ChannelType_t
{
    CHANNEL_UNORM16,
    CHANNEL_HALF,
    CHANNEL_FLOAT,
};

struct ArrayFormat_t
{
    D3DFORMAT format;
    ChannelType_t type;
    int channels;
};

constexpr ArrayFormat_t ARRAY_FORMATS[] = {
    {D3DFMT_G16R16, CHANNEL_UNORM16, 2},     {D3DFMT_A16B16G16R16, CHANNEL_UNORM16, 4},
    {D3DFMT_R16F, CHANNEL_HALF, 1},          {D3DFMT_G16R16F, CHANNEL_HALF, 2},
    {D3DFMT_A16B16G16R16F, CHANNEL_HALF, 4}, {D3DFMT_R32F, CHANNEL_FLOAT, 1},
    {D3DFMT_G32R32F, CHANNEL_FLOAT, 2},      {D3DFMT_A32B32G32R32F, CHANNEL_FLOAT, 4},
};

template <typename Entry, size_t N>
const Entry* FindFormat(const Entry (&table)[N], D3DFORMAT format)
{
    for (const Entry& entry : table)
    {
        if (entry.format == format)
            return &entry;
    }
    return nullptr;
}

void DecodePacked(const PackedFormat_t& layout, const uint8_t* p, float* pOut)
{
    uint32_t bits = 0;
    std::memcpy(&bits, p, layout.bytes);
    for (int c = 0; c < 4; ++c)
    {
        if (layout.rgba[c].width)
            pOut[c] = Unorm(bits, layout.rgba[c].shift, layout.rgba[c].width);
    }
    if (layout.luminance)
        pOut[1] = pOut[2] = pOut[0] = layout.rgba[0].width ? pOut[0] : 0.0f;
}

void EncodePacked(const PackedFormat_t& layout, const float* pIn, uint8_t* p)
{
    uint32_t bits = 0;
    for (int c = 0; c < 4; ++c)
    {
        if (layout.rgba[c].width)
            bits |= PackUnorm(layout.luminance && c == 0 ? Luminance(pIn) : pIn[c],
                              layout.rgba[c].shift, layout.rgba[c].width);
    }
    if (layout.padding.width)
        bits |= PackUnorm(1.0f, layout.padding.shift, layout.padding.width);
    std::memcpy(p, &bits, layout.bytes);
}

void DecodeArray(const ArrayFormat_t& layout, const uint8_t* p, float* pOut)
{
    for (int c = 0; c < layout.channels; ++c)
    {
        if (layout.type == CHANNEL_UNORM16)
            pOut[c] = Unorm(Load<uint16_t>(p + 2 * c), 0, 16);
        else if (layout.type == CHANNEL_HALF)
            pOut[c] = HalfToFloat(Load<uint16_t>(p + 2 * c));
        else
            pOut[c] = Load<float>(p + 4 * c);
    }
}

void EncodeArray(const ArrayFormat_t& layout, const float* pIn, uint8_t* p)
{
    for (int c = 0; c < layout.channels; ++c)
    {
        if (layout.type == CHANNEL_UNORM16)
            Store<uint16_t>(p + 2 * c, uint16_t(PackUnorm(pIn[c], 0, 16)));
        else if (layout.type == CHANNEL_HALF)
            Store<uint16_t>(p + 2 * c, FloatToHalf(pIn[c]));
        else
            Store<float>(p + 4 * c, pIn[c]);
    }
}

// One row of texels into floats; channels a format lacks read as 1 (colour of A8: 0).
void DecodeRow(D3DFORMAT format, const uint8_t* pRow, UINT width, UINT elementBytes, float* pOut)
{
    const PackedFormat_t* pPacked = FindFormat(PACKED_FORMATS, format);
    const ArrayFormat_t* pArray = FindFormat(ARRAY_FORMATS, format);
    for (UINT x = 0; x < width; ++x, pRow += elementBytes, pOut += 4)
    {
        std::fill(pOut, pOut + 4, 1.0f);
        if (pPacked)
            DecodePacked(*pPacked, pRow, pOut);
        else if (pArray)
            DecodeArray(*pArray, pRow, pOut);
    }
}

void EncodeRow(D3DFORMAT format, const float* pIn, UINT width, UINT elementBytes, uint8_t* pRow)
{
    const PackedFormat_t* pPacked = FindFormat(PACKED_FORMATS, format);
    const ArrayFormat_t* pArray = FindFormat(ARRAY_FORMATS, format);
    for (UINT x = 0; x < width; ++x, pIn += 4, pRow += elementBytes)
    {
        if (pPacked)
            EncodePacked(*pPacked, pIn, pRow);
        else if (pArray)
            EncodeArray(*pArray, pIn, pRow);
    }
}

void DecodeBlock(D3DFORMAT format, const uint8_t* pBlock, uint8_t* pTexels)
{
    if (format == D3DFMT_DXT1)
    {
        DecodeDxtColorBlock(pBlock, true, pTexels);
        return;
    }
    DecodeDxtColorBlock(pBlock + 8, false, pTexels);
    if (format == D3DFMT_DXT2 || format == D3DFMT_DXT3)
        DecodeDxtExplicitAlphaBlock(pBlock, pTexels);
    else
        DecodeDxtAlphaBlock(pBlock, pTexels);
}

void EncodeBlock(D3DFORMAT format, const uint8_t* pTexels, uint8_t* pBlock)
{
    if (format == D3DFMT_DXT1)
        EncodeDxt1Block(pTexels, pBlock);
    else if (format == D3DFMT_DXT3)
        EncodeDxt3Block(pTexels, pBlock);
    else
        EncodeDxt5Block(pTexels, pBlock);
}

uint8_t ToByte(float value)
{
    return uint8_t(PackUnorm(value, 0, 8));
}

// One slice of compressed blocks into floats.
void DecodeBlocks(D3DFORMAT format, const uint8_t* pSlice, UINT rowPitch, UINT width, UINT height,
                  UINT elementBytes, float* pOut)
{
    uint8_t texels[64];
    for (UINT by = 0; by < height; by += 4)
    {
        for (UINT bx = 0; bx < width; bx += 4)
        {
            DecodeBlock(format, pSlice + (by / 4) * rowPitch + (bx / 4) * elementBytes, texels);
            for (UINT y = by; y < std::min(by + 4, height); ++y)
            {
                for (UINT x = bx; x < std::min(bx + 4, width); ++x)
                {
                    const uint8_t* pTexel = texels + ((y - by) * 4 + (x - bx)) * 4;
                    for (int c = 0; c < 4; ++c)
                        pOut[(size_t(y) * width + x) * 4 + c] = pTexel[c] / 255.0f;
                }
            }
        }
    }
}

// One slice of floats into compressed blocks; partial edge blocks repeat the last row and column.
void EncodeBlocks(D3DFORMAT format, const float* pIn, UINT width, UINT height, UINT rowPitch,
                  UINT elementBytes, uint8_t* pSlice)
{
    uint8_t texels[64];
    for (UINT by = 0; by < height; by += 4)
    {
        for (UINT bx = 0; bx < width; bx += 4)
        {
            for (UINT i = 0; i < 16; ++i)
            {
                UINT x = std::min(bx + i % 4, width - 1);
                UINT y = std::min(by + i / 4, height - 1);
                for (int c = 0; c < 4; ++c)
                    texels[i * 4 + c] = ToByte(pIn[(size_t(y) * width + x) * 4 + c]);
            }
            EncodeBlock(format, texels, pSlice + (by / 4) * rowPitch + (bx / 4) * elementBytes);
        }
    }
}

} // namespace

uint32_t PackUnorm(float value, uint32_t shift, uint32_t width)
{
    uint32_t max = (1u << width) - 1;
    float clamped = std::isnan(value) ? 0.0f : std::clamp(value, 0.0f, 1.0f);
    return uint32_t(std::lround(clamped * float(max))) << shift;
}

bool DecodeSurface(D3DFORMAT format, const ImageSurface& surface, std::vector<float>& rgba)
{
    const FormatInfo* pInfo = GetFormatInfo(format);
    if (!pInfo || pInfo->depth || !SurfaceFits(format, surface))
        return false;

    const size_t sliceTexels = size_t(surface.width) * surface.height;
    rgba.resize(sliceTexels * surface.depth * 4);
    for (UINT z = 0; z < surface.depth; ++z)
    {
        const uint8_t* pSlice = surface.bytes.data() + size_t(z) * surface.slicePitch;
        float* pOut = rgba.data() + z * sliceTexels * 4;
        if (pInfo->compressed)
        {
            DecodeBlocks(format, pSlice, surface.rowPitch, surface.width, surface.height,
                         pInfo->elementBytes, pOut);
            continue;
        }
        for (UINT y = 0; y < surface.height; ++y)
            DecodeRow(format, pSlice + size_t(y) * surface.rowPitch, surface.width,
                      pInfo->elementBytes, pOut + size_t(y) * surface.width * 4);
    }
    return true;
}

bool EncodeSurface(D3DFORMAT format, const float* pRgba, UINT width, UINT height, ImageSurface& out,
                   UINT depth)
{
    const FormatInfo* pInfo = GetFormatInfo(format);
    if (!pInfo || pInfo->depth || format == D3DFMT_DXT2 || format == D3DFMT_DXT4 || !pRgba)
        return false;
    if (!MakeSurface(format, width, height, depth, out))
        return false;

    const size_t sliceTexels = size_t(width) * height;
    for (UINT z = 0; z < depth; ++z)
    {
        uint8_t* pSlice = out.bytes.data() + size_t(z) * out.slicePitch;
        const float* pIn = pRgba + z * sliceTexels * 4;
        if (pInfo->compressed)
        {
            EncodeBlocks(format, pIn, width, height, out.rowPitch, pInfo->elementBytes, pSlice);
            continue;
        }
        for (UINT y = 0; y < height; ++y)
            EncodeRow(format, pIn + size_t(y) * width * 4, width, pInfo->elementBytes,
                      pSlice + size_t(y) * out.rowPitch);
    }
    return true;
}

bool ConvertSurface(D3DFORMAT srcFormat, const ImageSurface& src, D3DFORMAT dstFormat,
                    ImageSurface& out)
{
    std::vector<float> rgba;
    return DecodeSurface(srcFormat, src, rgba) &&
           EncodeSurface(dstFormat, rgba.data(), src.width, src.height, out, src.depth);
}

bool ConvertImage(Image& image, D3DFORMAT format)
{
    std::vector<ImageSurface> converted(image.surfaces.size());
    for (size_t i = 0; i < image.surfaces.size(); ++i)
    {
        if (!ConvertSurface(image.format, image.surfaces[i], format, converted[i]))
            return false;
    }
    image.surfaces = std::move(converted);
    image.format = format;
    return true;
}

} // namespace d3d9gl
