#include "d3d9gl/surface.h"

#include "base/source/system/logger.h"
#include "d3d9gl/device.h"
#include "d3d9gl/glformat.h"
#include "d3d9gl/image/pixelformat.h"
#include "d3d9gl/texture.h"

#include <cstring>

namespace d3d9gl
{

bool LockedAddress(D3DFORMAT format, const ImageSurface& surface, const D3DBOX* pBox,
                   size_t& offset)
{
    offset = 0;
    if (!pBox)
        return true;
    const FormatInfo* pInfo = GetFormatInfo(format);
    if (!pInfo || pBox->Left >= pBox->Right || pBox->Top >= pBox->Bottom ||
        pBox->Front >= pBox->Back || pBox->Right > surface.width || pBox->Bottom > surface.height ||
        pBox->Back > surface.depth)
        return false;
    if (pInfo->compressed)
    {
        // Direct3D locks whole 4x4 blocks.
        if (pBox->Left % 4 != 0 || pBox->Top % 4 != 0)
            return false;
        offset =
            size_t(pBox->Top / 4) * surface.rowPitch + size_t(pBox->Left / 4) * pInfo->elementBytes;
    }
    else
    {
        offset = size_t(pBox->Top) * surface.rowPitch + size_t(pBox->Left) * pInfo->elementBytes;
    }
    offset += size_t(pBox->Front) * surface.slicePitch;
    return true;
}

namespace
{

// A RECT as a one-slice box; null stays null. Negative coordinates become values beyond
// any surface, which LockedAddress rejects.
const D3DBOX* RectToBox(const RECT* pRect, D3DBOX& box)
{
    if (!pRect)
        return nullptr;
    box = {UINT(pRect->left), UINT(pRect->top), UINT(pRect->right), UINT(pRect->bottom), 0, 1};
    return &box;
}

} // namespace

// ---- TextureSurface ---------------------------------------------------------------------

ULONG TextureSurface::AddRef()
{
    return m_pContainer->Interface()->AddRef();
}

ULONG TextureSurface::Release()
{
    return m_pContainer->Interface()->Release();
}

HRESULT TextureSurface::GetDesc(D3DSURFACE_DESC* pDesc)
{
    return m_pContainer->FillSurfaceDesc(m_Level, pDesc);
}

HRESULT TextureSurface::LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags)
{
    if (!pLockedRect)
        return D3DERR_INVALIDCALL;
    D3DBOX box;
    return m_pContainer->LockLevel(m_Face, m_Level, RectToBox(pRect, box), Flags,
                                   &pLockedRect->pBits, &pLockedRect->Pitch, nullptr);
}

HRESULT TextureSurface::UnlockRect()
{
    return m_pContainer->UnlockLevel(m_Face, m_Level);
}

D3DFORMAT TextureSurface::Format() const
{
    return m_pContainer->Desc().format;
}

UINT TextureSurface::Width() const
{
    return m_pContainer->LevelWidth(m_Level);
}

UINT TextureSurface::Height() const
{
    return m_pContainer->LevelHeight(m_Level);
}

bool TextureSurface::IsRenderTarget() const
{
    return m_pContainer->IsRenderTarget();
}

bool TextureSurface::Read(ImageSurface& out)
{
    return m_pContainer->ReadLevel(m_Face, m_Level, out);
}

bool TextureSurface::Write(const ImageSurface& in)
{
    return m_pContainer->WriteLevel(m_Face, m_Level, in);
}

void TextureSurface::Attach(GLenum attachment)
{
    m_pContainer->Attach(attachment, m_Face, m_Level);
}

// ---- DepthStencilSurface ----------------------------------------------------------------

DepthStencilSurface::DepthStencilSurface(Device* pDevice, UINT width, UINT height, D3DFORMAT format)
    : DeviceChild(pDevice), m_Width(width), m_Height(height), m_Format(format)
{
}

DepthStencilSurface::~DepthStencilSurface()
{
    if (m_pDevice)
    {
        m_pDevice->Activate();
        ReleaseGL();
    }
}

bool DepthStencilSurface::Create()
{
    const GLDepthFormat_t* pFormat = GetGLDepthFormat(m_Format, m_pDevice->Profile().es);
    if (!pFormat)
        return false;
    glGenRenderbuffers(1, &m_Renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, m_Renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, pFormat->internalFormat, GLsizei(m_Width),
                          GLsizei(m_Height));
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    return glGetError() == GL_NO_ERROR;
}

void DepthStencilSurface::ReleaseGL()
{
    if (m_Renderbuffer)
    {
        glDeleteRenderbuffers(1, &m_Renderbuffer);
        m_Renderbuffer = 0;
    }
}

bool DepthStencilSurface::HasStencil() const
{
    const GLDepthFormat_t* pFormat = GetGLDepthFormat(m_Format, false);
    return pFormat && pFormat->stencil;
}

HRESULT DepthStencilSurface::GetDesc(D3DSURFACE_DESC* pDesc)
{
    if (!pDesc)
        return D3DERR_INVALIDCALL;
    *pDesc = {
        m_Format, D3DRTYPE_SURFACE, D3DUSAGE_DEPTHSTENCIL, D3DPOOL_DEFAULT, D3DMULTISAMPLE_NONE, 0,
        m_Width,  m_Height};
    return D3D_OK;
}

HRESULT DepthStencilSurface::LockRect(D3DLOCKED_RECT*, const RECT*, DWORD)
{
    Halvex::Base::Log(LOG_MODULE, Halvex::Base::LOG_LEVEL_ERROR,
                      "LockRect: a depth-stencil surface cannot be locked");
    return D3DERR_INVALIDCALL;
}

HRESULT DepthStencilSurface::UnlockRect()
{
    return D3DERR_INVALIDCALL;
}

bool DepthStencilSurface::Read(ImageSurface&)
{
    return false;
}

bool DepthStencilSurface::Write(const ImageSurface&)
{
    return false;
}

void DepthStencilSurface::Attach(GLenum)
{
    if (HasStencil())
    {
        glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                  m_Renderbuffer);
    }
    else
    {
        glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
        glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                  m_Renderbuffer);
    }
}

// ---- OffscreenSurface -------------------------------------------------------------------

HRESULT OffscreenSurface::GetDesc(D3DSURFACE_DESC* pDesc)
{
    if (!pDesc)
        return D3DERR_INVALIDCALL;
    *pDesc = {m_Format,       D3DRTYPE_SURFACE, 0, m_Pool, D3DMULTISAMPLE_NONE, 0,
              m_Pixels.width, m_Pixels.height};
    return D3D_OK;
}

HRESULT OffscreenSurface::LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD)
{
    D3DBOX box;
    size_t offset = 0;
    if (!pLockedRect || m_Locked ||
        !LockedAddress(m_Format, m_Pixels, RectToBox(pRect, box), offset))
        return D3DERR_INVALIDCALL;
    m_Locked = true;
    pLockedRect->pBits = m_Pixels.bytes.data() + offset;
    pLockedRect->Pitch = INT(m_Pixels.rowPitch);
    return D3D_OK;
}

HRESULT OffscreenSurface::UnlockRect()
{
    if (!m_Locked)
        return D3DERR_INVALIDCALL;
    m_Locked = false;
    return D3D_OK;
}

bool OffscreenSurface::Read(ImageSurface& out)
{
    out = m_Pixels;
    return true;
}

bool OffscreenSurface::Write(const ImageSurface& in)
{
    if (in.width != m_Pixels.width || in.height != m_Pixels.height ||
        in.bytes.size() != m_Pixels.bytes.size())
        return false;
    m_Pixels.bytes = in.bytes;
    return true;
}

void OffscreenSurface::Attach(GLenum)
{
    // System-memory surfaces are never bound as targets (SetRenderTarget refuses them).
}

} // namespace d3d9gl
