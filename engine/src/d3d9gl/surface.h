#pragma once
// Surfaces: what render targets, depth-stencil buffers, copies and D3DX functions work on.
// SurfaceImpl is the side of IDirect3DSurface9 that only d3d9gl sees.

#include "d3d9gl/d3d9.h"
#include "d3d9gl/devicechild.h"
#include "d3d9gl/image/image.h"
#include "d3d9gl/refcounted.h"

#include "d3d9gl/glapi.h"

#include <utility>

namespace d3d9gl
{

class TextureBase;

class SurfaceImpl : public IDirect3DSurface9
{
public:
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }

    virtual D3DFORMAT Format() const = 0;
    virtual UINT Width() const = 0;
    virtual UINT Height() const = 0;
    virtual bool IsRenderTarget() const { return false; }
    virtual bool IsDepthStencil() const { return false; }
    // The pixels in the surface's own format, tightly packed, row 0 at the top.
    virtual bool Read(ImageSurface& out) = 0;
    virtual bool Write(const ImageSurface& in) = 0;
    // Attaches the surface to the bound draw framebuffer (colour slot or depth-stencil).
    virtual void Attach(GLenum attachment) = 0;
};

// One level of one face of a texture. It shares the texture's reference count, as in
// Direct3D, and lives as long as the texture.
class TextureSurface final : public SurfaceImpl
{
public:
    TextureSurface(TextureBase* pContainer, UINT face, UINT level)
        : m_pContainer(pContainer), m_Face(face), m_Level(level)
    {
    }
    ~TextureSurface() override = default;

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetDesc(D3DSURFACE_DESC* pDesc) override;
    HRESULT LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) override;
    HRESULT UnlockRect() override;

    D3DFORMAT Format() const override;
    UINT Width() const override;
    UINT Height() const override;
    bool IsRenderTarget() const override;
    bool Read(ImageSurface& out) override;
    bool Write(const ImageSurface& in) override;
    void Attach(GLenum attachment) override;

    TextureBase* Container() const { return m_pContainer; }

private:
    TextureBase* m_pContainer;
    UINT m_Face;
    UINT m_Level;
};

// A depth-stencil buffer (a GL renderbuffer).
class DepthStencilSurface final : public RefCounted<SurfaceImpl>, public DeviceChild
{
public:
    DepthStencilSurface(Device* pDevice, UINT width, UINT height, D3DFORMAT format);
    ~DepthStencilSurface() override;
    bool Create();
    void ReleaseGL() override;
    const char* GetKind() const override { return "depth-stencil surface"; }

    HRESULT GetDesc(D3DSURFACE_DESC* pDesc) override;
    // Depth buffers are not lockable.
    HRESULT LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) override;
    HRESULT UnlockRect() override;

    D3DFORMAT Format() const override { return m_Format; }
    UINT Width() const override { return m_Width; }
    UINT Height() const override { return m_Height; }
    bool IsDepthStencil() const override { return true; }
    bool Read(ImageSurface& out) override;
    bool Write(const ImageSurface& in) override;
    void Attach(GLenum attachment) override;
    bool HasStencil() const;

private:
    UINT m_Width;
    UINT m_Height;
    D3DFORMAT m_Format;
    GLuint m_Renderbuffer = 0;
};

// A surface in system memory: the destination of GetRenderTargetData.
class OffscreenSurface final : public RefCounted<SurfaceImpl>
{
public:
    OffscreenSurface(D3DFORMAT format, D3DPOOL pool, ImageSurface pixels)
        : m_Format(format), m_Pool(pool), m_Pixels(std::move(pixels))
    {
    }

    HRESULT GetDesc(D3DSURFACE_DESC* pDesc) override;
    HRESULT LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) override;
    HRESULT UnlockRect() override;

    D3DFORMAT Format() const override { return m_Format; }
    UINT Width() const override { return m_Pixels.width; }
    UINT Height() const override { return m_Pixels.height; }
    bool Read(ImageSurface& out) override;
    bool Write(const ImageSurface& in) override;
    void Attach(GLenum attachment) override;

private:
    D3DFORMAT m_Format;
    D3DPOOL m_Pool;
    ImageSurface m_Pixels;
    bool m_Locked = false;
};

// The address of a rectangle's first byte in a tightly packed surface (blocks for DXT).
// False when the rectangle does not lie inside the surface.
bool LockedAddress(D3DFORMAT format, const ImageSurface& surface, const D3DBOX* pBox,
                   size_t& offset);

} // namespace d3d9gl
