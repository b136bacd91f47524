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

void DecodeTexel(D3DFORMAT format, const uint8_t* p, float* pOut)
{
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
    switch (format)
    {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
    {
        uint32_t v = Load<uint32_t>(p);
        r = Unorm(v, 16, 8), g = Unorm(v, 8, 8), b = Unorm(v, 0, 8);
        a = format == D3DFMT_A8R8G8B8 ? Unorm(v, 24, 8) : 1.0f;
        break;
    }
    case D3DFMT_A8B8G8R8:
    case D3DFMT_X8B8G8R8:
    {
        uint32_t v = Load<uint32_t>(p);
        r = Unorm(v, 0, 8), g = Unorm(v, 8, 8), b = Unorm(v, 16, 8);
        a = format == D3DFMT_A8B8G8R8 ? Unorm(v, 24, 8) : 1.0f;
        break;
    }
    case D3DFMT_R8G8B8:
        r = Unorm(p[2], 0, 8), g = Unorm(p[1], 0, 8), b = Unorm(p[0], 0, 8);
        break;
    case D3DFMT_R5G6B5:
    {
        uint32_t v = Load<uint16_t>(p);
        r = Unorm(v, 11, 5), g = Unorm(v, 5, 6), b = Unorm(v, 0, 5);
        break;
    }
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
    {
        uint32_t v = Load<uint16_t>(p);
        r = Unorm(v, 10, 5), g = Unorm(v, 5, 5), b = Unorm(v, 0, 5);
        a = format == D3DFMT_A1R5G5B5 ? Unorm(v, 15, 1) : 1.0f;
        break;
    }
    case D3DFMT_A4R4G4B4:
    {
        uint32_t v = Load<uint16_t>(p);
        r = Unorm(v, 8, 4), g = Unorm(v, 4, 4), b = Unorm(v, 0, 4), a = Unorm(v, 12, 4);
        break;
    }
    case D3DFMT_A8:
        r = g = b = 0.0f;
        a = Unorm(p[0], 0, 8);
        break;
    case D3DFMT_L8:
        r = g = b = Unorm(p[0], 0, 8);
        break;
    case D3DFMT_A8L8:
        r = g = b = Unorm(p[0], 0, 8);
        a = Unorm(p[1], 0, 8);
        break;
    case D3DFMT_L16:
        r = g = b = Unorm(Load<uint16_t>(p), 0, 16);
        break;
    case D3DFMT_G16R16:
        r = Unorm(Load<uint16_t>(p), 0, 16), g = Unorm(Load<uint16_t>(p + 2), 0, 16);
        break;
    case D3DFMT_A16B16G16R16:
        r = Unorm(Load<uint16_t>(p), 0, 16), g = Unorm(Load<uint16_t>(p + 2), 0, 16);
        b = Unorm(Load<uint16_t>(p + 4), 0, 16), a = Unorm(Load<uint16_t>(p + 6), 0, 16);
        break;
    case D3DFMT_R16F:
        r = HalfToFloat(Load<uint16_t>(p));
        break;
    case D3DFMT_G16R16F:
        r = HalfToFloat(Load<uint16_t>(p)), g = HalfToFloat(Load<uint16_t>(p + 2));
        break;
    case D3DFMT_A16B16G16R16F:
        r = HalfToFloat(Load<uint16_t>(p)), g = HalfToFloat(Load<uint16_t>(p + 2));
        b = HalfToFloat(Load<uint16_t>(p + 4)), a = HalfToFloat(Load<uint16_t>(p + 6));
        break;
    case D3DFMT_R32F:
        r = Load<float>(p);
        break;
    case D3DFMT_G32R32F:
        r = Load<float>(p), g = Load<float>(p + 4);
        break;
    case D3DFMT_A32B32G32R32F:
        r = Load<float>(p), g = Load<float>(p + 4), b = Load<float>(p + 8), a = Load<float>(p + 12);
        break;
    default:
        break;
    }
    pOut[0] = r, pOut[1] = g, pOut[2] = b, pOut[3] = a;
}

void EncodeTexel(D3DFORMAT format, const float* pIn, uint8_t* p)
{
    const float r = pIn[0], g = pIn[1], b = pIn[2], a = pIn[3];
    switch (format)
    {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
        Store<uint32_t>(p, PackUnorm(r, 16, 8) | PackUnorm(g, 8, 8) | PackUnorm(b, 0, 8) |
                               PackUnorm(format == D3DFMT_A8R8G8B8 ? a : 1.0f, 24, 8));
        break;
    case D3DFMT_A8B8G8R8:
    case D3DFMT_X8B8G8R8:
        Store<uint32_t>(p, PackUnorm(r, 0, 8) | PackUnorm(g, 8, 8) | PackUnorm(b, 16, 8) |
                               PackUnorm(format == D3DFMT_A8B8G8R8 ? a : 1.0f, 24, 8));
        break;
    case D3DFMT_R8G8B8:
        p[0] = uint8_t(PackUnorm(b, 0, 8)), p[1] = uint8_t(PackUnorm(g, 0, 8));
        p[2] = uint8_t(PackUnorm(r, 0, 8));
        break;
    case D3DFMT_R5G6B5:
        Store<uint16_t>(p, uint16_t(PackUnorm(r, 11, 5) | PackUnorm(g, 5, 6) | PackUnorm(b, 0, 5)));
        break;
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
        Store<uint16_t>(p, uint16_t(PackUnorm(r, 10, 5) | PackUnorm(g, 5, 5) | PackUnorm(b, 0, 5) |
                                    PackUnorm(format == D3DFMT_A1R5G5B5 ? a : 1.0f, 15, 1)));
        break;
    case D3DFMT_A4R4G4B4:
        Store<uint16_t>(p, uint16_t(PackUnorm(r, 8, 4) | PackUnorm(g, 4, 4) | PackUnorm(b, 0, 4) |
                                    PackUnorm(a, 12, 4)));
        break;
    case D3DFMT_A8:
        p[0] = uint8_t(PackUnorm(a, 0, 8));
        break;
    case D3DFMT_L8:
        p[0] = uint8_t(PackUnorm(Luminance(pIn), 0, 8));
        break;
    case D3DFMT_A8L8:
        p[0] = uint8_t(PackUnorm(Luminance(pIn), 0, 8)), p[1] = uint8_t(PackUnorm(a, 0, 8));
        break;
    case D3DFMT_L16:
        Store<uint16_t>(p, uint16_t(PackUnorm(Luminance(pIn), 0, 16)));
        break;
    case D3DFMT_G16R16:
        Store<uint32_t>(p, PackUnorm(r, 0, 16) | PackUnorm(g, 16, 16));
        break;
    case D3DFMT_A16B16G16R16:
        for (int i = 0; i < 4; ++i)
            Store<uint16_t>(p + 2 * i, uint16_t(PackUnorm(pIn[i], 0, 16)));
        break;
    case D3DFMT_R16F:
    case D3DFMT_G16R16F:
    case D3DFMT_A16B16G16R16F:
    {
        int channels = format == D3DFMT_R16F ? 1 : format == D3DFMT_G16R16F ? 2 : 4;
        for (int i = 0; i < channels; ++i)
            Store<uint16_t>(p + 2 * i, FloatToHalf(pIn[i]));
        break;
    }
    case D3DFMT_R32F:
    case D3DFMT_G32R32F:
    case D3DFMT_A32B32G32R32F:
    {
        int channels = format == D3DFMT_R32F ? 1 : format == D3DFMT_G32R32F ? 2 : 4;
        std::memcpy(p, pIn, sizeof(float) * size_t(channels));
        break;
    }
    default:
        break;
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
        {
            const uint8_t* pRow = pSlice + size_t(y) * surface.rowPitch;
            for (UINT x = 0; x < surface.width; ++x)
                DecodeTexel(format, pRow + size_t(x) * pInfo->elementBytes,
                            pOut + (size_t(y) * surface.width + x) * 4);
        }
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
        {
            uint8_t* pRow = pSlice + size_t(y) * out.rowPitch;
            for (UINT x = 0; x < width; ++x)
                EncodeTexel(format, pIn + (size_t(y) * width + x) * 4,
                            pRow + size_t(x) * pInfo->elementBytes);
        }
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
