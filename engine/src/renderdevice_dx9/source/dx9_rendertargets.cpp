// Render targets and depth-stencil surfaces: creation, binding and restoring.

#include "renderdevice_dx9/source/dx9_renderdevice.h"

#include "rendercore/source/resource/texture.h"
#include "renderdevice_dx9/source/dx9_diagnostics.h"
#include "renderdevice_dx9/source/dx9_nativeobject.h"
#include "renderdevice_dx9/source/dx9_typeconverter.h"

namespace Halvex::RenderCore
{

bool Dx9RenderDevice::CreateRenderTarget(Texture* pTexture, int width, int height,
                                         TextureFormat format, TexturePool* pPool, uint32_t* pFlags,
                                         bool cube)
{
    if (!HX_ASSERT(pTexture) || !m_pDevice)
    {
        return false;
    }
    const auto nativeFormat = static_cast<D3DFORMAT>(ToNative(CONVERT_TEXTURE_FORMAT, format));
    IDirect3DResource9* pTarget = nullptr;
    if (cube)
    {
        IDirect3DCubeTexture9* pCube = nullptr;
        if (FAILED(m_pDevice->CreateCubeTexture(static_cast<UINT>(width), 1, D3DUSAGE_RENDERTARGET,
                                                nativeFormat, D3DPOOL_DEFAULT, &pCube, nullptr)))
        {
            DX9_LOG_ERROR("Can not create Cube Render Target, width: %d, mipmaplevel: %d, "
                          "d3dFormat: %d",
                          width, 1, static_cast<int>(nativeFormat));
            HX_RAISE("!\"Can not create Cube Render Target\"");
            return false;
        }
        pTarget = pCube;
    }
    else
    {
        IDirect3DTexture9* p2D = nullptr;
        if (FAILED(m_pDevice->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height), 1,
                                            D3DUSAGE_RENDERTARGET, nativeFormat, D3DPOOL_DEFAULT,
                                            &p2D, nullptr)))
        {
            DX9_LOG_ERROR("Can not create Render Target, width: %d, height: %d, mipmaplevel: %d, "
                          "d3dFormat: %d",
                          width, height, 1, static_cast<int>(nativeFormat));
            HX_RAISE("!\"Can not create Render Target\"");
            return false;
        }
        pTarget = p2D;
    }
    pTexture->SetUserData(ToUserData(pTarget));
    if (pPool)
    {
        *pPool = POOL_DEFAULT;
    }
    if (pFlags)
    {
        *pFlags |= 1u | 2u;
    }
    return true;
}

bool Dx9RenderDevice::CreateDepthStencilSurface(Texture* pTexture, int width, int height,
                                                TextureFormat format)
{
    if (!HX_ASSERT(pTexture) || !m_pDevice)
    {
        return false;
    }
    IDirect3DSurface9* pSurface = nullptr;
    const auto multiSample =
        static_cast<D3DMULTISAMPLE_TYPE>(ToNative(CONVERT_MULTISAMPLE, m_Setting.m_MultiSample));
    if (FAILED(m_pDevice->CreateDepthStencilSurface(
            static_cast<UINT>(width), static_cast<UINT>(height),
            static_cast<D3DFORMAT>(ToNative(CONVERT_TEXTURE_FORMAT, format)), multiSample, 0, TRUE,
            &pSurface, nullptr)))
    {
        DX9_LOG_ERROR("Can not create DepthStencil Surface, width: %d, height: %d, format: %d",
                      width, height, static_cast<int>(format));
        HX_RAISE("!\"Can not create DepthStencil Surface\"");
        return false;
    }
    pTexture->SetUserData(ToUserData(pSurface));
    return true;
}

void Dx9RenderDevice::SetRenderTarget(int index, Texture* pTexture)
{
    if (!m_pDevice || !pTexture || !pTexture->IsLoaded())
    {
        return;
    }
    IDirect3DTexture9* pNative = As2DTexture(pTexture->GetUserData());
    IDirect3DSurface9* pSurface = nullptr;
    if (!HX_ASSERT(pNative) || FAILED(pNative->GetSurfaceLevel(0, &pSurface)))
    {
        return;
    }
    m_pDevice->SetRenderTarget(ToNative(CONVERT_RENDER_TARGET, index), pSurface);
    pSurface->Release();
}

void Dx9RenderDevice::SetCubeRenderTarget(int index, Texture* pTexture, int face)
{
    if (!m_pDevice || !pTexture || !pTexture->IsLoaded())
    {
        return;
    }
    IDirect3DCubeTexture9* pNative = AsCubeTexture(pTexture->GetUserData());
    IDirect3DSurface9* pSurface = nullptr;
    if (!HX_ASSERT(pNative) || !HX_ASSERT(face >= 0 && face < 6) ||
        FAILED(pNative->GetCubeMapSurface(static_cast<D3DCUBEMAP_FACES>(face), 0, &pSurface)))
    {
        return;
    }
    m_pDevice->SetRenderTarget(ToNative(CONVERT_RENDER_TARGET, index), pSurface);
    pSurface->Release();
}

void Dx9RenderDevice::GetRenderTarget(int index, Texture* pTexture)
{
    if (!HX_ASSERT(pTexture) || !m_pDevice)
    {
        return;
    }
    IDirect3DSurface9* pSurface = nullptr;
    m_pDevice->GetRenderTarget(ToNative(CONVERT_RENDER_TARGET, index), &pSurface);
    pTexture->SetUserData(ToUserData(pSurface));
}

void Dx9RenderDevice::RestoreRenderTarget(int index, Texture* pTexture)
{
    if (!HX_ASSERT(pTexture) || !m_pDevice)
    {
        return;
    }
    IDirect3DSurface9* pSurface = AsSurface(pTexture->GetUserData());
    m_pDevice->SetRenderTarget(ToNative(CONVERT_RENDER_TARGET, index), pSurface);
    SafeRelease(pSurface);
    pTexture->SetUserData(nullptr);
}

void Dx9RenderDevice::GetDepthStencilSurface(Texture* pTexture)
{
    if (!HX_ASSERT(pTexture) || !m_pDevice)
    {
        return;
    }
    IDirect3DSurface9* pSurface = nullptr;
    m_pDevice->GetDepthStencilSurface(&pSurface);
    pTexture->SetUserData(ToUserData(pSurface));
}

void Dx9RenderDevice::SetDepthStencilSurface(Texture* pTexture)
{
    if (!m_pDevice || !pTexture || !pTexture->IsLoaded())
    {
        return;
    }
    IDirect3DSurface9* pSurface = AsSurface(pTexture->GetUserData());
    if (HX_ASSERT(pSurface))
    {
        m_pDevice->SetDepthStencilSurface(pSurface);
    }
}

void Dx9RenderDevice::RestoreDepthStencilSurface(Texture* pTexture)
{
    if (!HX_ASSERT(pTexture) || !m_pDevice)
    {
        return;
    }
    IDirect3DSurface9* pSurface = AsSurface(pTexture->GetUserData());
    m_pDevice->SetDepthStencilSurface(pSurface);
    SafeRelease(pSurface);
    pTexture->SetUserData(nullptr);
}

} // namespace Halvex::RenderCore
