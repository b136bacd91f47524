#pragma once
// Draws a widget as a rectangle of its background colour, optionally textured, and its
// text in the bitmap font, through the RenderImpl passed as render context.

#include "gui/hrenderproxy.h"

namespace Halvex::RenderCore
{
class Texture;
}

class TexRenderProxy : public Halvex::HGui::HRenderProxy
{
public:
    // The texture is borrowed and may be null; scale applies to text.
    explicit TexRenderProxy(Halvex::RenderCore::Texture* pTexture = nullptr, float scale = 1.0f);

    // A widget whose background is all zero is not drawn (its text still is).
    int Render(void* pContext, Halvex::HGui::HWidget* pWidget) override;
    void RenderText(void* pContext, const std::string& text, const Halvex::HGui::HRectF& clipRect,
                    const Halvex::HGui::HRectF& textRect,
                    const Halvex::HGui::HColor& color) override;
    Halvex::HGui::HVec2F MeasureText(void* pContext, const std::string& text) override;

    Halvex::RenderCore::Texture* GetTexture() const { return m_pTexture; }
    float GetScale() const { return m_Scale; }

protected:
    // The widget's visible rect in colour, with texture coordinates of its full rect.
    int DrawWidget(void* pContext, Halvex::HGui::HWidget* pWidget,
                   const Halvex::HGui::HColor& colour);

private:
    Halvex::RenderCore::Texture* m_pTexture;
    float m_Scale;
};
