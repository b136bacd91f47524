// The device's render targets, depth-stencil surface and the framebuffer they form.

#include "base/source/system/logger.h"
#include "d3d9gl/device.h"
#include "d3d9gl/glformat.h"
#include "d3d9gl/surface.h"

#include <algorithm>

namespace d3d9gl
{

using Halvex::Base::Log;
using Halvex::Base::LOG_LEVEL_ERROR;

// ---- Render targets ---------------------------------------------------------------------

HRESULT Device::BindRenderTarget(DWORD index, IDirect3DSurface9* pSurface)
{
    BreakBatch();
    m_RenderTargets[index] = RefPtr<IDirect3DSurface9>(pSurface);
    m_Dirty |= DIRTY_FRAMEBUFFER;
    if (index == 0)
    {
        // The colour mask depends on the target where alpha is held at 1 (AlphaHeldAtOne).
        m_Dirty |= m_Profile.es ? DIRTY_BLEND : 0u;
        // Direct3D resets the viewport and the scissor rectangle to the new target.
        auto* pTarget = static_cast<SurfaceImpl*>(pSurface);
        m_Viewport = {0, 0, pTarget->Width(), pTarget->Height(), 0.0f, 1.0f};
        m_ScissorRect = {0, 0, LONG(pTarget->Width()), LONG(pTarget->Height())};
        m_Dirty |= DIRTY_VIEWPORT;
    }
    return D3D_OK;
}

HRESULT Device::SetRenderTarget(DWORD RenderTargetIndex, IDirect3DSurface9* pRenderTarget)
{
    if (m_pRecording)
        Record(CaptureCall::RenderTarget, {RenderTargetIndex}, pRenderTarget);
    if (RenderTargetIndex >= m_Caps.NumSimultaneousRTs ||
        (RenderTargetIndex == 0 && !pRenderTarget))
        return D3DERR_INVALIDCALL;
    auto* pSurface = dynamic_cast<SurfaceImpl*>(pRenderTarget);
    if (pRenderTarget && (!pSurface || !pSurface->IsRenderTarget()))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "SetRenderTarget: the surface is not a render target");
        return D3DERR_INVALIDCALL;
    }
    if (m_RenderTargets[RenderTargetIndex] == pRenderTarget && RenderTargetIndex != 0)
        return D3D_OK;
    return BindRenderTarget(RenderTargetIndex, pRenderTarget);
}

HRESULT Device::GetRenderTarget(DWORD RenderTargetIndex, IDirect3DSurface9** ppRenderTarget)
{
    if (RenderTargetIndex >= RENDER_TARGET_MAX || !ppRenderTarget)
        return D3DERR_INVALIDCALL;
    *ppRenderTarget = m_RenderTargets[RenderTargetIndex].Share();
    return *ppRenderTarget ? D3D_OK : D3DERR_NOTFOUND;
}

HRESULT Device::SetDepthStencilSurface(IDirect3DSurface9* pNewZStencil)
{
    if (m_pRecording)
        Record(CaptureCall::DepthStencil, {}, pNewZStencil);
    auto* pSurface = dynamic_cast<SurfaceImpl*>(pNewZStencil);
    if (pNewZStencil && (!pSurface || !pSurface->IsDepthStencil()))
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR,
            "SetDepthStencilSurface: the surface is not a depth-stencil surface");
        return D3DERR_INVALIDCALL;
    }
    if (m_DepthStencil == pNewZStencil)
        return D3D_OK;
    BreakBatch();
    m_DepthStencil = RefPtr<IDirect3DSurface9>(pNewZStencil);
    m_Dirty |= DIRTY_FRAMEBUFFER | DIRTY_DEPTH_STENCIL;
    return D3D_OK;
}

HRESULT Device::GetDepthStencilSurface(IDirect3DSurface9** ppZStencilSurface)
{
    if (!ppZStencilSurface)
        return D3DERR_INVALIDCALL;
    *ppZStencilSurface = m_DepthStencil.Share();
    return *ppZStencilSurface ? D3D_OK : D3DERR_NOTFOUND;
}

void Device::BindFramebuffer()
{
    if (m_Dirty & DIRTY_FRAMEBUFFER)
        ApplyFramebuffer();
    else
        m_Gl.BindDrawFramebuffer(m_DrawFbo);
}

void Device::ApplyFramebuffer()
{
    ReturnFittedDepth();
    const GLuint fitted = FitDepthStencil();
    m_Gl.BindDrawFramebuffer(m_DrawFbo);
    GLenum drawBuffers[RENDER_TARGET_MAX];
    for (UINT i = 0; i < RENDER_TARGET_MAX; ++i)
    {
        const GLenum attachment = GL_COLOR_ATTACHMENT0 + i;
        if (auto* pTarget = static_cast<SurfaceImpl*>(m_RenderTargets[i].Get()))
        {
            pTarget->Attach(attachment);
            drawBuffers[i] = attachment;
        }
        else
        {
            glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, attachment, GL_TEXTURE_2D, 0, 0);
            drawBuffers[i] = GL_NONE;
        }
    }
    glDrawBuffers(GLsizei(RENDER_TARGET_MAX), drawBuffers);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    if (fitted)
        glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, DepthAttachment(*FittedFor()),
                                  GL_RENDERBUFFER, fitted);
    else if (auto* pDepth = static_cast<SurfaceImpl*>(m_DepthStencil.Get()))
        pDepth->Attach(GL_DEPTH_STENCIL_ATTACHMENT);
    m_Counters.StateChanges += RENDER_TARGET_MAX + 2;
    const GLenum status = glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE)
        Log(LOG_MODULE, LOG_LEVEL_ERROR,
            "The render targets do not form a complete framebuffer "
            "(status 0x%x)",
            status);
    m_Dirty &= ~DIRTY_FRAMEBUFFER;
}

GLuint Device::FitDepthStencil()
{
    auto* pDepth = dynamic_cast<DepthStencilSurface*>(m_DepthStencil.Get());
    auto* pTarget = static_cast<SurfaceImpl*>(m_RenderTargets[0].Get());
    const GLDepthFormat_t* pFormat = pDepth ? GetGLDepthFormat(pDepth->Format(), true) : nullptr;
    if (!m_Profile.es || !pFormat || !pTarget ||
        (pTarget->Width() == pDepth->Width() && pTarget->Height() == pDepth->Height()))
        return 0;
    if (!m_FittedDepth || m_FittedDepthSize[0] != pTarget->Width() ||
        m_FittedDepthSize[1] != pTarget->Height() || m_FittedDepthFormat != pFormat->internalFormat)
    {
        if (!m_FittedDepth)
            glGenRenderbuffers(1, &m_FittedDepth);
        // The same format as the surface's, so that depth and stencil blit between the two.
        glBindRenderbuffer(GL_RENDERBUFFER, m_FittedDepth);
        glRenderbufferStorage(GL_RENDERBUFFER, pFormat->internalFormat, GLsizei(pTarget->Width()),
                              GLsizei(pTarget->Height()));
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        m_FittedDepthSize[0] = pTarget->Width();
        m_FittedDepthSize[1] = pTarget->Height();
        m_FittedDepthFormat = pFormat->internalFormat;
    }
    m_FittedFor = RefPtr<IDirect3DSurface9>(pDepth);
    CopyFittedDepth(*pDepth, true);
    return m_FittedDepth;
}

void Device::ReturnFittedDepth()
{
    if (DepthStencilSurface* pDepth = FittedFor())
    {
        CopyFittedDepth(*pDepth, false);
        m_FittedFor.Reset();
        m_Dirty |= DIRTY_FRAMEBUFFER;
    }
}

DepthStencilSurface* Device::FittedFor() const
{
    return static_cast<DepthStencilSurface*>(m_FittedFor.Get());
}

GLenum Device::DepthAttachment(const DepthStencilSurface& depth)
{
    return depth.HasStencil() ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
}

void Device::CopyFittedDepth(const DepthStencilSurface& depth, bool intoFitted)
{
    const GLenum attachment = DepthAttachment(depth);
    if (!m_DepthCopyFbo)
        glGenFramebuffers(1, &m_DepthCopyFbo);
    m_Gl.BindReadFramebuffer(m_ReadFbo);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    glFramebufferRenderbuffer(GL_READ_FRAMEBUFFER, attachment, GL_RENDERBUFFER,
                              intoFitted ? depth.Renderbuffer() : m_FittedDepth);
    m_Gl.BindDrawFramebuffer(m_DepthCopyFbo);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, attachment, GL_RENDERBUFFER,
                              intoFitted ? m_FittedDepth : depth.Renderbuffer());
    BlitFramebuffers(depth.HasStencil() ? GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT
                                        : GL_DEPTH_BUFFER_BIT,
                     GLint(std::min(m_FittedDepthSize[0], depth.Width())),
                     GLint(std::min(m_FittedDepthSize[1], depth.Height())));
    // The read framebuffer is left with no depth attachment, as its other users expect.
    glFramebufferRenderbuffer(GL_READ_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
}

void Device::BlitFramebuffers(GLbitfield mask, GLint width, GLint height)
{
    m_Gl.Enable(GL_CAP_SCISSOR_TEST, false);
    m_Gl.ColorMask(0xF);
    m_Gl.DepthMask(true);
    GLint stencilMasks[2] = {};
    glGetIntegerv(GL_STENCIL_WRITEMASK, &stencilMasks[0]);
    glGetIntegerv(GL_STENCIL_BACK_WRITEMASK, &stencilMasks[1]);
    glStencilMask(~0u);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, mask, GL_NEAREST);
    glStencilMaskSeparate(GL_FRONT, GLuint(stencilMasks[0]));
    glStencilMaskSeparate(GL_BACK, GLuint(stencilMasks[1]));
    // The draw states are applied again at the next draw.
    m_Dirty |= DIRTY_RENDER_STATE;
}

HRESULT Device::GetRenderTargetData(IDirect3DSurface9* pRenderTarget,
                                    IDirect3DSurface9* pDestSurface)
{
    auto* pSource = dynamic_cast<SurfaceImpl*>(pRenderTarget);
    auto* pDest = dynamic_cast<SurfaceImpl*>(pDestSurface);
    if (!pSource || !pDest || !pSource->IsRenderTarget() || pDest->IsRenderTarget() ||
        pSource->Format() != pDest->Format() || pSource->Width() != pDest->Width() ||
        pSource->Height() != pDest->Height())
        return D3DERR_INVALIDCALL;
    BreakBatch();
    ImageSurface pixels;
    if (!pSource->Read(pixels) || !pDest->Write(pixels))
        return D3DERR_INVALIDCALL;
    return D3D_OK;
}

void Device::BeforeReadBack()
{
    if (m_FinishBeforeReadBack)
        glFinish();
}

void Device::ReadPixels(GLenum target, GLuint texture, UINT level, UINT width, UINT height,
                        GLenum format, GLenum type, void* pPixels)
{
    m_Gl.BindReadFramebuffer(m_ReadFbo);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, target, texture,
                           GLint(level));
    glReadPixels(0, 0, GLsizei(width), GLsizei(height), format, type, pPixels);
}

} // namespace d3d9gl
