#pragma once
// 4x4 float matrix in the layout Direct3D 9 consumes: row-major, element (r, c) at 4r + c,
// points are row vectors multiplied on the left (p' = p * M), so the translation sits in
// elements 12, 13, 14. Projections are right-handed with depth 0..1. Trigonometry runs in
// double precision and is rounded to float.

#include "math/vector.h"

#include <cmath>

namespace Halvex::MATH
{

struct Matrix4
{
    // A matrix starts as the identity.
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    float& operator()(int r, int c) { return m[4 * r + c]; }
    float operator()(int r, int c) const { return m[4 * r + c]; }
    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }
    const float* Data() const { return m; }
    friend bool operator==(const Matrix4&, const Matrix4&) = default;

    static Matrix4 Identity() { return {}; }

    static Matrix4 Translation(float x, float y, float z)
    {
        Matrix4 r;
        r.m[12] = x;
        r.m[13] = y;
        r.m[14] = z;
        return r;
    }
    static Matrix4 Translation(const Vector3<float>& v) { return Translation(v.x, v.y, v.z); }

    static Matrix4 Scaling(float x, float y, float z)
    {
        Matrix4 r;
        r.m[0] = x;
        r.m[5] = y;
        r.m[10] = z;
        return r;
    }

    static Matrix4 RotationX(float a)
    {
        const float c = Cos(a), s = Sin(a);
        Matrix4 r;
        r.m[5] = c;
        r.m[6] = s;
        r.m[9] = -s;
        r.m[10] = c;
        return r;
    }

    static Matrix4 RotationY(float a)
    {
        const float c = Cos(a), s = Sin(a);
        Matrix4 r;
        r.m[0] = c;
        r.m[2] = -s;
        r.m[8] = s;
        r.m[10] = c;
        return r;
    }

    static Matrix4 RotationZ(float a)
    {
        const float c = Cos(a), s = Sin(a);
        Matrix4 r;
        r.m[0] = c;
        r.m[1] = s;
        r.m[4] = -s;
        r.m[5] = c;
        return r;
    }

    // Counter-clockwise when looking down the axis toward the origin, like RotationX/Y/Z.
    // The axis is normalised here; a zero axis gives the identity.
    static Matrix4 RotationAxis(const Vector3<float>& axis, float a)
    {
        const Vector3<float> n = Normalize(axis);
        if (n == Vector3<float>{})
        {
            return Identity();
        }
        const float c = Cos(a), s = Sin(a), t = 1.0f - c;
        Matrix4 r;
        r.m[0] = t * n.x * n.x + c;
        r.m[1] = t * n.x * n.y + s * n.z;
        r.m[2] = t * n.x * n.z - s * n.y;
        r.m[4] = t * n.x * n.y - s * n.z;
        r.m[5] = t * n.y * n.y + c;
        r.m[6] = t * n.y * n.z + s * n.x;
        r.m[8] = t * n.x * n.z + s * n.y;
        r.m[9] = t * n.y * n.z - s * n.x;
        r.m[10] = t * n.z * n.z + c;
        return r;
    }

    // Mirror through the plane a*x + b*y + c*z + d = 0 (the plane is normalised first; a
    // plane without a normal gives the identity).
    static Matrix4 Reflection(const Vector4<float>& plane)
    {
        const float length = Length(plane.XYZ());
        if (!(length > FLT_EPSILON))
        {
            return Identity();
        }
        const float n[4] = {plane.x / length, plane.y / length, plane.z / length, plane.w / length};
        Matrix4 r;
        for (int row = 0; row < 3; ++row)
        {
            for (int col = 0; col < 3; ++col)
            {
                r(row, col) -= 2.0f * n[row] * n[col];
            }
            r(3, row) = -2.0f * n[3] * n[row];
        }
        return r;
    }

    static Matrix4 LookAt(const Vector3<float>& eye, const Vector3<float>& target,
                          const Vector3<float>& up)
    {
        const Vector3<float> z = Normalize(eye - target);
        const Vector3<float> x = Normalize(Cross(up, z));
        const Vector3<float> y = Cross(z, x);
        Matrix4 r;
        r.m[0] = x.x;
        r.m[1] = y.x;
        r.m[2] = z.x;
        r.m[4] = x.y;
        r.m[5] = y.y;
        r.m[6] = z.y;
        r.m[8] = x.z;
        r.m[9] = y.z;
        r.m[10] = z.z;
        r.m[12] = -Dot(x, eye);
        r.m[13] = -Dot(y, eye);
        r.m[14] = -Dot(z, eye);
        return r;
    }

    static Matrix4 Perspective(float fovY, float aspect, float zn, float zf)
    {
        const float yScale = static_cast<float>(1.0 / std::tan(static_cast<double>(fovY) * 0.5));
        Matrix4 r;
        r.m[0] = yScale / aspect;
        r.m[5] = yScale;
        r.m[10] = zf / (zn - zf);
        r.m[11] = -1.0f;
        r.m[14] = zn * zf / (zn - zf);
        r.m[15] = 0.0f;
        return r;
    }

    static Matrix4 Orthographic(float w, float h, float zn, float zf)
    {
        Matrix4 r;
        r.m[0] = 2.0f / w;
        r.m[5] = 2.0f / h;
        r.m[10] = 1.0f / (zn - zf);
        r.m[14] = zn / (zn - zf);
        return r;
    }

private:
    static float Sin(float a) { return static_cast<float>(std::sin(static_cast<double>(a))); }
    static float Cos(float a) { return static_cast<float>(std::cos(static_cast<double>(a))); }
};

// C(r, c) = sum over k of A(r, k) * B(k, c): a row vector goes through A, then B.
inline Matrix4 Multiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 r;
    for (int row = 0; row < 4; ++row)
    {
        for (int col = 0; col < 4; ++col)
        {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
            {
                sum += a(row, k) * b(k, col);
            }
            r(row, col) = sum;
        }
    }
    return r;
}

inline Matrix4 operator*(const Matrix4& a, const Matrix4& b)
{
    return Multiply(a, b);
}

inline Matrix4 Transpose(const Matrix4& a)
{
    Matrix4 r;
    for (int row = 0; row < 4; ++row)
    {
        for (int col = 0; col < 4; ++col)
        {
            r(row, col) = a(col, row);
        }
    }
    return r;
}

// Inverse by cofactors. A matrix whose determinant is at most FLT_EPSILON in magnitude is
// treated as singular and gives the identity; pDeterminant (optional) receives it either way.
inline Matrix4 Inverse(const Matrix4& a, float* pDeterminant = nullptr)
{
    const float* m = a.m;
    float inv[16];
    inv[0] = m[5] * m[10] * m[15] - m[5] * m[11] * m[14] - m[9] * m[6] * m[15] +
             m[9] * m[7] * m[14] + m[13] * m[6] * m[11] - m[13] * m[7] * m[10];
    inv[4] = -m[4] * m[10] * m[15] + m[4] * m[11] * m[14] + m[8] * m[6] * m[15] -
             m[8] * m[7] * m[14] - m[12] * m[6] * m[11] + m[12] * m[7] * m[10];
    inv[8] = m[4] * m[9] * m[15] - m[4] * m[11] * m[13] - m[8] * m[5] * m[15] +
             m[8] * m[7] * m[13] + m[12] * m[5] * m[11] - m[12] * m[7] * m[9];
    inv[12] = -m[4] * m[9] * m[14] + m[4] * m[10] * m[13] + m[8] * m[5] * m[14] -
              m[8] * m[6] * m[13] - m[12] * m[5] * m[10] + m[12] * m[6] * m[9];
    inv[1] = -m[1] * m[10] * m[15] + m[1] * m[11] * m[14] + m[9] * m[2] * m[15] -
             m[9] * m[3] * m[14] - m[13] * m[2] * m[11] + m[13] * m[3] * m[10];
    inv[5] = m[0] * m[10] * m[15] - m[0] * m[11] * m[14] - m[8] * m[2] * m[15] +
             m[8] * m[3] * m[14] + m[12] * m[2] * m[11] - m[12] * m[3] * m[10];
    inv[9] = -m[0] * m[9] * m[15] + m[0] * m[11] * m[13] + m[8] * m[1] * m[15] -
             m[8] * m[3] * m[13] - m[12] * m[1] * m[11] + m[12] * m[3] * m[9];
    inv[13] = m[0] * m[9] * m[14] - m[0] * m[10] * m[13] - m[8] * m[1] * m[14] +
              m[8] * m[2] * m[13] + m[12] * m[1] * m[10] - m[12] * m[2] * m[9];
    inv[2] = m[1] * m[6] * m[15] - m[1] * m[7] * m[14] - m[5] * m[2] * m[15] + m[5] * m[3] * m[14] +
             m[13] * m[2] * m[7] - m[13] * m[3] * m[6];
    inv[6] = -m[0] * m[6] * m[15] + m[0] * m[7] * m[14] + m[4] * m[2] * m[15] -
             m[4] * m[3] * m[14] - m[12] * m[2] * m[7] + m[12] * m[3] * m[6];
    inv[10] = m[0] * m[5] * m[15] - m[0] * m[7] * m[13] - m[4] * m[1] * m[15] +
              m[4] * m[3] * m[13] + m[12] * m[1] * m[7] - m[12] * m[3] * m[5];
    inv[14] = -m[0] * m[5] * m[14] + m[0] * m[6] * m[13] + m[4] * m[1] * m[14] -
              m[4] * m[2] * m[13] - m[12] * m[1] * m[6] + m[12] * m[2] * m[5];
    inv[3] = -m[1] * m[6] * m[11] + m[1] * m[7] * m[10] + m[5] * m[2] * m[11] -
             m[5] * m[3] * m[10] - m[9] * m[2] * m[7] + m[9] * m[3] * m[6];
    inv[7] = m[0] * m[6] * m[11] - m[0] * m[7] * m[10] - m[4] * m[2] * m[11] + m[4] * m[3] * m[10] +
             m[8] * m[2] * m[7] - m[8] * m[3] * m[6];
    inv[11] = -m[0] * m[5] * m[11] + m[0] * m[7] * m[9] + m[4] * m[1] * m[11] - m[4] * m[3] * m[9] -
              m[8] * m[1] * m[7] + m[8] * m[3] * m[5];
    inv[15] = m[0] * m[5] * m[10] - m[0] * m[6] * m[9] - m[4] * m[1] * m[10] + m[4] * m[2] * m[9] +
              m[8] * m[1] * m[6] - m[8] * m[2] * m[5];

    const float det = m[0] * inv[0] + m[1] * inv[4] + m[2] * inv[8] + m[3] * inv[12];
    if (pDeterminant)
    {
        *pDeterminant = det;
    }
    if (!(std::fabs(det) > FLT_EPSILON))
    {
        return Matrix4::Identity();
    }
    Matrix4 r;
    const float invDet = 1.0f / det;
    for (int i = 0; i < 16; ++i)
    {
        r.m[i] = inv[i] * invDet;
    }
    return r;
}

// The row vector v times the matrix, with no divide.
inline Vector4<float> Transform(const Vector4<float>& v, const Matrix4& a)
{
    float r[4];
    for (int col = 0; col < 4; ++col)
    {
        r[col] = v.x * a(0, col) + v.y * a(1, col) + v.z * a(2, col) + v.w * a(3, col);
    }
    return {r[0], r[1], r[2], r[3]};
}

inline Vector4<float> operator*(const Vector4<float>& v, const Matrix4& a)
{
    return Transform(v, a);
}

// A point (w = 1) through the matrix, divided by the resulting w unless that w is zero.
inline Vector3<float> TransformCoord(const Vector3<float>& p, const Matrix4& a)
{
    const Vector4<float> r = Transform(Vector4<float>(p, 1.0f), a);
    if (r.w == 0.0f)
    {
        return r.XYZ();
    }
    return r.XYZ() * (1.0f / r.w);
}

// A direction (w = 0) through the matrix: the translation does not apply.
inline Vector3<float> TransformNormal(const Vector3<float>& v, const Matrix4& a)
{
    return Transform(Vector4<float>(v, 0.0f), a).XYZ();
}

} // namespace Halvex::MATH
