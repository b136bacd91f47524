#include "base/source/system/logger.h"
#include "d3d9gl/buffer.h"
#include "d3d9gl/device.h"
#include "d3d9gl/image/pixelformat.h"
#include "d3d9gl/surface.h"
#include "d3d9gl/texture.h"
#include "d3d9gl/vertexdeclaration.h"

namespace d3d9gl
{
namespace
{

using Halvex::Base::Log;
using Halvex::Base::LOG_LEVEL_ERROR;

// Creates and initialises a texture object, handing out its first reference.
template <class T> HRESULT MakeTexture(Device* pDevice, const TextureDesc_t& desc, T** ppTexture)
{
    if (pDevice->RefuseCreation((desc.usage & D3DUSAGE_RENDERTARGET) ? D3D9GL_CREATION_RENDER_TARGET
                                                                     : D3D9GL_CREATION_TEXTURE))
        return D3DERR_OUTOFVIDEOMEMORY;
    auto* pTexture = new T(pDevice, desc);
    if (!pTexture->Create())
    {
        pTexture->Release();
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    *ppTexture = pTexture;
    return D3D_OK;
}

// Checks a texture request and completes its level count; logs why it is refused.
bool ValidateTexture(TextureDesc_t& desc, UINT maxSize, const GLProfile_t& profile)
{
    const FormatInfo* pInfo = GetFormatInfo(desc.format);
    const GLFormat_t* pFormat =
        GetGLFormat(desc.format, profile.es, (desc.usage & D3DUSAGE_RENDERTARGET) != 0);
    const char* pProblem = nullptr;
    if (!pInfo || !pFormat)
        pProblem = "the format is not supported";
    else if (desc.width == 0 || desc.height == 0 || desc.depth == 0 || desc.width > maxSize ||
             desc.height > maxSize || desc.depth > maxSize)
        pProblem = "the size is out of range";
    else if ((desc.usage & D3DUSAGE_RENDERTARGET) &&
             (!pFormat->renderable || desc.pool != D3DPOOL_DEFAULT))
        pProblem = "render targets need a renderable format in the default pool";
    else if ((desc.usage & D3DUSAGE_RENDERTARGET) && pInfo->floatingPoint &&
             !profile.colorBufferFloat)
        pProblem = "float render targets need EXT_color_buffer_float";
    else if (desc.usage & D3DUSAGE_DEPTHSTENCIL)
        pProblem = "depth textures are not supported";
    const UINT fullChain = LevelCount(desc.width, desc.height, desc.depth);
    if (!pProblem && desc.levels > fullChain)
        pProblem = "more levels than the size allows";
    if (pProblem)
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR,
            "Cannot create a texture of %ux%ux%u, %u levels, format %u (%s): %s", desc.width,
            desc.height, desc.depth, desc.levels, unsigned(desc.format),
            pInfo ? pInfo->name : "unknown", pProblem);
        return false;
    }
    if (desc.levels == 0)
        desc.levels = fullChain;
    return true;
}

} // namespace

bool Device::RefuseCreation(D3D9GL_CREATION_KIND kind)
{
    UINT& countdown = m_FailCountdown[kind];
    if (countdown == 0 || --countdown > 0)
        return false;
    static const char* const NAMES[D3D9GL_CREATION_KIND_COUNT] = {"texture", "buffer", "shader",
                                                                  "render target"};
    Log(LOG_MODULE, LOG_LEVEL_ERROR, "The creation of a %s failed: a test injected the fault",
        NAMES[kind]);
    return true;
}

HRESULT Device::CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format,
                              D3DPOOL Pool, IDirect3DTexture9** ppTexture, HANDLE*)
{
    TextureDesc_t desc = {D3DRTYPE_TEXTURE, Width, Height, 1, Levels, Usage, Format, Pool};
    if (!ppTexture || !ValidateTexture(desc, m_Caps.MaxTextureWidth, m_Profile))
        return D3DERR_INVALIDCALL;
    Texture2D* pTexture = nullptr;
    HRESULT result = MakeTexture(this, desc, &pTexture);
    if (SUCCEEDED(result))
        *ppTexture = pTexture;
    return result;
}

HRESULT Device::CreateVolumeTexture(UINT Width, UINT Height, UINT Depth, UINT Levels, DWORD Usage,
                                    D3DFORMAT Format, D3DPOOL Pool,
                                    IDirect3DVolumeTexture9** ppVolumeTexture, HANDLE*)
{
    TextureDesc_t desc = {
        D3DRTYPE_VOLUMETEXTURE, Width, Height, Depth, Levels, Usage, Format, Pool};
    if (!ppVolumeTexture || (Usage & D3DUSAGE_RENDERTARGET) ||
        !ValidateTexture(desc, m_Caps.MaxVolumeExtent, m_Profile))
        return D3DERR_INVALIDCALL;
    VolumeTexture* pTexture = nullptr;
    HRESULT result = MakeTexture(this, desc, &pTexture);
    if (SUCCEEDED(result))
        *ppVolumeTexture = pTexture;
    return result;
}

HRESULT Device::CreateCubeTexture(UINT EdgeLength, UINT Levels, DWORD Usage, D3DFORMAT Format,
                                  D3DPOOL Pool, IDirect3DCubeTexture9** ppCubeTexture, HANDLE*)
{
    TextureDesc_t desc = {
        D3DRTYPE_CUBETEXTURE, EdgeLength, EdgeLength, 1, Levels, Usage, Format, Pool};
    if (!ppCubeTexture || !ValidateTexture(desc, m_Caps.MaxTextureWidth, m_Profile))
        return D3DERR_INVALIDCALL;
    CubeTexture* pTexture = nullptr;
    HRESULT result = MakeTexture(this, desc, &pTexture);
    if (SUCCEEDED(result))
        *ppCubeTexture = pTexture;
    return result;
}

HRESULT Device::CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                                   IDirect3DVertexBuffer9** ppVertexBuffer, HANDLE*)
{
    if (!ppVertexBuffer || Length == 0)
        return D3DERR_INVALIDCALL;
    if (RefuseCreation(D3D9GL_CREATION_BUFFER))
        return D3DERR_OUTOFVIDEOMEMORY;
    Activate();
    auto* pBuffer = new VertexBuffer(this, Length, Usage, Pool, FVF);
    if (!pBuffer->Create())
    {
        pBuffer->Release();
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    *ppVertexBuffer = pBuffer;
    return D3D_OK;
}

HRESULT Device::CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                  IDirect3DIndexBuffer9** ppIndexBuffer, HANDLE*)
{
    if (!ppIndexBuffer || Length == 0 || (Format != D3DFMT_INDEX16 && Format != D3DFMT_INDEX32))
        return D3DERR_INVALIDCALL;
    if (RefuseCreation(D3D9GL_CREATION_BUFFER))
        return D3DERR_OUTOFVIDEOMEMORY;
    Activate();
    auto* pBuffer = new IndexBuffer(this, Length, Usage, Pool, Format);
    if (!pBuffer->Create())
    {
        pBuffer->Release();
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    *ppIndexBuffer = pBuffer;
    return D3D_OK;
}

HRESULT Device::CreateDepthStencilSurface(UINT Width, UINT Height, D3DFORMAT Format,
                                          D3DMULTISAMPLE_TYPE MultiSample, DWORD, BOOL,
                                          IDirect3DSurface9** ppSurface, HANDLE*)
{
    if (!ppSurface || Width == 0 || Height == 0 || Width > m_Caps.MaxTextureWidth ||
        Height > m_Caps.MaxTextureHeight || MultiSample > D3DMULTISAMPLE_NONMASKABLE ||
        !GetGLDepthFormat(Format, m_Profile.es))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR,
            "Cannot create a depth-stencil surface of %ux%u, format %u, multisample %u", Width,
            Height, unsigned(Format), unsigned(MultiSample));
        return D3DERR_INVALIDCALL;
    }
    if (RefuseCreation(D3D9GL_CREATION_RENDER_TARGET))
        return D3DERR_OUTOFVIDEOMEMORY;
    Activate();
    auto* pSurface = new DepthStencilSurface(this, Width, Height, Format);
    if (!pSurface->Create())
    {
        pSurface->Release();
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    *ppSurface = pSurface;
    return D3D_OK;
}

HRESULT Device::CreateOffscreenPlainSurface(UINT Width, UINT Height, D3DFORMAT Format, D3DPOOL Pool,
                                            IDirect3DSurface9** ppSurface, HANDLE*)
{
    ImageSurface pixels;
    if (!ppSurface || Width == 0 || Height == 0 || Width > m_Caps.MaxTextureWidth ||
        Height > m_Caps.MaxTextureHeight || Pool == D3DPOOL_MANAGED ||
        !MakeSurface(Format, Width, Height, 1, pixels))
        return D3DERR_INVALIDCALL;
    *ppSurface = new OffscreenSurface(Format, Pool, std::move(pixels));
    return D3D_OK;
}

HRESULT Device::CreateVertexDeclaration(const D3DVERTEXELEMENT9* pVertexElements,
                                        IDirect3DVertexDeclaration9** ppDecl)
{
    if (!pVertexElements || !ppDecl)
        return D3DERR_INVALIDCALL;
    std::vector<D3DVERTEXELEMENT9> elements;
    for (UINT i = 0; i < MAXD3DDECLLENGTH; ++i)
    {
        elements.push_back(pVertexElements[i]);
        if (pVertexElements[i].Stream == 0xFF)
        {
            *ppDecl = new VertexDeclaration(std::move(elements));
            return D3D_OK;
        }
        if (pVertexElements[i].Stream >= STREAM_MAX)
            return D3DERR_INVALIDCALL;
    }
    Log(LOG_MODULE, LOG_LEVEL_ERROR, "CreateVertexDeclaration: no end marker within %d elements",
        MAXD3DDECLLENGTH);
    return D3DERR_INVALIDCALL;
}

} // namespace d3d9gl
