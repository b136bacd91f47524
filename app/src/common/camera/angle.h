#pragma once
// Angle helpers shared by the orbit camera and the lights.

inline constexpr float ANGLE_PI = 3.1415927f;
inline constexpr float ANGLE_HALF_PI = 1.5707964f;
inline constexpr float ANGLE_TWO_PI = 6.2831855f;
inline constexpr float DEGREE_TO_RADIAN = 0.017453292f;

// The angle moved into [0, 2π).
float WrapAngle(float angle);

// asin and acos that answer the end of their range for arguments beyond ±1 instead of NaN,
// since normalised vectors can land a rounding step outside.
float SafeAsin(float x);
float SafeAcos(float x);

// Limits an angle to the arc from min to max (counter-clockwise, both taken on the circle).
// An angle in the arc comes back wrapped into [0, 2π); one in the gap snaps to the nearer end.
float ClampAngle(float angle, float min, float max);
