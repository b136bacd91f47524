#include "fontface.h"

#include <stb_truetype.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace Halvex::Bake
{

struct FontFace::Info
{
    stbtt_fontinfo font;
};

FontFace::FontFace() = default;
FontFace::~FontFace() = default;
FontFace::FontFace(FontFace&&) noexcept = default;
FontFace& FontFace::operator=(FontFace&&) noexcept = default;

bool FontFace::Load(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        return false;
    }
    m_File.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    auto pInfo = std::make_unique<Info>();
    if (m_File.empty() || !stbtt_InitFont(&pInfo->font, m_File.data(), 0))
    {
        return false;
    }
    m_pInfo = std::move(pInfo);
    return true;
}

float FontFace::ScaleForEm(float emPixels) const
{
    return stbtt_ScaleForMappingEmToPixels(&m_pInfo->font, emPixels);
}

int FontFace::Ascent(float scale) const
{
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&m_pInfo->font, &ascent, &descent, &gap);
    return static_cast<int>(std::ceil(static_cast<float>(ascent) * scale));
}

int FontFace::Descent(float scale) const
{
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&m_pInfo->font, &ascent, &descent, &gap);
    return static_cast<int>(std::ceil(static_cast<float>(-descent) * scale));
}

float FontFace::Advance(char c, float scale) const
{
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(&m_pInfo->font, static_cast<unsigned char>(c), &advance, &bearing);
    return static_cast<float>(advance) * scale;
}

GlyphBitmap FontFace::Rasterize(char c, float scale, float shiftX) const
{
    GlyphBitmap glyph;
    const int codepoint = static_cast<unsigned char>(c);
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetCodepointBitmapBoxSubpixel(&m_pInfo->font, codepoint, scale, scale, shiftX, 0.0f, &x0,
                                        &y0, &x1, &y1);
    glyph.width = x1 - x0;
    glyph.height = y1 - y0;
    glyph.left = x0;
    glyph.top = y0;
    if (glyph.width <= 0 || glyph.height <= 0)
    {
        glyph.width = glyph.height = 0;
        return glyph;
    }
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * static_cast<size_t>(glyph.height));
    stbtt_MakeCodepointBitmapSubpixel(&m_pInfo->font, glyph.coverage.data(), glyph.width,
                                      glyph.height, glyph.width, scale, scale, shiftX, 0.0f,
                                      codepoint);
    return glyph;
}

float FontFace::MeasureText(const std::string& text, float emPixels) const
{
    const float scale = ScaleForEm(emPixels);
    float width = 0.0f;
    for (char c : text)
    {
        width += Advance(c, scale);
    }
    return width;
}

void FontFace::DrawText(Canvas& canvas, const std::string& text, float x, float y, float emPixels,
                        const Rgba& colour) const
{
    const float scale = ScaleForEm(emPixels);
    const int baseline = static_cast<int>(std::lround(y));
    float pen = x;
    for (char c : text)
    {
        const float whole = std::floor(pen);
        const GlyphBitmap glyph = Rasterize(c, scale, pen - whole);
        for (int row = 0; row < glyph.height; ++row)
        {
            for (int column = 0; column < glyph.width; ++column)
            {
                const int px = static_cast<int>(whole) + glyph.left + column;
                const int py = baseline + glyph.top + row;
                const uint8_t cover =
                    glyph.coverage[static_cast<size_t>(row * glyph.width + column)];
                if (cover != 0 && px >= 0 && py >= 0 && px < canvas.Width() && py < canvas.Height())
                {
                    canvas.Set(
                        px, py,
                        Over(canvas.Get(px, py), colour, static_cast<float>(cover) / 255.0f));
                }
            }
        }
        pen += Advance(c, scale);
    }
}

} // namespace Halvex::Bake
