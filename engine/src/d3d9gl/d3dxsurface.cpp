// D3DX surface copies with scaling and format conversion, and saving surfaces and textures
// to image files. Both work on any d3d9gl surface: render targets and the back buffer are
// read back from GL.

#include "base/source/system/logger.h"
#include "d3d9gl/d3dx9.h"
#include "d3d9gl/d3dxfilter.h"
#include "d3d9gl/device.h"
#include "d3d9gl/image/dds.h"
#include "d3d9gl/image/imagefile.h"
#include "d3d9gl/image/pixelformat.h"
#include "d3d9gl/image/resample.h"
#include "d3d9gl/image/surfacecodec.h"
#include "d3d9gl/surface.h"
#include "d3d9gl/texture.h"

#include <cstdio>
#include <string>
#include <vector>

namespace d3d9gl
{
namespace
{

using Halvex::Base::Log;
using Halvex::Base::LOG_LEVEL_ERROR;

struct Rect_t
{
    UINT x;
    UINT y;
    UINT width;
    UINT height;
};

// The rectangle, or the whole surface for null; false when it does not lie inside.
bool ToRect(const RECT* pRect, UINT width, UINT height, Rect_t& out)
{
    if (!pRect)
    {
        out = {0, 0, width, height};
        return true;
    }
    if (pRect->left < 0 || pRect->top < 0 || pRect->right <= pRect->left ||
        pRect->bottom <= pRect->top || UINT(pRect->right) > width || UINT(pRect->bottom) > height)
        return false;
    out = {UINT(pRect->left), UINT(pRect->top), UINT(pRect->right - pRect->left),
           UINT(pRect->bottom - pRect->top)};
    return true;
}

std::vector<float> Crop(const std::vector<float>& rgba, UINT width, const Rect_t& rect)
{
    std::vector<float> out(size_t(rect.width) * rect.height * 4);
    for (UINT row = 0; row < rect.height; ++row)
    {
        const float* pSource = rgba.data() + (size_t(rect.y + row) * width + rect.x) * 4;
        std::copy(pSource, pSource + size_t(rect.width) * 4,
                  out.begin() + size_t(row) * rect.width * 4);
    }
    return out;
}

bool WriteWholeFile(const char* pPath, const std::vector<uint8_t>& bytes)
{
    FILE* pFile = std::fopen(pPath, "wb");
    if (!pFile)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    return std::fclose(pFile) == 0 && written;
}

HRESULT SaveBytes(const char* pFunction, LPCSTR pDestFile, const std::vector<uint8_t>& bytes)
{
    if (!WriteWholeFile(pDestFile, bytes))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: cannot write \"%s\"", pFunction, pDestFile);
        return D3DERR_INVALIDCALL;
    }
    return D3D_OK;
}

} // namespace
} // namespace d3d9gl

using namespace d3d9gl;

HRESULT D3DXLoadSurfaceFromSurface(LPDIRECT3DSURFACE9 pDestSurface, const PALETTEENTRY*,
                                   const RECT* pDestRect, LPDIRECT3DSURFACE9 pSrcSurface,
                                   const PALETTEENTRY*, const RECT* pSrcRect, DWORD Filter,
                                   D3DCOLOR)
{
    constexpr const char* FUNCTION = "D3DXLoadSurfaceFromSurface";
    auto* pDest = dynamic_cast<SurfaceImpl*>(pDestSurface);
    auto* pSource = dynamic_cast<SurfaceImpl*>(pSrcSurface);
    Rect_t sourceRect, destRect;
    if (!pDest || !pSource || !ToRect(pSrcRect, pSource->Width(), pSource->Height(), sourceRect) ||
        !ToRect(pDestRect, pDest->Width(), pDest->Height(), destRect))
        return D3DERR_INVALIDCALL;
    ImageSurface pixels;
    std::vector<float> rgba;
    if (!pSource->Read(pixels) || !DecodeSurface(pSource->Format(), pixels, rgba))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: the source's format %u cannot be read", FUNCTION,
            unsigned(pSource->Format()));
        return D3DERR_INVALIDCALL;
    }
    std::vector<float> scaled;
    Resample(Crop(rgba, pSource->Width(), sourceRect).data(), sourceRect.width, sourceRect.height,
             destRect.width, destRect.height, ToResampleFilter(Filter), scaled);

    // A partial destination keeps the pixels around the rectangle.
    std::vector<float> whole = std::move(scaled);
    if (destRect.width != pDest->Width() || destRect.height != pDest->Height())
    {
        std::vector<float> pasted = std::move(whole);
        ImageSurface current;
        if (!pDest->Read(current) || !DecodeSurface(pDest->Format(), current, whole))
            return D3DERR_INVALIDCALL;
        for (UINT row = 0; row < destRect.height; ++row)
        {
            std::copy(pasted.begin() + size_t(row) * destRect.width * 4,
                      pasted.begin() + size_t(row + 1) * destRect.width * 4,
                      whole.begin() + (size_t(destRect.y + row) * pDest->Width() + destRect.x) * 4);
        }
    }
    ImageSurface encoded;
    if (!EncodeSurface(pDest->Format(), whole.data(), pDest->Width(), pDest->Height(), encoded) ||
        !pDest->Write(encoded))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: the destination's format %u cannot be written",
            FUNCTION, unsigned(pDest->Format()));
        return D3DERR_INVALIDCALL;
    }
    return D3D_OK;
}

HRESULT D3DXSaveSurfaceToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                               LPDIRECT3DSURFACE9 pSrcSurface, const PALETTEENTRY*,
                               const RECT* pSrcRect)
{
    constexpr const char* FUNCTION = "D3DXSaveSurfaceToFileA";
    auto* pSource = dynamic_cast<SurfaceImpl*>(pSrcSurface);
    Rect_t rect;
    if (!pDestFile || !pSource || !ToRect(pSrcRect, pSource->Width(), pSource->Height(), rect))
        return D3DERR_INVALIDCALL;
    ImageSurface pixels;
    if (!pSource->Read(pixels))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: the surface cannot be read", FUNCTION);
        return D3DERR_INVALIDCALL;
    }
    if (rect.width != pSource->Width() || rect.height != pSource->Height())
    {
        std::vector<float> rgba;
        ImageSurface cropped;
        if (!DecodeSurface(pSource->Format(), pixels, rgba) ||
            !EncodeSurface(pSource->Format(), Crop(rgba, pSource->Width(), rect).data(), rect.width,
                           rect.height, cropped))
            return D3DERR_INVALIDCALL;
        pixels = std::move(cropped);
    }
    std::vector<uint8_t> bytes;
    std::string error;
    if (!EncodeImageFile(ImageFileFormat(DestFormat), pixels, pSource->Format(), bytes, error))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: %s", FUNCTION, error.c_str());
        return D3DERR_INVALIDCALL;
    }
    return SaveBytes(FUNCTION, pDestFile, bytes);
}

HRESULT D3DXSaveTextureToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                               LPDIRECT3DBASETEXTURE9 pSrcTexture, const PALETTEENTRY*)
{
    constexpr const char* FUNCTION = "D3DXSaveTextureToFileA";
    TextureBase* pTexture = ToTextureBase(pSrcTexture);
    if (!pDestFile || !pTexture)
        return D3DERR_INVALIDCALL;
    const TextureDesc_t& desc = pTexture->Desc();
    std::vector<uint8_t> bytes;
    std::string error;
    if (DestFormat == D3DXIFF_DDS)
    {
        // A DDS file holds the whole texture: every level of every face.
        Image image;
        image.format = desc.format;
        image.kind = desc.type == D3DRTYPE_CUBETEXTURE     ? Image::CUBE
                     : desc.type == D3DRTYPE_VOLUMETEXTURE ? Image::VOLUME
                                                           : Image::TEXTURE_2D;
        image.levelCount = desc.levels;
        image.surfaces.resize(size_t(pTexture->FaceCount()) * desc.levels);
        for (UINT face = 0; face < pTexture->FaceCount(); ++face)
        {
            for (UINT level = 0; level < desc.levels; ++level)
            {
                if (!pTexture->ReadLevel(face, level, image.Surface(face, level)))
                    return D3DERR_INVALIDCALL;
            }
        }
        if (!WriteDds(image, bytes, error))
        {
            Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: %s", FUNCTION, error.c_str());
            return D3DERR_INVALIDCALL;
        }
        return SaveBytes(FUNCTION, pDestFile, bytes);
    }
    ImageSurface top;
    if (!pTexture->ReadLevel(0, 0, top) ||
        !EncodeImageFile(ImageFileFormat(DestFormat), top, desc.format, bytes, error))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "%s: %s", FUNCTION,
            error.empty() ? "the texture cannot be read" : error.c_str());
        return D3DERR_INVALIDCALL;
    }
    return SaveBytes(FUNCTION, pDestFile, bytes);
}
