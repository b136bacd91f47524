// The native textures behind textures: creation, loading from image files and locks.

#include "renderdevice_dx9/source/dx9_renderdevice.h"

#include "d3d9gl/d3d9glcapture.h"
#include "rendercore/source/renderdevice/deviceutility.h"
#include "rendercore/source/resource/texture.h"
#include "renderdevice_dx9/source/dx9_diagnostics.h"
#include "renderdevice_dx9/source/dx9_nativeobject.h"
#include "renderdevice_dx9/source/dx9_typeconverter.h"

namespace Halvex::RenderCore
{
namespace
{
constexpr uint32_t LOADED_TEXTURE_FLAGS = 1u | 2u;

struct LevelDesc_t
{
    int m_Width = 0;
    int m_Height = 0;
    int m_Depth = 0;
    D3DFORMAT m_Format = D3DFMT_UNKNOWN;
    int m_Levels = 0;
};

LevelDesc_t DescribeLevelZero(IDirect3DResource9* pResource)
{
    LevelDesc_t result;
    if (!pResource)
    {
        return result;
    }
    if (IDirect3DVolumeTexture9* pVolume = AsVolumeTexture(pResource))
    {
        D3DVOLUME_DESC desc = {};
        pVolume->GetLevelDesc(0, &desc);
        result = {static_cast<int>(desc.Width), static_cast<int>(desc.Height),
                  static_cast<int>(desc.Depth), desc.Format,
                  static_cast<int>(pVolume->GetLevelCount())};
        return result;
    }
    D3DSURFACE_DESC desc = {};
    int levels = 0;
    if (IDirect3DTexture9* p2D = As2DTexture(pResource))
    {
        p2D->GetLevelDesc(0, &desc);
        levels = static_cast<int>(p2D->GetLevelCount());
    }
    else if (IDirect3DCubeTexture9* pCube = AsCubeTexture(pResource))
    {
        pCube->GetLevelDesc(0, &desc);
        levels = static_cast<int>(pCube->GetLevelCount());
    }
    result = {static_cast<int>(desc.Width), static_cast<int>(desc.Height), 0, desc.Format, levels};
    return result;
}

// Reports what the created texture really is through the in/out arguments.
void ReportTexture(IDirect3DResource9* pCreated, int* pWidth, int* pHeight, int* pDepth,
                   TextureFormat* pFormat, int* pMipLevels, uint32_t* pFlags)
{
    *pFlags |= LOADED_TEXTURE_FLAGS;
    if (!pCreated)
    {
        *pFormat = FMT_UNKNOWN;
        return;
    }
    const LevelDesc_t desc = DescribeLevelZero(pCreated);
    *pWidth = desc.m_Width;
    *pHeight = desc.m_Height;
    *pDepth = desc.m_Depth;
    *pMipLevels = desc.m_Levels;
    *pFormat = static_cast<TextureFormat>(FromNative(CONVERT_TEXTURE_FORMAT, desc.m_Format));
}

// An empty texture of the type; *ppFailure names what failed for the types there are.
HRESULT CreateEmptyTexture(IDirect3DDevice9* pDevice, TextureType texType, UINT width, UINT height,
                           UINT depth, UINT levels, D3DFORMAT format, D3DPOOL pool,
                           IDirect3DResource9** ppCreated, const char** ppFailure)
{
    HRESULT hr = D3D_OK;
    switch (texType)
    {
    case TEX_2D:
    {
        IDirect3DTexture9* p2D = nullptr;
        hr = D3DXCreateTexture(pDevice, width, height, levels, 0, format, pool, &p2D);
        *ppCreated = p2D;
        *ppFailure = "Could not create empty 2D texture";
        break;
    }
    case TEX_VOLUME:
    {
        IDirect3DVolumeTexture9* pVolume = nullptr;
        hr = D3DXCreateVolumeTexture(pDevice, width, height, depth, levels, 0, format, pool,
                                     &pVolume);
        *ppCreated = pVolume;
        *ppFailure = "Could not create volume texture";
        break;
    }
    case TEX_CUBE:
    {
        IDirect3DCubeTexture9* pCube = nullptr;
        hr = D3DXCreateCubeTexture(pDevice, width, levels, 0, format, pool, &pCube);
        *ppCreated = pCube;
        *ppFailure = "Could not create cube texture";
        break;
    }
    default:
        break;
    }
    return hr;
}

const char* LoadFailure(TextureType texType)
{
    switch (texType)
    {
    case TEX_VOLUME:
        return "Could not create volume texture from Memory: ";
    case TEX_CUBE:
        return "Could not create cube texture from Memory: ";
    default:
        return "Could not create 2D texture from Memory: ";
    }
}

// A texture of the type from an image file in memory; D3DERR_INVALIDCALL for other types.
HRESULT CreateTextureFromFile(IDirect3DDevice9* pDevice, TextureType texType, const void* pData,
                              UINT bytes, UINT levels, D3DFORMAT format,
                              IDirect3DResource9** ppCreated)
{
    HRESULT hr = D3DERR_INVALIDCALL;
    switch (texType)
    {
    case TEX_2D:
    {
        IDirect3DTexture9* p2D = nullptr;
        hr = D3DXCreateTextureFromFileInMemoryEx(pDevice, pData, bytes, D3DX_DEFAULT, D3DX_DEFAULT,
                                                 levels, 0, format, D3DPOOL_MANAGED, D3DX_DEFAULT,
                                                 D3DX_DEFAULT, 0, nullptr, nullptr, &p2D);
        *ppCreated = p2D;
        break;
    }
    case TEX_VOLUME:
    {
        IDirect3DVolumeTexture9* pVolume = nullptr;
        hr = D3DXCreateVolumeTextureFromFileInMemoryEx(
            pDevice, pData, bytes, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, levels, 0, format,
            D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &pVolume);
        *ppCreated = pVolume;
        break;
    }
    case TEX_CUBE:
    {
        IDirect3DCubeTexture9* pCube = nullptr;
        hr = D3DXCreateCubeTextureFromFileInMemoryEx(pDevice, pData, bytes, D3DX_DEFAULT, levels, 0,
                                                     format, D3DPOOL_MANAGED, D3DX_DEFAULT,
                                                     D3DX_DEFAULT, 0, nullptr, nullptr, &pCube);
        *ppCreated = pCube;
        break;
    }
    default:
        break;
    }
    return hr;
}

} // namespace

bool Dx9RenderDevice::CreateTexture(Texture* pTexture, TextureType texType, int* pWidth,
                                    int* pHeight, int* pDepth, TextureFormat* pFormat,
                                    int* pMipLevels, TexturePool* pPool, uint32_t* pFlags)
{
    if (!HX_ASSERT(pTexture && pWidth && pHeight && pDepth && pFormat && pMipLevels && pPool &&
                   pFlags) ||
        !m_pDevice)
    {
        return false;
    }
    const auto format = static_cast<D3DFORMAT>(ToNative(CONVERT_TEXTURE_FORMAT, *pFormat));
    const auto pool = static_cast<D3DPOOL>(ToNative(CONVERT_TEXTURE_POOL, *pPool));
    const UINT levels = *pMipLevels == 0 ? D3DX_DEFAULT : static_cast<UINT>(*pMipLevels);
    const UINT width = static_cast<UINT>(*pWidth);
    const UINT height = static_cast<UINT>(*pHeight);

    IDirect3DResource9* pCreated = nullptr;
    const char* failure = nullptr;
    const HRESULT hr =
        CreateEmptyTexture(m_pDevice, texType, width, height, static_cast<UINT>(*pDepth), levels,
                           format, pool, &pCreated, &failure);

    const bool created = SUCCEEDED(hr) && (pCreated || !failure);
    if (!created)
    {
        DX9_LOG_ERROR("%s, texType: %d, width: %d, height: %d, depth: %d, format: %d, "
                      "mipLevels: %d, pool: %d, flag: %d",
                      failure, static_cast<int>(texType), *pWidth, *pHeight, *pDepth,
                      static_cast<int>(*pFormat), *pMipLevels, static_cast<int>(*pPool),
                      static_cast<int>(*pFlags));
        HX_RAISE("!\"Could not create texture\"");
        SafeRelease(pCreated);
    }
    else if (pCreated)
    {
        pTexture->SetUserData(ToUserData(pCreated));
    }
    ReportTexture(pCreated, pWidth, pHeight, pDepth, pFormat, pMipLevels, pFlags);
    return created;
}

bool Dx9RenderDevice::LoadTextureFromMemory(Texture* pTexture, TextureType texType,
                                            const void* pData, int size, int* pWidth, int* pHeight,
                                            int* pDepth, TextureFormat* pFormat, int* pMipLevels,
                                            uint32_t* pFlags)
{
    if (!HX_ASSERT(pTexture && pWidth && pHeight && pDepth && pFormat && pMipLevels && pFlags) ||
        !m_pDevice)
    {
        return false;
    }
    const auto format = static_cast<D3DFORMAT>(ToNative(CONVERT_TEXTURE_FORMAT, *pFormat));
    if (*pMipLevels == 0)
    {
        *pMipLevels = static_cast<int>(D3DX_DEFAULT);
    }
    const auto levels = static_cast<UINT>(*pMipLevels);
    const auto bytes = static_cast<UINT>(size);

    IDirect3DResource9* pCreated = nullptr;
    // Nothing is read from an empty or negative-sized image.
    const HRESULT hr = pData && size > 0 ? CreateTextureFromFile(m_pDevice, texType, pData, bytes,
                                                                 levels, format, &pCreated)
                                         : D3DERR_INVALIDCALL;
    if (FAILED(hr) || !pCreated)
    {
        DX9_LOG_ERROR("%s, texType: %d, size: %d, format: %d, flag: %d", LoadFailure(texType),
                      static_cast<int>(texType), size, static_cast<int>(*pFormat),
                      static_cast<int>(*pFlags));
        HX_RAISE("!\"Could not create texture from Memory\"");
        SafeRelease(pCreated);
        ReportTexture(nullptr, pWidth, pHeight, pDepth, pFormat, pMipLevels, pFlags);
        return false;
    }
    pTexture->SetUserData(ToUserData(pCreated));
    // Captured frames name the texture by its file.
    const std::string& name = pTexture->GetName();
    D3D9GL_SetTextureName(AsBaseTexture(pCreated), name.substr(name.find_last_of('/') + 1).c_str());
    ReportTexture(pCreated, pWidth, pHeight, pDepth, pFormat, pMipLevels, pFlags);
    return true;
}

void Dx9RenderDevice::UnloadTexture(Texture* pTexture)
{
    if (!HX_ASSERT(pTexture))
    {
        return;
    }
    if (auto locked = m_LockedTextures.find(pTexture); locked != m_LockedTextures.end())
    {
        locked->second->UnlockRect();
        locked->second->Release();
        m_LockedTextures.erase(locked);
    }
    IDirect3DResource9* pNative = AsResource(pTexture->GetUserData());
    ForgetTexture(AsBaseTexture(pNative));
    SafeRelease(pNative);
    pTexture->SetUserData(nullptr);
}

// ---- texture locks ----

bool Dx9RenderDevice::LockTexture(Texture* pTexture, int mipLevel, void** ppData, int* pPitch,
                                  const float* pRect, LockFlag lockFlag)
{
    if (!HX_ASSERT(pTexture && ppData && pPitch))
    {
        return false;
    }
    if (m_LockedTextures.count(pTexture) != 0)
    {
        DX9_LOG_ERROR("Texture can not be locked twice");
        HX_RAISE("!\"Texture can not be locked twice\"");
        return false;
    }
    IDirect3DTexture9* pNative = As2DTexture(pTexture->GetUserData());
    IDirect3DSurface9* pSurface = nullptr;
    if (!pNative || mipLevel < 0 ||
        FAILED(pNative->GetSurfaceLevel(static_cast<UINT>(mipLevel), &pSurface)) || !pSurface)
    {
        return false;
    }
    RECT rect = {};
    if (pRect)
    {
        rect.left = static_cast<LONG>(pRect[0]);
        rect.top = static_cast<LONG>(pRect[1]);
        rect.right = static_cast<LONG>(pRect[0] + pRect[2]);
        rect.bottom = static_cast<LONG>(pRect[1] + pRect[3]);
    }
    D3DLOCKED_RECT locked = {};
    if (FAILED(pSurface->LockRect(&locked, pRect ? &rect : nullptr,
                                  ToNative(CONVERT_LOCK_FLAG, lockFlag))))
    {
        DX9_LOG_ERROR("Can not Lock Texture, mipmapLevel: %d, lockFlag: %d", mipLevel,
                      static_cast<int>(lockFlag));
        HX_RAISE("!\"Can not Lock Texture\"");
        pSurface->Release();
        return false;
    }
    *ppData = locked.pBits;
    *pPitch = locked.Pitch;
    m_LockedTextures[pTexture] = pSurface;
    return true;
}

void Dx9RenderDevice::UnlockTexture(Texture* pTexture)
{
    if (!HX_ASSERT(pTexture))
    {
        return;
    }
    auto locked = m_LockedTextures.find(pTexture);
    if (locked == m_LockedTextures.end())
    {
        DX9_LOG_ERROR("This Texture did not be locked, you must lock it at first");
        HX_RAISE("!\"This Texture did not be locked\"");
        return;
    }
    locked->second->UnlockRect();
    locked->second->Release();
    m_LockedTextures.erase(locked);
}

int Dx9RenderDevice::GetTexelAddress(Texture* pTexture, int x, int y, int pitch, int mipLevel)
{
    const int mipmapLevel = mipLevel;
    const bool hasTexture = HX_ASSERT(pTexture);
    HX_ASSERT(x >= 0 && y >= 0);
    HX_ASSERT(pitch >= 0);
    HX_ASSERT(mipmapLevel >= 0);
    if (!hasTexture)
    {
        return 0;
    }
    const int bits = GetFormatBits(pTexture->GetFormat());
    if (IsCompressedFormat(pTexture->GetFormat()))
    {
        return y * pitch + x * bits / 8;
    }
    return y * pitch + x * (bits / 8);
}

} // namespace Halvex::RenderCore
