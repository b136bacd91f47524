#include "d3d9gl/image/dxt.h"

#include <stb_dxt.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace d3d9gl
{
namespace
{

using Color = std::array<uint8_t, 4>;

uint16_t ReadWord(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

Color Expand565(uint16_t c)
{
    uint8_t r = uint8_t((c >> 11) & 0x1f);
    uint8_t g = uint8_t((c >> 5) & 0x3f);
    uint8_t b = uint8_t(c & 0x1f);
    return {uint8_t((r << 3) | (r >> 2)), uint8_t((g << 2) | (g >> 4)),
            uint8_t((b << 3) | (b >> 2)), 255};
}

Color Mix(const Color& a, const Color& b, int wa, int wb)
{
    Color out;
    int total = wa + wb;
    for (int i = 0; i < 3; ++i)
        out[i] = uint8_t((a[i] * wa + b[i] * wb + total / 2) / total);
    out[3] = 255;
    return out;
}

// The palette a colour block selects from; threeColor is DXT1's mode with index 3 transparent.
std::array<Color, 4> ColorPalette(uint16_t c0, uint16_t c1, bool threeColor)
{
    Color p0 = Expand565(c0);
    Color p1 = Expand565(c1);
    if (threeColor)
        return {p0, p1, Mix(p0, p1, 1, 1), Color{0, 0, 0, 0}};
    return {p0, p1, Mix(p0, p1, 2, 1), Mix(p0, p1, 1, 2)};
}

int Distance(const uint8_t* pTexel, const Color& c)
{
    int sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += (pTexel[i] - c[i]) * (pTexel[i] - c[i]);
    return sum;
}

void OpaqueCopy(const uint8_t* pTexels, uint8_t* pOut)
{
    std::memcpy(pOut, pTexels, 64);
    for (int i = 0; i < 16; ++i)
        pOut[i * 4 + 3] = 255;
}

} // namespace

void DecodeDxtColorBlock(const uint8_t* pBlock, bool dxt1, uint8_t* pTexels)
{
    uint16_t c0 = ReadWord(pBlock);
    uint16_t c1 = ReadWord(pBlock + 2);
    std::array<Color, 4> palette = ColorPalette(c0, c1, dxt1 && c0 <= c1);
    for (int i = 0; i < 16; ++i)
    {
        int index = (pBlock[4 + i / 4] >> ((i % 4) * 2)) & 3;
        std::memcpy(pTexels + i * 4, palette[index].data(), 4);
    }
}

void DecodeDxtAlphaBlock(const uint8_t* pBlock, uint8_t* pTexels)
{
    int a0 = pBlock[0];
    int a1 = pBlock[1];
    int alphas[8] = {a0, a1};
    if (a0 > a1)
    {
        for (int i = 2; i < 8; ++i)
            alphas[i] = ((8 - i) * a0 + (i - 1) * a1 + 3) / 7;
    }
    else
    {
        for (int i = 2; i < 6; ++i)
            alphas[i] = ((6 - i) * a0 + (i - 1) * a1 + 2) / 5;
        alphas[6] = 0;
        alphas[7] = 255;
    }
    uint64_t indices = 0;
    for (int i = 0; i < 6; ++i)
        indices |= uint64_t(pBlock[2 + i]) << (8 * i);
    for (int i = 0; i < 16; ++i)
        pTexels[i * 4 + 3] = uint8_t(alphas[(indices >> (3 * i)) & 7]);
}

void DecodeDxtExplicitAlphaBlock(const uint8_t* pBlock, uint8_t* pTexels)
{
    for (int i = 0; i < 16; ++i)
    {
        int nibble = (pBlock[i / 2] >> ((i % 2) * 4)) & 0xf;
        pTexels[i * 4 + 3] = uint8_t(nibble * 17);
    }
}

void EncodeDxtColorBlock(const uint8_t* pTexels, uint8_t* pBlock)
{
    // stb never emits DXT1's three-colour mode, so its blocks decode alike as DXT1 and DXT3/5.
    uint8_t opaque[64];
    OpaqueCopy(pTexels, opaque);
    stb_compress_dxt_block(pBlock, opaque, 0, STB_DXT_HIGHQUAL);
}

void EncodeDxt1Block(const uint8_t* pTexels, uint8_t* pBlock)
{
    int firstOpaque = -1;
    bool anyTransparent = false;
    for (int i = 0; i < 16; ++i)
    {
        if (pTexels[i * 4 + 3] < 128)
            anyTransparent = true;
        else if (firstOpaque < 0)
            firstOpaque = i;
    }
    if (!anyTransparent)
    {
        EncodeDxtColorBlock(pTexels, pBlock);
        return;
    }
    if (firstOpaque < 0)
    {
        std::memset(pBlock, 0, 4);
        std::memset(pBlock + 4, 0xff, 4);
        return;
    }
    // Fit the end points to the opaque texels only, then re-index in three-colour mode,
    // which needs the first colour not above the second.
    uint8_t fit[64];
    std::memcpy(fit, pTexels, 64);
    for (int i = 0; i < 16; ++i)
    {
        if (fit[i * 4 + 3] < 128)
            std::memcpy(fit + i * 4, pTexels + firstOpaque * 4, 3);
    }
    uint8_t colorBlock[8];
    EncodeDxtColorBlock(fit, colorBlock);
    uint16_t lo = std::min(ReadWord(colorBlock), ReadWord(colorBlock + 2));
    uint16_t hi = std::max(ReadWord(colorBlock), ReadWord(colorBlock + 2));
    std::array<Color, 4> palette = ColorPalette(lo, hi, true);
    uint32_t indices = 0;
    for (int i = 0; i < 16; ++i)
    {
        const uint8_t* pTexel = pTexels + i * 4;
        uint32_t index = 3;
        if (pTexel[3] >= 128)
        {
            index = 0;
            for (uint32_t candidate = 1; candidate < 3; ++candidate)
            {
                if (Distance(pTexel, palette[candidate]) < Distance(pTexel, palette[index]))
                    index = candidate;
            }
        }
        indices |= index << (2 * i);
    }
    pBlock[0] = uint8_t(lo);
    pBlock[1] = uint8_t(lo >> 8);
    pBlock[2] = uint8_t(hi);
    pBlock[3] = uint8_t(hi >> 8);
    for (int i = 0; i < 4; ++i)
        pBlock[4 + i] = uint8_t(indices >> (8 * i));
}

void EncodeDxt3Block(const uint8_t* pTexels, uint8_t* pBlock)
{
    std::memset(pBlock, 0, 8);
    for (int i = 0; i < 16; ++i)
    {
        int nibble = (pTexels[i * 4 + 3] * 15 + 127) / 255;
        pBlock[i / 2] |= uint8_t(nibble << ((i % 2) * 4));
    }
    EncodeDxtColorBlock(pTexels, pBlock + 8);
}

void EncodeDxt5Block(const uint8_t* pTexels, uint8_t* pBlock)
{
    stb_compress_dxt_block(pBlock, pTexels, 1, STB_DXT_HIGHQUAL);
}

} // namespace d3d9gl
