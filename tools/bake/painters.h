#pragma once
// The pictures behind every texture the lessons load, painted from code.

#include "canvas.h"
#include "fontface.h"

#include <array>

namespace Halvex::Bake
{

// A panda with bamboo and a bow on one ear: nothing in it is symmetric, so mirrored or
// clamped addressing shows at a glance.
Canvas PaintPanda(int size);

// A six-armed snowflake on transparent white, its alpha soft at every edge.
Canvas PaintSnow(int size);

// A tree whose canopy's alpha falls from 255 to 0 over a wide leafy margin, so each alpha
// reference cuts a different outline; the trunk and the apples are opaque.
Canvas PaintTree(int size);

struct EarthMaps
{
    Canvas colour{1, 1, Rgba{}};
    Canvas night{1, 1, Rgba{}};
    Canvas normal{1, 1, Rgba{}};
    Canvas cloud{1, 1, Rgba{}};
};

// Four maps of one invented planet (longitude across, latitude down, u = 0.5 facing +z):
// day colours, city lights, a tangent-space normal map (Direct3D's green-down) and clouds
// whose alpha is their density.
EarthMaps PaintEarth(int width, int height);

// Sky, horizon and ground seen from the origin, one picture per face in Direct3D's order
// and orientation (+X, -X, +Y, -Y, +Z, -Z), each side with its own landmark and every face
// with its name.
std::array<Canvas, 6> PaintCubemap(int size, const FontFace& font);

// A tileable lattice wallpaper.
Canvas PaintWallpaper(int size);

// Blue-and-white bands for the teapot: the lid's rings at the top, the rim's band, a
// flowered body and the base band at the bottom; one turn around the pot across.
Canvas PaintPorcelain(int width, int height);

// The program's icon: a lit sphere on a floor grid, on a dark rounded tile with transparent
// corners.
Canvas PaintIcon(int size);

} // namespace Halvex::Bake
