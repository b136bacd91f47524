#include "d3d9gl/image/surfacecodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace d3d9gl;

namespace
{

ImageSurface BlockSurface(D3DFORMAT format, UINT width, UINT height,
                          const std::vector<uint8_t>& block)
{
    ImageSurface surface;
    EXPECT_TRUE(MakeSurface(format, width, height, 1, surface));
    EXPECT_EQ(surface.bytes.size(), block.size());
    surface.bytes = block;
    return surface;
}

std::vector<float> Decode(D3DFORMAT format, const ImageSurface& surface)
{
    std::vector<float> rgba;
    EXPECT_TRUE(DecodeSurface(format, surface, rgba));
    return rgba;
}

// Row y of a decoded 4 x 4 block as bytes, four per texel.
std::vector<int> Row(const std::vector<float>& rgba, UINT y)
{
    std::vector<int> out;
    for (UINT i = y * 16; i < y * 16 + 16; ++i)
        out.push_back(int(std::lround(rgba[i] * 255.0f)));
    return out;
}

// Pure red (0xf800) and pure blue (0x001f) end points; rows use indices 0123, 1111, 2222, 3333.
const std::vector<uint8_t> RED_BLUE = {0x00, 0xf8, 0x1f, 0x00, 0xe4, 0x55, 0xaa, 0xff};
const std::vector<uint8_t> BLUE_RED = {0x1f, 0x00, 0x00, 0xf8, 0xe4, 0x55, 0xaa, 0xff};

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Colours along one line of colour space and a smooth alpha ramp: the content DXT keeps well.
std::vector<float> Gradient(UINT width, UINT height)
{
    std::vector<float> rgba;
    for (UINT y = 0; y < height; ++y)
    {
        for (UINT x = 0; x < width; ++x)
        {
            float t = float(y * width + x) / float(width * height);
            rgba.insert(rgba.end(), {t, 0.25f + 0.5f * t, 1.0f - t, float(x + y) / 16.0f});
        }
    }
    return rgba;
}

float MaxError(const std::vector<float>& a, const std::vector<float>& b, int channel)
{
    float worst = 0.0f;
    for (size_t i = size_t(channel); i < a.size(); i += 4)
        worst = std::max(worst, std::fabs(a[i] - b[i]));
    return worst;
}

} // namespace

TEST(DxtTest, BlocksDecodeToTheirKnownTexels)
{
    // DXT5 alpha: a0 > a1 gives eight alphas (texels 0-3 use indices 0, 1, 2, 7); a0 <= a1 six
    // plus 0 and 255 (indices 6, 7, 2, 0). DXT3 alpha is explicit nibbles.
    const std::vector<uint8_t> eightAlphas = {255, 0, 0x88, 0x0e, 0, 0, 0, 0};
    const std::vector<uint8_t> sixAlphas = {0, 255, 0xbe, 0, 0, 0, 0, 0};
    const std::vector<uint8_t> nibbles = {0x10, 0xf5, 0, 0, 0, 0, 0, 0x80};
    const std::vector<uint8_t> opaque = {255, 255, 0, 0, 0, 0, 0, 0};
    const std::pair<D3DFORMAT, std::vector<uint8_t>> blocks[] = {
        {D3DFMT_DXT1, RED_BLUE},
        {D3DFMT_DXT5, Concat(opaque, BLUE_RED)}, // always four colours
        {D3DFMT_DXT5, Concat(eightAlphas, RED_BLUE)},
        {D3DFMT_DXT5, Concat(sixAlphas, RED_BLUE)},
        {D3DFMT_DXT3, Concat(nibbles, RED_BLUE)}};
    // Red, blue, two thirds red and one third red: the four-colour palette of the blocks.
    const int r = 0, b = 1, rrb = 2, rbb = 3;
    const int palette[4][3] = {{255, 0, 0}, {0, 0, 255}, {170, 0, 85}, {85, 0, 170}};
    // A block, a row and its texels as palette entry and alpha.
    const std::tuple<int, UINT, std::vector<int>> rows[] = {
        {0, 0, {r, 255, b, 255, rrb, 255, rbb, 255}},
        {0, 1, {b, 255, b, 255, b, 255, b, 255}},
        {0, 3, {rbb, 255, rbb, 255, rbb, 255, rbb, 255}},
        {1, 0, {b, 255, r, 255, rbb, 255, rrb, 255}},
        {2, 0, {r, 255, b, 0, rrb, 219, rbb, 36}},
        {3, 0, {r, 0, b, 255, rrb, 51, rbb, 0}},
        {4, 0, {r, 0, b, 17, rrb, 85, rbb, 255}},
        {4, 3, {rbb, 0, rbb, 0, rbb, 0, rbb, 136}},
    };
    for (const auto& [block, row, texels] : rows)
    {
        std::vector<int> expected;
        for (size_t i = 0; i < texels.size(); i += 2)
        {
            const int* pColor = palette[texels[i]];
            expected.insert(expected.end(), {pColor[0], pColor[1], pColor[2], texels[i + 1]});
        }
        const auto& [format, bytes] = blocks[block];
        const std::vector<float> rgba = Decode(format, BlockSurface(format, 4, 4, bytes));
        EXPECT_EQ(Row(rgba, row), expected) << "block " << block << " row " << row;
    }
    // Three-colour DXT1: blue, red, their average and transparent black.
    const std::vector<float> rgba = Decode(D3DFMT_DXT1, BlockSurface(D3DFMT_DXT1, 4, 4, BLUE_RED));
    EXPECT_EQ(Row(rgba, 0),
              (std::vector<int>{0, 0, 255, 255, 255, 0, 0, 255, 128, 0, 128, 255, 0, 0, 0, 0}));
}

TEST(DxtTest, PremultipliedVariantsDecodeAsStored)
{
    const std::vector<uint8_t> block = Concat({0x10, 0xf5, 0x33, 0, 0, 0, 0, 0x80}, RED_BLUE);
    EXPECT_EQ(Decode(D3DFMT_DXT2, BlockSurface(D3DFMT_DXT2, 4, 4, block)),
              Decode(D3DFMT_DXT3, BlockSurface(D3DFMT_DXT3, 4, 4, block)));
    EXPECT_EQ(Decode(D3DFMT_DXT4, BlockSurface(D3DFMT_DXT4, 4, 4, block)),
              Decode(D3DFMT_DXT5, BlockSurface(D3DFMT_DXT5, 4, 4, block)));
}

// DXT1 keeps one bit of alpha: texels under one half become transparent black.
TEST(DxtTest, EncodedBlocksDecodeCloseToTheSource)
{
    for (UINT size : {8u, 6u, 1u})
    {
        const std::vector<float> source = Gradient(size, size);
        for (D3DFORMAT format : {D3DFMT_DXT1, D3DFMT_DXT3, D3DFMT_DXT5})
        {
            SCOPED_TRACE(testing::Message() << format << " " << size);
            std::vector<float> expected = source;
            for (size_t i = 0; format == D3DFMT_DXT1 && i < expected.size(); i += 4)
            {
                const bool opaque = expected[i + 3] >= 0.5f;
                for (size_t c = 0; c < 4; ++c)
                    expected[i + c] = opaque ? (c == 3 ? 1.0f : expected[i + c]) : 0.0f;
            }
            ImageSurface surface;
            ASSERT_TRUE(EncodeSurface(format, source.data(), size, size, surface));
            std::vector<float> decoded = Decode(format, surface);
            for (int c = 0; c < 3; ++c)
                EXPECT_LT(MaxError(decoded, expected, c), 0.08f) << c;
            // Half a step of the alpha codes: 4-bit levels, or a 3/8 range in 7 steps.
            EXPECT_LT(MaxError(decoded, expected, 3), format == D3DFMT_DXT3 ? 0.04f : 0.03f);
        }
    }
    ImageSurface surface;
    EXPECT_FALSE(EncodeSurface(D3DFMT_DXT2, Gradient(4, 4).data(), 4, 4, surface));
    EXPECT_FALSE(EncodeSurface(D3DFMT_DXT4, Gradient(4, 4).data(), 4, 4, surface));
}
