// D3DX texture creation: empty textures, textures from image files in memory, and mipmap
// filtering. File loading works through the device interface (CreateTexture, LockRect), so
// it serves any IDirect3DDevice9.

#include "base/source/system/logger.h"
#include "d3d9gl/d3dx9.h"
#include "d3d9gl/d3dxfilter.h"
#include "d3d9gl/device.h"
#include "d3d9gl/glformat.h"
#include "d3d9gl/image/imagefile.h"
#include "d3d9gl/image/pixelformat.h"
#include "d3d9gl/image/resample.h"
#include "d3d9gl/image/surfacecodec.h"
#include "d3d9gl/texture.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace d3d9gl
{
namespace
{

using Halvex::Base::Log;
using Halvex::Base::LOG_LEVEL_ERROR;

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
    if (GetGLFormat(fileFormat))
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
                if (image.format == format)
                    surface = source;
                else if (!ConvertSurface(image.format, source, format, surface))
                {
                    error = "cannot convert the image to the texture's format";
                    return false;
                }
                out.push_back(std::move(surface));
                above.clear();
                continue;
            }
        }
        std::vector<float> rgba;
        if (level == 0)
        {
            const ImageSurface& source = image.Surface(face, 0);
            std::vector<float> decoded;
            if (!DecodeSurface(image.format, source, decoded))
            {
                error = "cannot decode the image's texels";
                return false;
            }
            if (source.depth != d)
            {
                error = "a volume cannot be resized";
                return false;
            }
            Resample(decoded.data(), source.width, source.height, w, h, ToResampleFilter(filter),
                     rgba, d);
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

// Copies tightly packed rows into a locked rectangle or box with the lock's pitches.
void CopyRows(const ImageSurface& source, D3DFORMAT format, uint8_t* pDest, INT rowPitch,
              INT slicePitch)
{
    const UINT rowBytes = GetRowPitch(format, source.width);
    const UINT rows = GetRowCount(format, source.height);
    for (UINT slice = 0; slice < source.depth; ++slice)
    {
        for (UINT row = 0; row < rows; ++row)
        {
            std::memcpy(pDest + size_t(slice) * slicePitch + size_t(row) * rowPitch,
                        source.bytes.data() + size_t(slice) * source.slicePitch +
                            size_t(row) * source.rowPitch,
                        rowBytes);
        }
    }
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

// Decodes the file, applies the colour key and checks that the image's kind suits the
// texture being made. fileFormat is the format the file itself holds.
bool ReadSourceImage(const char* pFunction, LPCVOID pSrcData, UINT SrcDataSize, D3DCOLOR colorKey,
                     bool (*pKindFits)(Image::Kind), const char* pMisfit, Image& image,
                     D3DFORMAT& fileFormat)
{
    if (!DecodeFile(pFunction, pSrcData, SrcDataSize, image))
        return false;
    fileFormat = image.format;
    if (!ApplyColorKey(pFunction, colorKey, image))
        return false;
    if (!pKindFits(image.kind))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: %s", pFunction, pMisfit);
        return false;
    }
    return true;
}

void FillInfo(const Image& image, D3DFORMAT fileFormat, LPCVOID pSrcData, UINT SrcDataSize,
              D3DXIMAGE_INFO* pSrcInfo)
{
    if (!pSrcInfo)
        return;
    const ImageSurface& top = image.Surface(0, 0);
    pSrcInfo->Width = top.width;
    pSrcInfo->Height = top.height;
    pSrcInfo->Depth = top.depth;
    pSrcInfo->MipLevels = image.levelCount;
    pSrcInfo->Format = fileFormat;
    pSrcInfo->ResourceType = image.kind == Image::CUBE     ? D3DRTYPE_CUBETEXTURE
                             : image.kind == Image::VOLUME ? D3DRTYPE_VOLUMETEXTURE
                                                           : D3DRTYPE_TEXTURE;
    pSrcInfo->ImageFileFormat =
        DetectFileFormat(static_cast<const uint8_t*>(pSrcData), SrcDataSize);
}

} // namespace
} // namespace d3d9gl

using namespace d3d9gl;

HRESULT D3DXCreateTexture(LPDIRECT3DDEVICE9 pDevice, UINT Width, UINT Height, UINT MipLevels,
                          DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                          LPDIRECT3DTEXTURE9* ppTexture)
{
    if (!pDevice || !ppTexture)
        return D3DERR_INVALIDCALL;
    return pDevice->CreateTexture(Width == D3DX_DEFAULT ? 256 : std::max(Width, 1u),
                                  Height == D3DX_DEFAULT ? 256 : std::max(Height, 1u),
                                  MipLevels == D3DX_DEFAULT ? 0 : MipLevels, Usage,
                                  Format == D3DFMT_UNKNOWN ? D3DFMT_A8R8G8B8 : Format, Pool,
                                  ppTexture, nullptr);
}

HRESULT D3DXCreateCubeTexture(LPDIRECT3DDEVICE9 pDevice, UINT Size, UINT MipLevels, DWORD Usage,
                              D3DFORMAT Format, D3DPOOL Pool, LPDIRECT3DCUBETEXTURE9* ppCubeTexture)
{
    if (!pDevice || !ppCubeTexture)
        return D3DERR_INVALIDCALL;
    return pDevice->CreateCubeTexture(
        Size == D3DX_DEFAULT ? 256 : std::max(Size, 1u), MipLevels == D3DX_DEFAULT ? 0 : MipLevels,
        Usage, Format == D3DFMT_UNKNOWN ? D3DFMT_A8R8G8B8 : Format, Pool, ppCubeTexture, nullptr);
}

HRESULT D3DXCreateVolumeTexture(LPDIRECT3DDEVICE9 pDevice, UINT Width, UINT Height, UINT Depth,
                                UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                LPDIRECT3DVOLUMETEXTURE9* ppVolumeTexture)
{
    if (!pDevice || !ppVolumeTexture)
        return D3DERR_INVALIDCALL;
    return pDevice->CreateVolumeTexture(
        Width == D3DX_DEFAULT ? 256 : std::max(Width, 1u),
        Height == D3DX_DEFAULT ? 256 : std::max(Height, 1u),
        Depth == D3DX_DEFAULT ? 1 : std::max(Depth, 1u), MipLevels == D3DX_DEFAULT ? 0 : MipLevels,
        Usage, Format == D3DFMT_UNKNOWN ? D3DFMT_A8R8G8B8 : Format, Pool, ppVolumeTexture, nullptr);
}

HRESULT D3DXCreateTextureFromFileInMemory(LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData,
                                          UINT SrcDataSize, LPDIRECT3DTEXTURE9* ppTexture)
{
    return D3DXCreateTextureFromFileInMemoryEx(
        pDevice, pSrcData, SrcDataSize, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
        D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, ppTexture);
}

HRESULT D3DXCreateTextureFromFileInMemoryEx(LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData,
                                            UINT SrcDataSize, UINT Width, UINT Height,
                                            UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                            D3DPOOL Pool, DWORD Filter, DWORD, D3DCOLOR ColorKey,
                                            D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY*,
                                            LPDIRECT3DTEXTURE9* ppTexture)
{
    constexpr const char* FUNCTION = "D3DXCreateTextureFromFileInMemoryEx";
    if (!pDevice || !ppTexture)
        return D3DERR_INVALIDCALL;
    Image image;
    D3DFORMAT fileFormat = D3DFMT_UNKNOWN;
    if (!ReadSourceImage(
            FUNCTION, pSrcData, SrcDataSize, ColorKey,
            [](Image::Kind k) { return k != Image::VOLUME; }, "the file holds a volume texture",
            image, fileFormat))
        return D3DXERR_INVALIDDATA;
    const ImageSurface& top = image.Surface(0, 0);
    const UINT width = IsDefaultSize(Width) ? top.width : Width;
    const UINT height = IsDefaultSize(Height) ? top.height : Height;
    const D3DFORMAT format = ChooseFormat(Format, fileFormat);
    const UINT levels = ChooseLevels(MipLevels, image.levelCount, LevelCount(width, height));
    std::vector<ImageSurface> surfaces;
    std::string error;
    if (!BuildLevels(image, 0, format, width, height, 1, levels, Filter, surfaces, error))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: %s", FUNCTION, error.c_str());
        return D3DXERR_INVALIDDATA;
    }
    IDirect3DTexture9* pTexture = nullptr;
    HRESULT result =
        pDevice->CreateTexture(width, height, levels, Usage, format, Pool, &pTexture, nullptr);
    if (FAILED(result))
        return result;
    for (UINT level = 0; level < levels; ++level)
    {
        D3DLOCKED_RECT locked;
        if (FAILED(pTexture->LockRect(level, &locked, nullptr, 0)))
        {
            pTexture->Release();
            return D3DERR_INVALIDCALL;
        }
        CopyRows(surfaces[level], format, static_cast<uint8_t*>(locked.pBits), locked.Pitch, 0);
        pTexture->UnlockRect(level);
    }
    FillInfo(image, fileFormat, pSrcData, SrcDataSize, pSrcInfo);
    *ppTexture = pTexture;
    return D3D_OK;
}

HRESULT D3DXCreateCubeTextureFromFileInMemoryEx(LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData,
                                                UINT SrcDataSize, UINT Size, UINT MipLevels,
                                                DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                                DWORD Filter, DWORD, D3DCOLOR ColorKey,
                                                D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY*,
                                                LPDIRECT3DCUBETEXTURE9* ppCubeTexture)
{
    constexpr const char* FUNCTION = "D3DXCreateCubeTextureFromFileInMemoryEx";
    if (!pDevice || !ppCubeTexture)
        return D3DERR_INVALIDCALL;
    Image image;
    D3DFORMAT fileFormat = D3DFMT_UNKNOWN;
    if (!ReadSourceImage(
            FUNCTION, pSrcData, SrcDataSize, ColorKey,
            [](Image::Kind k) { return k == Image::CUBE; }, "the file holds no cube map", image,
            fileFormat))
        return D3DXERR_INVALIDDATA;
    const UINT size = IsDefaultSize(Size) ? image.Surface(0, 0).width : Size;
    const D3DFORMAT format = ChooseFormat(Format, fileFormat);
    const UINT levels = ChooseLevels(MipLevels, image.levelCount, LevelCount(size, size));
    IDirect3DCubeTexture9* pTexture = nullptr;
    HRESULT result =
        pDevice->CreateCubeTexture(size, levels, Usage, format, Pool, &pTexture, nullptr);
    if (FAILED(result))
        return result;
    for (UINT face = 0; face < 6; ++face)
    {
        std::vector<ImageSurface> surfaces;
        std::string error;
        if (!BuildLevels(image, face, format, size, size, 1, levels, Filter, surfaces, error))
        {
            Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: %s", FUNCTION, error.c_str());
            pTexture->Release();
            return D3DXERR_INVALIDDATA;
        }
        for (UINT level = 0; level < levels; ++level)
        {
            D3DLOCKED_RECT locked;
            const auto cubeFace = D3DCUBEMAP_FACES(face);
            if (FAILED(pTexture->LockRect(cubeFace, level, &locked, nullptr, 0)))
            {
                pTexture->Release();
                return D3DERR_INVALIDCALL;
            }
            CopyRows(surfaces[level], format, static_cast<uint8_t*>(locked.pBits), locked.Pitch, 0);
            pTexture->UnlockRect(cubeFace, level);
        }
    }
    FillInfo(image, fileFormat, pSrcData, SrcDataSize, pSrcInfo);
    *ppCubeTexture = pTexture;
    return D3D_OK;
}

HRESULT D3DXCreateVolumeTextureFromFileInMemoryEx(LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData,
                                                  UINT SrcDataSize, UINT Width, UINT Height,
                                                  UINT Depth, UINT MipLevels, DWORD Usage,
                                                  D3DFORMAT Format, D3DPOOL Pool, DWORD Filter,
                                                  DWORD, D3DCOLOR ColorKey,
                                                  D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY*,
                                                  LPDIRECT3DVOLUMETEXTURE9* ppVolumeTexture)
{
    constexpr const char* FUNCTION = "D3DXCreateVolumeTextureFromFileInMemoryEx";
    if (!pDevice || !ppVolumeTexture)
        return D3DERR_INVALIDCALL;
    Image image;
    D3DFORMAT fileFormat = D3DFMT_UNKNOWN;
    if (!ReadSourceImage(
            FUNCTION, pSrcData, SrcDataSize, ColorKey,
            [](Image::Kind k) { return k != Image::CUBE; }, "the file holds a cube map", image,
            fileFormat))
        return D3DXERR_INVALIDDATA;
    const ImageSurface& top = image.Surface(0, 0);
    const UINT width = IsDefaultSize(Width) ? top.width : Width;
    const UINT height = IsDefaultSize(Height) ? top.height : Height;
    const UINT depth = IsDefaultSize(Depth) ? top.depth : Depth;
    const D3DFORMAT format = ChooseFormat(Format, fileFormat);
    const UINT levels = ChooseLevels(MipLevels, image.levelCount, LevelCount(width, height, depth));
    std::vector<ImageSurface> surfaces;
    std::string error;
    if (!BuildLevels(image, 0, format, width, height, depth, levels, Filter, surfaces, error))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: %s", FUNCTION, error.c_str());
        return D3DXERR_INVALIDDATA;
    }
    IDirect3DVolumeTexture9* pTexture = nullptr;
    HRESULT result = pDevice->CreateVolumeTexture(width, height, depth, levels, Usage, format, Pool,
                                                  &pTexture, nullptr);
    if (FAILED(result))
        return result;
    for (UINT level = 0; level < levels; ++level)
    {
        D3DLOCKED_BOX locked;
        if (FAILED(pTexture->LockBox(level, &locked, nullptr, 0)))
        {
            pTexture->Release();
            return D3DERR_INVALIDCALL;
        }
        CopyRows(surfaces[level], format, static_cast<uint8_t*>(locked.pBits), locked.RowPitch,
                 locked.SlicePitch);
        pTexture->UnlockBox(level);
    }
    FillInfo(image, fileFormat, pSrcData, SrcDataSize, pSrcInfo);
    *ppVolumeTexture = pTexture;
    return D3D_OK;
}

HRESULT D3DXFilterTexture(LPDIRECT3DBASETEXTURE9 pBaseTexture, const PALETTEENTRY*, UINT SrcLevel,
                          DWORD)
{
    TextureBase* pTexture = ToTextureBase(pBaseTexture);
    const UINT source = SrcLevel == D3DX_DEFAULT ? 0 : SrcLevel;
    if (!pTexture || source >= pTexture->Desc().levels)
        return D3DERR_INVALIDCALL;
    const D3DFORMAT format = pTexture->Desc().format;
    for (UINT face = 0; face < pTexture->FaceCount(); ++face)
    {
        ImageSurface pixels;
        std::vector<float> rgba;
        if (!pTexture->ReadLevel(face, source, pixels) || !DecodeSurface(format, pixels, rgba))
        {
            Log(LOG_MODULE, LOG_LEVEL_ERROR, "D3DXFilterTexture: format %u cannot be filtered",
                unsigned(format));
            return D3DERR_INVALIDCALL;
        }
        for (UINT level = source + 1; level < pTexture->Desc().levels; ++level)
        {
            std::vector<float> smaller;
            BoxFilterDown(rgba.data(), pixels.width, pixels.height, pixels.depth, smaller);
            if (!EncodeSurface(format, smaller.data(), pTexture->LevelWidth(level),
                               pTexture->LevelHeight(level), pixels, pTexture->LevelDepth(level)) ||
                !pTexture->WriteLevel(face, level, pixels))
                return D3DERR_INVALIDCALL;
            rgba = std::move(smaller);
        }
    }
    return D3D_OK;
}
