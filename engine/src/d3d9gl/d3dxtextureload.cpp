// The CPU half of the D3DX file loads: decoding, colour key, the choice of size, format and
// levels, and the levels themselves. No device is involved, so it can run on its own.

#include "d3d9gl/d3dxtextureload.h"

#include "base/source/system/logger.h"
#include "d3d9gl/d3dxfilter.h"
#include "d3d9gl/glformat.h"
#include "d3d9gl/image/imageclaims.h"
#include "d3d9gl/image/imagefile.h"
#include "d3d9gl/image/pixelformat.h"
#include "d3d9gl/image/resample.h"
#include "d3d9gl/image/surfacecodec.h"

#include <algorithm>
#include <cstring>

namespace d3d9gl
{
namespace
{

using Halvex::Base::Log;
using Halvex::Base::LOG_LEVEL_ERROR;
constexpr const char* LOG_MODULE = "D3D9GL";
constexpr UINT FLOAT_RGBA_BYTES = 16;

bool IsDefaultSize(UINT size)
{
    return size == 0 || size == D3DX_DEFAULT || size == D3DX_DEFAULT_NONPOW2 ||
           size == D3DX_FROM_FILE;
}

// The format a loaded texture gets: the requested one, else the file's when the device
// can hold it, else a lossless 8-bit or float format.
D3DFORMAT ChooseFormat(D3DFORMAT requested, D3DFORMAT fileFormat)
{
    if (requested != D3DFMT_UNKNOWN && requested != D3DFMT_FROM_FILE)
        return requested;
    if (GetGLFormat(fileFormat, false, false)) // both GL profiles hold the same formats
        return fileFormat;
    const FormatInfo* pInfo = GetFormatInfo(fileFormat);
    return pInfo && pInfo->floatingPoint ? D3DFMT_A32B32G32R32F : D3DFMT_A8R8G8B8;
}

UINT ChooseLevels(UINT requested, UINT fileLevels, UINT fullChain)
{
    if (requested == 0 || requested == D3DX_DEFAULT)
        return fullChain;
    if (requested == D3DX_FROM_FILE)
        return std::min(fileLevels, fullChain);
    return std::min(requested, fullChain);
}

D3DXIMAGE_FILEFORMAT DetectFileFormat(const uint8_t* pData, size_t size)
{
    auto startsWith = [&](const char* pMagic)
    {
        const size_t length = std::strlen(pMagic);
        return size >= length && std::memcmp(pData, pMagic, length) == 0;
    };
    if (startsWith("DDS "))
        return D3DXIFF_DDS;
    if (startsWith("\x89PNG"))
        return D3DXIFF_PNG;
    if (startsWith("\xFF\xD8"))
        return D3DXIFF_JPG;
    if (startsWith("BM"))
        return D3DXIFF_BMP;
    if (startsWith("#?"))
        return D3DXIFF_HDR;
    if (startsWith("P6") || startsWith("P3"))
        return D3DXIFF_PPM;
    return D3DXIFF_TGA;
}

// A file level of the right size as it is, converted when the format differs.
bool TakeFileLevel(const Image& image, const ImageSurface& source, D3DFORMAT format,
                   ImageSurface& surface, std::string& error)
{
    if (image.format == format)
        surface = source;
    else if (!ConvertSurface(image.format, source, format, surface))
    {
        error = "cannot convert the image to the texture's format";
        return false;
    }
    return true;
}

// Level 0 resampled from the file's top level to the requested size.
bool ResampleTopLevel(const Image& image, UINT face, UINT width, UINT height, UINT depth,
                      DWORD filter, std::vector<float>& rgba, std::string& error)
{
    const ImageSurface& source = image.Surface(face, 0);
    std::vector<float> decoded;
    if (!DecodeSurface(image.format, source, decoded))
    {
        error = "cannot decode the image's texels";
        return false;
    }
    if (source.depth != depth)
    {
        error = "a volume cannot be resized";
        return false;
    }
    Resample(decoded.data(), source.width, source.height, width, height, ToResampleFilter(filter),
             rgba, depth);
    return true;
}

// The levels of one face, each in `format`. File levels whose size fits are taken as they
// are (converted when the format differs); the rest come from the level above through a
// box filter, and level 0 is resampled when the requested size differs from the file's.
bool BuildLevels(const Image& image, UINT face, D3DFORMAT format, UINT width, UINT height,
                 UINT depth, UINT levels, DWORD filter, std::vector<ImageSurface>& out,
                 std::string& error)
{
    out.clear();
    std::vector<float> above; // RGBA of the previous level, when it had to be decoded
    for (UINT level = 0; level < levels; ++level)
    {
        const UINT w = GetLevelDimension(width, level);
        const UINT h = GetLevelDimension(height, level);
        const UINT d = GetLevelDimension(depth, level);
        ImageSurface surface;
        if (level < image.levelCount)
        {
            const ImageSurface& source = image.Surface(face, level);
            if (source.width == w && source.height == h && source.depth == d)
            {
                if (!TakeFileLevel(image, source, format, surface, error))
                    return false;
                out.push_back(std::move(surface));
                above.clear();
                continue;
            }
        }
        std::vector<float> rgba;
        if (level == 0)
        {
            if (!ResampleTopLevel(image, face, w, h, d, filter, rgba, error))
                return false;
        }
        else
        {
            if (above.empty() && !DecodeSurface(format, out[level - 1], above))
            {
                error = "cannot decode a level to filter it";
                return false;
            }
            const ImageSurface& previous = out[level - 1];
            BoxFilterDown(above.data(), previous.width, previous.height, previous.depth, rgba);
        }
        if (!EncodeSurface(format, rgba.data(), w, h, surface, d))
        {
            error = "cannot encode the texture's format";
            return false;
        }
        out.push_back(std::move(surface));
        above = std::move(rgba);
    }
    return true;
}

bool DecodeFile(const char* pFunction, LPCVOID pSrcData, UINT SrcDataSize, Image& image)
{
    std::string error;
    if (!pSrcData || SrcDataSize == 0)
        error = "no data";
    else if (!DecodeImageFile(pSrcData, SrcDataSize, image, error) && error.empty())
        error = "the image cannot be read";
    if (error.empty())
        return true;
    Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: %s", pFunction, error.c_str());
    return false;
}

// Texels whose 8-bit ARGB value equals the colour key become transparent black; the image
// is A8R8G8B8 afterwards. A key of 0 leaves the image as it is.
bool ApplyColorKey(const char* pFunction, D3DCOLOR colorKey, Image& image)
{
    if (colorKey == 0)
        return true;
    for (ImageSurface& surface : image.surfaces)
    {
        std::vector<float> rgba;
        if (!DecodeSurface(image.format, surface, rgba))
        {
            Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: cannot decode the image's texels", pFunction);
            return false;
        }
        for (size_t i = 0; i + 3 < rgba.size(); i += 4)
        {
            // Float images may hold NaN or values past [0, 1]; both compare as their bytes.
            const D3DCOLOR argb = PackUnorm(rgba[i + 3], 24, 8) | PackUnorm(rgba[i], 16, 8) |
                                  PackUnorm(rgba[i + 1], 8, 8) | PackUnorm(rgba[i + 2], 0, 8);
            if (argb == colorKey)
                std::fill_n(rgba.begin() + std::ptrdiff_t(i), 4, 0.0f);
        }
        ImageSurface keyed;
        if (!EncodeSurface(D3DFMT_A8R8G8B8, rgba.data(), surface.width, surface.height, keyed,
                           surface.depth))
            return false;
        surface = std::move(keyed);
    }
    image.format = D3DFMT_A8R8G8B8;
    return true;
}

const char* KindMisfit(Image::Kind wanted)
{
    switch (wanted)
    {
    case Image::CUBE:
        return "the file holds no cube map";
    case Image::VOLUME:
        return "the file holds a cube map";
    default:
        return "the file holds a volume texture";
    }
}

bool KindFits(Image::Kind wanted, Image::Kind found)
{
    switch (wanted)
    {
    case Image::CUBE:
        return found == Image::CUBE;
    case Image::VOLUME:
        return found != Image::CUBE;
    default:
        return found != Image::VOLUME;
    }
}

// The size, format and level count of the texture to make.
bool ChooseShape(const TextureLoadRequest_t& request, const Image& image, D3DFORMAT fileFormat,
                 TextureLoad_t& out, std::string& error)
{
    const ImageSurface& top = image.Surface(0, 0);
    const bool cube = request.kind == Image::CUBE;
    out.width = IsDefaultSize(request.width) ? top.width : request.width;
    out.height = cube ? out.width : IsDefaultSize(request.height) ? top.height : request.height;
    out.depth = request.kind != Image::VOLUME  ? 1
                : IsDefaultSize(request.depth) ? top.depth
                                               : request.depth;
    // Levels are built through float RGBA, so the budget of a decoded image holds for them.
    if (uint64_t(out.width) * out.height * out.depth * FLOAT_RGBA_BYTES > MAX_DECODED_IMAGE_BYTES)
    {
        error = "a texture of " + std::to_string(out.width) + "x" + std::to_string(out.height) +
                "x" + std::to_string(out.depth) + " is past the decode budget";
        return false;
    }
    out.format = ChooseFormat(request.format, fileFormat);
    out.levels = ChooseLevels(request.mipLevels, image.levelCount,
                              LevelCount(out.width, out.height, out.depth));
    return true;
}

void FillInfo(const Image& image, D3DFORMAT fileFormat, const uint8_t* pData, size_t size,
              D3DXIMAGE_INFO& info)
{
    const ImageSurface& top = image.Surface(0, 0);
    info.Width = top.width;
    info.Height = top.height;
    info.Depth = top.depth;
    info.MipLevels = image.levelCount;
    info.Format = fileFormat;
    info.ResourceType = image.kind == Image::CUBE     ? D3DRTYPE_CUBETEXTURE
                        : image.kind == Image::VOLUME ? D3DRTYPE_VOLUMETEXTURE
                                                      : D3DRTYPE_TEXTURE;
    info.ImageFileFormat = DetectFileFormat(pData, size);
}

} // namespace

bool PrepareTextureLoad(const char* pFunction, LPCVOID pSrcData, UINT SrcDataSize,
                        const TextureLoadRequest_t& request, TextureLoad_t& out)
{
    Image image;
    if (!DecodeFile(pFunction, pSrcData, SrcDataSize, image))
        return false;
    const D3DFORMAT fileFormat = image.format;
    if (!ApplyColorKey(pFunction, request.colorKey, image))
        return false;
    std::string error;
    if (!KindFits(request.kind, image.kind))
        error = KindMisfit(request.kind);
    else if (ChooseShape(request, image, fileFormat, out, error))
    {
        const UINT faces = request.kind == Image::CUBE ? 6 : 1;
        out.faces.assign(faces, {});
        for (UINT face = 0; face < faces && error.empty(); ++face)
            BuildLevels(image, face, out.format, out.width, out.height, out.depth, out.levels,
                        request.filter, out.faces[face], error);
    }
    if (!error.empty())
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: %s", pFunction, error.c_str());
        return false;
    }
    FillInfo(image, fileFormat, static_cast<const uint8_t*>(pSrcData), SrcDataSize, out.info);
    return true;
}

} // namespace d3d9gl
