#pragma once
// What the alpha blend and alpha test lessons share: the plane model stood upright and the
// green they clear to, against which both transparency and its artefacts show.

#include <cstdint>

// The plane model lies flat; a turn of 3 pi / 2 about x stands it upright.
inline constexpr float PLANE_UPRIGHT = 4.71239f;
inline constexpr uint32_t ALPHA_BACKGROUND = 0xff80ff80;
