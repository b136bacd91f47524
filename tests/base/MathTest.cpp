#include "math/matrix4.h"

#include <gtest/gtest.h>
#include <numbers>
#include <tuple>
#include <type_traits>

using namespace Halvex::MATH;
using Halvex::Base::DiagnosticCapture;

namespace
{
constexpr float PI = std::numbers::pi_v<float>;

// Element by element; the expected value may be written as a braced list.
template <class T>
void ExpectNear(const T& actual, const std::type_identity_t<T>& expected, float tolerance = 1e-5f)
{
    for (int i = 0; i < static_cast<int>(sizeof(T) / sizeof(float)); ++i)
    {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
    }
}
} // namespace

TEST(Vector, ProductsLengthNormalizeAndIndexOutsideRangeAsserts)
{
    EXPECT_FLOAT_EQ(Dot(Vector3f{1, 2, 3}, Vector3f{-4, 5, 0.5f}), 7.5f);
    EXPECT_EQ(Cross(Vector3f{1, 0, 0}, Vector3f{0, 1, 0}), (Vector3f{0, 0, 1}));
    EXPECT_FLOAT_EQ(Length(Vector3f{2, 3, 6}), 7.0f);
    ExpectNear(Normalize(Vector3f{0, 3, 4}), {0, 0.6f, 0.8f});
    EXPECT_EQ(Normalize(Vector3f{1e-8f, 0, 0}), (Vector3f{0, 0, 0})) << "below epsilon";

    DiagnosticCapture capture;
    Vector3f v{1.0f, 2.0f, 3.0f};
    EXPECT_EQ(std::tuple(v[2], Vector4f(1, 2, 3, 4)[3]), std::tuple(3.0f, 4.0f));
    EXPECT_TRUE(capture.Asserts().empty());
    // Outside the range: the first component, and an assertion each.
    EXPECT_EQ(std::tuple(v[3], v[-1]), std::tuple(1.0f, 1.0f));
    EXPECT_EQ(capture.Asserts().size(), 2u);
}

TEST(Matrix, BuildersMapPointsAsTheRowVectorConventionGives)
{
    const Matrix4 mirror = Matrix4::Reflection({0, 3, 0, -6}); // y = 2, unnormalised
    const Matrix4 side = Matrix4::LookAt({10, 0, 0}, {0, 0, 0}, {0, 1, 0});
    const Matrix4 perspective = Matrix4::Perspective(PI / 2, 2.0f, 1.0f, 11.0f);
    const Matrix4 ortho = Matrix4::Orthographic(8.0f, 4.0f, 1.0f, 5.0f);
    Matrix4 halving;
    halving[15] = 2.0f;
    const std::tuple<const char*, Matrix4, Vector3f, Vector3f> cases[] = {
        {"rotation x", Matrix4::RotationX(PI / 2), {0, 1, 0}, {0, 0, 1}},
        {"rotation y", Matrix4::RotationY(PI / 2), {0, 0, 1}, {1, 0, 0}},
        {"rotation z", Matrix4::RotationZ(PI / 2), {1, 0, 0}, {0, 1, 0}},
        {"axis +z, unnormalised", Matrix4::RotationAxis({0, 0, 2}, PI / 2), {1, 0, 0}, {0, 1, 0}},
        {"axis -x", Matrix4::RotationAxis({-3, 0, 0}, PI / 2), {0, 1, 0}, {0, 0, -1}},
        {"a third of a turn about the diagonal cycles the axes",
         Matrix4::RotationAxis({1, 1, 1}, 2 * PI / 3),
         {1, 0, 0},
         {0, 1, 0}},
        {"translation", Matrix4::Translation(1, 2, 3), {0, 0, 0}, {1, 2, 3}},
        {"translate, then rotate",
         Matrix4::Translation(1, 0, 0) * Matrix4::RotationZ(PI / 2),
         {0, 0, 0},
         {0, 1, 0}},
        {"mirror", mirror, {1, 5, -2}, {1, -1, -2}},
        {"point on the mirror", mirror, {4, 2, 7}, {4, 2, 7}},
        {"look at: the eye", side, {10, 0, 0}, {0, 0, 0}},
        {"look at: the target", side, {0, 0, 0}, {0, 0, -10}},
        {"look at: view x is world -z", side, {10, 0, -1}, {1, 0, 0}},
        {"look at: up", side, {10, 2, 0}, {0, 2, 0}},
        {"perspective near", perspective, {0, 0, -1}, {0, 0, 0}},
        {"perspective far", perspective, {0, 0, -11}, {0, 0, 1}},
        {"perspective near corner", perspective, {2, 1, -1}, {1, 1, 0}},
        {"orthographic near corner", ortho, {4, 2, -1}, {1, 1, 0}},
        {"orthographic far corner", ortho, {-4, -2, -5}, {-1, -1, 1}},
        {"divide by w", halving, {2, 4, 6}, {1, 2, 3}},
    };
    for (const auto& [name, m, in, out] : cases)
    {
        SCOPED_TRACE(name);
        ExpectNear(TransformCoord(in, m), out);
        const Vector4f row = Vector4f(in, 1.0f) * m;
        ExpectNear(Vector3f{row[0], row[1], row[2]} * (1.0f / row[3]), out);
    }
    ExpectNear(mirror * mirror, Matrix4::Identity());
    ExpectNear(Matrix4::LookAt({0, 0, 5}, {0, 0, 0}, {0, 1, 0}), Matrix4::Translation(0, 0, -5));
    EXPECT_EQ(Matrix4::RotationAxis({0, 0, 0}, 1.0f), Matrix4::Identity());
    ExpectNear(TransformNormal({2, 4, 6}, Matrix4::Translation(9, 9, 9)), {2, 4, 6});
}

TEST(Matrix, InverseRoundTripsAndSingularGivesIdentity)
{
    const Matrix4 a =
        Matrix4::Scaling(2.0f, 0.5f, 3.0f) * Matrix4::RotationAxis({1.0f, 2.0f, -1.0f}, 0.7f) *
        Matrix4::Translation(4.0f, -5.0f, 6.0f) * Matrix4::Perspective(1.0f, 1.5f, 0.5f, 40.0f);
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
