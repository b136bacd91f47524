#pragma once
// Small scene markers: the observed camera and the light, both pointing along +z.

#include "binmodel.h"

#include <vector>

namespace Halvex::Bake
{

// A profile point of a solid turned about the z axis: radius r at height z.
struct ProfilePoint
{
    float r;
    float z;
};

// Turns the profile (walked from the back, -z, to the front) about the z axis. Each profile
// segment becomes a band with its own normal, so corners stay sharp; a segment that reaches
// r = 0 closes the solid with a cap.
void AddLathe(Bin_Material& material, const std::vector<ProfilePoint>& profile, int slices,
              uint32_t colour);

// A movie camera about one unit long: body, two film reels and a lens facing +z.
BinModel MakeCameraModel();

// A translucent bulb with an arrow along +z (vertex alpha below 1: it is drawn blended).
BinModel MakeLightModel();

} // namespace Halvex::Bake
