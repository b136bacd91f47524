// The native objects behind input layouts, buffers, textures and shaders.
//
// Sections: input layouts; vertex and index buffers; shaders.

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
