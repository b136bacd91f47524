#include "d3d9gl/image/dds.h"
#include "d3d9gl/image/pixelformat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>

using namespace d3d9gl;

namespace
{

// Byte offsets of the fields of a DDS file (magic number, then the 124-byte header).
constexpr size_t SIZE_AT = 4, FLAGS_AT = 8, HEIGHT_AT = 12, WIDTH_AT = 16, PITCH_AT = 20,
                 DEPTH_AT = 24, MIPS_AT = 28, PF_SIZE_AT = 76, PF_FLAGS_AT = 80, FOURCC_AT = 84,
                 BITS_AT = 88, RMASK_AT = 92, AMASK_AT = 104, CAPS_AT = 108, CAPS2_AT = 112,
                 DATA_AT = 128;

uint32_t Field(const std::vector<uint8_t>& file, size_t at)
{
    uint32_t value;
    std::memcpy(&value, file.data() + at, 4);
    return value;
}

void SetField(std::vector<uint8_t>& file, size_t at, uint32_t value)
{
    std::memcpy(file.data() + at, &value, 4);
}

// An image whose every byte tells where it came from: face, level and position.
Image MakeImage(D3DFORMAT format, Image::Kind kind, UINT width, UINT height, UINT depth,
                UINT levels)
{
    Image image;
    image.format = format;
    image.kind = kind;
    image.levelCount = levels;
    image.surfaces.resize(size_t(image.FaceCount()) * levels);
    for (UINT face = 0; face < image.FaceCount(); ++face)
    {
        for (UINT level = 0; level < levels; ++level)
        {
            ImageSurface& s = image.Surface(face, level);
            EXPECT_TRUE(MakeSurface(format, GetLevelDimension(width, level),
                                    GetLevelDimension(height, level),
                                    GetLevelDimension(depth, level), s));
            for (size_t i = 0; i < s.bytes.size(); ++i)
                s.bytes[i] = uint8_t(face * 40 + level * 7 + i);
        }
    }
    return image;
}

std::vector<uint8_t> Write(const Image& image)
{
    std::vector<uint8_t> file;
    std::string error;
    EXPECT_TRUE(WriteDds(image, file, error)) << error;
    return file;
}

std::string ParseError(const std::vector<uint8_t>& file)
{
    Image image;
    std::string error;
    EXPECT_FALSE(ParseDds(file.data(), file.size(), image, error));
    EXPECT_TRUE(image.surfaces.empty());
    EXPECT_FALSE(error.empty());
    return error;
}

void ExpectSameImage(const Image& a, const Image& b)
{
    ASSERT_EQ(a.format, b.format);
    ASSERT_EQ(a.kind, b.kind);
    ASSERT_EQ(a.levelCount, b.levelCount);
    ASSERT_EQ(a.surfaces.size(), b.surfaces.size());
    // Size, pitch and bytes of every surface.
    const auto fields = [](const ImageSurface& s)
    { return std::make_tuple(s.width, s.height, s.depth, s.rowPitch, s.bytes); };
    for (size_t i = 0; i < a.surfaces.size(); ++i)
        EXPECT_EQ(fields(a.surfaces[i]), fields(b.surfaces[i])) << i;
}

Image Parse(const std::vector<uint8_t>& file)
{
    Image image;
    std::string error;
    EXPECT_TRUE(ParseDds(file.data(), file.size(), image, error)) << error;
    return image;
}

Image RoundTrip(const Image& image)
{
    return Parse(Write(image));
}

} // namespace

TEST(DdsTest, WriterFillsTheHeaderFields)
{
    const Image texture = MakeImage(D3DFMT_A8R8G8B8, Image::TEXTURE_2D, 8, 4, 1, 4);
    const Image dxt1 = MakeImage(D3DFMT_DXT1, Image::TEXTURE_2D, 16, 8, 1, 1);
    const Image cube = MakeImage(D3DFMT_X8R8G8B8, Image::CUBE, 4, 4, 1, 3);
    const Image volume = MakeImage(D3DFMT_A16B16G16R16F, Image::VOLUME, 4, 2, 8, 4);
    const struct
    {
        const char* name;
        const Image& image;
        size_t at;
        uint32_t mask, value;
    } cases[] = {
        // Fields that the parser reads back are checked by the round trips below.
        {"pitch", texture, PITCH_AT, ~0u, 32},
        {"flags", texture, FLAGS_AT, ~0u, 0x1u | 0x2 | 0x4 | 0x8 | 0x1000 | 0x20000},
        {"caps", texture, CAPS_AT, ~0u, 0x1000u | 0x8 | 0x400000},
        {"DXT1 linear size", dxt1, PITCH_AT, ~0u, 64},
        {"DXT1 linear size flag, no pitch flag", dxt1, FLAGS_AT, 0x80008u, 0x80000},
        {"DXT1 without mip count flag", dxt1, FLAGS_AT, 0x20000u, 0},
        {"DXT1 caps", dxt1, CAPS_AT, ~0u, 0x1000},
        {"cube complex", cube, CAPS_AT, 0x8u, 0x8},
        {"volume depth flag", volume, FLAGS_AT, 0x800000u, 0x800000},
        {"A16B16G16R16F fourCC", volume, FOURCC_AT, ~0u, 113},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Field(Write(c.image), c.at) & c.mask, c.value) << c.name;
    EXPECT_EQ(Write(texture).size(), DATA_AT + (8 * 4 + 4 * 2 + 2 * 1 + 1 * 1) * 4u);
    // 10x6 DXT5: level sizes 3x2, 2x1 and 1x1 blocks; only three of four levels stored.
    EXPECT_EQ(Write(MakeImage(D3DFMT_DXT5, Image::TEXTURE_2D, 10, 6, 1, 3)).size(),
              DATA_AT + (6 + 2 + 1) * 16u);
}

TEST(DdsTest, EveryFormatAndShapeSurvivesWriteAndParse)
{
    const struct
    {
        D3DFORMAT format;
        Image::Kind kind;
        UINT width, height, depth, levels;
    } shapes[] = {
        {D3DFMT_A8R8G8B8, Image::TEXTURE_2D, 8, 4, 1, 4},
        {D3DFMT_DXT5, Image::TEXTURE_2D, 10, 6, 1, 3},
        {D3DFMT_X8R8G8B8, Image::CUBE, 4, 4, 1, 3},
        {D3DFMT_A16B16G16R16F, Image::VOLUME, 4, 2, 8, 4},
    };
    for (const auto& c : shapes)
    {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " levels " << c.levels);
        const Image image = MakeImage(c.format, c.kind, c.width, c.height, c.depth, c.levels);
        ExpectSameImage(RoundTrip(image), image);
    }
    const D3DFORMAT formats[] = {
        D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_A8B8G8R8, D3DFMT_X8B8G8R8, D3DFMT_G16R16,
        D3DFMT_R8G8B8,   D3DFMT_R5G6B5,   D3DFMT_A1R5G5B5, D3DFMT_X1R5G5B5, D3DFMT_A4R4G4B4,
        D3DFMT_L8,       D3DFMT_L16,      D3DFMT_A8L8,     D3DFMT_A8,       D3DFMT_A16B16G16R16,
        D3DFMT_R16F,     D3DFMT_G16R16F,  D3DFMT_R32F,     D3DFMT_G32R32F,  D3DFMT_A32B32G32R32F,
        D3DFMT_DXT1,     D3DFMT_DXT2,     D3DFMT_DXT3,     D3DFMT_DXT4,     D3DFMT_DXT5};
    for (D3DFORMAT format : formats)
    {
        SCOPED_TRACE(GetFormatInfo(format)->name);
        Image image = MakeImage(format, Image::TEXTURE_2D, 5, 3, 1, 2);
        ExpectSameImage(RoundTrip(image), image);
    }
}

TEST(DdsTest, PaddedRowsAreWrittenTight)
{
    Image image = MakeImage(D3DFMT_L8, Image::TEXTURE_2D, 3, 2, 1, 1);
    ImageSurface& s = image.surfaces[0];
    s.rowPitch = 8;
    s.slicePitch = 16;
    s.bytes = {1, 2, 3, 0, 0, 0, 0, 0, 4, 5, 6, 0, 0, 0, 0, 0};
    std::vector<uint8_t> file = Write(image);
    ASSERT_EQ(file.size(), DATA_AT + 6);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + DATA_AT, file.end()),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
}

TEST(DdsTest, WriterRefusesInconsistentImages)
{
    // Each spoils a 4 x 4 image of three levels; the reason where one is checked.
    const std::pair<std::function<void(Image&)>, const char*> spoilers[] = {
        {[](Image& i) { i.format = D3DFMT_D24S8; }, "cannot be written"},
        {[](Image& i) { i.surfaces.pop_back(); }, ""}, // a missing level
        {[](Image& i) { i.levelCount = 4, i.surfaces.push_back(i.surfaces.back()); }, ""},
        {[](Image& i) { i.surfaces[1] = i.surfaces[0]; }, ""}, // a level of the wrong size
        {[](Image& i) { i.surfaces[0].bytes.resize(63); }, ""},
    };
    for (const auto& [spoil, reason] : spoilers)
    {
        Image image = MakeImage(D3DFMT_A8R8G8B8, Image::TEXTURE_2D, 4, 4, 1, 3);
        spoil(image);
        std::vector<uint8_t> file;
        std::string error;
        EXPECT_FALSE(WriteDds(image, file, error));
        EXPECT_TRUE(file.empty());
        EXPECT_FALSE(error.empty());
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
}

TEST(DdsTest, LegacyMaskFormatsAreRecognised)
{
    // Pixel format flags, bits, red, green, blue and alpha masks, and the format they make.
    const size_t fieldsAt[] = {PF_FLAGS_AT,  BITS_AT,      RMASK_AT,
                               RMASK_AT + 4, RMASK_AT + 8, AMASK_AT};
    const struct
    {
        uint32_t flags, bits, r, g, b, a;
        D3DFORMAT expected;
    } cases[] = {
        {0x40, 32, 0xff0000, 0xff00, 0xff, 0, D3DFMT_X8R8G8B8},
        // An alpha mask without DDPF_ALPHAPIXELS does not count.
        {0x40, 32, 0xff0000, 0xff00, 0xff, 0xff000000, D3DFMT_X8R8G8B8},
        {0x41, 32, 0xff, 0xff00, 0xff0000, 0xff000000, D3DFMT_A8B8G8R8},
        {0x40, 16, 0xf800, 0x7e0, 0x1f, 0, D3DFMT_R5G6B5},
        {0x20000, 8, 0xff, 0, 0, 0, D3DFMT_L8},
        {0x20001, 16, 0xff, 0, 0, 0xff00, D3DFMT_A8L8},
        {0x2, 8, 0, 0, 0, 0xff, D3DFMT_A8},
    };
    for (const auto& c : cases)
    {
        std::vector<uint8_t> file =
            Write(MakeImage(D3DFMT_A8R8G8B8, Image::TEXTURE_2D, 2, 2, 1, 1));
        const uint32_t fields[] = {c.flags, c.bits, c.r, c.g, c.b, c.a};
        for (size_t i = 0; i < 6; ++i)
            SetField(file, fieldsAt[i], fields[i]);
        EXPECT_EQ(Parse(file).format, c.expected);
    }
}

TEST(DdsTest, ZeroMipCountAndTrailingBytesAreAccepted)
{
    Image image = MakeImage(D3DFMT_R5G6B5, Image::TEXTURE_2D, 2, 2, 1, 1);
    std::vector<uint8_t> file = Write(image);
    SetField(file, MIPS_AT, 0);
    file.resize(file.size() + 5, 0xee);
    ExpectSameImage(Parse(file), image);
}

TEST(DdsTest, OutOfRangeHeaderFieldsFailCleanly)
{
    const std::vector<uint8_t> valid =
        Write(MakeImage(D3DFMT_A8R8G8B8, Image::TEXTURE_2D, 4, 4, 1, 3));
    struct Case
    {
        size_t at;
        uint32_t value;
        const char* message;
    } cases[] = {
        {0, MAKEFOURCC('D', 'D', 'S', 'X'), "magic"},
        {SIZE_AT, 123, "header size is 123"},
        {SIZE_AT, 0xffffffff, "header size"},
        {PF_SIZE_AT, 0, "pixel format size is 0"},
        {PF_SIZE_AT, 33, "pixel format size"},
        {WIDTH_AT, 0, "outside"},
        {HEIGHT_AT, 0, "outside"},
        {WIDTH_AT, 16385, "outside"},
        {HEIGHT_AT, 0xffffffff, "outside"},
        {MIPS_AT, 4, "mip count 4 exceeds the 3 levels"},
        {MIPS_AT, 0xffffffff, "mip count"},
        {PF_FLAGS_AT, 0x200, "not supported"},
        {BITS_AT, 24, "not supported"},
        {CAPS2_AT, 0x200 | 0x400 | 0x800, "only some faces"},
        {CAPS2_AT, 0x200000, "volume depth 0"},
        {CAPS2_AT, 0x200000 | 0xfe00, "both"},
    };
    for (const Case& c : cases)
    {
        std::vector<uint8_t> file = valid;
        SetField(file, c.at, c.value);
        std::string error = ParseError(file);
        EXPECT_NE(error.find(c.message), std::string::npos) << c.message << " / " << error;
    }
    for (size_t size : {size_t(0), size_t(3), size_t(4), size_t(127)})
        ParseError(std::vector<uint8_t>(valid.begin(), valid.begin() + long(size)));
    Image image;
    std::string error;
    EXPECT_FALSE(ParseDds(nullptr, 128, image, error));
}

TEST(DdsTest, HugeOrUnknownContentFailsCleanly)
{
    std::vector<uint8_t> file = Write(MakeImage(D3DFMT_A8R8G8B8, Image::VOLUME, 4, 4, 4, 1));
    SetField(file, DEPTH_AT, 2049);
    EXPECT_NE(ParseError(file).find("depth 2049"), std::string::npos);

    // The largest legal volume still needs more bytes than the file has: no allocation.
    SetField(file, WIDTH_AT, 16384);
    SetField(file, HEIGHT_AT, 16384);
    SetField(file, DEPTH_AT, 2048);
    SetField(file, MIPS_AT, 15);
    EXPECT_NE(ParseError(file).find("truncated"), std::string::npos);

    std::vector<uint8_t> cube = Write(MakeImage(D3DFMT_A8, Image::CUBE, 4, 4, 1, 1));
    SetField(cube, WIDTH_AT, 8);
    EXPECT_NE(ParseError(cube).find("not square"), std::string::npos);

    std::vector<uint8_t> fourCC = Write(MakeImage(D3DFMT_DXT1, Image::TEXTURE_2D, 4, 4, 1, 1));
    SetField(fourCC, FOURCC_AT, MAKEFOURCC('A', 'T', 'I', '2'));
    EXPECT_NE(ParseError(fourCC).find("not supported"), std::string::npos);
    SetField(fourCC, FOURCC_AT, MAKEFOURCC('D', 'X', '1', '0'));
    EXPECT_NE(ParseError(fourCC).find("DX10"), std::string::npos);
}

TEST(DdsTest, TruncationAtEveryLevelBoundaryFails)
{
    for (Image::Kind kind : {Image::TEXTURE_2D, Image::CUBE, Image::VOLUME})
    {
        Image image = MakeImage(D3DFMT_DXT3, kind, 8, 8, kind == Image::VOLUME ? 4 : 1, 4);
        const std::vector<uint8_t> file = Write(image);
        size_t boundary = DATA_AT;
        for (const ImageSurface& s : image.surfaces)
        {
            boundary += s.bytes.size();
            if (boundary == file.size())
                break;
            for (size_t cut : {boundary, boundary - 1, boundary + 1})
            {
                std::vector<uint8_t> truncated(file.begin(), file.begin() + long(cut));
                EXPECT_NE(ParseError(truncated).find("truncated"), std::string::npos) << cut;
            }
        }
        std::vector<uint8_t> shortByOne(file.begin(), file.end() - 1);
        EXPECT_NE(ParseError(shortByOne).find("truncated"), std::string::npos);
    }
}
