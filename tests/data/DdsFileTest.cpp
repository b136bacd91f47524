// The committed textures' DDS headers, read byte by byte without the image code.

#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <tuple>

namespace
{

uint32_t Word(const std::string& bytes, size_t offset)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

struct Expectation
{
    const char* file;
    uint32_t width, height;
    const char* fourCC; // null: 32-bit A8R8G8B8
    bool mipmaps, cube;
};

const Expectation TEXTURES[] = {
    {"_Tex_/panda.dds", 256, 256, "DXT1", true, false},
    {"_Tex_/snow.dds", 256, 256, "DXT5", true, false},
    {"_Tex_/tree01.dds", 256, 256, nullptr, true, false},
    {"_Tex_/Earth_Color.dds", 512, 256, "DXT1", true, false},
    {"_Tex_/Earth_Night.dds", 512, 256, "DXT1", true, false},
    {"_Tex_/Earth_Normal.dds", 512, 256, "DXT1", true, false},
    {"_Tex_/Earth_Cloud.dds", 512, 256, "DXT5", true, false},
    {"_Tex_/Cubemap.dds", 256, 256, "DXT1", true, true},
    {"_Tex_/Wallpaper_2_512.dds", 512, 512, "DXT1", true, false},
    {"_Tex_/Porcelain.dds", 512, 128, "DXT1", true, false},
    {"Font/ASCII_1.dds", 256, 128, nullptr, false, false},
};

TEST(DdsFiles, HeadersNameSizeFormatMipChainAndCubeFaces)
{
    for (const Expectation& expected : TEXTURES)
    {
        SCOPED_TRACE(expected.file);
        const std::string bytes =
            HalvexTest::ReadFile(HalvexTest::SourceDir() / "Data" / expected.file);
        ASSERT_GE(bytes.size(), 128u);
        // Magic, header size, height, width and pixel format size.
        EXPECT_EQ(std::tuple(Word(bytes, 0), Word(bytes, 4), Word(bytes, 12), Word(bytes, 16),
                             Word(bytes, 76)),
                  std::tuple(Word("DDS ", 0), 124u, expected.height, expected.width, 32u));
        if (expected.fourCC)
        {
            EXPECT_TRUE(Word(bytes, 80) & 0x4) << "DDPF_FOURCC";
            EXPECT_EQ(Word(bytes, 84), Word(expected.fourCC, 0));
        }
        else
        {
            EXPECT_EQ(Word(bytes, 80) & 0x41, 0x41u) << "DDPF_RGB | DDPF_ALPHAPIXELS";
            std::vector<uint32_t> bitsAndMasks(5);
            std::memcpy(bitsAndMasks.data(), bytes.data() + 88, 20);
            EXPECT_EQ(bitsAndMasks,
                      (std::vector<uint32_t>{32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000}));
        }
        const uint32_t levels = std::max(Word(bytes, 28), 1u);
        const auto chain =
            static_cast<uint32_t>(std::bit_width(std::max(expected.width, expected.height)));
        EXPECT_EQ(levels, expected.mipmaps ? chain : 1u);
        EXPECT_EQ((Word(bytes, 8) & 0x20000) != 0, expected.mipmaps) << "DDSD_MIPMAPCOUNT";
        EXPECT_EQ((Word(bytes, 108) & 0x400000) != 0, expected.mipmaps) << "DDSCAPS_MIPMAP";
        EXPECT_EQ(Word(bytes, 112) & 0xfe00, expected.cube ? 0xfe00u : 0u) << "all six faces";

        uint64_t payload = 0;
        for (uint32_t level = 0; level < levels; ++level)
        {
            const uint64_t w = std::max(expected.width >> level, 1u);
            const uint64_t h = std::max(expected.height >> level, 1u);
            const bool dxt1 = expected.fourCC && expected.fourCC[3] == '1';
            payload += expected.fourCC ? (w + 3) / 4 * ((h + 3) / 4) * (dxt1 ? 8 : 16) : w * h * 4;
        }
        EXPECT_EQ(bytes.size(), 128 + payload * (expected.cube ? 6 : 1));
    }
}

} // namespace
