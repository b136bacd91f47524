#include "d3d9gl/image/dds.h"

#include "d3d9gl/image/pixelformat.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace d3d9gl
{
namespace
{

constexpr DWORD DDS_MAGIC = MAKEFOURCC('D', 'D', 'S', ' ');
constexpr DWORD DDS_HEADER_SIZE = 124;
constexpr DWORD DDS_PIXELFORMAT_SIZE = 32;

constexpr DWORD DDSD_CAPS = 0x1;
constexpr DWORD DDSD_HEIGHT = 0x2;
constexpr DWORD DDSD_WIDTH = 0x4;
constexpr DWORD DDSD_PITCH = 0x8;
constexpr DWORD DDSD_PIXELFORMAT = 0x1000;
constexpr DWORD DDSD_MIPMAPCOUNT = 0x20000;
constexpr DWORD DDSD_LINEARSIZE = 0x80000;
constexpr DWORD DDSD_DEPTH = 0x800000;

constexpr DWORD DDPF_ALPHAPIXELS = 0x1;
constexpr DWORD DDPF_ALPHA = 0x2;
constexpr DWORD DDPF_FOURCC = 0x4;
constexpr DWORD DDPF_RGB = 0x40;
constexpr DWORD DDPF_LUMINANCE = 0x20000;

constexpr DWORD DDSCAPS_COMPLEX = 0x8;
constexpr DWORD DDSCAPS_TEXTURE = 0x1000;
constexpr DWORD DDSCAPS_MIPMAP = 0x400000;
constexpr DWORD DDSCAPS2_CUBEMAP = 0x200;
constexpr DWORD DDSCAPS2_CUBEMAP_ALLFACES = 0xfc00;
constexpr DWORD DDSCAPS2_VOLUME = 0x200000;

struct DdsPixelFormat
{
    DWORD size;
    DWORD flags;
    DWORD fourCC;
    DWORD rgbBitCount;
    DWORD rMask;
    DWORD gMask;
    DWORD bMask;
    DWORD aMask;
};

struct DdsHeader
{
    DWORD size;
    DWORD flags;
    DWORD height;
    DWORD width;
    DWORD pitchOrLinearSize;
    DWORD depth;
    DWORD mipMapCount;
    DWORD reserved1[11];
    DdsPixelFormat pixelFormat;
    DWORD caps;
    DWORD caps2;
    DWORD caps3;
    DWORD caps4;
    DWORD reserved2;
};
static_assert(sizeof(DdsPixelFormat) == DDS_PIXELFORMAT_SIZE);
static_assert(sizeof(DdsHeader) == DDS_HEADER_SIZE);

constexpr size_t DDS_DATA_OFFSET = sizeof(DWORD) + sizeof(DdsHeader);

// Formats a DDS file names by bit masks; the flags are those written.
struct MaskFormat
{
    D3DFORMAT format;
    DWORD flags;
    DWORD bits;
    DWORD rMask;
    DWORD gMask;
    DWORD bMask;
    DWORD aMask;
};

// clang-format off
constexpr MaskFormat MASK_FORMATS[] = {
    {D3DFMT_A8R8G8B8, DDPF_RGB | DDPF_ALPHAPIXELS,       32, 0xff0000, 0xff00,     0xff,     0xff000000},
    {D3DFMT_X8R8G8B8, DDPF_RGB,                          32, 0xff0000, 0xff00,     0xff,     0},
    {D3DFMT_A8B8G8R8, DDPF_RGB | DDPF_ALPHAPIXELS,       32, 0xff,     0xff00,     0xff0000, 0xff000000},
    {D3DFMT_X8B8G8R8, DDPF_RGB,                          32, 0xff,     0xff00,     0xff0000, 0},
    {D3DFMT_G16R16,   DDPF_RGB,                          32, 0xffff,   0xffff0000, 0,        0},
    {D3DFMT_R8G8B8,   DDPF_RGB,                          24, 0xff0000, 0xff00,     0xff,     0},
    {D3DFMT_R5G6B5,   DDPF_RGB,                          16, 0xf800,   0x7e0,      0x1f,     0},
    {D3DFMT_A1R5G5B5, DDPF_RGB | DDPF_ALPHAPIXELS,       16, 0x7c00,   0x3e0,      0x1f,     0x8000},
    {D3DFMT_X1R5G5B5, DDPF_RGB,                          16, 0x7c00,   0x3e0,      0x1f,     0},
    {D3DFMT_A4R4G4B4, DDPF_RGB | DDPF_ALPHAPIXELS,       16, 0xf00,    0xf0,       0xf,      0xf000},
    {D3DFMT_L8,       DDPF_LUMINANCE,                    8,  0xff,     0,          0,        0},
    {D3DFMT_L16,      DDPF_LUMINANCE,                    16, 0xffff,   0,          0,        0},
    {D3DFMT_A8L8,     DDPF_LUMINANCE | DDPF_ALPHAPIXELS, 16, 0xff,     0,          0,        0xff00},
    {D3DFMT_A8,       DDPF_ALPHA,                        8,  0,        0,          0,        0xff},
};
// clang-format on

// Formats a DDS file names by FourCC: the DXT codes and D3DFORMAT numbers.
constexpr D3DFORMAT FOURCC_FORMATS[] = {
    D3DFMT_DXT1,    D3DFMT_DXT2,          D3DFMT_DXT3,         D3DFMT_DXT4,
    D3DFMT_DXT5,    D3DFMT_R16F,          D3DFMT_G16R16F,      D3DFMT_R32F,
    D3DFMT_G32R32F, D3DFMT_A16B16G16R16F, D3DFMT_A16B16G16R16, D3DFMT_A32B32G32R32F};

constexpr DWORD KIND_FLAGS = DDPF_RGB | DDPF_LUMINANCE | DDPF_ALPHA;

D3DFORMAT FormatFromPixelFormat(const DdsPixelFormat& pf)
{
    if (pf.flags & DDPF_FOURCC)
    {
        auto it = std::find(std::begin(FOURCC_FORMATS), std::end(FOURCC_FORMATS), pf.fourCC);
        return it == std::end(FOURCC_FORMATS) ? D3DFMT_UNKNOWN : *it;
    }
    DWORD aMask = (pf.flags & (DDPF_ALPHAPIXELS | DDPF_ALPHA)) ? pf.aMask : 0;
    for (const MaskFormat& m : MASK_FORMATS)
    {
        if ((pf.flags & KIND_FLAGS) == (m.flags & KIND_FLAGS) && pf.rgbBitCount == m.bits &&
            pf.rMask == m.rMask && pf.gMask == m.gMask && pf.bMask == m.bMask && aMask == m.aMask)
            return m.format;
    }
    return D3DFMT_UNKNOWN;
}

bool PixelFormatFromFormat(D3DFORMAT format, DdsPixelFormat& pf)
{
    pf = {};
    pf.size = DDS_PIXELFORMAT_SIZE;
    if (std::find(std::begin(FOURCC_FORMATS), std::end(FOURCC_FORMATS), format) !=
        std::end(FOURCC_FORMATS))
    {
        pf.flags = DDPF_FOURCC;
        pf.fourCC = format;
        return true;
    }
    for (const MaskFormat& m : MASK_FORMATS)
    {
        if (m.format == format)
        {
            pf.flags = m.flags;
            pf.rgbBitCount = m.bits;
            pf.rMask = m.rMask;
            pf.gMask = m.gMask;
            pf.bMask = m.bMask;
            pf.aMask = m.aMask;
            return true;
        }
    }
    return false;
}

[[gnu::format(printf, 1, 2)]] std::string Describe(const char* fmt, ...)
{
    char line[256];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(line, sizeof(line), fmt, args);
    va_end(args);
    return line;
}

// Bytes of one level of one face.
uint64_t LevelSize(D3DFORMAT format, UINT width, UINT height, UINT depth, UINT level)
{
    return GetSurfaceSize(format, GetLevelDimension(width, level),
                          GetLevelDimension(height, level)) *
           GetLevelDimension(depth, level);
}

bool ValidateHeader(const DdsHeader& header, std::string& error)
{
    if (header.size != DDS_HEADER_SIZE)
    {
        error = Describe("DDS header size is %u, expected 124", header.size);
        return false;
    }
    if (header.pixelFormat.size != DDS_PIXELFORMAT_SIZE)
    {
        error = Describe("DDS pixel format size is %u, expected 32", header.pixelFormat.size);
        return false;
    }
    if (header.width == 0 || header.height == 0 || header.width > DDS_MAX_DIMENSION ||
        header.height > DDS_MAX_DIMENSION)
    {
        error = Describe("DDS size %ux%u is outside 1 to %u", header.width, header.height,
                         DDS_MAX_DIMENSION);
        return false;
    }
    bool cube = header.caps2 & DDSCAPS2_CUBEMAP;
    bool volume = header.caps2 & DDSCAPS2_VOLUME;
    if (cube && volume)
    {
        error = "DDS file claims to be both a cube map and a volume texture";
        return false;
    }
    if (cube && (header.caps2 & DDSCAPS2_CUBEMAP_ALLFACES) != DDSCAPS2_CUBEMAP_ALLFACES)
    {
        error = Describe("DDS cube map holds only some faces (caps2 0x%x); all six are needed",
                         header.caps2);
        return false;
    }
    if (cube && header.width != header.height)
    {
        error = Describe("DDS cube map faces are %ux%u, not square", header.width, header.height);
        return false;
    }
    if (volume && (header.depth == 0 || header.depth > DDS_MAX_DEPTH))
    {
        error = Describe("DDS volume depth %u is outside 1 to %u", header.depth, DDS_MAX_DEPTH);
        return false;
    }
    if ((header.pixelFormat.flags & DDPF_FOURCC) &&
        header.pixelFormat.fourCC == MAKEFOURCC('D', 'X', '1', '0'))
    {
        error = "DDS files with the DX10 extended header are not supported";
        return false;
    }
    return true;
}

// What the header says the data holds.
struct DdsLayout
{
    D3DFORMAT format;
    Image::Kind kind;
    UINT depth;
    UINT levels;
    UINT faces;
};

bool ReadLayout(const DdsHeader& header, size_t size, DdsLayout& layout, std::string& error)
{
    layout.format = FormatFromPixelFormat(header.pixelFormat);
    if (layout.format == D3DFMT_UNKNOWN)
    {
        const DdsPixelFormat& pf = header.pixelFormat;
        error =
            Describe("DDS pixel format is not supported (flags 0x%x, FourCC 0x%x, %u bits, "
                     "masks 0x%x 0x%x 0x%x 0x%x)",
                     pf.flags, pf.fourCC, pf.rgbBitCount, pf.rMask, pf.gMask, pf.bMask, pf.aMask);
        return false;
    }
    layout.kind = (header.caps2 & DDSCAPS2_CUBEMAP)  ? Image::CUBE
                  : (header.caps2 & DDSCAPS2_VOLUME) ? Image::VOLUME
                                                     : Image::TEXTURE_2D;
    layout.depth = layout.kind == Image::VOLUME ? header.depth : 1;
    const UINT maxLevels = LevelCount(header.width, header.height, layout.depth);
    layout.levels = header.mipMapCount == 0 ? 1 : header.mipMapCount;
    if (layout.levels > maxLevels)
    {
        error = Describe("DDS mip count %u exceeds the %u levels of a %ux%ux%u image",
                         layout.levels, maxLevels, header.width, header.height, layout.depth);
        return false;
    }
    layout.faces = layout.kind == Image::CUBE ? 6 : 1;

    // Check the whole need against the data before allocating anything.
    uint64_t faceSize = 0;
    for (UINT level = 0; level < layout.levels; ++level)
        faceSize += LevelSize(layout.format, header.width, header.height, layout.depth, level);
    const uint64_t available = size - DDS_DATA_OFFSET;
    if (faceSize * layout.faces > available)
    {
        error = Describe("DDS data is truncated: its levels need %llu bytes, the file holds %llu",
                         static_cast<unsigned long long>(faceSize * layout.faces),
                         static_cast<unsigned long long>(available));
        return false;
    }
    return true;
}

// The depth of the image's levels, checking that its surfaces form whole levels of every face;
// 0 when they do not.
UINT CheckWritableShape(const Image& image, std::string& error)
{
    if (image.levelCount == 0 || image.kind >= Image::KIND_MAX ||
        image.surfaces.size() != size_t(image.FaceCount()) * image.levelCount)
    {
        error = Describe("image holds %zu surfaces, not %u faces of %u levels",
                         image.surfaces.size(), image.FaceCount(), image.levelCount);
        return 0;
    }
    const ImageSurface& top = image.surfaces[0];
    const UINT depth = image.kind == Image::VOLUME ? top.depth : 1;
    if (top.width == 0 || top.height == 0 || depth == 0 ||
        image.levelCount > LevelCount(top.width, top.height, depth) ||
        (image.kind == Image::CUBE && top.width != top.height))
    {
        error = Describe("image of %ux%ux%u cannot hold %u levels", top.width, top.height, depth,
                         image.levelCount);
        return 0;
    }
    return depth;
}

// Bytes of the tightly packed data of every surface, each checked against its level's size.
bool MeasureSurfaces(const Image& image, UINT depth, uint64_t& dataSize, std::string& error)
{
    const ImageSurface& top = image.surfaces[0];
    dataSize = 0;
    for (UINT face = 0; face < image.FaceCount(); ++face)
    {
        for (UINT level = 0; level < image.levelCount; ++level)
        {
            const ImageSurface& s = image.Surface(face, level);
            UINT w = GetLevelDimension(top.width, level);
            UINT h = GetLevelDimension(top.height, level);
            UINT d = GetLevelDimension(depth, level);
            if (s.width != w || s.height != h || s.depth != d || !SurfaceFits(image.format, s))
            {
                error = Describe("surface of face %u, level %u does not match a %ux%ux%u level",
                                 face, level, w, h, d);
                return false;
            }
            dataSize += LevelSize(image.format, w, h, d, 0);
        }
    }
    return true;
}

void FillHeader(const Image& image, const FormatInfo& info, UINT depth, DdsHeader& header)
{
    const ImageSurface& top = image.surfaces[0];
    const bool mipmapped = image.levelCount > 1;
    header.size = DDS_HEADER_SIZE;
    header.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT |
                   (info.compressed ? DDSD_LINEARSIZE : DDSD_PITCH) |
                   (mipmapped ? DDSD_MIPMAPCOUNT : 0) |
                   (image.kind == Image::VOLUME ? DDSD_DEPTH : 0);
    header.width = top.width;
    header.height = top.height;
    header.pitchOrLinearSize = info.compressed
                                   ? DWORD(GetSurfaceSize(image.format, top.width, top.height))
                                   : GetRowPitch(image.format, top.width);
    header.depth = image.kind == Image::VOLUME ? depth : 0;
    header.mipMapCount = mipmapped ? image.levelCount : 0;
    header.caps = DDSCAPS_TEXTURE | (mipmapped ? DDSCAPS_COMPLEX | DDSCAPS_MIPMAP : 0) |
                  (image.kind != Image::TEXTURE_2D ? DDSCAPS_COMPLEX : 0);
    header.caps2 = image.kind == Image::CUBE     ? DDSCAPS2_CUBEMAP | DDSCAPS2_CUBEMAP_ALLFACES
                   : image.kind == Image::VOLUME ? DDSCAPS2_VOLUME
                                                 : 0;
}

} // namespace

bool IsDds(const void* pData, size_t size)
{
    DWORD magic = 0;
    if (!pData || size < sizeof(magic))
        return false;
    std::memcpy(&magic, pData, sizeof(magic));
    return magic == DDS_MAGIC;
}

bool ParseDds(const void* pData, size_t size, Image& out, std::string& error)
{
    out = Image();
    if (!IsDds(pData, size))
    {
        error = "not a DDS file: the magic number \"DDS \" is missing";
        return false;
    }
    if (size < DDS_DATA_OFFSET)
    {
        error = Describe("DDS file of %zu bytes is shorter than its %zu-byte header", size,
                         DDS_DATA_OFFSET);
        return false;
    }
    const uint8_t* pBytes = static_cast<const uint8_t*>(pData);
    DdsHeader header;
    std::memcpy(&header, pBytes + sizeof(DWORD), sizeof(header));
    DdsLayout layout;
    if (!ValidateHeader(header, error) || !ReadLayout(header, size, layout, error))
        return false;

    Image image;
    image.format = layout.format;
    image.kind = layout.kind;
    image.levelCount = layout.levels;
    image.surfaces.resize(size_t(layout.faces) * layout.levels);
    const uint8_t* pCursor = pBytes + DDS_DATA_OFFSET;
    for (UINT face = 0; face < layout.faces; ++face)
    {
        for (UINT level = 0; level < layout.levels; ++level)
        {
            ImageSurface& surface = image.Surface(face, level);
            MakeSurface(layout.format, GetLevelDimension(header.width, level),
                        GetLevelDimension(header.height, level),
                        GetLevelDimension(layout.depth, level), surface);
            std::memcpy(surface.bytes.data(), pCursor, surface.bytes.size());
            pCursor += surface.bytes.size();
        }
    }
    out = std::move(image);
    return true;
}

bool WriteDds(const Image& image, std::vector<uint8_t>& out, std::string& error)
{
    out.clear();
    DdsHeader header = {};
    const FormatInfo* pInfo = GetFormatInfo(image.format);
    if (!pInfo || !PixelFormatFromFormat(image.format, header.pixelFormat))
    {
        error = Describe("format %u cannot be written to a DDS file", DWORD(image.format));
        return false;
    }
    const UINT depth = CheckWritableShape(image, error);
    uint64_t dataSize = 0;
    if (depth == 0 || !MeasureSurfaces(image, depth, dataSize, error))
        return false;
    FillHeader(image, *pInfo, depth, header);

    out.resize(DDS_DATA_OFFSET + dataSize);
    std::memcpy(out.data(), &DDS_MAGIC, sizeof(DDS_MAGIC));
    std::memcpy(out.data() + sizeof(DWORD), &header, sizeof(header));
    uint8_t* pCursor = out.data() + DDS_DATA_OFFSET;
    for (const ImageSurface& s : image.surfaces)
    {
        const UINT tightPitch = GetRowPitch(image.format, s.width);
        const UINT rows = GetRowCount(image.format, s.height);
        for (UINT z = 0; z < s.depth; ++z)
        {
            for (UINT row = 0; row < rows; ++row, pCursor += tightPitch)
                std::memcpy(pCursor,
                            s.bytes.data() + size_t(z) * s.slicePitch + size_t(row) * s.rowPitch,
                            tightPitch);
        }
    }
    return true;
}

} // namespace d3d9gl
