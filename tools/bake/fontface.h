#pragma once
// A TrueType font rasterised with stb_truetype: glyph coverage for the font atlas and text
// for labels painted into textures and the contact sheet.

#include "canvas.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvex::Bake
{

struct GlyphBitmap
{
    int width = 0;
    int height = 0;
    int left = 0; // offset of the bitmap from the pen, pixels
    int top = 0;  // offset of the bitmap's top row from the baseline (negative: above)
    std::vector<uint8_t> coverage;
};

class FontFace
{
public:
    FontFace();
    ~FontFace();
    FontFace(FontFace&&) noexcept;
    FontFace& operator=(FontFace&&) noexcept;
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Reads the font file; false when it cannot be read or parsed.
    bool Load(const std::string& path);

    // Pixels per font unit for an em of emPixels.
    float ScaleForEm(float emPixels) const;
    // Line metrics in pixels at the scale, each rounded up.
    int Ascent(float scale) const;
    int Descent(float scale) const;
    // Horizontal advance of a character, in unrounded pixels.
    float Advance(char c, float scale) const;

    // The character's coverage with the pen at a fractional x offset.
    GlyphBitmap Rasterize(char c, float scale, float shiftX) const;

    // Text width in pixels at the em size.
    float MeasureText(const std::string& text, float emPixels) const;

    // Paints text with its baseline starting at (x, y) pixels.
    void DrawText(Canvas& canvas, const std::string& text, float x, float y, float emPixels,
                  const Rgba& colour) const;

private:
    struct Info;
    std::vector<uint8_t> m_File; // the parsed font points into these bytes
    std::unique_ptr<Info> m_pInfo;
};

} // namespace Halvex::Bake
