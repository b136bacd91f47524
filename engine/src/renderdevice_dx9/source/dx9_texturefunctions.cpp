// Texture binding with sampler states, texture copies, mipmaps and saving.

#include "renderdevice_dx9/source/dx9_renderdevice.h"

#include "rendercore/source/renderdevice/deviceutility.h"
#include "rendercore/source/resource/shader.h"
#include "rendercore/source/resource/texture.h"
#include "renderdevice_dx9/source/dx9_diagnostics.h"
#include "renderdevice_dx9/source/dx9_nativeobject.h"
#include "renderdevice_dx9/source/dx9_typeconverter.h"

#include <algorithm>
#include <cstring>

namespace Halvex::RenderCore
{
namespace
{
constexpr int32_t REGISTER_UNRESOLVED = -1;

IDirect3DBaseTexture9* NativeOf(Texture* pTexture)
{
    return pTexture ? AsBaseTexture(pTexture->GetUserData()) : nullptr;
}

DWORD SamplerOf(ShaderType shaderType, int index)
{
    return shaderType == SHADER_VERTEX ? static_cast<DWORD>(index + D3DVERTEXTEXTURESAMPLER0)
                                       : static_cast<DWORD>(index);
}

// Level 0 of a 2D texture; null for other kinds.
IDirect3DSurface9* LevelZeroOf(Texture* pTexture)
{
    IDirect3DTexture9* pNative = As2DTexture(pTexture->GetUserData());
    IDirect3DSurface9* pSurface = nullptr;
    if (pNative && FAILED(pNative->GetSurfaceLevel(0, &pSurface)))
    {
        pSurface = nullptr;
    }
    return pSurface;
}
} // namespace

// ---- binding ----

void Dx9RenderDevice::BindTexture(DWORD sampler, IDirect3DBaseTexture9* pTexture)
{
    const int slot = Dx9BoundState::SamplerSlot(sampler);
    if (slot >= 0)
    {
        if (m_CacheEnabled && m_Bound.m_Samplers[slot].m_pTexture == pTexture)
        {
            return;
        }
        m_Bound.m_Samplers[slot].m_pTexture = pTexture;
    }
    m_pDevice->SetTexture(sampler, pTexture);
}

void Dx9RenderDevice::BindSamplerState(DWORD sampler, int state, DWORD value)
{
    const int slot = Dx9BoundState::SamplerSlot(sampler);
    if (slot >= 0)
    {
        Dx9SamplerSlot_t& cached = m_Bound.m_Samplers[slot];
        if (m_CacheEnabled && cached.m_StateKnown[state] && cached.m_States[state] == value)
        {
            return;
        }
        cached.m_States[state] = value;
        cached.m_StateKnown[state] = true;
    }
    m_pDevice->SetSamplerState(sampler, DX9_SAMPLER_STATES[state], value);
}

void Dx9RenderDevice::BindSamplerStates(DWORD sampler, const SamplerDesc& desc, bool withBorder)
{
    const DWORD values[DX9_SAMPLER_STATE_MAX] = {
        ToNative(CONVERT_TEXTURE_FILTER, desc.m_MinFilter),
        ToNative(CONVERT_TEXTURE_FILTER, desc.m_MagFilter),
        ToNative(CONVERT_TEXTURE_FILTER, desc.m_MipFilter),
        ToNative(CONVERT_TEXTURE_ADDRESS, desc.m_AddressU),
        ToNative(CONVERT_TEXTURE_ADDRESS, desc.m_AddressV),
        ToNative(CONVERT_TEXTURE_ADDRESS, desc.m_AddressW),
        desc.m_BorderColor,
    };
    const int stateCount = withBorder ? DX9_SAMPLER_STATE_MAX : DX9_SAMPLER_STATE_MAX - 1;
    for (int state = 0; state < stateCount; ++state)
    {
        BindSamplerState(sampler, state, values[state]);
    }
}

void Dx9RenderDevice::ForgetTexture(IDirect3DBaseTexture9* pTexture)
{
    for (int slot = 0; m_pDevice && pTexture && slot < DX9_SAMPLER_SLOT_MAX; ++slot)
    {
        if (m_Bound.m_Samplers[slot].m_pTexture == pTexture)
        {
            BindTexture(Dx9BoundState::SlotSampler(slot), nullptr);
        }
    }
}

void Dx9RenderDevice::SetTexture(ShaderType shaderType, int samplerIndex, Texture* pTexture,
                                 const SamplerDesc* pSamplerDesc)
{
    const int regIndex =
        shaderType == SHADER_VERTEX || shaderType == SHADER_PIXEL ? samplerIndex : -1;
    if (!HX_ASSERT(regIndex >= 0) || !m_pDevice)
    {
        return;
    }
    const DWORD sampler = SamplerOf(shaderType, regIndex);
    if (!pTexture)
    {
        BindTexture(sampler, nullptr);
        return;
    }
    BindTexture(sampler, NativeOf(pTexture));
    if (pSamplerDesc)
    {
        BindSamplerStates(sampler, *pSamplerDesc, false);
    }
}

void Dx9RenderDevice::SetTextureByName(Shader* pShader, const char* name,
                                       const TextureSampler* pSampler, uintptr_t* pHandleCache,
                                       int32_t* pRegisterCache)
{
    if (!m_pDevice || !HX_ASSERT(pShader && pHandleCache && pRegisterCache))
    {
        return;
    }
    if (*pRegisterCache == REGISTER_UNRESOLVED)
    {
        auto* pConstTable = static_cast<ID3DXConstantTable*>(pShader->GetConstantTable());
        if (!HX_ASSERT(pConstTable))
        {
            return;
        }
        if (*pHandleCache == 0 && name)
        {
            *pHandleCache =
                reinterpret_cast<uintptr_t>(pConstTable->GetConstantByName(nullptr, name));
        }
        const auto handle = reinterpret_cast<D3DXHANDLE>(*pHandleCache);
        D3DXCONSTANT_DESC desc = {};
        UINT count = 1;
        if (handle && SUCCEEDED(pConstTable->GetConstantDesc(handle, &desc, &count)) &&
            desc.RegisterSet == D3DXRS_SAMPLER)
        {
            *pRegisterCache = static_cast<int32_t>(desc.RegisterIndex);
        }
    }
    if (*pRegisterCache == REGISTER_UNRESOLVED)
    {
        return;
    }
    const DWORD sampler = SamplerOf(pShader->GetShaderType(), *pRegisterCache);
    if (pSampler && pSampler->GetTexture())
    {
        BindTexture(sampler, NativeOf(pSampler->GetTexture()));
        BindSamplerStates(sampler, pSampler->GetDesc(), true);
    }
    else
    {
        BindTexture(sampler, nullptr);
    }
}

// ---- copies ----

bool Dx9RenderDevice::CopyLevelZero(Texture* pDst, IDirect3DSurface9* pSrcSurface)
{
    IDirect3DSurface9* pDstSurface = LevelZeroOf(pDst);
    const bool copied = pSrcSurface && pDstSurface;
    if (copied)
    {
        D3DXLoadSurfaceFromSurface(pDstSurface, nullptr, nullptr, pSrcSurface, nullptr, nullptr,
                                   D3DX_DEFAULT, 0);
    }
    SafeRelease(pDstSurface);
    return copied;
}

bool Dx9RenderDevice::IsBackBufferSized(const Texture* pTexture, const char* pOperation)
{
    if (!pTexture || !pTexture->IsLoaded())
    {
        HX_RAISE("!\"Not D3D Texture\"");
        return false;
    }
    if (pTexture->GetWidth() != m_Setting.m_Width || pTexture->GetHeight() != m_Setting.m_Height)
    {
        DX9_LOG_ERROR("Can not %s, width and height must be same: srcWidth: %d, srcHeight: %d, "
                      "dstWidth: %d, dstHeight: %d",
                      pOperation, m_Setting.m_Width, m_Setting.m_Height, pTexture->GetWidth(),
                      pTexture->GetHeight());
        HX_RAISE("pTexture->GetWidth() == m_Width && pTexture->GetHeight() == m_Height");
        return false;
    }
    return true;
}

bool Dx9RenderDevice::CopyTextureFromBackBuffer(Texture* pTexture)
{
    if (!IsBackBufferSized(pTexture, "CopyTextureFromBackBuffer"))
    {
        return false;
    }
    if (IsCompressedFormat(pTexture->GetFormat()))
    {
        DX9_LOG_ERROR("Can not CopyTextureFromBackBuffer, DstTexture can not be compressed "
                      "format: format: %d",
                      static_cast<int>(pTexture->GetFormat()));
        HX_RAISE("!IsCompressedFormat(pTexture->GetFormat())");
        return false;
    }
    if (!m_pDevice)
    {
        return false;
    }
    IDirect3DSurface9* pBackBuffer = nullptr;
    if (FAILED(m_pDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &pBackBuffer)))
    {
        pBackBuffer = nullptr;
    }
    const bool copied = CopyLevelZero(pTexture, pBackBuffer);
    SafeRelease(pBackBuffer);
    return copied;
}

bool Dx9RenderDevice::CopyTextureFromDepthStencilSurface(Texture* pTexture)
{
    if (!IsBackBufferSized(pTexture, "CopyTextureFromDepthStencilSurface"))
    {
        return false;
    }
    if (!m_pDevice)
    {
        return false;
    }
    IDirect3DSurface9* pDepthStencil = nullptr;
    if (FAILED(m_pDevice->GetDepthStencilSurface(&pDepthStencil)))
    {
        pDepthStencil = nullptr;
    }
    const bool copied = CopyLevelZero(pTexture, pDepthStencil);
    SafeRelease(pDepthStencil);
    return copied;
}

bool Dx9RenderDevice::CopyTexture(Texture* pDst, Texture* pSrc)
{
    const bool hasDst = pDst && pDst->IsLoaded();
    if (!hasDst)
    {
        HX_RAISE("!\"No Dst Texture data\"");
    }
    const bool hasSrc = pSrc && pSrc->IsLoaded();
    if (!hasSrc)
    {
        HX_RAISE("!\"No Src Texture data\"");
    }
    if (!hasDst || !hasSrc)
    {
        return false;
    }
    IDirect3DSurface9* pSrcSurface = LevelZeroOf(pSrc);
    const bool copied = CopyLevelZero(pDst, pSrcSurface);
    SafeRelease(pSrcSurface);
    return copied;
}

bool Dx9RenderDevice::CopyLevelData(IDirect3DTexture9* pDst, IDirect3DTexture9* pSrc, int level,
                                    int width, int height, int bytesPerTexel)
{
    D3DLOCKED_RECT src = {};
    if (FAILED(pSrc->LockRect(static_cast<UINT>(level), &src, nullptr, D3DLOCK_READONLY)))
    {
        return false;
    }
    D3DLOCKED_RECT dst = {};
    if (FAILED(pDst->LockRect(static_cast<UINT>(level), &dst, nullptr, D3DLOCK_DISCARD)))
    {
        pSrc->UnlockRect(static_cast<UINT>(level));
        return false;
    }
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(bytesPerTexel);
    for (int y = 0; y < height; ++y)
    {
        std::memcpy(static_cast<BYTE*>(dst.pBits) + static_cast<ptrdiff_t>(y) * dst.Pitch,
                    static_cast<const BYTE*>(src.pBits) + static_cast<ptrdiff_t>(y) * src.Pitch,
                    rowBytes);
    }
    pDst->UnlockRect(static_cast<UINT>(level));
    pSrc->UnlockRect(static_cast<UINT>(level));
    return true;
}

bool Dx9RenderDevice::CopyTextureData(Texture* pDst, Texture* pSrc)
{
    const bool hasDst = pDst && pDst->IsLoaded();
    if (!hasDst)
    {
        HX_RAISE("!\"No Dst Texture data\"");
    }
    const bool hasSrc = pSrc && pSrc->IsLoaded();
    if (!hasSrc)
    {
        HX_RAISE("!\"No Src Texture data\"");
    }
    if (!hasDst || !hasSrc)
    {
        return false;
    }
    if (pDst->GetMipLevels() != pSrc->GetMipLevels() || pDst->GetWidth() != pSrc->GetWidth() ||
        pDst->GetHeight() != pSrc->GetHeight() || pDst->GetFormat() != pSrc->GetFormat())
    {
        return false;
    }
    if (IsCompressedFormat(pSrc->GetFormat()))
    {
        HX_RAISE("!\"Not support format\"");
        return false;
    }
    IDirect3DTexture9* pDstNative = As2DTexture(pDst->GetUserData());
    IDirect3DTexture9* pSrcNative = As2DTexture(pSrc->GetUserData());
    if (!pDstNative || !pSrcNative)
    {
        return false;
    }
    const int bytesPerTexel = (GetFormatBits(pSrc->GetFormat()) + 7) / 8;
    int width = pSrc->GetWidth();
    int height = pSrc->GetHeight();
    for (int level = 0; level < pSrc->GetMipLevels(); ++level)
    {
        if (!CopyLevelData(pDstNative, pSrcNative, level, width, height, bytesPerTexel))
        {
            return false;
        }
        width = std::max(width / 2, 1);
        height = std::max(height / 2, 1);
    }
    return true;
}

// ---- mipmaps and saving ----

void Dx9RenderDevice::GenerateMipmaps(Texture* pTexture)
{
    if (!HX_ASSERT(pTexture) || !HX_ASSERT(pTexture->GetUserData()))
    {
        return;
    }
    if (IDirect3DBaseTexture9* pNative = NativeOf(pTexture))
    {
        D3DXFilterTexture(pNative, nullptr, 0, D3DX_DEFAULT);
    }
}

void Dx9RenderDevice::SaveTextureToFile(const std::string& fileName, Texture* pTexture,
                                        ImageFileFormat format)
{
    const std::string& name = fileName;
    const bool hasName = HX_ASSERT(!name.empty());
    if (!HX_ASSERT(pTexture) || !hasName)
    {
        return;
    }
    if (IDirect3DBaseTexture9* pNative = NativeOf(pTexture))
    {
        D3DXSaveTextureToFileA(
            name.c_str(),
            static_cast<D3DXIMAGE_FILEFORMAT>(ToNative(CONVERT_IMAGE_FILE_FORMAT, format)), pNative,
            nullptr);
    }
}

} // namespace Halvex::RenderCore
