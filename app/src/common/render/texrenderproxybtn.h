#pragma once
// A push button's proxy: the background colour tinted by the colour of the button's state
// (normal, hover, pressed; pressed also while a checkable button is checked).

#include "common/render/texrenderproxy.h"

#include "gui/htypes.h"

class TexRenderProxyBtn : public TexRenderProxy
{
public:
    TexRenderProxyBtn(const Halvex::HGui::HColor& normal, const Halvex::HGui::HColor& hover,
                      const Halvex::HGui::HColor& pressed,
                      Halvex::RenderCore::Texture* pTexture = nullptr);

    int Render(void* pContext, Halvex::HGui::HWidget* pWidget) override;

    const Halvex::HGui::HColor& GetCurrentColor() const { return m_Current; }

private:
    Halvex::HGui::HColor m_Normal;
    Halvex::HGui::HColor m_Hover;
    Halvex::HGui::HColor m_Pressed;
    Halvex::HGui::HColor m_Current;
};

// Component-wise product of two colours, each (a * b) / 255.
Halvex::HGui::HColor ModulateColor(const Halvex::HGui::HColor& a, const Halvex::HGui::HColor& b);
