#pragma once
// A widget with one line of text, measured and drawn through the render proxy.

#include "gui/hwidget.h"

#include <string>

namespace Halvex::HGui
{

class HLabel : public HWidget
{
public:
    explicit HLabel(HObject* pParent = nullptr);

    bool Inherits(const std::string& className) const override;
    std::string GetText() const override { return m_Text; }
    void OnRender(void* pContext) override;

    virtual void RenderText(void* pContext);
    virtual void UpdateTextLayout(void* pContext);
    // The text's box at the text offset, sized by the proxy ((0, 0) without one).
    virtual HRectF MeasureText(void* pContext);
    virtual HRectF GetTextLimitRect() { return m_VisibleRect; }

    void SetText(const std::string& text) { m_Text = text; }
    // printf-style; results of any length are kept whole.
    void SetText(const char* format, ...) __attribute__((format(printf, 2, 3)));
    const std::string& GetTextRef() const { return m_Text; }
    void SetTextColor(const HColor& color) { m_TextColor = color; }
    const HColor& GetTextColor() const { return m_TextColor; }
    void SetTextAlignment(unsigned alignment) { m_TextAlignment = alignment; }
    unsigned GetTextAlignment() const { return m_TextAlignment; }
    void SetTextOffset(const HVec2F& offset) { m_TextOffset = offset; }
    void SetClipText(bool clip) { m_ClipText = clip; }
    // Absolute; computed at each render.
    const HRectF& GetTextRect() const { return m_TextRect; }
    const HRectF& GetClipRect() const { return m_ClipRect; }

private:
    std::string m_Text;
    HRectF m_TextRect;
    HRectF m_ClipRect;
    bool m_ClipText = true;
    HColor m_TextColor{0xFF000000u};
    HVec2F m_TextOffset;
    unsigned m_TextAlignment = ALIGN_HCENTER | ALIGN_VCENTER;
};

} // namespace Halvex::HGui
