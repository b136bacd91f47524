#include "d3d9gl/texture.h"

#include "base/source/system/logger.h"
#include "d3d9gl/device.h"
#include "d3d9gl/image/pixelformat.h"
#include "d3d9gl/image/surfacecodec.h"

#include <algorithm>
#include <cstring>

namespace d3d9gl
{
namespace
{

constexpr DWORD LOCKED = 0x80000000u;

GLenum TargetOf(D3DRESOURCETYPE type)
{
    switch (type)
    {
    case D3DRTYPE_CUBETEXTURE:
        return GL_TEXTURE_CUBE_MAP;
    case D3DRTYPE_VOLUMETEXTURE:
        return GL_TEXTURE_3D;
    default:
        return GL_TEXTURE_2D;
    }
}

// Converts texels between layouts of the same size; red and blue swap places without a
// round trip through floats where that is all there is to do.
bool ConvertTexels(D3DFORMAT from, const ImageSurface& in, D3DFORMAT to, ImageSurface& out)
{
    const bool fromBgra = from == D3DFMT_A8R8G8B8 || from == D3DFMT_X8R8G8B8;
    const bool toBgra = to == D3DFMT_A8R8G8B8 || to == D3DFMT_X8R8G8B8;
    if (!(fromBgra && to == D3DFMT_A8B8G8R8) && !(from == D3DFMT_A8B8G8R8 && toBgra))
        return ConvertSurface(from, in, to, out);
    out = in;
    const bool opaque = from == D3DFMT_X8R8G8B8 || to == D3DFMT_X8R8G8B8;
    for (std::size_t i = 0; i + 3 < out.bytes.size(); i += 4)
    {
        std::swap(out.bytes[i], out.bytes[i + 2]);
        if (opaque)
            out.bytes[i + 3] = 0xFF;
    }
    return true;
}

} // namespace

TextureBase* ToTextureBase(IDirect3DBaseTexture9* pTexture)
{
    return dynamic_cast<TextureBase*>(pTexture);
}

TextureBase::TextureBase(Device* pDevice, const TextureDesc_t& desc)
    : DeviceChild(pDevice), m_Desc(desc),
      m_pFormat(GetGLFormat(desc.format, pDevice->Profile().es,
                            (desc.usage & D3DUSAGE_RENDERTARGET) != 0)),
      m_Target(TargetOf(desc.type))
{
}

TextureBase::~TextureBase()
{
    if (m_pDevice)
    {
        m_pDevice->Activate();
        ReleaseGL();
    }
}

void TextureBase::ReleaseGL()
{
    if (m_Texture)
    {
        m_pDevice->GL().ForgetTexture(m_Texture);
        glDeleteTextures(1, &m_Texture);
        m_Texture = 0;
    }
}

UINT TextureBase::LevelWidth(UINT level) const
{
    return GetLevelDimension(m_Desc.width, level);
}

UINT TextureBase::LevelHeight(UINT level) const
{
    return GetLevelDimension(m_Desc.height, level);
}

UINT TextureBase::LevelDepth(UINT level) const
{
    return GetLevelDimension(m_Desc.depth, level);
}

GLenum TextureBase::FaceTarget(UINT face) const
{
    return m_Target == GL_TEXTURE_CUBE_MAP ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : m_Target;
}

bool TextureBase::Create()
{
    if (!m_pFormat)
        return false;
    const UINT surfaces = FaceCount() * m_Desc.levels;
    m_Locks.assign(surfaces, 0);
    m_Surfaces.resize(surfaces);
    if (!IsRenderTarget())
    {
        m_Cpu.resize(surfaces);
        for (UINT face = 0; face < FaceCount(); ++face)
        {
            for (UINT level = 0; level < m_Desc.levels; ++level)
            {
                if (!MakeSurface(m_Desc.format, LevelWidth(level), LevelHeight(level),
                                 LevelDepth(level), m_Cpu[Index(face, level)]))
                    return false;
            }
        }
    }

    m_pDevice->Activate();
    while (glGetError() != GL_NO_ERROR)
    {
    }
    glGenTextures(1, &m_Texture);
    GLStateCache& gl = m_pDevice->GL();
    gl.SelectTextureForUpdate(m_Target, m_Texture);
    glTexParameteri(m_Target, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(m_Target, GL_TEXTURE_MAX_LEVEL, GLint(m_Desc.levels - 1));
    if (m_pDevice->Profile().bgra)
        glTexParameteriv(m_Target, GL_TEXTURE_SWIZZLE_RGBA, m_pFormat->swizzle);
    for (UINT face = 0; face < FaceCount(); ++face)
    {
        for (UINT level = 0; level < m_Desc.levels; ++level)
        {
            const GLsizei w = GLsizei(LevelWidth(level));
            const GLsizei h = GLsizei(LevelHeight(level));
            if (m_Target == GL_TEXTURE_3D)
            {
                glTexImage3D(m_Target, GLint(level), GLint(m_pFormat->internalFormat), w, h,
                             GLsizei(LevelDepth(level)), 0, m_pFormat->clientFormat,
                             m_pFormat->clientType, nullptr);
            }
            else
            {
                glTexImage2D(FaceTarget(face), GLint(level), GLint(m_pFormat->internalFormat), w, h,
                             0, m_pFormat->clientFormat, m_pFormat->clientType, nullptr);
            }
        }
    }
    if (glGetError() != GL_NO_ERROR)
    {
        Halvex::Base::Log(LOG_MODULE, Halvex::Base::LOG_LEVEL_ERROR,
                          "Texture creation failed: %ux%ux%u, %u levels, format %u", m_Desc.width,
                          m_Desc.height, m_Desc.depth, m_Desc.levels, unsigned(m_Desc.format));
        return false;
    }
    return true;
}

HRESULT TextureBase::LockLevel(UINT face, UINT level, const D3DBOX* pBox, DWORD flags,
                               void** ppBits, INT* pRowPitch, INT* pSlicePitch)
{
    if (!ValidSurface(face, level) || !ppBits || !pRowPitch)
        return D3DERR_INVALIDCALL;
    if (IsRenderTarget())
    {
        Halvex::Base::Log(LOG_MODULE, Halvex::Base::LOG_LEVEL_ERROR,
                          "LockRect: a render-target texture cannot be locked");
        return D3DERR_INVALIDCALL;
    }
    DWORD& lock = m_Locks[Index(face, level)];
    ImageSurface& pixels = m_Cpu[Index(face, level)];
    size_t offset = 0;
    if ((lock & LOCKED) || !LockedAddress(m_Desc.format, pixels, pBox, offset))
        return D3DERR_INVALIDCALL;
    if (!(flags & D3DLOCK_READONLY) && m_pDevice && m_pDevice->Recording())
        m_pDevice->RecordTextureWrite(this);
    lock = LOCKED | flags;
    *ppBits = pixels.bytes.data() + offset;
    *pRowPitch = INT(pixels.rowPitch);
    if (pSlicePitch)
        *pSlicePitch = INT(pixels.slicePitch);
    return D3D_OK;
}

HRESULT TextureBase::UnlockLevel(UINT face, UINT level)
{
    if (!ValidSurface(face, level) || IsRenderTarget())
        return D3DERR_INVALIDCALL;
    DWORD& lock = m_Locks[Index(face, level)];
    if (!(lock & LOCKED))
        return D3DERR_INVALIDCALL;
    const bool readOnly = (lock & D3DLOCK_READONLY) != 0;
    lock = 0;
    if (!readOnly)
        Upload(face, level, m_Cpu[Index(face, level)]);
    return D3D_OK;
}

void TextureBase::Upload(UINT face, UINT level, const ImageSurface& pixels)
{
    if (!m_pDevice)
        return;
    m_pDevice->Activate();
    const ImageSurface* pSource = &pixels;
    ImageSurface converted;
    if (m_pFormat->upload != D3DFMT_UNKNOWN)
    {
        if (!ConvertTexels(m_Desc.format, pixels, m_pFormat->upload, converted))
            return;
        pSource = &converted;
    }
    m_pDevice->GL().SelectTextureForUpdate(m_Target, m_Texture);
    const GLsizei w = GLsizei(LevelWidth(level));
    const GLsizei h = GLsizei(LevelHeight(level));
    if (m_Target == GL_TEXTURE_3D)
    {
        glTexSubImage3D(m_Target, GLint(level), 0, 0, 0, w, h, GLsizei(LevelDepth(level)),
                        m_pFormat->clientFormat, m_pFormat->clientType, pSource->bytes.data());
    }
    else
    {
        glTexSubImage2D(FaceTarget(face), GLint(level), 0, 0, w, h, m_pFormat->clientFormat,
                        m_pFormat->clientType, pSource->bytes.data());
    }
    m_pDevice->CountUpload(pSource->bytes.size());
    if (m_pDevice->Recording() && !IsRenderTarget())
        m_pDevice->Record(CaptureCall::TextureUpdate, {face, level}, Interface(),
                          pixels.bytes.data(), pixels.bytes.size());
}

bool TextureBase::ReadLevel(UINT face, UINT level, ImageSurface& out)
{
    if (!ValidSurface(face, level))
        return false;
    if (!IsRenderTarget())
    {
        out = m_Cpu[Index(face, level)];
        return true;
    }
    if (!m_pDevice ||
        !MakeSurface(m_Desc.format, LevelWidth(level), LevelHeight(level), LevelDepth(level), out))
        return false;
    m_pDevice->Activate();
    m_pDevice->BeforeReadBack();
    const auto pGetTexImage = m_pDevice->Profile().getTexImage;
    if (!pGetTexImage)
        return ReadThroughFramebuffer(face, level, out);
    m_pDevice->GL().SelectTextureForUpdate(m_Target, m_Texture);
    pGetTexImage(FaceTarget(face), GLint(level), m_pFormat->clientFormat, m_pFormat->clientType,
                 out.bytes.data());
    return true;
}

bool TextureBase::ReadThroughFramebuffer(UINT face, UINT level, ImageSurface& out)
{
    // glReadPixels reads normalised targets as the layout they were uploaded in, float
    // targets as four floats per pixel.
    const bool floats = m_pFormat->clientType == GL_FLOAT || m_pFormat->clientType == GL_HALF_FLOAT;
    const D3DFORMAT readFormat = floats                                ? D3DFMT_A32B32G32R32F
                                 : m_pFormat->upload != D3DFMT_UNKNOWN ? m_pFormat->upload
                                                                       : m_Desc.format;
    const UINT width = LevelWidth(level);
    const UINT height = LevelHeight(level);
    ImageSurface pixels;
    if (!MakeSurface(readFormat, width, height, 1, pixels))
        return false;
    m_pDevice->ReadPixels(FaceTarget(face), m_Texture, level, width, height,
                          floats ? GL_RGBA : m_pFormat->clientFormat,
                          floats ? GL_FLOAT : m_pFormat->clientType, pixels.bytes.data());
    if (readFormat == m_Desc.format)
    {
        out = std::move(pixels);
        return true;
    }
    return ConvertTexels(readFormat, pixels, m_Desc.format, out);
}

bool TextureBase::WriteLevel(UINT face, UINT level, const ImageSurface& in)
{
    if (!ValidSurface(face, level) || in.width != LevelWidth(level) ||
        in.height != LevelHeight(level) || in.depth != LevelDepth(level) ||
        in.bytes.size() != GetSurfaceSize(m_Desc.format, in.width, in.height) * in.depth)
        return false;
    if (!IsRenderTarget() && m_pDevice && m_pDevice->Recording())
        m_pDevice->RecordTextureWrite(this);
    if (!IsRenderTarget())
        m_Cpu[Index(face, level)].bytes = in.bytes;
    Upload(face, level, in);
    return true;
}

HRESULT TextureBase::FillSurfaceDesc(UINT level, D3DSURFACE_DESC* pDesc) const
{
    if (!pDesc || level >= m_Desc.levels)
        return D3DERR_INVALIDCALL;
    *pDesc = {m_Desc.format,     D3DRTYPE_SURFACE,    m_Desc.usage,
              m_Desc.pool,       D3DMULTISAMPLE_NONE, 0,
              LevelWidth(level), LevelHeight(level)};
    return D3D_OK;
}

TextureSurface* TextureBase::Surface(UINT face, UINT level)
{
    if (!ValidSurface(face, level) || m_Desc.type == D3DRTYPE_VOLUMETEXTURE)
        return nullptr;
    std::unique_ptr<TextureSurface>& pSurface = m_Surfaces[Index(face, level)];
    if (!pSurface)
        pSurface = std::make_unique<TextureSurface>(this, face, level);
    return pSurface.get();
}

void TextureBase::Attach(GLenum attachment, UINT face, UINT level)
{
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, attachment, FaceTarget(face), m_Texture,
                           GLint(level));
}

// ---- Texture2D --------------------------------------------------------------------------

HRESULT Texture2D::GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc)
{
    return FillSurfaceDesc(Level, pDesc);
}

HRESULT Texture2D::GetSurfaceLevel(UINT Level, IDirect3DSurface9** ppSurfaceLevel)
{
    TextureSurface* pSurface = Surface(0, Level);
    if (!ppSurfaceLevel || !pSurface)
        return D3DERR_INVALIDCALL;
    pSurface->AddRef();
    *ppSurfaceLevel = pSurface;
    return D3D_OK;
}

HRESULT Texture2D::LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags)
{
    TextureSurface* pSurface = Surface(0, Level);
    return pSurface ? pSurface->LockRect(pLockedRect, pRect, Flags) : D3DERR_INVALIDCALL;
}

HRESULT Texture2D::UnlockRect(UINT Level)
{
    return UnlockLevel(0, Level);
}

// ---- CubeTexture ------------------------------------------------------------------------

HRESULT CubeTexture::GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc)
{
    return FillSurfaceDesc(Level, pDesc);
}

HRESULT CubeTexture::GetCubeMapSurface(D3DCUBEMAP_FACES FaceType, UINT Level,
                                       IDirect3DSurface9** ppCubeMapSurface)
{
    TextureSurface* pSurface = Surface(FaceType, Level);
    if (!ppCubeMapSurface || !pSurface)
        return D3DERR_INVALIDCALL;
    pSurface->AddRef();
    *ppCubeMapSurface = pSurface;
    return D3D_OK;
}

HRESULT CubeTexture::LockRect(D3DCUBEMAP_FACES FaceType, UINT Level, D3DLOCKED_RECT* pLockedRect,
                              const RECT* pRect, DWORD Flags)
{
    TextureSurface* pSurface = Surface(FaceType, Level);
    return pSurface ? pSurface->LockRect(pLockedRect, pRect, Flags) : D3DERR_INVALIDCALL;
}

HRESULT CubeTexture::UnlockRect(D3DCUBEMAP_FACES FaceType, UINT Level)
{
    return UnlockLevel(FaceType, Level);
}

// ---- VolumeTexture ----------------------------------------------------------------------

HRESULT VolumeTexture::GetLevelDesc(UINT Level, D3DVOLUME_DESC* pDesc)
{
    if (!pDesc || Level >= Desc().levels)
        return D3DERR_INVALIDCALL;
    *pDesc = {Desc().format,     D3DRTYPE_VOLUME,    Desc().usage,     Desc().pool,
              LevelWidth(Level), LevelHeight(Level), LevelDepth(Level)};
    return D3D_OK;
}

HRESULT VolumeTexture::LockBox(UINT Level, D3DLOCKED_BOX* pLockedVolume, const D3DBOX* pBox,
                               DWORD Flags)
{
    if (!pLockedVolume)
        return D3DERR_INVALIDCALL;
    return LockLevel(0, Level, pBox, Flags, &pLockedVolume->pBits, &pLockedVolume->RowPitch,
                     &pLockedVolume->SlicePitch);
}

HRESULT VolumeTexture::UnlockBox(UINT Level)
{
    return UnlockLevel(0, Level);
}

} // namespace d3d9gl
