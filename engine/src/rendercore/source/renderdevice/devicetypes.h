#pragma once
// Plain records passed across the render device interface.

#include "rendercore/source/renderdevice/renderenums.h"

#include <cstdint>

namespace Halvex::RenderCore
{

class Texture;
class VertexShader;
class PixelShader;

// How a sampler reads its texture; the border colour is ARGB and passed through.
struct SamplerDesc
{
    TextureFilter m_MinFilter = FILTER_POINT;
    TextureFilter m_MagFilter = FILTER_POINT;
    TextureFilter m_MipFilter = FILTER_NONE;
    TextureAddress m_AddressU = ADDRESS_WRAP;
    TextureAddress m_AddressV = ADDRESS_WRAP;
    TextureAddress m_AddressW = ADDRESS_WRAP;
    uint32_t m_BorderColor = 0;
};

// A texture together with the sampler states it is read with (the value of a
// named texture parameter). The texture is borrowed.
class TextureSampler
{
public:
    TextureSampler() = default;
    TextureSampler(Texture* pTexture, const SamplerDesc& desc) : m_pTexture(pTexture), m_Desc(desc)
    {
    }

    Texture* GetTexture() const { return m_pTexture; }
    void SetTexture(Texture* pTexture) { m_pTexture = pTexture; }
    const SamplerDesc& GetDesc() const { return m_Desc; }
    void SetDesc(const SamplerDesc& desc) { m_Desc = desc; }

    TextureFilter GetMinFilter() const { return m_Desc.m_MinFilter; }
    TextureFilter GetMagFilter() const { return m_Desc.m_MagFilter; }
    TextureFilter GetMipFilter() const { return m_Desc.m_MipFilter; }
    TextureAddress GetAddressU() const { return m_Desc.m_AddressU; }
    TextureAddress GetAddressV() const { return m_Desc.m_AddressV; }
    TextureAddress GetAddressW() const { return m_Desc.m_AddressW; }
    uint32_t GetBorderColor() const { return m_Desc.m_BorderColor; }

private:
    Texture* m_pTexture = nullptr;
    SamplerDesc m_Desc;
};

inline constexpr int COMPRESSED_FORMAT_LIST_SIZE = 16;

// Field names are the labels the device-capability lesson prints.
struct DeviceCaps
{
    int32_t MaxRenderTargetWidth = 0;
    int32_t MaxRenderTargetHeight = 0;
    int32_t MaxTextureCount = 0;
    int32_t MaxVertexAttribCount = 0;
    int32_t MaxVaryingVectorCount = 0;
    int32_t MaxTextureWidth = 0;
    int32_t MaxTextureHeight = 0;
    int32_t MaxCubemapWidth = 0;
    int32_t MaxCubemapHeight = 0;
    int32_t MaxPrimitiveCount = 0;
    int32_t MaxVertexIndex = 0;
    int32_t MaxStreams = 0;
    int32_t MaxVertexShaderConst = 0;
    int32_t MaxPixelShaderConst = 0;
    // The native device's codes of the block-compressed formats it takes (Direct3D's
    // four-character codes, DXT1 = 0x31545844); 0 where no format is listed.
    int32_t CompressTex[COMPRESSED_FORMAT_LIST_SIZE] = {};
};

// What the application hands to device creation.
struct DeviceCreateParam
{
    TextureFormat m_BackBufferFormat = FMT_X8R8G8B8;
    TextureFormat m_DepthStencilFormat = FMT_D24S8;
    int32_t m_Width = 0;
    int32_t m_Height = 0;
    void* m_pWindow = nullptr;
    bool m_FullScreen = false;
    bool m_VSync = true;
    MultiSample m_MultiSample = MULTISAMPLE_NONE;
};

// The device's current presentation (GetDeviceSetting) or a wanted one (ResetDevice).
struct DeviceSetting
{
    bool m_Windowed = true;
    int32_t m_Width = 0;
    int32_t m_Height = 0;
    TextureFormat m_BackBufferFormat = FMT_UNKNOWN;
    TextureFormat m_DepthStencilFormat = FMT_UNKNOWN;
    MultiSample m_MultiSample = MULTISAMPLE_NONE;
    bool m_VSync = true;
};

inline constexpr int RENDER_TARGET_MAX = 4;

// Targets bound by BeginRenderTargets; a null entry binds no target at that index.
struct RenderTargetSet
{
    Texture* m_pColor[RENDER_TARGET_MAX] = {};
    Texture* m_pDepthStencil = nullptr;
};

struct ShaderPair
{
    VertexShader* m_pVertexShader = nullptr;
    PixelShader* m_pPixelShader = nullptr;
};

// A viewport or scissor rectangle in pixels.
struct Rect_t
{
    float m_X = 0.0f;
    float m_Y = 0.0f;
    float m_Width = 0.0f;
    float m_Height = 0.0f;
};

} // namespace Halvex::RenderCore
