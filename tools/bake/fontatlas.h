#pragma once
// The GUI's bitmap font: an atlas of white glyphs whose alpha is their coverage, and the
// metrics text that places each printable ASCII character in it.

#include "canvas.h"
#include "fontface.h"

#include <string>

namespace Halvex::Bake
{

struct FontAtlas
{
    Canvas atlas{1, 1, Rgba{}};
    // "c x y w h" per character 33-126, after the space's " x y w h"; LF line ends. Each
    // cell is the character's advance wide and one line high.
    std::string metrics;
    int lineHeight = 0;
};

FontAtlas BuildFontAtlas(const FontFace& face, float emPixels);

} // namespace Halvex::Bake
