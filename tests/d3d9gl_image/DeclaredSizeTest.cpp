// Files whose headers declare more than their bytes can fill are refused before a decoder
// sizes a buffer from the declaration.

#include "d3d9gl/image/imagefile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace d3d9gl;

namespace
{

void PushBig(std::vector<uint8_t>& file, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        file.push_back(uint8_t(value >> shift));
}

// A PNG chunk of `type` declaring `declared` bytes, of which `present` follow (zeros), and
// a checksum the decoder does not check.
void PushChunk(std::vector<uint8_t>& file, const char* type, uint32_t declared, size_t present)
{
    PushBig(file, declared);
    file.insert(file.end(), type, type + 4);
    file.resize(file.size() + present + 4, 0);
}

std::vector<uint8_t> Png(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType)
{
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    PushBig(png, 13);
    png.insert(png.end(), {'I', 'H', 'D', 'R'});
    PushBig(png, width);
    PushBig(png, height);
    png.insert(png.end(), {depth, colourType, 0, 0, 0, 0, 0, 0, 0});
    return png;
}

std::vector<uint8_t> WithChunk(std::vector<uint8_t> png, const char* type, uint32_t declared,
                               size_t present)
{
    PushChunk(png, type, declared, present);
    return png;
}

// Start of image and a baseline frame header of one component.
std::vector<uint8_t> Jpeg(uint16_t width, uint16_t height, size_t size)
{
    std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8};
    for (uint16_t v : {height, width})
        jpeg.insert(jpeg.end(), {uint8_t(v >> 8), uint8_t(v)});
    jpeg.insert(jpeg.end(), {1, 1, 0x11, 0});
    jpeg.resize(size, 0);
    return jpeg;
}

std::vector<uint8_t> Header(std::vector<uint8_t> header, size_t size)
{
    header.resize(size, 0);
    return header;
}

TEST(DeclaredSizeTest, DeclarationsBeyondTheFilesBytesAreRefusedWithTheReason)
{
    const struct
    {
        const char* name;
        std::vector<uint8_t> file;
        const char* reason;
    } cases[] = {
        // 4 x 4 RGBA whose data chunk declares 1.7 GB: 104 bytes in all.
        {"png data chunk", WithChunk(Png(4, 4, 8, 6), "IDAT", 1700000000u, 59),
         "PNG chunk IDAT declares 1700000000 bytes (and a 4-byte checksum) but the file has 63"},
        {"png later chunk", WithChunk(WithChunk(Png(4, 4, 8, 6), "IDAT", 20, 20), "tEXt", 4096, 10),
         "PNG chunk tEXt declares 4096 bytes"},
        {"png without checksum", Header(WithChunk(Png(4, 4, 8, 6), "IDAT", 20, 20), 63),
         "PNG chunk IDAT declares 20 bytes (and a 4-byte checksum) but the file has 22"},
        {"png 16-bit rows", WithChunk(Png(4096, 4096, 16, 6), "IDAT", 2000, 2000),
         "image size 4096x4096 needs at least 130059 bytes of compressed data"},
        {"jpeg blocks", Jpeg(4096, 4096, 4096),
         "image size 4096x4096 needs at least 32768 bytes of compressed data"},
        {"uncompressed tga", Header({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 8, 24}, 4096),
         "image size 2048x2048 needs more pixel data than the 4096 bytes"},
        {"run-length tga", Header({0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 16, 32}, 4096),
         "image size 4096x4096 needs more pixel data"},
        {"gif", Header({'G', 'I', 'F', '8', '9', 'a', 0, 1, 0, 1, 0, 0, 0}, 64),
         "GIF, PSD and PIC files are not read"},
    };
    for (const auto& c : cases)
    {
        Image image;
        std::string error;
        EXPECT_FALSE(DecodeImageFile(c.file.data(), c.file.size(), image, error)) << c.name;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
        EXPECT_TRUE(image.surfaces.empty()) << c.name;
    }
}

TEST(DeclaredSizeTest, FilesFromAnEncoderPassTheCompressedDataBounds)
{
    // Flat images compress best, so they come closest to the bounds.
    std::vector<uint8_t> texels(512 * 512 * 4, 0xFF);
    ImageSurface surface{512, 512, 1, 512 * 4, 512 * 512 * 4, texels};
    for (ImageFileFormat format : {IMAGE_FILE_PNG, IMAGE_FILE_JPG})
    {
        std::vector<uint8_t> file;
        std::string error;
        ASSERT_TRUE(EncodeImageFile(format, surface, D3DFMT_A8R8G8B8, file, error)) << error;
        Image image;
        ASSERT_TRUE(DecodeImageFile(file.data(), file.size(), image, error)) << error;
        if (format == IMAGE_FILE_PNG)
        {
            EXPECT_EQ(image.surfaces.at(0).bytes, texels);
        }
    }
}

} // namespace
