#include "common/render/renderimpl.h"

#include "common/render/shaderfile.h"

#include "base/source/system/logger.h"
#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/renderdevice/devicediagnostics.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/shaderprogram.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexshader.h"

using namespace Halvex;
using namespace Halvex::RenderCore;

namespace
{
constexpr const char* MODULE = "RENDER";
constexpr const char* SHADER_FOLDER = "../Shader/hlsl/";
constexpr const char* FONT_ATLAS = "../Data/Font/ASCII_1.dds";
constexpr const char* FONT_METRICS = "../Data/Font/ASCII_1.txt";
constexpr uint32_t CLEAR_COLOUR = 0xFF000000;

const InputElementDesc_t UI_LAYOUT[] = {
    {STREAM_0, 0, DECL_FLOAT3, METHOD_DEFAULT, USAGE_POSITION, 0},
    {STREAM_0, 12, DECL_COLOR, METHOD_DEFAULT, USAGE_COLOR, 0},
    {STREAM_0, 16, DECL_FLOAT2, METHOD_DEFAULT, USAGE_TEXCOORD, 0},
    INPUT_ELEMENT_END,
};

} // namespace

RenderImpl::RenderImpl()
{
    m_Sampler.m_MinFilter = FILTER_LINEAR;
    m_Sampler.m_MagFilter = FILTER_LINEAR;
    m_Sampler.m_MipFilter = FILTER_LINEAR;
    m_Sampler.m_AddressU = ADDRESS_CLAMP;
    m_Sampler.m_AddressV = ADDRESS_CLAMP;
    m_Sampler.m_AddressW = ADDRESS_CLAMP;
    m_Sampler.m_BorderColor = 0;
}

RenderImpl::~RenderImpl()
{
    // Resources unregister from the device, so they go while it is still current.
    m_pVertexShader.reset();
    m_pPixelShader.reset();
    m_pShaderProgram.reset();
    m_pInputLayout.reset();
    m_pTextManager.reset();
    if (m_pRenderDevice && GetRenderDevice() == m_pRenderDevice.get())
    {
        ReleaseRenderDevice();
    }
    m_pRenderDevice.reset();
    m_pVideoDevice.reset();
}

bool RenderImpl::Init(std::unique_ptr<VideoDevice> pVideoDevice,
                      std::unique_ptr<RenderDevice> pRenderDevice)
{
    if (!pVideoDevice || !pRenderDevice || !pRenderDevice->GetNativeDevice())
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "Can not create the render device\n");
        return false;
    }
    if (!SetRenderDevice(pRenderDevice.get()))
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "Another render device is already current\n");
        return false;
    }
    m_pVideoDevice = std::move(pVideoDevice);
    m_pRenderDevice = std::move(pRenderDevice);

    DeviceSetting setting;
    m_pRenderDevice->GetDeviceSetting(&setting);
    m_Projection = MATH::Matrix4::Identity();
    m_Projection(0, 0) = 2.0f / static_cast<float>(setting.m_Width);
    m_Projection(1, 1) = -2.0f / static_cast<float>(setting.m_Height);
    m_Projection(3, 0) = -1.0f;
    m_Projection(3, 1) = 1.0f;

    m_pInputLayout = std::make_unique<InputLayout>();
    m_pInputLayout->Load(UI_LAYOUT);
    LoadShaders();

    m_pTextManager = std::make_unique<TextManager>();
    m_pTextManager->Load(FONT_ATLAS, FONT_METRICS);
    return true;
}

void RenderImpl::LoadShaders()
{
    // A GUI shader that is missing or broken leaves its stage empty; the program goes on.
    m_pVertexShader = LoadShaderFile<VertexShader>(std::string(SHADER_FOLDER) + "UI.wvu", MODULE,
                                                   Base::LOG_LEVEL_WARNING_3);
    m_pPixelShader = LoadShaderFile<PixelShader>(std::string(SHADER_FOLDER) + "UI.wpu", MODULE,
                                                 Base::LOG_LEVEL_WARNING_3);
    m_pShaderProgram = std::make_unique<ShaderProgram>();
    m_pShaderProgram->SetShaders(m_pVertexShader.get(), m_pPixelShader.get(), false);
}

void RenderImpl::BeginFrame()
{
    m_pRenderDevice->BeginScene();
    m_pRenderDevice->Clear(CLEAR_TARGET | CLEAR_DEPTH | CLEAR_STENCIL, CLEAR_COLOUR, 1.0f, 0);
}

void RenderImpl::EndFrame()
{
    m_pRenderDevice->EndScene();
    m_pRenderDevice->Present();
}

void RenderImpl::BeginGui(const char* pEventGroup)
{
    DeviceDiagnostics* pDiagnostics = m_pRenderDevice->GetDiagnostics();
    m_InEventGroup = pEventGroup && pDiagnostics;
    if (m_InEventGroup)
    {
        pDiagnostics->BeginEventGroup(pEventGroup);
    }
    // The GUI is an overlay: a lesson's geometry nearer than the GUI's depth must not hide it.
    m_pRenderDevice->SetRenderState(RS_Z_ENABLE, 0);
    m_pRenderDevice->SetRenderState(RS_CULL_MODE, CULL_NONE);
    m_pRenderDevice->SetRenderState(RS_ALPHA_BLEND_ENABLE, 1);
    m_pRenderDevice->SetRenderState(RS_SRC_BLEND, BLEND_SRC_ALPHA);
    m_pRenderDevice->SetRenderState(RS_DEST_BLEND, BLEND_INV_SRC_ALPHA);
    m_pShaderProgram->Bind();
    m_pShaderProgram->CommitParameters();
    m_pRenderDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, m_Projection.Data());
}

void RenderImpl::EndGui()
{
    // The lessons start their frame with the depth test on.
    m_pRenderDevice->SetRenderState(RS_Z_ENABLE, 1);
    m_pShaderProgram->Unbind();
    if (m_InEventGroup)
    {
        m_pRenderDevice->GetDiagnostics()->EndEventGroup();
        m_InEventGroup = false;
    }
}

bool RenderImpl::DrawRect(Texture* pTexture, const HRectF& rect, const HColor& colour)
{
    return DrawRectPart(pTexture, rect, rect, colour);
}

bool RenderImpl::DrawRectPart(Texture* pTexture, const HRectF& drawRect, const HRectF& fullRect,
                              const HColor& colour)
{
    if (!drawRect.IsValid() || !fullRect.IsValid())
    {
        return false;
    }
    const uint32_t packed = colour.GetPacked();
    auto corner = [&](float x, float y)
    {
        return UIVertex_t{x,
                          y,
                          UI_DEPTH,
                          packed,
                          (x - fullRect.x) / fullRect.width,
                          (y - fullRect.y) / fullRect.height};
    };
    const UIVertex_t quad[4] = {
        corner(drawRect.x, drawRect.y),
        corner(drawRect.x, drawRect.Bottom()),
        corner(drawRect.Right(), drawRect.Bottom()),
        corner(drawRect.Right(), drawRect.y),
    };
    return DrawPrimitive(pTexture, quad, 2, PT_TRIANGLE_FAN, m_Sampler);
}

bool RenderImpl::DrawPrimitive(Texture* pTexture, const UIVertex_t* pVertices, int primitiveCount,
                               PrimitiveType primType, const SamplerDesc& sampler)
{
    const bool textured = pTexture && pTexture->GetWidth() > 0 && pTexture->GetHeight() > 0;
    m_PixelConstant[0] = textured ? 1.0f : 0.0f;
    // Direct3D reads the missing channels of R16F and R32F as 1, which would tint a depth
    // picture cyan; the GUI shows such a texture as grey levels of its one channel.
    const bool oneChannel =
        textured && (pTexture->GetFormat() == FMT_R16F || pTexture->GetFormat() == FMT_R32F);
    m_PixelConstant[1] = oneChannel ? 0.0f : 1.0f;
    m_PixelConstant[2] = textured ? 0.5f / static_cast<float>(pTexture->GetWidth()) : 0.0f;
    m_PixelConstant[3] = textured ? 0.5f / static_cast<float>(pTexture->GetHeight()) : 0.0f;
    m_pRenderDevice->SetShaderConstantVector(SHADER_PIXEL, 0, m_PixelConstant);
    m_pRenderDevice->SetTexture(SHADER_PIXEL, 0, pTexture, &sampler);
    return m_pRenderDevice->DrawUser(m_pInputLayout.get(), primType, primitiveCount, pVertices,
                                     sizeof(UIVertex_t), 1);
}

void RenderImpl::DrawTextInRect(const HRectF& clipRect, const HRectF& textRect,
                                const HColor& colour, float scale, const std::string& text)
{
    DrawText(textRect.x, textRect.y, UI_DEPTH, clipRect, colour.GetPacked(), scale, text);
}

void RenderImpl::DrawText(float x, float y, float z, const HRectF& clip, uint32_t colour,
                          float scale, const std::string& text)
{
    Texture* pAtlas = m_pTextManager ? m_pTextManager->GetAtlas() : nullptr;
    if (!pAtlas || pAtlas->GetWidth() <= 0 || pAtlas->GetHeight() <= 0 || !(scale > 0.0f))
    {
        return;
    }
    const auto atlasWidth = static_cast<float>(pAtlas->GetWidth());
    const auto atlasHeight = static_cast<float>(pAtlas->GetHeight());
    m_pTextManager->GetCharInfos(text, m_Glyphs);
    float penX = x;
    for (const TextManager::CharInfo* pGlyph : m_Glyphs)
    {
        UIVertex_t quad[4];
        BuildGlyphQuad(*pGlyph, penX, y, z, clip, colour, scale, atlasWidth, atlasHeight, quad);
        DrawPrimitive(pAtlas, quad, 2, PT_TRIANGLE_FAN, m_Sampler);
        penX += static_cast<float>(pGlyph->w) * scale;
    }
}

void RenderImpl::DrawTextLines(float x, float y, float lineHeight, const HRectF& clip,
                               uint32_t colour, const std::vector<std::string>& lines)
{
    Texture* pAtlas = m_pTextManager ? m_pTextManager->GetAtlas() : nullptr;
    if (!pAtlas || pAtlas->GetWidth() <= 0 || pAtlas->GetHeight() <= 0)
    {
        return;
    }
    const auto atlasWidth = static_cast<float>(pAtlas->GetWidth());
    const auto atlasHeight = static_cast<float>(pAtlas->GetHeight());
    m_TextVertices.clear();
    float penY = y;
    for (const std::string& line : lines)
    {
        m_pTextManager->GetCharInfos(line, m_Glyphs);
        float penX = x;
        for (const TextManager::CharInfo* pGlyph : m_Glyphs)
        {
            UIVertex_t quad[4];
            BuildGlyphQuad(*pGlyph, penX, penY, UI_DEPTH, clip, colour, 1.0f, atlasWidth,
                           atlasHeight, quad);
            // The fan's two triangles as a list, so that glyphs can share one draw.
            for (int corner : {0, 1, 2, 0, 2, 3})
            {
                m_TextVertices.push_back(quad[corner]);
            }
            penX += static_cast<float>(pGlyph->w);
        }
        penY += lineHeight;
    }
    if (!m_TextVertices.empty())
    {
        DrawPrimitive(pAtlas, m_TextVertices.data(), static_cast<int>(m_TextVertices.size() / 3),
                      PT_TRIANGLE_LIST, m_Sampler);
    }
}

RenderImpl::HVec2F RenderImpl::MeasureText(const std::string& text)
{
    if (!m_pTextManager)
    {
        return {};
    }
    m_pTextManager->GetCharInfos(text, m_Glyphs);
    return MeasureGlyphs(m_Glyphs);
}
