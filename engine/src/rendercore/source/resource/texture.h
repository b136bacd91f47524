#pragma once
// 2D, cube and volume textures and render targets.

#include "rendercore/source/resource/resource.h"

namespace Halvex::RenderCore
{

class Texture;

// Usage value that marks a render target (usages are 1-4).
inline constexpr int TEXTURE_USAGE_RENDER_TARGET = 3;

// What Texture::Lock hands back.
struct LockedRect
{
    void* m_pBits = nullptr;
    int m_Pitch = 0; // bytes per row
    Texture* m_pTexture = nullptr;
    int m_MipLevel = 0;
};

class Texture : public Resource
{
public:
    Texture();
    // Unloads first: a texture destroyed while locked reports it and keeps its native object.
    ~Texture() override;

    // An empty texture; texType 0 creates nothing. The size, format and level count
    // recorded are the ones the device reports; mipLevels 0 asks for the full chain.
    bool Create(TextureType texType, int width, int height, int depth, TextureFormat format,
                int mipLevels, TexturePool pool, uint32_t flags);
    // A texture from an image file held in memory; FMT_UNKNOWN lets the file decide.
    bool LoadFromMemory(const void* pData, TextureType texType, int size, TextureFormat format,
                        int mipLevels, uint32_t flags);
    // A one-level render target; mipLevels must be at least 0 and is otherwise unused.
    bool CreateRenderTarget(int width, int height, TextureFormat format, int mipLevels, bool cube);
    void Unload();
    // pRect is x, y, width, height or null for the whole level.
    bool Lock(int mipLevel, LockedRect* pLocked, const float* pRect, LockFlag lockFlag);
    void Unlock();
    // Rebuilds all lower levels from level 0.
    void GenerateMipmaps();

    // Setters ignore invalid values: type 0-3, width and height above 0, format
    // FMT_R8G8B8..FMT_A32B32G32R32F, usage 1-4, mip levels 0 or more. Depth is kept only
    // for a volume texture (at least 1); any other texture has depth 1.
    TextureType GetTextureType() const { return m_TextureType; }
    void SetTextureType(int texType);
    int GetWidth() const { return m_Width; }
    void SetWidth(int width);
    int GetHeight() const { return m_Height; }
    void SetHeight(int height);
    int GetDepth() const { return m_Depth; }
    void SetDepth(int depth);
    TextureFormat GetFormat() const { return m_Format; }
    void SetFormat(int format);
    int GetUsage() const { return m_Usage; }
    void SetUsage(int usage);
    int GetMipLevels() const { return m_MipLevels; }
    void SetMipLevels(int mipLevels);
    uint32_t GetFlags() const { return m_Flags; }
    void SetFlags(uint32_t flags) { m_Flags = flags; }

    bool IsCube() const { return m_TextureType == TEX_CUBE; }
    bool IsVolume() const { return m_TextureType == TEX_VOLUME; }
    bool IsLocked() const { return m_Locked; }

    // Bytes of all levels (all faces of a cube), as computed at the last create or load.
    uint64_t GetSize() const override { return m_Size; }
    bool IsLoaded() const override { return GetUserData() != nullptr; }

private:
    void UpdateSize();

    TextureType m_TextureType = TEX_2D;
    uint64_t m_Size = 0;
    uint32_t m_Flags = 0;
    int m_Width = 0;
    int m_Height = 0;
    int m_Depth = 1;
    TextureFormat m_Format = FMT_UNKNOWN;
    int m_Usage = 0;
    int m_MipLevels = 0;
    bool m_Locked = false;
};

} // namespace Halvex::RenderCore
