// The native objects behind input layouts, buffers, textures and shaders.
//
// Sections: input layouts; vertex and index buffers; textures; texture locks; shaders.

#include "renderdevice_dx9/source/dx9_renderdevice.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/renderdevice/deviceutility.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"
#include "rendercore/source/resource/vertexshader.h"
#include "renderdevice_dx9/source/dx9_diagnostics.h"
#include "renderdevice_dx9/source/dx9_nativeobject.h"
#include "renderdevice_dx9/source/dx9_typeconverter.h"

#include <cstring>
#include <vector>

namespace Halvex::RenderCore
{
namespace
{
constexpr uint32_t LOADED_TEXTURE_FLAGS = 1u | 2u;

// ---- input layouts ----

// Converts at most MAXD3DDECLLENGTH - 1 elements and appends the native end marker.
std::vector<D3DVERTEXELEMENT9> ToNativeElements(const InputElementDesc_t* pElems)
{
    std::vector<D3DVERTEXELEMENT9> native;
    for (int i = 0; i < MAXD3DDECLLENGTH - 1 && pElems[i].m_StreamIndex != STREAM_END; ++i)
    {
        const InputElementDesc_t& elem = pElems[i];
        D3DVERTEXELEMENT9 element = {};
        element.Stream = static_cast<WORD>(elem.m_StreamIndex);
        element.Offset = static_cast<WORD>(elem.m_Offset);
        element.Type =
            static_cast<BYTE>(ToNative(CONVERT_ELEMENT_TYPE, static_cast<int>(elem.m_Type)));
        element.Method =
            static_cast<BYTE>(ToNative(CONVERT_ELEMENT_METHOD, static_cast<int>(elem.m_Method)));
        element.Usage =
            static_cast<BYTE>(ToNative(CONVERT_ELEMENT_USAGE, static_cast<int>(elem.m_Usage)));
        element.UsageIndex = static_cast<BYTE>(elem.m_UsageIndex);
        native.push_back(element);
    }
    native.push_back(D3DDECL_END());
    return native;
}

// ---- buffers ----

struct BufferUsage_t
{
    DWORD m_Usage;
    D3DPOOL m_Pool;
    DWORD m_FillLock;
};

// Pool 0 means a dynamic buffer in the default pool; any other pool a managed one.
BufferUsage_t BufferUsageOf(TexturePool pool)
{
    if (pool == POOL_DEFAULT)
    {
        return {D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, D3DPOOL_DEFAULT,
                D3DLOCK_DISCARD | D3DLOCK_NOSYSLOCK};
    }
    return {D3DUSAGE_WRITEONLY, D3DPOOL_MANAGED, 0};
}

template <class NativeBuffer>
bool FillBuffer(NativeBuffer* pBuffer, const void* pData, UINT size, DWORD lockFlags)
{
    void* pBits = nullptr;
    if (FAILED(pBuffer->Lock(0, size, &pBits, lockFlags)) || !pBits)
    {
        return false;
    }
    std::memcpy(pBits, pData, size);
    pBuffer->Unlock();
    return true;
}

DWORD BufferLockFlags(TexturePool pool, LockFlag lockFlag)
{
    DWORD flags = ToNative(CONVERT_LOCK_FLAG, lockFlag);
    if (pool == POOL_DEFAULT)
    {
        flags |= D3DLOCK_NOSYSLOCK;
    }
    return flags;
}

// Byte size of a buffer, or 0 when the counts are not positive or overflow 32 bits.
UINT BufferBytes(int count, int elementSize)
{
    if (count <= 0 || elementSize <= 0)
    {
        return 0;
    }
    const uint64_t bytes = static_cast<uint64_t>(count) * static_cast<uint64_t>(elementSize);
    return bytes > UINT32_MAX ? 0 : static_cast<UINT>(bytes);
}

// ---- textures ----

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
} // namespace

bool Dx9RenderDevice::LoadInputLayout(InputLayout* pInputLayout, const InputElementDesc_t* pElems)
{
    const InputElementDesc_t* elems = pElems;
    if (!HX_ASSERT(pInputLayout && elems) || !m_pDevice)
    {
        return false;
    }
    const std::vector<D3DVERTEXELEMENT9> native = ToNativeElements(elems);
    IDirect3DVertexDeclaration9* pVertexDeclaration = nullptr;
    if (FAILED(m_pDevice->CreateVertexDeclaration(native.data(), &pVertexDeclaration)))
    {
        DX9_LOG_ERROR("Can not create VertexDeclaration");
        HX_RAISE("!\"Can not create VertexDeclaration\"");
        return false;
    }
    HX_ASSERT(pVertexDeclaration);
    pInputLayout->SetUserData(pVertexDeclaration);
    return true;
}

void Dx9RenderDevice::UnloadInputLayout(InputLayout* pInputLayout)
{
    if (!HX_ASSERT(pInputLayout))
    {
        return;
    }
    auto* pDeclaration = static_cast<IDirect3DVertexDeclaration9*>(pInputLayout->GetUserData());
    ForgetDeclaration(pDeclaration);
    SafeRelease(pDeclaration);
    pInputLayout->SetUserData(nullptr);
}

// ---- vertex and index buffers ----

bool Dx9RenderDevice::LoadVertexBuffer(VertexBuffer* pVertexBuf, const void* pData, int vertexNum,
                                       int vertexSize, TexturePool pool)
{
    if (!HX_ASSERT(pVertexBuf && !pVertexBuf->GetUserData()) || !m_pDevice)
    {
        return false;
    }
    const BufferUsage_t usage = BufferUsageOf(pool);
    const UINT size = BufferBytes(vertexNum, vertexSize);
    IDirect3DVertexBuffer9* pBuffer = nullptr;
    if (size == 0 || FAILED(m_pDevice->CreateVertexBuffer(size, usage.m_Usage, 0, usage.m_Pool,
                                                          &pBuffer, nullptr)))
    {
        DX9_LOG_ERROR("Can not create VertexBuffer, vertexNum: %d, vertexSize: %d, pool: %d",
                      vertexNum, vertexSize, static_cast<int>(pool));
        HX_RAISE("!\"Can not create VertexBuffer\"");
        return false;
    }
    // Stored before filling, so that Unload releases it when the fill fails.
    pVertexBuf->SetUserData(pBuffer);
    if (pData && !FillBuffer(pBuffer, pData, size, usage.m_FillLock))
    {
        DX9_LOG_ERROR("Can not Lock VertexBuffer When LoadVertexBuffer(), vertexNum: %d, "
                      "vertexSize: %d, pool: %d",
                      vertexNum, vertexSize, static_cast<int>(pool));
        HX_RAISE("!\"Can not Lock VertexBuffer\"");
        return false;
    }
    return true;
}

void Dx9RenderDevice::UnloadVertexBuffer(VertexBuffer* pVertexBuf)
{
    if (!HX_ASSERT(pVertexBuf && pVertexBuf->GetUserData()))
    {
        return;
    }
    auto* pBuffer = static_cast<IDirect3DVertexBuffer9*>(pVertexBuf->GetUserData());
    ForgetVertexBuffer(pBuffer);
    SafeRelease(pBuffer);
    pVertexBuf->SetUserData(nullptr);
}

bool Dx9RenderDevice::LockVertexBuffer(VertexBuffer* pVertexBuf, void** ppData, int offset,
                                       int size, LockFlag lockFlag)
{
    if (!HX_ASSERT(pVertexBuf && pVertexBuf->GetUserData()) || !HX_ASSERT(ppData))
    {
        return false;
    }
    auto* pBuffer = static_cast<IDirect3DVertexBuffer9*>(pVertexBuf->GetUserData());
    if (FAILED(pBuffer->Lock(static_cast<UINT>(offset), static_cast<UINT>(size), ppData,
                             BufferLockFlags(pVertexBuf->GetPool(), lockFlag))))
    {
        DX9_LOG_ERROR("Can not Lock VertexBuffer, offset: %d, size: %d", offset, size);
        HX_RAISE("!\"Can not Lock VertexBuffer\"");
        return false;
    }
    return true;
}

void Dx9RenderDevice::UnlockVertexBuffer(VertexBuffer* pVertexBuf)
{
    if (HX_ASSERT(pVertexBuf && pVertexBuf->GetUserData()))
    {
        static_cast<IDirect3DVertexBuffer9*>(pVertexBuf->GetUserData())->Unlock();
    }
}

bool Dx9RenderDevice::LoadIndexBuffer(IndexBuffer* pIndexBuf, const void* pData, int indexNum,
                                      int indexSize, TexturePool pool)
{
    if (!HX_ASSERT(pIndexBuf && !pIndexBuf->GetUserData()) || !m_pDevice)
    {
        return false;
    }
    const BufferUsage_t usage = BufferUsageOf(pool);
    const UINT size = BufferBytes(indexNum, indexSize);
    const D3DFORMAT format = indexSize == 2 ? D3DFMT_INDEX16 : D3DFMT_INDEX32;
    IDirect3DIndexBuffer9* pBuffer = nullptr;
    if (size == 0 || FAILED(m_pDevice->CreateIndexBuffer(size, usage.m_Usage, format, usage.m_Pool,
                                                         &pBuffer, nullptr)))
    {
        DX9_LOG_ERROR("Can not create IndexBuffer, indexNum: %d, indexSize: %d, pool: %d", indexNum,
                      indexSize, static_cast<int>(pool));
        HX_RAISE("!\"Can not create IndexBuffer\"");
        return false;
    }
    pIndexBuf->SetUserData(pBuffer);
    if (pData && !FillBuffer(pBuffer, pData, size, usage.m_FillLock))
    {
        DX9_LOG_ERROR("Can not Lock IndexBuffer when LoadIndexBuffer(), indexNum: %d, "
                      "indexSize: %d, pool: %d",
                      indexNum, indexSize, static_cast<int>(pool));
        HX_RAISE("!\"Can not Lock IndexBuffer\"");
        return false;
    }
    return true;
}

void Dx9RenderDevice::UnloadIndexBuffer(IndexBuffer* pIndexBuf)
{
    if (!HX_ASSERT(pIndexBuf))
    {
        return;
    }
    auto* pBuffer = static_cast<IDirect3DIndexBuffer9*>(pIndexBuf->GetUserData());
    ForgetIndexBuffer(pBuffer);
    SafeRelease(pBuffer);
    pIndexBuf->SetUserData(nullptr);
}

bool Dx9RenderDevice::LockIndexBuffer(IndexBuffer* pIndexBuf, void** ppData, int offset, int size,
                                      LockFlag lockFlag)
{
    if (!HX_ASSERT(pIndexBuf && pIndexBuf->GetUserData()) || !HX_ASSERT(ppData))
    {
        return false;
    }
    auto* pBuffer = static_cast<IDirect3DIndexBuffer9*>(pIndexBuf->GetUserData());
    if (FAILED(pBuffer->Lock(static_cast<UINT>(offset), static_cast<UINT>(size), ppData,
                             BufferLockFlags(pIndexBuf->GetPool(), lockFlag))))
    {
        DX9_LOG_ERROR("Can not Lock IndexBuffer, offset: %d, size: %d", offset, size);
        HX_RAISE("!\"Can not Lock IndexBuffer\"");
        return false;
    }
    return true;
}

void Dx9RenderDevice::UnlockIndexBuffer(IndexBuffer* pIndexBuf)
{
    if (HX_ASSERT(pIndexBuf && pIndexBuf->GetUserData()))
    {
        static_cast<IDirect3DIndexBuffer9*>(pIndexBuf->GetUserData())->Unlock();
    }
}

// ---- textures ----

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
    HRESULT hr = D3D_OK;
    const char* failure = nullptr;
    switch (texType)
    {
    case TEX_2D:
    {
        IDirect3DTexture9* p2D = nullptr;
        hr = D3DXCreateTexture(m_pDevice, width, height, levels, 0, format, pool, &p2D);
        pCreated = p2D;
        failure = "Could not create empty 2D texture";
        break;
    }
    case TEX_VOLUME:
    {
        IDirect3DVolumeTexture9* pVolume = nullptr;
        hr = D3DXCreateVolumeTexture(m_pDevice, width, height, static_cast<UINT>(*pDepth), levels,
                                     0, format, pool, &pVolume);
        pCreated = pVolume;
        failure = "Could not create volume texture";
        break;
    }
    case TEX_CUBE:
    {
        IDirect3DCubeTexture9* pCube = nullptr;
        hr = D3DXCreateCubeTexture(m_pDevice, width, levels, 0, format, pool, &pCube);
        pCreated = pCube;
        failure = "Could not create cube texture";
        break;
    }
    default:
        break;
    }

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
    HRESULT hr = D3DERR_INVALIDCALL;
    const char* failure = "Could not create 2D texture from Memory: ";
    switch (texType)
    {
    case TEX_VOLUME:
        failure = "Could not create volume texture from Memory: ";
        break;
    case TEX_CUBE:
        failure = "Could not create cube texture from Memory: ";
        break;
    default:
        break;
    }
    // Nothing is read from an empty or negative-sized image.
    if (pData && size > 0)
    {
        switch (texType)
        {
        case TEX_2D:
        {
            IDirect3DTexture9* p2D = nullptr;
            hr = D3DXCreateTextureFromFileInMemoryEx(
                m_pDevice, pData, bytes, D3DX_DEFAULT, D3DX_DEFAULT, levels, 0, format,
                D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &p2D);
            pCreated = p2D;
            break;
        }
        case TEX_VOLUME:
        {
            IDirect3DVolumeTexture9* pVolume = nullptr;
            hr = D3DXCreateVolumeTextureFromFileInMemoryEx(
                m_pDevice, pData, bytes, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, levels, 0,
                format, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &pVolume);
            pCreated = pVolume;
            break;
        }
        case TEX_CUBE:
        {
            IDirect3DCubeTexture9* pCube = nullptr;
            hr = D3DXCreateCubeTextureFromFileInMemoryEx(
                m_pDevice, pData, bytes, D3DX_DEFAULT, levels, 0, format, D3DPOOL_MANAGED,
                D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &pCube);
            pCreated = pCube;
            break;
        }
        default:
            break;
        }
    }
    if (FAILED(hr) || !pCreated)
    {
        DX9_LOG_ERROR("%s, texType: %d, size: %d, format: %d, flag: %d", failure,
                      static_cast<int>(texType), size, static_cast<int>(*pFormat),
                      static_cast<int>(*pFlags));
        HX_RAISE("!\"Could not create texture from Memory\"");
        SafeRelease(pCreated);
        ReportTexture(nullptr, pWidth, pHeight, pDepth, pFormat, pMipLevels, pFlags);
        return false;
    }
    pTexture->SetUserData(ToUserData(pCreated));
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

// ---- shaders ----

namespace
{
// d3d9gl reads shader text up to its terminating NUL: the code is copied into aligned
// words with a NUL after it, since a file's bytes carry none.
std::vector<DWORD> TerminatedCode(const void* pCode, int size)
{
    std::vector<DWORD> words(static_cast<size_t>(size) / sizeof(DWORD) + 1, 0);
    std::memcpy(words.data(), pCode, static_cast<size_t>(size));
    return words;
}

template <class NativeShader> ID3DXConstantTable* BuildConstantTable(NativeShader* pShaderStage)
{
    if (!HX_ASSERT(pShaderStage))
    {
        return nullptr;
    }
    UINT size = 0;
    pShaderStage->GetFunction(nullptr, &size);
    if (!HX_ASSERT(size > 0))
    {
        return nullptr;
    }
    std::vector<DWORD> function((size + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    if (FAILED(pShaderStage->GetFunction(function.data(), &size)))
    {
        return nullptr;
    }
    ID3DXConstantTable* pConstTable = nullptr;
    if (FAILED(D3DXGetShaderConstantTable(function.data(), &pConstTable)))
    {
        return nullptr;
    }
    return pConstTable;
}
} // namespace

bool Dx9RenderDevice::LoadVertexShader(VertexShader* pShader, const void* pCode, int size, uint32_t)
{
    VertexShader* pVertexShader = pShader;
    if (!HX_ASSERT(pVertexShader) || !pCode || size <= 0 || !m_pDevice)
    {
        return false;
    }
    IDirect3DVertexShader9* pNative = nullptr;
    if (FAILED(m_pDevice->CreateVertexShader(TerminatedCode(pCode, size).data(), &pNative)) ||
        !pNative)
    {
        DX9_LOG_ERROR("Can not Create VertexShader");
        HX_RAISE("!\"Can not Create VertexShader\"");
        return false;
    }
    pVertexShader->SetUserData(pNative);
    ID3DXConstantTable* pConstTable = BuildConstantTable(pNative);
    HX_ASSERT(pConstTable);
    pVertexShader->SetConstantTable(pConstTable);
    return true;
}

bool Dx9RenderDevice::LoadPixelShader(PixelShader* pShader, const void* pCode, int size, uint32_t)
{
    PixelShader* pPixelShader = pShader;
    if (!HX_ASSERT(pPixelShader) || !pCode || size <= 0 || !m_pDevice)
    {
        return false;
    }
    IDirect3DPixelShader9* pNative = nullptr;
    if (FAILED(m_pDevice->CreatePixelShader(TerminatedCode(pCode, size).data(), &pNative)) ||
        !pNative)
    {
        DX9_LOG_ERROR("Can not Create PixelShader");
        HX_RAISE("!\"Can not Create PixelShader\"");
        return false;
    }
    pPixelShader->SetUserData(pNative);
    ID3DXConstantTable* pConstTable = BuildConstantTable(pNative);
    HX_ASSERT(pConstTable);
    pPixelShader->SetConstantTable(pConstTable);
    return true;
}

void Dx9RenderDevice::UnloadVertexShader(VertexShader* pShader)
{
    VertexShader* pVertexShader = pShader;
    if (!HX_ASSERT(pVertexShader))
    {
        return;
    }
    auto* pNative = static_cast<IDirect3DVertexShader9*>(pVertexShader->GetUserData());
    auto* pConstTable = static_cast<ID3DXConstantTable*>(pVertexShader->GetConstantTable());
    ForgetVertexShader(pNative);
    SafeRelease(pNative);
    SafeRelease(pConstTable);
    pVertexShader->SetUserData(nullptr);
    pVertexShader->SetConstantTable(nullptr);
}

void Dx9RenderDevice::UnloadPixelShader(PixelShader* pShader)
{
    PixelShader* pPixelShader = pShader;
    if (!HX_ASSERT(pPixelShader))
    {
        return;
    }
    auto* pNative = static_cast<IDirect3DPixelShader9*>(pPixelShader->GetUserData());
    auto* pConstTable = static_cast<ID3DXConstantTable*>(pPixelShader->GetConstantTable());
    ForgetPixelShader(pNative);
    SafeRelease(pNative);
    SafeRelease(pConstTable);
    pPixelShader->SetUserData(nullptr);
    pPixelShader->SetConstantTable(nullptr);
}

} // namespace Halvex::RenderCore
