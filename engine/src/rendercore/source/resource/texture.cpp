#include "rendercore/source/resource/texture.h"

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/deviceutility.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <algorithm>

namespace Halvex::RenderCore
{

namespace
{
constexpr int CUBE_FACE_COUNT = 6;
constexpr int TEXTURE_USAGE_MIN = 1;
constexpr int TEXTURE_USAGE_MAX = 4;
} // namespace

Texture::Texture() : Resource(RES_TYPE_TEXTURE) {}

Texture::~Texture()
{
    Unload();
}

bool Texture::Create(TextureType texType, int width, int height, int depth, TextureFormat format,
                     int mipLevels, TexturePool pool, uint32_t flags)
{
    if (IsLoaded())
    {
        HX_RAISE("!\"Texture has been Loaded\"");
        return false;
    }
    const bool hasHeight = texType == TEX_2D || texType == TEX_VOLUME;
    if (texType < 0 || texType >= TEX_TYPE_MAX || width <= 0 || (hasHeight && height < 1) ||
        (texType == TEX_VOLUME && depth <= 0) || pool < POOL_DEFAULT || pool >= POOL_MAX)
    {
        HX_RAISE("!\"Param Error\"");
        return false;
    }
    RenderDevice* pDevice = GetRenderDevice();
    if (!HX_ASSERT(pDevice))
    {
        return false;
    }
    if (pDevice->CreateTexture(this, texType, &width, &height, &depth, &format, &mipLevels, &pool,
                               &flags))
    {
        SetTextureType(texType);
        SetPool(pool);
        SetFlags(flags);
        SetWidth(width);
        SetHeight(height);
        SetDepth(depth);
        SetFormat(format);
        SetMipLevels(mipLevels);
        UpdateSize();
    }
    return IsLoaded();
}

bool Texture::LoadFromMemory(const void* pData, TextureType texType, int size, TextureFormat format,
                             int mipLevels, uint32_t flags)
{
    if (IsLoaded())
    {
        HX_RAISE("!\"Texture has been Loaded\"");
        return false;
    }
    if (!pData || size <= 0)
    {
        HX_RAISE("!\"Param Error, Invalid data\"");
        return false;
    }
    if (texType < 0 || texType >= TEX_TYPE_MAX)
    {
        HX_RAISE("!\"Param Error\"");
        return false;
    }
    RenderDevice* pDevice = GetRenderDevice();
    if (!HX_ASSERT(pDevice))
    {
        return false;
    }
    int width = 0;
    int height = 0;
    int depth = 0;
    if (pDevice->LoadTextureFromMemory(this, texType, pData, size, &width, &height, &depth, &format,
                                       &mipLevels, &flags))
    {
        SetTextureType(texType);
        SetPool(POOL_MANAGED);
        SetFlags(flags);
        SetWidth(width);
        SetHeight(height);
        SetDepth(depth);
        SetFormat(format);
        SetMipLevels(mipLevels);
        UpdateSize();
    }
    return IsLoaded();
}

bool Texture::CreateRenderTarget(int width, int height, TextureFormat format, int mipLevels,
                                 bool cube)
{
    if (IsLoaded())
    {
        HX_RAISE("!\"Texture has been Loaded\"");
        return false;
    }
    if (width < 1 || height < 1 || mipLevels < 0)
    {
        HX_RAISE("!\"Param Error\"");
        return false;
    }
    RenderDevice* pDevice = GetRenderDevice();
    if (!HX_ASSERT(pDevice))
    {
        return false;
    }
    TexturePool pool = POOL_DEFAULT;
    uint32_t flags = 0;
    if (pDevice->CreateRenderTarget(this, width, height, format, &pool, &flags, cube))
    {
        SetTextureType(cube ? TEX_CUBE : TEX_2D);
        SetUsage(TEXTURE_USAGE_RENDER_TARGET);
        SetPool(pool);
        SetFlags(flags);
        SetWidth(width);
        SetHeight(height);
        SetDepth(1);
        SetFormat(format);
        SetMipLevels(1);
        UpdateSize();
    }
    return IsLoaded();
}

void Texture::Unload()
{
    if (!IsLoaded())
    {
        return;
    }
    if (m_Locked)
    {
        HX_RAISE("!\"Must be unlock\"");
        return;
    }
    if (RenderDevice* pDevice = GetRenderDevice())
    {
        pDevice->UnloadTexture(this);
    }
    m_TextureType = static_cast<TextureType>(0);
    m_Size = 0;
    m_Flags = 0;
    m_Width = 0;
    m_Height = 0;
    m_Depth = 0;
    m_Format = FMT_UNKNOWN;
    m_Usage = 0;
    m_MipLevels = 0;
    SetPool(POOL_DEFAULT);
    SetUserData(nullptr);
}

bool Texture::Lock(int mipLevel, LockedRect* pLocked, const float* pRect, LockFlag lockFlag)
{
    // The device refuses a second lock of the same texture itself.
    if (!IsLoaded() || !pLocked)
    {
        HX_RAISE("!\"Texture must be loaded and unlock\"");
        return false;
    }
    RenderDevice* pDevice = GetRenderDevice();
    if (!HX_ASSERT(pDevice))
    {
        return false;
    }
    void* pBits = nullptr;
    int pitch = 0;
    if (!pDevice->LockTexture(this, mipLevel, &pBits, &pitch, pRect, lockFlag))
    {
        // A refused second lock leaves the first one, and the flag, in place.
        return false;
    }
    pLocked->m_pBits = pBits;
    pLocked->m_Pitch = pitch;
    pLocked->m_pTexture = this;
    pLocked->m_MipLevel = mipLevel;
    m_Locked = true;
    return true;
}

void Texture::Unlock()
{
    if (!IsLoaded())
    {
        HX_RAISE("!\"Texture must be loaded and locked\"");
        return;
    }
    // The device reports an unlock without a lock.
    if (RenderDevice* pDevice = GetRenderDevice())
    {
        pDevice->UnlockTexture(this);
    }
    m_Locked = false;
}

void Texture::GenerateMipmaps()
{
    if (!IsLoaded() || m_Locked)
    {
        HX_RAISE("!\"Texture must be loaded and unlock\"");
        return;
    }
    if (RenderDevice* pDevice = GetRenderDevice())
    {
        pDevice->GenerateMipmaps(this);
    }
}

void Texture::SetTextureType(int texType)
{
    if (texType >= 0 && texType < TEX_TYPE_MAX)
    {
        m_TextureType = static_cast<TextureType>(texType);
    }
}

void Texture::SetWidth(int width)
{
    if (width > 0)
    {
        m_Width = width;
    }
}

void Texture::SetHeight(int height)
{
    if (height > 0)
    {
        m_Height = height;
    }
}

void Texture::SetDepth(int depth)
{
    m_Depth = IsVolume() ? std::max(depth, 1) : 1;
}

void Texture::SetFormat(int format)
{
    if (format > FMT_UNKNOWN && format < FMT_MAX)
    {
        m_Format = static_cast<TextureFormat>(format);
    }
}

void Texture::SetUsage(int usage)
{
    if (usage >= TEXTURE_USAGE_MIN && usage <= TEXTURE_USAGE_MAX)
    {
        m_Usage = usage;
    }
}

void Texture::SetMipLevels(int mipLevels)
{
    if (mipLevels >= 0)
    {
        m_MipLevels = mipLevels;
    }
}

void Texture::UpdateSize()
{
    uint64_t width = static_cast<uint64_t>(m_Width);
    uint64_t height = static_cast<uint64_t>(m_Height);
    uint64_t depth = static_cast<uint64_t>(m_Depth);
    const uint64_t bits = static_cast<uint64_t>(GetFormatBits(m_Format));
    uint64_t sum = 0;
    for (int level = 0; level < m_MipLevels; ++level)
    {
        sum += width * height * depth * bits;
        width = std::max<uint64_t>(width / 2, 1);
        height = std::max<uint64_t>(height / 2, 1);
        depth = std::max<uint64_t>(depth / 2, 1);
    }
    if (IsCube())
    {
        sum *= CUBE_FACE_COUNT;
    }
    m_Size = sum / 8;
}

} // namespace Halvex::RenderCore
