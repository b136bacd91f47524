#include "common/camera/angle.h"

#include <cmath>

float WrapAngle(float angle)
{
    float r = std::fmod(angle, ANGLE_TWO_PI);
    if (r < 0.0f)
    {
        r += ANGLE_TWO_PI;
    }
    // A tiny negative angle plus 2 pi rounds up to 2 pi itself, outside [0, 2 pi).
    return r < ANGLE_TWO_PI ? r : 0.0f;
}

float SafeAsin(float x)
{
    if (x >= 1.0f)
    {
        return ANGLE_HALF_PI;
    }
    if (x <= -1.0f)
    {
        return -ANGLE_HALF_PI;
    }
    return std::asin(x);
}

float SafeAcos(float x)
{
    if (x >= 1.0f)
    {
        return 0.0f;
    }
    if (x <= -1.0f)
    {
        return ANGLE_PI;
    }
    return std::acos(x);
}

float ClampAngle(float angle, float min, float max)
{
    const float wrapped = WrapAngle(angle);
    const float range = WrapAngle(max - min);
    const float rel = WrapAngle(wrapped - min);
    if (rel <= range)
    {
        return wrapped;
    }
    return rel <= range / 2.0f + ANGLE_PI ? max : min;
}
