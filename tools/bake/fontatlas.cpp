#include "fontatlas.h"

#include <cmath>
#include <cstdio>

namespace Halvex::Bake
{
namespace
{

constexpr int ATLAS_WIDTH = 256;
constexpr int ATLAS_HEIGHT = 128;
constexpr int GAP = 1; // keeps linear filtering from reaching a neighbour's texels

} // namespace

FontAtlas BuildFontAtlas(const FontFace& face, float emPixels)
{
    FontAtlas result;
    result.atlas = Canvas(ATLAS_WIDTH, ATLAS_HEIGHT, Rgba{1.0f, 1.0f, 1.0f, 0.0f});
    const float scale = face.ScaleForEm(emPixels);
    const int ascent = face.Ascent(scale);
    result.lineHeight = ascent + face.Descent(scale);

    int x = GAP;
    int y = GAP;
    for (int code = ' '; code <= '~'; ++code)
    {
        const char c = static_cast<char>(code);
        const int advance = static_cast<int>(std::lround(face.Advance(c, scale)));
        if (x + advance + GAP > ATLAS_WIDTH)
        {
            x = GAP;
            y += result.lineHeight + GAP;
        }
        // Ink outside the cell (a few glyphs overhang their advance by a pixel) is cut.
        const GlyphBitmap glyph = face.Rasterize(c, scale, 0.0f);
        for (int row = 0; row < glyph.height; ++row)
        {
            for (int column = 0; column < glyph.width; ++column)
            {
                const int cx = glyph.left + column;
                const int cy = ascent + glyph.top + row;
                if (cx < 0 || cx >= advance || cy < 0 || cy >= result.lineHeight)
                {
                    continue;
                }
                const float cover =
                    static_cast<float>(
                        glyph.coverage[static_cast<size_t>(row * glyph.width + column)]) /
                    255.0f;
                result.atlas.Set(x + cx, y + cy, {1.0f, 1.0f, 1.0f, cover});
            }
        }
        char line[64];
        if (c == ' ')
        {
            std::snprintf(line, sizeof(line), " %d %d %d %d\n", x, y, advance, result.lineHeight);
        }
        else
        {
            std::snprintf(line, sizeof(line), "%c %d %d %d %d\n", c, x, y, advance,
                          result.lineHeight);
        }
        result.metrics += line;
        x += advance + GAP;
    }
    return result;
}

} // namespace Halvex::Bake
