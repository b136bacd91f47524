// D3DX texture creation: empty textures, textures from image files in memory, and mipmap
// filtering. File loading prepares the levels on the CPU, then works through the device
// interface (CreateTexture, LockRect), so it serves any IDirect3DDevice9.

#include "base/source/system/logger.h"
#include "d3d9gl/d3dx9.h"
#include "d3d9gl/d3dxfilter.h"
#include "d3d9gl/d3dxtextureload.h"
#include "d3d9gl/device.h"
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
    if (!pDevice || !ppTexture)
        return D3DERR_INVALIDCALL;
    TextureLoad_t load;
    if (!PrepareTextureLoad(
            "D3DXCreateTextureFromFileInMemoryEx", pSrcData, SrcDataSize,
            {Image::TEXTURE_2D, Width, Height, 1, MipLevels, Format, Filter, ColorKey}, load))
        return D3DXERR_INVALIDDATA;
    IDirect3DTexture9* pTexture = nullptr;
    HRESULT result = pDevice->CreateTexture(load.width, load.height, load.levels, Usage,
                                            load.format, Pool, &pTexture, nullptr);
    if (FAILED(result))
        return result;
    for (UINT level = 0; level < load.levels; ++level)
    {
        D3DLOCKED_RECT locked;
        if (FAILED(pTexture->LockRect(level, &locked, nullptr, 0)))
        {
            pTexture->Release();
            return D3DERR_INVALIDCALL;
        }
        CopyRows(load.faces[0][level], load.format, static_cast<uint8_t*>(locked.pBits),
                 locked.Pitch, 0);
        pTexture->UnlockRect(level);
    }
    if (pSrcInfo)
        *pSrcInfo = load.info;
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
    if (!pDevice || !ppCubeTexture)
        return D3DERR_INVALIDCALL;
    TextureLoad_t load;
    if (!PrepareTextureLoad("D3DXCreateCubeTextureFromFileInMemoryEx", pSrcData, SrcDataSize,
                            {Image::CUBE, Size, Size, 1, MipLevels, Format, Filter, ColorKey},
                            load))
        return D3DXERR_INVALIDDATA;
    IDirect3DCubeTexture9* pTexture = nullptr;
    HRESULT result = pDevice->CreateCubeTexture(load.width, load.levels, Usage, load.format, Pool,
                                                &pTexture, nullptr);
    if (FAILED(result))
        return result;
    for (UINT face = 0; face < 6; ++face)
    {
        const auto cubeFace = D3DCUBEMAP_FACES(face);
        for (UINT level = 0; level < load.levels; ++level)
        {
            D3DLOCKED_RECT locked;
            if (FAILED(pTexture->LockRect(cubeFace, level, &locked, nullptr, 0)))
            {
                pTexture->Release();
                return D3DERR_INVALIDCALL;
            }
            CopyRows(load.faces[face][level], load.format, static_cast<uint8_t*>(locked.pBits),
                     locked.Pitch, 0);
            pTexture->UnlockRect(cubeFace, level);
        }
    }
    if (pSrcInfo)
        *pSrcInfo = load.info;
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
    if (!pDevice || !ppVolumeTexture)
        return D3DERR_INVALIDCALL;
    TextureLoad_t load;
    if (!PrepareTextureLoad(
            "D3DXCreateVolumeTextureFromFileInMemoryEx", pSrcData, SrcDataSize,
            {Image::VOLUME, Width, Height, Depth, MipLevels, Format, Filter, ColorKey}, load))
        return D3DXERR_INVALIDDATA;
    IDirect3DVolumeTexture9* pTexture = nullptr;
    HRESULT result = pDevice->CreateVolumeTexture(load.width, load.height, load.depth, load.levels,
                                                  Usage, load.format, Pool, &pTexture, nullptr);
    if (FAILED(result))
        return result;
    for (UINT level = 0; level < load.levels; ++level)
    {
        D3DLOCKED_BOX locked;
        if (FAILED(pTexture->LockBox(level, &locked, nullptr, 0)))
        {
            pTexture->Release();
            return D3DERR_INVALIDCALL;
        }
        CopyRows(load.faces[0][level], load.format, static_cast<uint8_t*>(locked.pBits),
                 locked.RowPitch, locked.SlicePitch);
        pTexture->UnlockBox(level);
    }
    if (pSrcInfo)
        *pSrcInfo = load.info;
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
