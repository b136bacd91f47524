#include "d3d9gl/image/surfacecodec.h"
#include "d3d9gl/image/halffloat.h"
#include "d3d9gl/image/pixelformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>

using namespace d3d9gl;

namespace
{

template <typename T> std::vector<uint8_t> Bytes(std::initializer_list<T> values)
{
    std::vector<uint8_t> bytes(values.size() * sizeof(T));
    std::memcpy(bytes.data(), values.begin(), bytes.size());
    return bytes;
}
const auto U16 = Bytes<uint16_t>;
const auto F32 = Bytes<float>;

std::vector<uint8_t> U8(std::initializer_list<uint8_t> values)
{
    return values;
}

// Texels as bytes and as RGBA, checked by decoding, encoding or both.
const struct
{
    D3DFORMAT format;
    std::vector<uint8_t> bytes;
    std::vector<float> rgba;
    bool decode, encode;
} TEXEL_CASES[] = {
    // A8R8G8B8 is B, G, R, A in memory; A8B8G8R8 is R, G, B, A.
    {D3DFMT_A8R8G8B8, U8({0x00, 0x33, 0xff, 0x80}), {1, 0.2f, 0, 128 / 255.0f}, true, true},
    {D3DFMT_A8B8G8R8, U8({0xff, 0x33, 0x00, 0x80}), {1, 0.2f, 0, 128 / 255.0f}, true, false},
    {D3DFMT_X8R8G8B8, U8({0x00, 0x00, 0xff, 0x00}), {1, 0, 0, 1}, true, false},
    {D3DFMT_R8G8B8, U8({0x00, 0x33, 0xff}), {1.0f, 0.2f, 0.0f, 1.0f}, true, false},
    {D3DFMT_R5G6B5, U16({0xf800}), {1, 0, 0, 1}, true, false},
    {D3DFMT_R5G6B5, U16({0x07ff}), {0, 1, 1, 1}, true, true},
    {D3DFMT_A1R5G5B5, U16({0x801f}), {0, 0, 1, 1}, true, false},
    {D3DFMT_A1R5G5B5, U16({0x7c00}), {1, 0, 0, 0.2f}, false, true},
    {D3DFMT_X1R5G5B5, U16({0x7c00}), {1, 0, 0, 1}, true, false},
    {D3DFMT_A4R4G4B4, U16({0x5f00}), {1, 0, 0, 5 / 15.0f}, true, false},
    {D3DFMT_A4R4G4B4, U16({0xf00f}), {0, 0, 1, 1}, true, true},
    {D3DFMT_A16B16G16R16, U16({65535, 0, 32768, 65535}), {1, 0, 32768 / 65535.f, 1}, true, false},
    {D3DFMT_A8L8, U8({0x33, 0xff}), {0.2f, 0.2f, 0.2f, 1.0f}, true, false},
    // Luminance weighs green most.
    {D3DFMT_A8L8, U8({54, 128}), {1, 0, 0, 0.5f}, false, true},
    {D3DFMT_L8, U8({182}), {0, 1, 0, 1}, false, true},
    {D3DFMT_G16R16, U16({0, 0xffff}), {0, 1, 1, 1}, true, false},
    {D3DFMT_R16F, U16({0xc000}), {-2, 1, 1, 1}, true, false},
    {D3DFMT_R16F, U16({0x7c00}), {1e6f, 0, 0, 0}, false, true},
    {D3DFMT_G16R16F, U16({0x3800, 0x4400}), {0.5f, 4, 1, 1}, true, false},
    {D3DFMT_G32R32F, F32({1.5f, -3.0f}), {1.5f, -3, 1, 1}, true, false},
    {D3DFMT_A16B16G16R16F, U16({0xc000, 0x3800, 0x7bff, 0x3c00}), {-2, 0.5f, 65504, 1}, true, true},
    {D3DFMT_A32B32G32R32F, F32({-2, 0.5f, 1e9f, 3}), {-2, 0.5f, 1e9f, 3}, true, true},
    // Normalised formats clamp, NaN to 0.
    {D3DFMT_A8R8G8B8, U8({0x00, 0xff, 0x00, 0xff}), {-1, 2, NAN, 1}, false, true},
};

} // namespace

// One texel each way: channel placement in memory, the channels a format lacks read as
// Direct3D samples them, clamping of normalised formats and float ranges kept.
TEST(SurfaceCodecTest, TexelsDecodeAndEncodeWhereDirect3DPutsThem)
{
    for (const auto& c : TEXEL_CASES)
    {
        SCOPED_TRACE(GetFormatInfo(c.format)->name);
        ImageSurface surface;
        ASSERT_TRUE(MakeSurface(c.format, 1, 1, 1, surface));
        ASSERT_EQ(surface.bytes.size(), c.bytes.size());
        surface.bytes = c.bytes;
        std::vector<float> rgba;
        if (c.decode)
        {
            ASSERT_TRUE(DecodeSurface(c.format, surface, rgba));
            for (size_t i = 0; i < 4; ++i)
                EXPECT_NEAR(rgba[i], c.rgba[i], 1e-6f) << "channel " << i;
        }
        if (c.encode)
        {
            ASSERT_TRUE(EncodeSurface(c.format, c.rgba.data(), 1, 1, surface));
            EXPECT_EQ(surface.bytes, c.bytes);
        }
    }
}

TEST(SurfaceCodecTest, EveryFormatRoundTripsWithinItsPrecision)
{
    // Per channel: 's' stored, '1' or '0' read back as that constant.
    const std::tuple<D3DFORMAT, float, const char*> cases[] = {
        {D3DFMT_A8R8G8B8, 0.5f / 255, "ssss"},
        {D3DFMT_X8R8G8B8, 0.5f / 255, "sss1"},
        {D3DFMT_R8G8B8, 0.5f / 255, "sss1"},
        {D3DFMT_A8B8G8R8, 0.5f / 255, "ssss"},
        {D3DFMT_X8B8G8R8, 0.5f / 255, "sss1"},
        {D3DFMT_R5G6B5, 0.5f / 31, "sss1"},
        {D3DFMT_X1R5G5B5, 0.5f / 31, "sss1"},
        {D3DFMT_A1R5G5B5, 0.5f / 31, "ssss"},
        {D3DFMT_A4R4G4B4, 0.5f / 15, "ssss"},
        {D3DFMT_A8, 0.5f / 255, "000s"},
        {D3DFMT_L8, 0.5f / 255, "sss1"},
        {D3DFMT_A8L8, 0.5f / 255, "ssss"},
        {D3DFMT_L16, 0.5f / 65535, "sss1"},
        {D3DFMT_G16R16, 0.5f / 65535, "ss11"},
        {D3DFMT_A16B16G16R16, 0.5f / 65535, "ssss"},
        {D3DFMT_R16F, 1.0f / 2048, "s111"},
        {D3DFMT_G16R16F, 1.0f / 2048, "ss11"},
        {D3DFMT_A16B16G16R16F, 1.0f / 2048, "ssss"},
        {D3DFMT_R32F, 0.0f, "s111"},
        {D3DFMT_G32R32F, 0.0f, "ss11"},
        {D3DFMT_A32B32G32R32F, 0.0f, "ssss"},
    };
    const UINT width = 5, height = 3, depth = 2;
    for (const auto& [format, tolerance, channels] : cases)
    {
        const FormatInfo* pInfo = GetFormatInfo(format);
        SCOPED_TRACE(pInfo->name);
        // Luminance formats get grey, which they can hold exactly.
        const bool grey = format == D3DFMT_L8 || format == D3DFMT_A8L8 || format == D3DFMT_L16;
        std::vector<float> source;
        for (UINT i = 0; i < width * height * depth; ++i)
        {
            float v = float(i) / float(width * height * depth);
            source.insert(source.end(), {v, grey ? v : 1.0f - v, grey ? v : 0.3f, float(i % 2)});
        }
        ImageSurface surface;
        ASSERT_TRUE(EncodeSurface(format, source.data(), width, height, surface, depth));
        EXPECT_EQ(surface.rowPitch, width * pInfo->elementBytes);
        EXPECT_EQ(surface.bytes.size(), size_t(width * height * depth * pInfo->elementBytes));
        std::vector<float> decoded;
        ASSERT_TRUE(DecodeSurface(format, surface, decoded));
        ASSERT_EQ(decoded.size(), source.size());
        for (size_t i = 0; i < source.size(); ++i)
        {
            const char channel = channels[i % 4];
            const float expected = channel == 's' ? source[i] : float(channel - '0');
            ASSERT_NEAR(decoded[i], expected, tolerance + 1e-6f) << "value " << i;
        }
    }
}

TEST(SurfaceCodecTest, PitchedRowsAndSlicesAreHonoured)
{
    // 2 x 2 x 2 texels, rows three bytes apart, slices eight.
    const ImageSurface surface = {2, 2, 2, 3, 8, {10, 20, 0, 30, 40, 0, 0, 0, 50, 60, 0, 70, 80}};
    std::vector<float> rgba;
    ASSERT_TRUE(DecodeSurface(D3DFMT_L8, surface, rgba));
    std::vector<long> grey;
    for (size_t i = 0; i < rgba.size(); i += 4)
        grey.push_back(std::lround(rgba[i] * 255));
    EXPECT_EQ(grey, (std::vector<long>{10, 20, 30, 40, 50, 60, 70, 80}));
}

TEST(SurfaceCodecTest, RefusesWhatItCannotRead)
{
    ImageSurface surface;
    ASSERT_TRUE(MakeSurface(D3DFMT_A8R8G8B8, 4, 4, 1, surface));
    std::vector<float> rgba;
    EXPECT_FALSE(DecodeSurface(D3DFMT_D24S8, surface, rgba));
    EXPECT_FALSE(DecodeSurface(D3DFMT_P8, surface, rgba));

    ImageSurface shortRows = surface;
    shortRows.rowPitch = 15;
    EXPECT_FALSE(DecodeSurface(D3DFMT_A8R8G8B8, shortRows, rgba));
    ImageSurface shortBytes = surface;
    shortBytes.bytes.pop_back();
    EXPECT_FALSE(DecodeSurface(D3DFMT_A8R8G8B8, shortBytes, rgba));
    ImageSurface empty;
    EXPECT_FALSE(DecodeSurface(D3DFMT_A8R8G8B8, empty, rgba));

    const float texel[4] = {1, 1, 1, 1};
    ImageSurface out;
    EXPECT_FALSE(EncodeSurface(D3DFMT_D16, texel, 1, 1, out));
    EXPECT_FALSE(EncodeSurface(D3DFMT_A8R8G8B8, texel, 0, 1, out));
    EXPECT_FALSE(EncodeSurface(D3DFMT_A8R8G8B8, nullptr, 1, 1, out));
    EXPECT_FALSE(ConvertSurface(D3DFMT_A8R8G8B8, surface, D3DFMT_D24S8, out));
}

TEST(PixelFormatTest, PitchesCountBlocksForCompressedFormats)
{
    EXPECT_EQ(GetFormatInfo(D3DFMT_P8), nullptr);
    EXPECT_EQ(GetRowPitch(D3DFMT_A8R8G8B8, 5), 20u);
    EXPECT_EQ(GetRowPitch(D3DFMT_R8G8B8, 3), 9u);
    EXPECT_EQ(GetRowPitch(D3DFMT_DXT1, 1), 8u);
    EXPECT_EQ(GetRowPitch(D3DFMT_DXT1, 5), 16u);
    EXPECT_EQ(GetRowPitch(D3DFMT_DXT5, 8), 32u);
    EXPECT_EQ(GetRowPitch(D3DFMT_UNKNOWN, 8), 0u);
    EXPECT_EQ(GetRowCount(D3DFMT_DXT3, 5), 2u);
    EXPECT_EQ(GetRowCount(D3DFMT_L8, 5), 5u);
    EXPECT_EQ(GetSurfaceSize(D3DFMT_DXT1, 2, 2), 8u);
    EXPECT_EQ(GetSurfaceSize(D3DFMT_DXT5, 6, 10), 16u * 2 * 3);
    EXPECT_EQ(GetSurfaceSize(D3DFMT_A32B32G32R32F, 16384, 16384), uint64_t(1) << 32);
}

TEST(PixelFormatTest, MipChainsHalveToOne)
{
    EXPECT_EQ(LevelCount(256, 256), 9u);
    EXPECT_EQ(LevelCount(5, 3), 3u);
    EXPECT_EQ(LevelCount(1, 1024), 11u);
    EXPECT_EQ(LevelCount(4, 4, 64), 7u);
    EXPECT_EQ(GetLevelDimension(5, 2), 1u);
    EXPECT_EQ(GetLevelDimension(5, 9), 1u);
    EXPECT_EQ(GetLevelDimension(0x80000000u, 40), 1u);
}

TEST(HalfFloatTest, ExactValuesConvertBothWays)
{
    const std::tuple<uint16_t, float> cases[] = {{0x0000, 0.0f},
                                                 {0x8000, -0.0f},
                                                 {0x3c00, 1.0f},
                                                 {0xc000, -2.0f},
                                                 {0x3555, 0.333251953125f},
                                                 {0x7bff, 65504.0f},
                                                 {0x0400, 6.103515625e-05f},
                                                 {0x0001, 5.9604644775390625e-08f},
                                                 {0x03ff, 6.097555160522461e-05f}};
    for (const auto& [half, value] : cases)
    {
        EXPECT_EQ(HalfToFloat(half), value) << std::hex << half;
        EXPECT_EQ(FloatToHalf(value), half) << value;
    }
}

TEST(HalfFloatTest, RoundsToNearestEvenSaturatesToInfinityAndKeepsNan)
{
    // 1 + 2^-11 lies halfway between 1 and the next half; ties go to the even mantissa.
    EXPECT_EQ(FloatToHalf(1.0f + std::ldexp(1.0f, -11)), 0x3c00);
    EXPECT_EQ(FloatToHalf(1.0f + 3 * std::ldexp(1.0f, -11)), 0x3c02);
    EXPECT_EQ(FloatToHalf(1.0f + std::ldexp(1.0f, -11) + std::ldexp(1.0f, -20)), 0x3c01);
    EXPECT_EQ(FloatToHalf(65520.0f), 0x7c00);
    EXPECT_EQ(FloatToHalf(1.0e10f), 0x7c00);
    EXPECT_EQ(FloatToHalf(-1.0e10f), 0xfc00);
    EXPECT_EQ(FloatToHalf(std::ldexp(1.0f, -26)), 0x0000);
    EXPECT_EQ(FloatToHalf(std::ldexp(1.5f, -25)), 0x0001);
    EXPECT_TRUE(std::isnan(HalfToFloat(FloatToHalf(std::numeric_limits<float>::quiet_NaN()))));
}

TEST(HalfFloatTest, EveryHalfSurvivesARoundTrip)
{
    for (uint32_t bits = 0; bits <= 0xffff; ++bits)
    {
        uint16_t half = uint16_t(bits);
        if ((half & 0x7c00) == 0x7c00 && (half & 0x3ff))
            continue; // NaN payloads need not survive
        ASSERT_EQ(FloatToHalf(HalfToFloat(half)), half) << std::hex << bits;
    }
}
