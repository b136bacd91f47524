#include "d3d9gl/image/pixelformat.h"

#include <gtest/gtest.h>

using namespace d3d9gl;

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
