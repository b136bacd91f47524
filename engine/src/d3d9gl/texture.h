#pragma once
// 2D, cube and volume textures. Each keeps a CPU copy of its levels (what LockRect hands
// out, uploaded at unlock) unless it is a render target, whose pixels live in GL only.

#include "d3d9gl/d3d9.h"
#include "d3d9gl/devicechild.h"
#include "d3d9gl/glformat.h"
#include "d3d9gl/image/image.h"
#include "d3d9gl/refcounted.h"
#include "d3d9gl/surface.h"

#include <memory>
#include <vector>

namespace d3d9gl
{

struct TextureDesc_t
{
    D3DRESOURCETYPE type;
    UINT width;
    UINT height;
    UINT depth;
    UINT levels;
    DWORD usage;
    D3DFORMAT format;
    D3DPOOL pool;
};

class TextureBase : public DeviceChild
{
public:
    TextureBase(Device* pDevice, const TextureDesc_t& desc);
    ~TextureBase() override;

    // Allocates the GL texture and the CPU copies; false (logged) when GL refuses.
    bool Create();
    void ReleaseGL() override;
    const char* GetKind() const override { return "texture"; }
    virtual IDirect3DBaseTexture9* Interface() = 0;

    const TextureDesc_t& Desc() const { return m_Desc; }
    GLenum Target() const { return m_Target; }
    GLuint Name() const { return m_Texture; }
    UINT FaceCount() const { return m_Desc.type == D3DRTYPE_CUBETEXTURE ? 6 : 1; }
    bool IsRenderTarget() const { return (m_Desc.usage & D3DUSAGE_RENDERTARGET) != 0; }
    UINT LevelWidth(UINT level) const;
    UINT LevelHeight(UINT level) const;
    UINT LevelDepth(UINT level) const;
    bool ValidSurface(UINT face, UINT level) const
    {
        return face < FaceCount() && level < m_Desc.levels;
    }

    HRESULT LockLevel(UINT face, UINT level, const D3DBOX* pBox, DWORD flags, void** ppBits,
                      INT* pRowPitch, INT* pSlicePitch);
    HRESULT UnlockLevel(UINT face, UINT level);
    bool ReadLevel(UINT face, UINT level, ImageSurface& out);
    bool WriteLevel(UINT face, UINT level, const ImageSurface& in);
    HRESULT FillSurfaceDesc(UINT level, D3DSURFACE_DESC* pDesc) const;
    TextureSurface* Surface(UINT face, UINT level);
    // Attaches level `level` of face `face` to the bound draw framebuffer.
    void Attach(GLenum attachment, UINT face, UINT level);

private:
    GLenum FaceTarget(UINT face) const;
    void Upload(UINT face, UINT level, const ImageSurface& pixels);
    // A render target's level through a framebuffer, where GL cannot read textures.
    bool ReadThroughFramebuffer(UINT face, UINT level, ImageSurface& out);
    UINT Index(UINT face, UINT level) const { return face * m_Desc.levels + level; }

    TextureDesc_t m_Desc;
    const GLFormat_t* m_pFormat;
    GLenum m_Target;
    GLuint m_Texture = 0;
    std::vector<ImageSurface> m_Cpu; // face-major; empty for render targets
    std::vector<DWORD> m_Locks;      // lock flags | LOCKED per surface
    std::vector<std::unique_ptr<TextureSurface>> m_Surfaces;
};

class Texture2D final : public RefCounted<IDirect3DTexture9>, public TextureBase
{
public:
    Texture2D(Device* pDevice, const TextureDesc_t& desc) : TextureBase(pDevice, desc) {}
    IDirect3DBaseTexture9* Interface() override { return this; }

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD GetLevelCount() override { return Desc().levels; }
    HRESULT GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) override;
    HRESULT GetSurfaceLevel(UINT Level, IDirect3DSurface9** ppSurfaceLevel) override;
    HRESULT LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect, const RECT* pRect,
                     DWORD Flags) override;
    HRESULT UnlockRect(UINT Level) override;
};

class CubeTexture final : public RefCounted<IDirect3DCubeTexture9>, public TextureBase
{
public:
    CubeTexture(Device* pDevice, const TextureDesc_t& desc) : TextureBase(pDevice, desc) {}
    IDirect3DBaseTexture9* Interface() override { return this; }

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_CUBETEXTURE; }
    DWORD GetLevelCount() override { return Desc().levels; }
    HRESULT GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) override;
    HRESULT GetCubeMapSurface(D3DCUBEMAP_FACES FaceType, UINT Level,
                              IDirect3DSurface9** ppCubeMapSurface) override;
    HRESULT LockRect(D3DCUBEMAP_FACES FaceType, UINT Level, D3DLOCKED_RECT* pLockedRect,
                     const RECT* pRect, DWORD Flags) override;
    HRESULT UnlockRect(D3DCUBEMAP_FACES FaceType, UINT Level) override;
};

class VolumeTexture final : public RefCounted<IDirect3DVolumeTexture9>, public TextureBase
{
public:
    VolumeTexture(Device* pDevice, const TextureDesc_t& desc) : TextureBase(pDevice, desc) {}
    IDirect3DBaseTexture9* Interface() override { return this; }

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_VOLUMETEXTURE; }
    DWORD GetLevelCount() override { return Desc().levels; }
    HRESULT GetLevelDesc(UINT Level, D3DVOLUME_DESC* pDesc) override;
    HRESULT LockBox(UINT Level, D3DLOCKED_BOX* pLockedVolume, const D3DBOX* pBox,
                    DWORD Flags) override;
    HRESULT UnlockBox(UINT Level) override;
};

// The d3d9gl texture behind an interface, or null for a foreign object.
TextureBase* ToTextureBase(IDirect3DBaseTexture9* pTexture);

} // namespace d3d9gl
