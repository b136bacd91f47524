#include "math/matrix4.h"

#include <gtest/gtest.h>
#include <numbers>

using namespace Halvex::MATH;
using Halvex::Base::DiagnosticCapture;

namespace
{
constexpr float PI = std::numbers::pi_v<float>;
constexpr float TOLERANCE = 1e-5f;

void ExpectNear(const Vector4f& actual, const Vector4f& expected, float tolerance = TOLERANCE)
{
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
    }
}

void ExpectNear(const Vector3f& actual, const Vector3f& expected, float tolerance = TOLERANCE)
{
    ExpectNear(Vector4f(actual, 0.0f), Vector4f(expected, 0.0f), tolerance);
}

void ExpectNear(const Matrix4& actual, const Matrix4& expected)
{
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_NEAR(actual[i], expected[i], TOLERANCE) << "element " << i;
    }
}

Matrix4 SomeInvertibleMatrix()
{
    return Matrix4::Scaling(2.0f, 0.5f, 3.0f) * Matrix4::RotationAxis({1.0f, 2.0f, -1.0f}, 0.7f) *
           Matrix4::Translation(4.0f, -5.0f, 6.0f) * Matrix4::Perspective(1.0f, 1.5f, 0.5f, 40.0f);
}
} // namespace

TEST(Vector, IndexOutsideRangeAssertsAndStaysInside)
{
    DiagnosticCapture capture;
    Vector3f v{1.0f, 2.0f, 3.0f};
    EXPECT_EQ(v[2], 3.0f);
    EXPECT_TRUE(capture.Asserts().empty());
    EXPECT_EQ(v[3], 1.0f);
    EXPECT_EQ(v[-1], 1.0f);
    ASSERT_EQ(capture.Asserts().size(), 2u);
    EXPECT_EQ(capture.Asserts()[0].expression, "0 <= i && i < N");
    EXPECT_EQ(capture.Asserts()[0].source, "include/math/vector");
    EXPECT_EQ(Vector4f(1, 2, 3, 4)[3], 4.0f);
}

TEST(Vector, ProductsLengthAndNormalizeWithZeroBelowEpsilon)
{
    EXPECT_FLOAT_EQ(Dot(Vector3f{1, 2, 3}, Vector3f{-4, 5, 0.5f}), 7.5f);
    EXPECT_EQ(Cross(Vector3f{1, 0, 0}, Vector3f{0, 1, 0}), (Vector3f{0, 0, 1}));
    EXPECT_FLOAT_EQ(Length(Vector3f{2, 3, 6}), 7.0f);
    ExpectNear(Normalize(Vector3f{0, 3, 4}), {0, 0.6f, 0.8f});
    EXPECT_EQ(Normalize(Vector3f{1e-8f, 0, 0}), (Vector3f{0, 0, 0}));
    EXPECT_EQ(Normalize(Vector3f{}), (Vector3f{0, 0, 0}));
}

TEST(Matrix, RotationsAndTranslationsMapPoints)
{
    ExpectNear(Vector4f(1, 0, 0, 1) * Matrix4::RotationZ(PI / 2), {0, 1, 0, 1});
    ExpectNear(Vector4f(0, 0, 0, 1) * Matrix4::Translation(1, 2, 3), {1, 2, 3, 1});
    ExpectNear(Vector4f(0, 0, 0, 1) *
                   Multiply(Matrix4::Translation(1, 0, 0), Matrix4::RotationZ(PI / 2)),
               {0, 1, 0, 1});
    ExpectNear(Vector4f(0, 1, 0, 1) * Matrix4::RotationX(PI / 2), {0, 0, 1, 1});
    ExpectNear(Vector4f(0, 0, 1, 1) * Matrix4::RotationY(PI / 2), {1, 0, 0, 1});
}

TEST(Matrix, RotationAboutAxisMatchesAxisRotations)
{
    ExpectNear(Matrix4::RotationAxis({0, 0, 2}, 0.8f), Matrix4::RotationZ(0.8f));
    ExpectNear(Matrix4::RotationAxis({-3, 0, 0}, 0.8f), Matrix4::RotationX(-0.8f));
    // A third of a turn about the diagonal cycles the axes.
    ExpectNear(TransformNormal({1, 0, 0}, Matrix4::RotationAxis({1, 1, 1}, 2 * PI / 3)), {0, 1, 0});
    EXPECT_EQ(Matrix4::RotationAxis({0, 0, 0}, 1.0f), Matrix4::Identity());
}

TEST(Matrix, ReflectionMirrorsThroughPlane)
{
    // The plane y = 2, given unnormalised.
    const Matrix4 mirror = Matrix4::Reflection({0, 3, 0, -6});
    ExpectNear(TransformCoord({1, 5, -2}, mirror), {1, -1, -2});
    ExpectNear(TransformCoord({4, 2, 7}, mirror), {4, 2, 7});
    ExpectNear(mirror * mirror, Matrix4::Identity());
}

TEST(Matrix, InverseRoundTripsAndSingularGivesIdentity)
{
    const Matrix4 a = SomeInvertibleMatrix();
    float det = 0.0f;
    const Matrix4 inv = Inverse(a, &det);
    EXPECT_GT(std::fabs(det), 1e-3f);
    ExpectNear(a * inv, Matrix4::Identity());
    ExpectNear(inv * a, Matrix4::Identity());
    // The projective part costs a few digits on the way back.
    ExpectNear(TransformCoord(TransformCoord({0.3f, -2, 5}, a), inv), {0.3f, -2, 5}, 1e-4f);

    EXPECT_EQ(Inverse(Matrix4::Scaling(1, 1, 0)), Matrix4::Identity());
    // 0.00049^3 is below the float epsilon: treated as singular.
    EXPECT_EQ(Inverse(Matrix4::Scaling(0.00049f, 0.00049f, 0.00049f)), Matrix4::Identity());
    ExpectNear(Inverse(Matrix4::Scaling(0.5f, 0.5f, 0.5f)), Matrix4::Scaling(2, 2, 2));
}

TEST(Matrix, LookAtMovesEyeToOriginLookingDownNegativeZ)
{
    const Vector3f eye{0, 0, 5};
    const Matrix4 view = Matrix4::LookAt(eye, {0, 0, 0}, {0, 1, 0});
    ExpectNear(view, Matrix4::Translation(0, 0, -5));

    // Eye on +x looking at the origin: the view's x axis is world -z.
    const Matrix4 side = Matrix4::LookAt({10, 0, 0}, {0, 0, 0}, {0, 1, 0});
    ExpectNear(TransformCoord({10, 0, 0}, side), {0, 0, 0});
    ExpectNear(TransformCoord({0, 0, 0}, side), {0, 0, -10});
    ExpectNear(TransformCoord({10, 0, -1}, side), {1, 0, 0});
    ExpectNear(TransformCoord({10, 2, 0}, side), {0, 2, 0});
}

TEST(Matrix, ProjectionsMapNearAndFarToDepthZeroAndOne)
{
    const Matrix4 p = Matrix4::Perspective(PI / 2, 2.0f, 1.0f, 11.0f);
    EXPECT_NEAR(p[0], 0.5f, TOLERANCE);
    EXPECT_NEAR(p[5], 1.0f, TOLERANCE);
    EXPECT_FLOAT_EQ(p[10], -1.1f);
    EXPECT_EQ(p[11], -1.0f);
    EXPECT_FLOAT_EQ(p[14], -1.1f);
    EXPECT_EQ(p[15], 0.0f);
    ExpectNear(TransformCoord({0, 0, -1}, p), {0, 0, 0});
    ExpectNear(TransformCoord({0, 0, -11}, p), {0, 0, 1});
    // The top right corner of the near plane (x = aspect, y = 1 at 90 degrees).
    ExpectNear(TransformCoord({2, 1, -1}, p), {1, 1, 0});

    const Matrix4 o = Matrix4::Orthographic(8.0f, 4.0f, 1.0f, 5.0f);
    ExpectNear(TransformCoord({4, 2, -1}, o), {1, 1, 0});
    ExpectNear(TransformCoord({-4, -2, -5}, o), {-1, -1, 1});
}

TEST(Matrix, TransformCoordDividesByW)
{
    Matrix4 m;
    m[15] = 2.0f;
    ExpectNear(TransformCoord({2, 4, 6}, m), {1, 2, 3});
    ExpectNear(TransformNormal({2, 4, 6}, Matrix4::Translation(9, 9, 9)), {2, 4, 6});
}
