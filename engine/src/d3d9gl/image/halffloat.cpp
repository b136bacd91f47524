#include "d3d9gl/image/halffloat.h"

#include <cstring>

namespace d3d9gl
{

float HalfToFloat(uint16_t half)
{
    uint32_t sign = uint32_t(half & 0x8000) << 16;
    uint32_t exponent = (half >> 10) & 0x1f;
    uint32_t mantissa = half & 0x3ff;
    uint32_t bits;
    if (exponent == 0x1f)
        bits = sign | 0x7f800000 | (mantissa << 13);
    else if (exponent != 0)
        bits = sign | ((exponent + 112) << 23) | (mantissa << 13);
    else if (mantissa == 0)
        bits = sign;
    else
    {
        // Subnormal half: normalise into the float's wider exponent range.
        exponent = 113;
        while ((mantissa & 0x400) == 0)
        {
            mantissa <<= 1;
            --exponent;
        }
        bits = sign | (exponent << 23) | ((mantissa & 0x3ff) << 13);
    }
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

uint16_t FloatToHalf(float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    uint16_t sign = uint16_t((bits >> 16) & 0x8000);
    uint32_t exponent = (bits >> 23) & 0xff;
    uint32_t mantissa = bits & 0x7fffff;
    if (exponent == 0xff)
        return uint16_t(sign | 0x7c00 | (mantissa ? 0x200 : 0));
    int halfExponent = int(exponent) - 112;
    if (halfExponent >= 0x1f)
        return uint16_t(sign | 0x7c00);
    if (halfExponent <= 0)
    {
        if (halfExponent < -10)
            return sign;
        // Subnormal half: shift in the implicit bit, then round to nearest even.
        mantissa |= 0x800000;
        uint32_t shift = uint32_t(14 - halfExponent);
        uint32_t result = mantissa >> shift;
        uint32_t remainder = mantissa & ((1u << shift) - 1);
        uint32_t halfway = 1u << (shift - 1);
        if (remainder > halfway || (remainder == halfway && (result & 1)))
            ++result;
        return uint16_t(sign | result);
    }
    uint32_t result = (uint32_t(halfExponent) << 10) | (mantissa >> 13);
    uint32_t remainder = mantissa & 0x1fff;
    // A carry out of the mantissa correctly bumps the exponent, up to infinity.
    if (remainder > 0x1000 || (remainder == 0x1000 && (result & 1)))
        ++result;
    return uint16_t(sign | result);
}

} // namespace d3d9gl
