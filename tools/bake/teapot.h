#pragma once
// The showcase model: Newell's teapot tessellated from its Bezier patches.

#include "binmodel.h"

#include <array>

namespace Halvex::Bake
{

constexpr size_t TEAPOT_PATCH_COUNT = 32;
constexpr size_t TEAPOT_POINT_COUNT = 306;
using TeapotPatch = std::array<uint16_t, 16>; // control point indices, 4 rows of 4
using TeapotPoint = std::array<float, 3>;     // x, y, z with z up

extern const std::array<TeapotPatch, TEAPOT_PATCH_COUNT> TEAPOT_PATCHES;
extern const std::array<TeapotPoint, TEAPOT_POINT_COUNT> TEAPOT_POINTS;

// Spout towards +x, handle towards -x, y up; about 4 units from handle to spout and
// centred on the body's axis at the origin. Materials: "Body" and "Lid" carry the given
// texture (u once around the axis with the seam behind the handle, v from the lid's top
// down to the base), "Handle" and "Spout" are untextured gold.
Bin_Mesh MakeTeapot(int segments, const std::string& textureName);

} // namespace Halvex::Bake
