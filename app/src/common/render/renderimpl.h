#pragma once
// The application's renderer: it owns the video and render devices, frames each picture
// and draws the GUI (coloured or textured rectangles and bitmap-font text in screen
// pixels) with the "UI" shader pair. It is the render context of the GUI manager's Render
// and of every lesson's Render.

#include "common/render/textmanager.h"
#include "common/render/uivertex.h"

#include "gui/htypes.h"
#include "math/matrix4.h"
#include "rendercore/source/renderdevice/devicetypes.h"
#include "rendercore/source/renderdevice/renderenums.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvex::RenderCore
{
class InputLayout;
class PixelShader;
class RenderDevice;
class ShaderProgram;
class Texture;
class VertexShader;
class VideoDevice;
} // namespace Halvex::RenderCore

class RenderImpl
{
public:
    using Texture = Halvex::RenderCore::Texture;
    using HRectF = Halvex::HGui::HRectF;
    using HColor = Halvex::HGui::HColor;
    using HVec2F = Halvex::HGui::HVec2F;

    RenderImpl();
    virtual ~RenderImpl();
    RenderImpl(const RenderImpl&) = delete;
    RenderImpl& operator=(const RenderImpl&) = delete;

    // Creates the devices through the back end's factory for the window (an SDL_Window*)
    // and then initialises as below. False when a device can not be created.
    bool Init(void* pWindow, int width, int height);
    // Makes the render device current, then sets up the GUI projection, layout, shaders and
    // font. Missing shader or font files leave those parts out.
    bool Init(std::unique_ptr<Halvex::RenderCore::VideoDevice> pVideoDevice,
              std::unique_ptr<Halvex::RenderCore::RenderDevice> pRenderDevice);

    void BeginFrame();
    void EndFrame();
    // The GUI's states and shaders; with a group name the draws up to EndGui fold into one
    // event of the device's diagnostics.
    void BeginGui(const char* pEventGroup = nullptr);
    void EndGui();

    bool DrawRect(Texture* pTexture, const HRectF& rect, const HColor& colour);
    // Draws drawRect with texture coordinates taken relative to fullRect, so a clipped part
    // of a widget shows the matching part of its texture. False for an invalid rectangle.
    bool DrawRectPart(Texture* pTexture, const HRectF& drawRect, const HRectF& fullRect,
                      const HColor& colour);
    bool DrawPrimitive(Texture* pTexture, const UIVertex_t* pVertices, int primitiveCount,
                       Halvex::RenderCore::PrimitiveType primType,
                       const Halvex::RenderCore::SamplerDesc& sampler);
    void DrawTextInRect(const HRectF& clipRect, const HRectF& textRect, const HColor& colour,
                        float scale, const std::string& text);
    // One quad per glyph, clipped to clip, the pen moving right by each glyph's width.
    void DrawText(float x, float y, float z, const HRectF& clip, uint32_t colour, float scale,
                  const std::string& text);
    // Lines of text one below the other, from (x, y), `lineHeight` apart, clipped to clip:
    // all their glyphs in one draw, so a page of text costs what one label does.
    void DrawTextLines(float x, float y, float lineHeight, const HRectF& clip, uint32_t colour,
                       const std::vector<std::string>& lines);
    // Unscaled pixels: the sum of the glyph widths by the tallest glyph.
    HVec2F MeasureText(const std::string& text);

    Halvex::RenderCore::RenderDevice* GetDevice() const { return m_pRenderDevice.get(); }
    TextManager* GetTextManager() const { return m_pTextManager.get(); }
    const Halvex::MATH::Matrix4& GetProjection() const { return m_Projection; }

private:
    void LoadShaders();

    std::unique_ptr<Halvex::RenderCore::InputLayout> m_pInputLayout;
    std::unique_ptr<Halvex::RenderCore::ShaderProgram> m_pShaderProgram;
    std::unique_ptr<Halvex::RenderCore::VertexShader> m_pVertexShader;
    std::unique_ptr<Halvex::RenderCore::PixelShader> m_pPixelShader;
    Halvex::MATH::Matrix4 m_Projection;
    // x: textured; y: 0 for a one-channel float texture, whose channel shows as grey, else
    // 1; z, w: half a texel in u and v.
    float m_PixelConstant[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    Halvex::RenderCore::SamplerDesc m_Sampler;
    std::unique_ptr<TextManager> m_pTextManager;
    std::unique_ptr<Halvex::RenderCore::VideoDevice> m_pVideoDevice;
    std::unique_ptr<Halvex::RenderCore::RenderDevice> m_pRenderDevice;
    // Reused by every text draw and measurement, so text costs no allocation per frame.
    std::vector<const TextManager::CharInfo*> m_Glyphs;
    // The triangles of DrawTextLines, kept from call to call for the same reason.
    std::vector<UIVertex_t> m_TextVertices;
    bool m_InEventGroup = false;
};
