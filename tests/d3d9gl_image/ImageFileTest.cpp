#include "d3d9gl/image/imagefile.h"
#include "d3d9gl/image/imageclaims.h"
#include "d3d9gl/image/surfacecodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>

using namespace d3d9gl;

namespace
{

// Smooth ramps, every channel different, alpha included: content that JPEG keeps well.
ImageSurface Smooth(D3DFORMAT format, UINT width, UINT height, float scale = 1.0f)
{
    std::vector<float> rgba;
    for (UINT y = 0; y < height; ++y)
    {
        for (UINT x = 0; x < width; ++x)
        {
            rgba.insert(rgba.end(),
                        {scale * float(x) / float(width), scale * float(y) / float(height),
                         scale * float(x + y) / float(width + height),
                         float(width - x) / float(width)});
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

// Each file format from surfaces of several formats: the decoded texels against the
// source's own decoded texels, alpha only where the file keeps it.
TEST(ImageFileTest, EachFileFormatRoundTripsWithinItsPrecision)
{
    const struct
    {
        ImageFileFormat fileFormat;
        D3DFORMAT format, decodedFormat;
        bool keepsAlpha;
        float scale;     // of the source values; above one only for float formats
        float tolerance; // of the mean error relative to 1 + |value|
    } cases[] = {
        {IMAGE_FILE_PNG, D3DFMT_A8R8G8B8, D3DFMT_A8R8G8B8, true, 1, 0},
        {IMAGE_FILE_BMP, D3DFMT_A8R8G8B8, D3DFMT_A8R8G8B8, true, 1, 0},
        {IMAGE_FILE_TGA, D3DFMT_A8R8G8B8, D3DFMT_A8R8G8B8, true, 1, 0},
        // Five and six bits to eight: within half a step of eight bits.
        {IMAGE_FILE_PNG, D3DFMT_R5G6B5, D3DFMT_A8R8G8B8, false, 1, 0.5f / 255},
        {IMAGE_FILE_BMP, D3DFMT_R5G6B5, D3DFMT_A8R8G8B8, false, 1, 0.5f / 255},
        {IMAGE_FILE_PPM, D3DFMT_R5G6B5, D3DFMT_A8R8G8B8, false, 1, 0.5f / 255},
        {IMAGE_FILE_DDS, D3DFMT_DXT1, D3DFMT_DXT1, true, 1, 0},
        // Compressed surfaces save to other files through their decoded texels.
        {IMAGE_FILE_PNG, D3DFMT_DXT1, D3DFMT_A8R8G8B8, true, 1, 0},
        {IMAGE_FILE_JPG, D3DFMT_A8R8G8B8, D3DFMT_A8R8G8B8, false, 1, 0.02f},
        {IMAGE_FILE_HDR, D3DFMT_A32B32G32R32F, D3DFMT_A32B32G32R32F, false, 100, 0.02f},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "file " << c.fileFormat << " format " << c.format);
        const ImageSurface surface = Smooth(c.format, 16, 12, c.scale);
        std::vector<float> expected;
        ASSERT_TRUE(DecodeSurface(c.format, surface, expected));
        const Image image = Decode(Encode(c.fileFormat, surface, c.format));
        ASSERT_EQ(
            std::make_tuple(image.format, image.kind, image.levelCount, image.surfaces.size()),
            std::make_tuple(c.decodedFormat, Image::TEXTURE_2D, 1u, size_t(1)));
        EXPECT_EQ(std::make_pair(image.surfaces[0].width, image.surfaces[0].height),
                  std::make_pair(16u, 12u));
        std::vector<float> decoded;
        ASSERT_TRUE(DecodeSurface(image.format, image.surfaces[0], decoded));
        ASSERT_EQ(decoded.size(), expected.size());
        double error = 0.0;
        for (size_t i = 0; i < decoded.size(); ++i)
        {
            if (i % 4 == 3 && !c.keepsAlpha)
                EXPECT_EQ(decoded[i], 1.0f);
            else
                error += std::fabs(decoded[i] - expected[i]) / (1.0 + std::fabs(expected[i]));
        }
        EXPECT_LE(error / double(decoded.size()), c.tolerance);
    }
    // PPM's texels in file order.
    std::vector<uint8_t> ppm = Text("P6\n2 1\n255\n");
    ppm.insert(ppm.end(), {255, 0, 0, 10, 20, 30});
    EXPECT_EQ(Decode(ppm).surfaces[0].bytes,
              (std::vector<uint8_t>{0, 0, 255, 255, 30, 20, 10, 255}));
}

// Garbage gets the decoder's reason; sizes and headers that claim more than the file can
// hold are refused before anything is decoded.
TEST(ImageFileTest, BrokenAndHugeImagesAreRefusedWithAReason)
{
    auto withBytes = [](std::vector<uint8_t> file, size_t size)
    {
        file.resize(size, 0);
        return file;
    };
    std::vector<uint8_t> bmp(54, 0);
    const uint32_t fields[][2] = {{10, 54}, {14, 40}, {18, 8192}, {22, 8192}, {26, 1}, {28, 24}};
    for (const auto& [offset, value] : fields)
        for (int i = 0; i < 4; ++i)
            bmp[offset + i] = uint8_t(value >> (8 * i));
    bmp[0] = 'B';
    bmp[1] = 'M';
    const std::vector<uint8_t> png =
        Encode(IMAGE_FILE_PNG, Smooth(D3DFMT_A8R8G8B8, 16, 16), D3DFMT_A8R8G8B8);
    std::vector<uint8_t> corrupted = png;
    corrupted[41] = corrupted[42] = 0xFF; // the zlib header of the first data chunk
    const std::tuple<std::vector<uint8_t>, const char*> cases[] = {
        {Text("this is not an image at all"), "could not be read: "},
        {corrupted, "could not be decoded: "},
        {PngHeader(17000, 10), "17000x10 is outside 1 to 16384"},
        {PngHeader(16384, 16384), "16384x16384 is more than a file of 33 bytes can hold"},
        {withBytes(Text("P6\n1 1\n65535\n"), 20), "16-bit samples"},
        {withBytes(Text("P5\n64 64\n255\n"), 100), "64x64 needs more pixel data"},
        {withBytes(bmp, 4096), "8192x8192 needs more pixel data than the 4096 bytes"},
        {withBytes(Text("#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 4096 +X 8192\n"), 4096),
         "8192x4096 needs more pixel data"},
    };
    for (const auto& [file, reason] : cases)
    {
        const std::string error = DecodeError(file);
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_GT(error.size(), std::string(reason).size() + 10) << error;
    }
    Image image;
    std::string error;
    EXPECT_FALSE(DecodeImageFile(nullptr, 10, image, error));
    EXPECT_EQ(error, "image file is empty");
    // Compressed files pass on to the decoder, but no image decodes past the budget.
    const std::vector<uint8_t> header = PngHeader(9000, 9000);
    EXPECT_FALSE(CheckImageClaims(header.data(), header.size(), 9000, 9000, 4, error));
    EXPECT_NE(error.find("more than 256 MiB"), std::string::npos) << error;
}

TEST(ImageFileTest, UnwritableRequestsFailWithAReason)
{
    const ImageSurface surface = Smooth(D3DFMT_A8R8G8B8, 2, 2);
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
