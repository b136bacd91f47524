#include "common/render/texrenderproxybtn.h"

#include "gui/hpushbutton.h"

#include <algorithm>

using namespace Halvex::HGui;

namespace
{
enum ButtonState
{
    BUTTON_HOVER = 1,
    BUTTON_PRESSED = 2,
};

uint32_t Modulate(uint32_t a, uint32_t b)
{
    return std::min<uint32_t>(a * b / 255u, 255u);
}
} // namespace

HColor ModulateColor(const HColor& a, const HColor& b)
{
    return HColor(Modulate(a.r, b.r), Modulate(a.g, b.g), Modulate(a.b, b.b), Modulate(a.a, b.a));
}

TexRenderProxyBtn::TexRenderProxyBtn(const HColor& normal, const HColor& hover,
                                     const HColor& pressed, Halvex::RenderCore::Texture* pTexture)
    : TexRenderProxy(pTexture, 1.0f), m_Normal(normal), m_Hover(hover), m_Pressed(pressed),
      m_Current(normal)
{
}

int TexRenderProxyBtn::Render(void* pContext, HWidget* pWidget)
{
    const auto* pButton = dynamic_cast<const HPushButton*>(pWidget);
    if (!pButton)
    {
        return TexRenderProxy::Render(pContext, pWidget);
    }
    if (pButton->IsChecked())
    {
        m_Current = m_Pressed;
    }
    else
    {
        switch (pButton->GetState())
        {
        case BUTTON_HOVER:
            m_Current = m_Hover;
            break;
        case BUTTON_PRESSED:
            m_Current = m_Pressed;
            break;
        default:
            m_Current = m_Normal;
            break;
        }
    }
    // Drawn even when the product is all zero.
    return DrawWidget(pContext, pWidget, ModulateColor(pWidget->GetBackgroundColor(), m_Current));
}
