#pragma once
// A rectangle of one colour holding word-wrapped lines of the bitmap font: the lesson notes
// and the shader error. It takes no mouse input, so the camera under it still turns.

#include "gui/hwidget.h"

#include <string>
#include <vector>

class TextManager;

class TextPanel : public Halvex::HGui::HWidget
{
public:
    // Placed by `alignment` with offsets (x, y) in its parent, `width` wide. The font may be
    // null (no renderer): each paragraph is then one line.
    TextPanel(Halvex::HGui::HWidget* pParent, const TextManager* pFont, float x, float y,
              float width, const Halvex::HGui::HColor& background, unsigned alignment);

    // Wraps the text to the width inside the padding and makes the panel as tall as its
    // lines; empty text leaves a panel of no height, which draws nothing. The same text
    // again costs nothing, so a caller may set it every frame.
    void SetText(const std::string& text);
    std::string GetText() const override { return m_Text; }
    const std::vector<std::string>& GetLines() const { return m_Lines; }

    void OnRender(void* pContext) override;

private:
    const TextManager* m_pFont;
    float m_X;
    float m_Y;
    float m_Width;
    std::string m_Text;
    std::vector<std::string> m_Lines;
};
