#pragma once
// IEEE 754 binary16 conversion, as D3DFMT_R16F and friends store their channels.

#include <cstdint>

namespace d3d9gl
{

float HalfToFloat(uint16_t half);

// Rounds to nearest even; values beyond the half range become infinity, NaN stays NaN.
uint16_t FloatToHalf(float value);

} // namespace d3d9gl
