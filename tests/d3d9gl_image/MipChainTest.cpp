#include "d3d9gl/image/mipchain.h"
#include "d3d9gl/image/surfacecodec.h"

#include <gtest/gtest.h>

using namespace d3d9gl;

namespace
{

Image L8Image(Image::Kind kind, UINT width, UINT height, const std::vector<uint8_t>& texels)
{
    Image image;
    image.format = D3DFMT_L8;
    image.kind = kind;
    image.levelCount = 1;
    image.surfaces.resize(image.FaceCount());
    for (UINT face = 0; face < image.FaceCount(); ++face)
    {
        EXPECT_TRUE(MakeSurface(D3DFMT_L8, width, height, 1, image.surfaces[face]));
        for (size_t i = 0; i < texels.size(); ++i)
            image.surfaces[face].bytes[i] = uint8_t(texels[i] + face * 10);
    }
    return image;
}

} // namespace

TEST(MipChainTest, GrownChainIsFilteredLevelByLevel)
{
    Image image = L8Image(Image::TEXTURE_2D, 4, 4,
                          {0, 2, 10, 20, 4, 6, 30, 40, 100, 100, 10, 10, 200, 200, 10, 10});
    ASSERT_TRUE(ResizeMipChain(image, 3));
    ASSERT_EQ(image.surfaces.size(), 3u);
    EXPECT_EQ(image.Surface(0, 1).width, 2u);
    EXPECT_EQ(image.Surface(0, 2).bytes, std::vector<uint8_t>{0});
    ASSERT_TRUE(FilterMipChain(image, 0));
    EXPECT_EQ(image.Surface(0, 1).bytes, (std::vector<uint8_t>{3, 25, 150, 10}));
    EXPECT_EQ(image.Surface(0, 2).bytes, std::vector<uint8_t>{47});
}

TEST(MipChainTest, CubeFacesAreFilteredApart)
{
    Image image = L8Image(Image::CUBE, 2, 2, {0, 2, 4, 6});
    ASSERT_TRUE(ResizeMipChain(image, 2));
    ASSERT_EQ(image.surfaces.size(), 12u);
    ASSERT_TRUE(FilterMipChain(image, 0));
    for (UINT face = 0; face < 6; ++face)
    {
        EXPECT_EQ(image.Surface(face, 0).bytes[0], face * 10) << face;
        EXPECT_EQ(image.Surface(face, 1).bytes, std::vector<uint8_t>{uint8_t(3 + face * 10)});
    }
}

TEST(MipChainTest, FilteringFromALowerLevelAndShrinkingKeepTheLevelsAbove)
{
    Image image = L8Image(Image::TEXTURE_2D, 4, 2, {1, 1, 1, 1, 1, 1, 1, 1});
    ASSERT_TRUE(ResizeMipChain(image, 3));
    image.Surface(0, 1).bytes = {50, 70};
    ASSERT_TRUE(FilterMipChain(image, 1));
    EXPECT_EQ(image.Surface(0, 0).bytes, (std::vector<uint8_t>(8, 1)));
    EXPECT_EQ(image.Surface(0, 2).bytes, std::vector<uint8_t>{60});

    ASSERT_TRUE(ResizeMipChain(image, 1));
    ASSERT_EQ(image.surfaces.size(), 1u);
    EXPECT_EQ(image.surfaces[0].bytes, (std::vector<uint8_t>(8, 1))) << "shrinking keeps the top";
}

TEST(MipChainTest, CompressedChainsFilterFromFloats)
{
    std::vector<float> rgba;
    for (int i = 0; i < 64; ++i)
        rgba.insert(rgba.end(), {i % 2 ? 1.0f : 0.0f, 0.5f, 0.0f, 1.0f});
    Image image;
    image.format = D3DFMT_DXT1;
    image.levelCount = 1;
    image.surfaces.resize(1);
    ASSERT_TRUE(EncodeSurface(D3DFMT_DXT1, rgba.data(), 8, 8, image.surfaces[0]));
    ASSERT_TRUE(ResizeMipChain(image, 4));
    ASSERT_TRUE(FilterMipChain(image, 0));
    std::vector<float> last;
    ASSERT_TRUE(DecodeSurface(D3DFMT_DXT1, image.Surface(0, 3), last));
    EXPECT_NEAR(last[0], 0.5f, 0.03f);
    EXPECT_NEAR(last[1], 0.5f, 0.03f);
}

TEST(MipChainTest, ImpossibleRequestsFail)
{
    Image image = L8Image(Image::TEXTURE_2D, 4, 4, std::vector<uint8_t>(16, 0));
    EXPECT_FALSE(ResizeMipChain(image, 0));
    EXPECT_FALSE(ResizeMipChain(image, 4));
    EXPECT_FALSE(FilterMipChain(image, 1));
    EXPECT_EQ(image.levelCount, 1u);

    ASSERT_TRUE(ResizeMipChain(image, 2));
    image.format = D3DFMT_DXT2;
    EXPECT_FALSE(FilterMipChain(image, 0));
    Image empty;
    EXPECT_FALSE(ResizeMipChain(empty, 1));
}

TEST(MipChainTest, WholeImageConvertsOrStaysAsItWas)
{
    Image image = L8Image(Image::TEXTURE_2D, 2, 2, {0, 51, 102, 255});
    ASSERT_TRUE(ConvertImage(image, D3DFMT_A8R8G8B8));
    const std::vector<uint8_t> converted = {0,   0,   0,   255, 51,  51,  51,  255,
                                            102, 102, 102, 255, 255, 255, 255, 255};
    EXPECT_EQ(image.surfaces[0].bytes, converted);
    EXPECT_FALSE(ConvertImage(image, D3DFMT_D16));
    EXPECT_EQ(image.format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(image.surfaces[0].bytes, converted);
}
