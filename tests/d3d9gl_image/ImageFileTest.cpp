#include "d3d9gl/image/imagefile.h"
#include "d3d9gl/image/imageclaims.h"
#include "d3d9gl/image/surfacecodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace d3d9gl;

namespace
{

// A8R8G8B8 texels with every channel different, alpha included.
ImageSurface Pattern(D3DFORMAT format, UINT width, UINT height)
{
    std::vector<float> rgba;
    for (UINT y = 0; y < height; ++y)
    {
        for (UINT x = 0; x < width; ++x)
        {
            rgba.insert(rgba.end(), {float(x * 40 % 256) / 255.0f, float(y * 60 % 256) / 255.0f,
                                     float((x * y * 13 + 7) % 256) / 255.0f,
                                     float((x + y) * 30 % 256) / 255.0f});
        }
    }
    ImageSurface surface;
    EXPECT_TRUE(EncodeSurface(format, rgba.data(), width, height, surface));
    return surface;
}

std::vector<uint8_t> Encode(ImageFileFormat fileFormat, const ImageSurface& surface,
                            D3DFORMAT format)
{
    std::vector<uint8_t> file;
    std::string error;
    EXPECT_TRUE(EncodeImageFile(fileFormat, surface, format, file, error)) << error;
    EXPECT_FALSE(file.empty());
    return file;
}

Image Decode(const std::vector<uint8_t>& file)
{
    Image image;
    std::string error;
    EXPECT_TRUE(DecodeImageFile(file.data(), file.size(), image, error)) << error;
    return image;
}

std::string DecodeError(const std::vector<uint8_t>& file)
{
    Image image;
    std::string error;
    EXPECT_FALSE(DecodeImageFile(file.data(), file.size(), image, error));
    EXPECT_TRUE(image.surfaces.empty());
    return error;
}

std::vector<uint8_t> Text(const std::string& text)
{
    return {text.begin(), text.end()};
}

// A PNG signature and header chunk claiming the given size, and nothing else.
std::vector<uint8_t> PngHeader(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a,
                                0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            png.push_back(uint8_t(v >> shift));
    png.insert(png.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});
    return png;
}

} // namespace

TEST(ImageFileTest, LosslessFormatsRoundTripExactly)
{
    const ImageSurface surface = Pattern(D3DFMT_A8R8G8B8, 7, 5);
    for (ImageFileFormat fileFormat : {IMAGE_FILE_PNG, IMAGE_FILE_BMP, IMAGE_FILE_TGA})
    {
        SCOPED_TRACE(fileFormat);
        Image image = Decode(Encode(fileFormat, surface, D3DFMT_A8R8G8B8));
        EXPECT_EQ(image.format, D3DFMT_A8R8G8B8);
        EXPECT_EQ(image.kind, Image::TEXTURE_2D);
        ASSERT_EQ(image.levelCount, 1u);
        ASSERT_EQ(image.surfaces.size(), 1u);
        EXPECT_EQ(image.surfaces[0].width, 7u);
        EXPECT_EQ(image.surfaces[0].height, 5u);
        EXPECT_EQ(image.surfaces[0].bytes, surface.bytes);
    }
}

TEST(ImageFileTest, FormatsWithoutAlphaAreSavedOpaque)
{
    const ImageSurface surface = Pattern(D3DFMT_R5G6B5, 4, 3);
    std::vector<float> expected;
    ASSERT_TRUE(DecodeSurface(D3DFMT_R5G6B5, surface, expected));
    for (ImageFileFormat fileFormat : {IMAGE_FILE_BMP, IMAGE_FILE_PPM, IMAGE_FILE_PNG})
    {
        SCOPED_TRACE(fileFormat);
        Image image = Decode(Encode(fileFormat, surface, D3DFMT_R5G6B5));
        std::vector<float> decoded;
        ASSERT_TRUE(DecodeSurface(image.format, image.surfaces[0], decoded));
        ASSERT_EQ(decoded.size(), expected.size());
        for (size_t i = 0; i < decoded.size(); ++i)
            EXPECT_NEAR(decoded[i], expected[i], 0.5f / 255.0f) << i;
    }
}

TEST(ImageFileTest, JpegRoundTripIsClose)
{
    std::vector<float> rgba;
    for (UINT y = 0; y < 16; ++y)
        for (UINT x = 0; x < 16; ++x)
            rgba.insert(rgba.end(), {x / 16.0f, y / 16.0f, 0.5f, 0.3f});
    ImageSurface surface;
    ASSERT_TRUE(EncodeSurface(D3DFMT_A8R8G8B8, rgba.data(), 16, 16, surface));
    Image image = Decode(Encode(IMAGE_FILE_JPG, surface, D3DFMT_A8R8G8B8));
    std::vector<float> decoded;
    ASSERT_TRUE(DecodeSurface(image.format, image.surfaces[0], decoded));
    ASSERT_EQ(decoded.size(), rgba.size());
    double error = 0.0;
    for (size_t i = 0; i < decoded.size(); i += 4)
    {
        for (int c = 0; c < 3; ++c)
            error += std::fabs(decoded[i + c] - rgba[i + c]);
        EXPECT_EQ(decoded[i + 3], 1.0f);
    }
    EXPECT_LT(error / (16 * 16 * 3), 0.02);
}

TEST(ImageFileTest, HdrKeepsValuesAboveOne)
{
    const std::vector<float> rgba = {4.0f, 0.5f, 0.25f, 1.0f, 100.0f, 2.0f, 0.0f, 1.0f};
    ImageSurface surface;
    ASSERT_TRUE(EncodeSurface(D3DFMT_A32B32G32R32F, rgba.data(), 2, 1, surface));
    Image image = Decode(Encode(IMAGE_FILE_HDR, surface, D3DFMT_A32B32G32R32F));
    EXPECT_EQ(image.format, D3DFMT_A32B32G32R32F);
    std::vector<float> decoded;
    ASSERT_TRUE(DecodeSurface(image.format, image.surfaces[0], decoded));
    ASSERT_EQ(decoded.size(), rgba.size());
    for (size_t i = 0; i < rgba.size(); ++i)
        EXPECT_NEAR(decoded[i], rgba[i], rgba[i] * 0.02f + 0.01f) << i;
}

TEST(ImageFileTest, PpmDecodesToBgraTexels)
{
    std::vector<uint8_t> file = Text("P6\n2 1\n255\n");
    file.insert(file.end(), {255, 0, 0, 10, 20, 30});
    Image image = Decode(file);
    EXPECT_EQ(image.surfaces[0].bytes, (std::vector<uint8_t>{0, 0, 255, 255, 30, 20, 10, 255}));
}

TEST(ImageFileTest, DdsKeepsItsFormatBothWays)
{
    const ImageSurface surface = Pattern(D3DFMT_DXT1, 8, 8);
    std::vector<uint8_t> file = Encode(IMAGE_FILE_DDS, surface, D3DFMT_DXT1);
    Image image = Decode(file);
    EXPECT_EQ(image.format, D3DFMT_DXT1);
    ASSERT_EQ(image.surfaces.size(), 1u);
    EXPECT_EQ(image.surfaces[0].bytes, surface.bytes);

    // Compressed surfaces save to other files through their decoded texels.
    Image png = Decode(Encode(IMAGE_FILE_PNG, surface, D3DFMT_DXT1));
    std::vector<float> fromDxt, fromPng;
    ASSERT_TRUE(DecodeSurface(D3DFMT_DXT1, surface, fromDxt));
    ASSERT_TRUE(DecodeSurface(png.format, png.surfaces[0], fromPng));
    EXPECT_EQ(fromDxt, fromPng);
}

TEST(ImageFileTest, GarbageIsRejectedWithTheDecodersReason)
{
    std::string error = DecodeError(Text("this is not an image at all"));
    EXPECT_NE(error.find("could not be read: "), std::string::npos) << error;
    EXPECT_GT(error.size(), std::string("image file could not be read: ").size());

    std::vector<uint8_t> png =
        Encode(IMAGE_FILE_PNG, Pattern(D3DFMT_A8R8G8B8, 16, 16), D3DFMT_A8R8G8B8);
    png.resize(png.size() / 2);
    EXPECT_FALSE(DecodeError(png).empty());

    Image image;
    EXPECT_FALSE(DecodeImageFile(nullptr, 10, image, error));
    EXPECT_EQ(error, "image file is empty");
}

TEST(ImageFileTest, HugeImagesAreRefusedBeforeDecoding)
{
    std::string error = DecodeError(PngHeader(17000, 10));
    EXPECT_NE(error.find("17000x10 is outside 1 to 16384"), std::string::npos) << error;
    error = DecodeError(PngHeader(16384, 16384));
    EXPECT_NE(error.find("16384x16384 is more than a file of 33 bytes can hold"), std::string::npos)
        << error;
}

TEST(ImageFileTest, HeadersClaimingMoreThanTheFileHoldsAreRefusedBeforeDecoding)
{
    auto withBytes = [](std::vector<uint8_t> file, size_t size)
    {
        file.resize(size, 0);
        return file;
    };
    std::vector<uint8_t> bmp(54, 0);
    const uint32_t fields[][2] = {{10, 54}, {14, 40}, {18, 8192}, {22, 8192}, {26, 1}, {28, 24}};
    for (const auto& [offset, value] : fields)
    {
        for (int i = 0; i < 4; ++i)
            bmp[offset + i] = uint8_t(value >> (8 * i));
    }
    bmp[0] = 'B';
    bmp[1] = 'M';
    const struct
    {
        std::vector<uint8_t> file;
        const char* reason;
    } cases[] = {
        {withBytes(Text("P6\n1 1\n65535\n"), 20), "16-bit samples"},
        {withBytes(Text("P5\n64 64\n255\n"), 100), "64x64 needs more pixel data"},
        {withBytes(bmp, 4096), "8192x8192 needs more pixel data than the 4096 bytes"},
        {withBytes(Text("#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 4096 +X 8192\n"), 4096),
         "8192x4096 needs more pixel data"},
    };
    for (const auto& c : cases)
    {
        const std::string error = DecodeError(c.file);
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    // Compressed files pass on to the decoder, but no image decodes past the budget.
    std::string error;
    const std::vector<uint8_t> png = PngHeader(9000, 9000);
    EXPECT_FALSE(CheckImageClaims(png.data(), png.size(), 9000, 9000, 4, error));
    EXPECT_NE(error.find("more than 256 MiB"), std::string::npos) << error;
}

TEST(ImageFileTest, HighlyCompressedImagesStillDecode)
{
    std::vector<float> white(1024 * 1024 * 4, 1.0f);
    ImageSurface surface;
    ASSERT_TRUE(EncodeSurface(D3DFMT_L8, white.data(), 1024, 1024, surface));
    std::vector<uint8_t> png = Encode(IMAGE_FILE_PNG, surface, D3DFMT_L8);
    Image image = Decode(png);
    ASSERT_EQ(image.surfaces.size(), 1u);
    EXPECT_EQ(image.surfaces[0].bytes, std::vector<uint8_t>(1024 * 1024 * 4, 255));
}

TEST(ImageFileTest, UnwritableRequestsFailWithAReason)
{
    const ImageSurface surface = Pattern(D3DFMT_A8R8G8B8, 2, 2);
    std::vector<uint8_t> file;
    std::string error;
    EXPECT_FALSE(EncodeImageFile(IMAGE_FILE_PFM, surface, D3DFMT_A8R8G8B8, file, error));
    EXPECT_NE(error.find("cannot be written"), std::string::npos);
    EXPECT_FALSE(EncodeImageFile(IMAGE_FILE_PNG, surface, D3DFMT_D24S8, file, error));
    EXPECT_NE(error.find("cannot be read"), std::string::npos);

    ImageSurface volume;
    ASSERT_TRUE(MakeSurface(D3DFMT_A8R8G8B8, 2, 2, 2, volume));
    EXPECT_FALSE(EncodeImageFile(IMAGE_FILE_PNG, volume, D3DFMT_A8R8G8B8, file, error));
    EXPECT_TRUE(file.empty());
    EXPECT_TRUE(EncodeImageFile(IMAGE_FILE_DDS, volume, D3DFMT_A8R8G8B8, file, error)) << error;
}
