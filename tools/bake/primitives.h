#pragma once
// The lessons' basic shapes, centred at the origin.

#include "binmodel.h"

#include <array>

namespace Halvex::Bake
{

// A 2 x 2 quad in the x-z plane facing +y. Its texture stands upright when the quad is
// turned by 3 pi / 2 about x (v runs from +z down to -z).
void AddPlane(Bin_Material& material);

// Corner colours of one cube face, in the order of its quad (see AddCube).
using FaceColours = std::array<uint32_t, 4>;

// A cube of edge 2 with per-face normals; each face is split into n x n quads and shows its
// texture once, upright on the side faces as seen from outside. faceColours, when given,
// holds six faces' corner colours in the order +X, -X, +Y, -Y, +Z, -Z.
void AddCube(Bin_Material& material, int n, const std::array<FaceColours, 6>* pFaceColours);

// A UV sphere of the given radius; u runs once around (seam at -z), v from the north pole
// (+y) down.
void AddSphere(Bin_Material& material, float radius, int slices, int stacks, uint32_t colour);

} // namespace Halvex::Bake
