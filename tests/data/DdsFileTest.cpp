// The committed textures' DDS headers, read byte by byte without the image code.

#include "modelreader.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

uint32_t Word(const std::vector<uint8_t>& bytes, size_t offset)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

constexpr uint32_t FourCC(const char (&code)[5])
{
    return static_cast<uint32_t>(code[0]) | static_cast<uint32_t>(code[1]) << 8 |
           static_cast<uint32_t>(code[2]) << 16 | static_cast<uint32_t>(code[3]) << 24;
}

enum class Kind
{
    DXT1,
    DXT5,
    ARGB
};

struct Expectation
{
    const char* file;
    uint32_t width;
    uint32_t height;
    Kind kind;
    bool mipmaps;
    bool cube;
};

const Expectation TEXTURES[] = {
    {"_Tex_/panda.dds", 256, 256, Kind::DXT1, true, false},
    {"_Tex_/snow.dds", 256, 256, Kind::DXT5, true, false},
    {"_Tex_/tree01.dds", 256, 256, Kind::ARGB, true, false},
    {"_Tex_/Earth_Color.dds", 512, 256, Kind::DXT1, true, false},
    {"_Tex_/Earth_Night.dds", 512, 256, Kind::DXT1, true, false},
    {"_Tex_/Earth_Normal.dds", 512, 256, Kind::DXT1, true, false},
    {"_Tex_/Earth_Cloud.dds", 512, 256, Kind::DXT5, true, false},
    {"_Tex_/Cubemap.dds", 256, 256, Kind::DXT1, true, true},
    {"_Tex_/Wallpaper_2_512.dds", 512, 512, Kind::DXT1, true, false},
    {"_Tex_/Porcelain.dds", 512, 128, Kind::DXT1, true, false},
    {"Font/ASCII_1.dds", 256, 128, Kind::ARGB, false, false},
};

uint64_t LevelBytes(Kind kind, uint32_t width, uint32_t height)
{
    if (kind == Kind::ARGB)
    {
        return uint64_t{width} * height * 4;
    }
    const uint64_t blocks = uint64_t{(width + 3) / 4} * ((height + 3) / 4);
    return blocks * (kind == Kind::DXT1 ? 8 : 16);
}

TEST(DdsFiles, HeadersNameSizeFormatMipChainAndCubeFaces)
{
    for (const Expectation& expected : TEXTURES)
    {
        SCOPED_TRACE(expected.file);
        const auto bytes =
            DataTest::ReadFileBytes((HalvexTest::SourceDir() / "Data" / expected.file).string());
        ASSERT_GE(bytes.size(), 128u);
        EXPECT_EQ(Word(bytes, 0), FourCC("DDS "));
        EXPECT_EQ(Word(bytes, 4), 124u);
        EXPECT_EQ(Word(bytes, 12), expected.height);
        EXPECT_EQ(Word(bytes, 16), expected.width);
        EXPECT_EQ(Word(bytes, 76), 32u) << "pixel format size";

        const uint32_t pixelFlags = Word(bytes, 80);
        switch (expected.kind)
        {
        case Kind::DXT1:
        case Kind::DXT5:
            EXPECT_TRUE(pixelFlags & 0x4) << "DDPF_FOURCC";
            EXPECT_EQ(Word(bytes, 84), FourCC(expected.kind == Kind::DXT1 ? "DXT1" : "DXT5"));
            break;
        case Kind::ARGB:
            EXPECT_EQ(pixelFlags & 0x41, 0x41u) << "DDPF_RGB | DDPF_ALPHAPIXELS";
            EXPECT_EQ(Word(bytes, 88), 32u);
            EXPECT_EQ(Word(bytes, 92), 0x00ff0000u);
            EXPECT_EQ(Word(bytes, 96), 0x0000ff00u);
            EXPECT_EQ(Word(bytes, 100), 0x000000ffu);
            EXPECT_EQ(Word(bytes, 104), 0xff000000u);
            break;
        }

        uint32_t levels = 1;
        for (uint32_t size = std::max(expected.width, expected.height); size > 1; size /= 2)
        {
            ++levels;
        }
        const uint32_t mipCount = Word(bytes, 28);
        EXPECT_EQ(std::max(mipCount, 1u), expected.mipmaps ? levels : 1u);
        if (expected.mipmaps)
        {
            EXPECT_TRUE(Word(bytes, 8) & 0x20000) << "DDSD_MIPMAPCOUNT";
            EXPECT_TRUE(Word(bytes, 108) & 0x400000) << "DDSCAPS_MIPMAP";
        }
        const uint32_t caps2 = Word(bytes, 112);
        EXPECT_EQ(caps2 & 0xfe00, expected.cube ? 0xfe00u : 0u) << "cube map with all six faces";

        uint64_t payload = 0;
        for (uint32_t level = 0; level < std::max(mipCount, 1u); ++level)
        {
            payload += LevelBytes(expected.kind, std::max(expected.width >> level, 1u),
                                  std::max(expected.height >> level, 1u));
        }
        EXPECT_EQ(bytes.size(), 128 + payload * (expected.cube ? 6 : 1));
    }
}

} // namespace
