#include "common/render/texrenderproxy.h"

#include "common/render/renderimpl.h"

#include "gui/hwidget.h"

using namespace Halvex::HGui;

TexRenderProxy::TexRenderProxy(Halvex::RenderCore::Texture* pTexture, float scale)
    : m_pTexture(pTexture), m_Scale(scale)
{
}

int TexRenderProxy::Render(void* pContext, HWidget* pWidget)
{
    const HColor& colour = pWidget->GetBackgroundColor();
    if (colour.IsZero())
    {
        return 1;
    }
    return DrawWidget(pContext, pWidget, colour);
}

int TexRenderProxy::DrawWidget(void* pContext, HWidget* pWidget, const HColor& colour)
{
    auto* pRenderer = static_cast<RenderImpl*>(pContext);
    if (m_pTexture)
    {
        return pRenderer->DrawRectPart(m_pTexture, pWidget->GetVisibleRect(), pWidget->GetRect(),
                                       colour);
    }
    return pRenderer->DrawRect(nullptr, pWidget->GetVisibleRect(), colour);
}

void TexRenderProxy::RenderText(void* pContext, const std::string& text, const HRectF& clipRect,
                                const HRectF& textRect, const HColor& color)
{
    if (clipRect.IsValid() && !color.IsZero())
    {
        static_cast<RenderImpl*>(pContext)->DrawTextInRect(clipRect, textRect, color, m_Scale,
                                                           text);
    }
}

HVec2F TexRenderProxy::MeasureText(void* pContext, const std::string& text)
{
    return static_cast<RenderImpl*>(pContext)->MeasureText(text) * m_Scale;
}
