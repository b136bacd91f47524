#pragma once
// Small value vectors the camera, lights and lessons compute with (no heap, copied by value).
//
// Normalize follows one rule everywhere: a vector whose length is at or below FLT_EPSILON
// has no direction and becomes (0, 0, 0) rather than a vector of infinities.

#include "base/source/system/logger.h"

#include <cfloat>
#include <cmath>

namespace Halvex::MATH
{

template <typename T> struct Vector3
{
    static constexpr int N = 3;

    T x{};
    T y{};
    T z{};

    constexpr Vector3() = default;
    constexpr Vector3(T x_, T y_, T z_) : x(x_), y(y_), z(z_) {}

    // An index outside 0..2 asserts and falls back to x, so callers never touch foreign
    // memory.
    T& operator[](int i) { return *Component(this, i); }
    const T& operator[](int i) const { return *Component(this, i); }

    Vector3 operator-() const { return {-x, -y, -z}; }
    Vector3& operator+=(const Vector3& v)
    {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }
    Vector3& operator-=(const Vector3& v)
    {
        x -= v.x;
        y -= v.y;
        z -= v.z;
        return *this;
    }
    Vector3& operator*=(T s)
    {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }
    friend Vector3 operator+(Vector3 a, const Vector3& b) { return a += b; }
    friend Vector3 operator-(Vector3 a, const Vector3& b) { return a -= b; }
    friend Vector3 operator*(Vector3 v, T s) { return v *= s; }
    friend Vector3 operator*(T s, Vector3 v) { return v *= s; }
    friend bool operator==(const Vector3&, const Vector3&) = default;

private:
    template <typename Self> static auto Component(Self* self, int i) -> decltype(&self->x)
    {
        if (!HX_ASSERT(0 <= i && i < N))
        {
            return &self->x;
        }
        return i == 0 ? &self->x : i == 1 ? &self->y : &self->z;
    }
};

template <typename T> struct Vector4
{
    static constexpr int N = 4;

    T x{};
    T y{};
    T z{};
    T w{};

    constexpr Vector4() = default;
    constexpr Vector4(T x_, T y_, T z_, T w_) : x(x_), y(y_), z(z_), w(w_) {}
    constexpr Vector4(const Vector3<T>& v, T w_) : x(v.x), y(v.y), z(v.z), w(w_) {}

    T& operator[](int i) { return *Component(this, i); }
    const T& operator[](int i) const { return *Component(this, i); }

    constexpr Vector3<T> XYZ() const { return {x, y, z}; }
    friend bool operator==(const Vector4&, const Vector4&) = default;

private:
    template <typename Self> static auto Component(Self* self, int i) -> decltype(&self->x)
    {
        if (!HX_ASSERT(0 <= i && i < N))
        {
            return &self->x;
        }
        switch (i)
        {
        case 1:
            return &self->y;
        case 2:
            return &self->z;
        case 3:
            return &self->w;
        default:
            return &self->x;
        }
    }
};

using Vector3f = Vector3<float>;
using Vector4f = Vector4<float>;

template <typename T> T Dot(const Vector3<T>& a, const Vector3<T>& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

template <typename T> Vector3<T> Cross(const Vector3<T>& a, const Vector3<T>& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

template <typename T> T Length(const Vector3<T>& v)
{
    return std::sqrt(Dot(v, v));
}

template <typename T> Vector3<T> Normalize(const Vector3<T>& v)
{
    const T length = Length(v);
    if (length > static_cast<T>(FLT_EPSILON))
    {
        return v * (static_cast<T>(1) / length);
    }
    return {};
}

} // namespace Halvex::MATH
