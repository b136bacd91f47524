#include "ChannelInput.h"

#include "common/camera/angle.h"
#include "common/camera/cameraviewer.h"
#include "common/camera/textsink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

using Vector3 = Halvex::MATH::Vector3<float>;

namespace
{
constexpr float DEG = DEGREE_TO_RADIAN;

// The camera as a lesson sets it up.
class LessonCamera : public testing::Test
{
protected:
    void SetUp() override
    {
        camera.SetPerspective(DEG * 60.0f, 16.0f / 9.0f, 0.1f, 10000.0f);
        camera.SetLookAt({0, 0, 5}, {0, 0, 0}, {0, 1, 0});
        camera.SetDamping(0.9f, 0.9f, 0.7f);
        camera.SetPitchLimits(DEG * -80.0f, DEG * 80.0f);
        camera.SetDistanceLimits(1.0f, 100.0f);
    }

    void Frame(int dragX = 0, int dragY = 0, int zoom = 0)
    {
        input.next[CAMERA_CHANNEL_DRAG_X] = dragX;
        input.next[CAMERA_CHANNEL_DRAG_Y] = dragY;
        input.next[CAMERA_CHANNEL_ZOOM] = zoom;
        input.Update(1.0f / 60.0f);
        camera.Update(1.0f / 60.0f, &input);
    }

    // Pitch is kept on the circle; this gives it back in (-π, π].
    float SignedPitch() const
    {
        const float p = camera.GetPitch();
        return p > ANGLE_PI ? p - ANGLE_TWO_PI : p;
    }

    CameraViewer camera;
    ChannelInput input;
};

void ExpectNear(const Vector3& a, const Vector3& b, float tolerance = 1e-5f)
{
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}
} // namespace

TEST_F(LessonCamera, LookAtAlongMinusZGivesYawPiAndUpdateReproducesTheEye)
{
    ExpectNear(camera.GetDirection(), {0, 0, -1});
    EXPECT_FLOAT_EQ(camera.GetDistance(), 5.0f);
    EXPECT_FLOAT_EQ(camera.GetPitch(), 0.0f);
    EXPECT_FLOAT_EQ(camera.GetYaw(), ANGLE_PI);
    EXPECT_FLOAT_EQ(camera.GetRoll(), 0.0f);

    Frame();
    ExpectNear(camera.GetEye(), {0, 0, 5});
    // The view matrix maps the eye to the origin and the target 5 units down -z.
    const Vector3 target = Halvex::MATH::TransformCoord({0, 0, 0}, camera.GetView());
    ExpectNear(target, {0, 0, -5});
}

TEST_F(LessonCamera, DragTurnsByTurnFactorAndCarriesOnWithDamping)
{
    Frame(10, 0);
    EXPECT_NEAR(camera.GetYaw(), ANGLE_PI - 0.05f, 1e-6f);
    Frame();
    EXPECT_NEAR(camera.GetYaw(), ANGLE_PI - 0.05f - 0.045f, 1e-6f);
    for (int i = 0; i < 300; ++i)
    {
        Frame();
    }
    // The whole turn is ten times the first step.
    EXPECT_NEAR(camera.GetYaw(), ANGLE_PI - 0.5f, 1e-4f);
    EXPECT_NEAR(camera.GetDistance(), 5.0f, 1e-4f);
}

TEST_F(LessonCamera, DragDownRaisesTheEyeToLookDown)
{
    Frame(0, 20);
    EXPECT_NEAR(SignedPitch(), 0.1f, 1e-6f);
    EXPECT_NEAR(camera.GetEye().y, 5.0f * std::sin(0.1f), 1e-5f);
    EXPECT_LT(camera.GetDirection().y, 0.0f);
}

// Dragged past a limit the pitch stops there; pushed across the circle in one frame it
// snaps to the nearer limit (0.005 rad per pixel: 600 px lands at 172 degrees, nearer +80
// than -80 at 280; 800 px at 229 degrees, nearer -80).
TEST_F(LessonCamera, PitchNeverLeavesItsLimits)
{
    for (int i = 0; i < 50; ++i)
    {
        Frame(0, 200);
        EXPECT_LE(SignedPitch(), DEG * 80.0f + 1e-6f);
    }
    EXPECT_FLOAT_EQ(SignedPitch(), DEG * 80.0f);
    for (int i = 0; i < 100; ++i)
    {
        Frame(0, -200);
        EXPECT_GE(SignedPitch(), DEG * -80.0f - 1e-6f);
    }
    EXPECT_NEAR(SignedPitch(), DEG * -80.0f, 1e-6f);
    const std::pair<int, float> pushes[] = {{600, 80.0f}, {800, -80.0f}};
    for (const auto& [pixels, limit] : pushes)
    {
        camera.SetLookAt({0, 0, 5}, {0, 0, 0}, {0, 1, 0});
        Frame(0, pixels);
        EXPECT_NEAR(SignedPitch(), DEG * limit, 1e-6f) << pixels;
    }
}

TEST_F(LessonCamera, DistanceIsHeldWithinLimitsWhileZoomSpeedDecays)
{
    for (int i = 0; i < 200; ++i)
    {
        Frame(0, 0, 2);
    }
    EXPECT_FLOAT_EQ(camera.GetDistance(), 100.0f);
    Frame();
    EXPECT_FLOAT_EQ(camera.GetDistance(), 100.0f);
    EXPECT_NEAR(camera.GetVelocity().z, 2.0f * 0.7f * 0.7f, 1e-6f);
    for (int i = 0; i < 200; ++i)
    {
        Frame(0, 0, -2);
    }
    EXPECT_FLOAT_EQ(camera.GetDistance(), 1.0f);
}

TEST_F(LessonCamera, WheelNotchScalesDistanceByFalloff)
{
    Frame(0, 0, -2);
    EXPECT_NEAR(camera.GetDistance(), 5.0f * 0.9f, 1e-5f);
    Frame();
    EXPECT_NEAR(camera.GetDistance(), 5.0f * 0.9f * 0.93f, 1e-5f);
}

TEST_F(LessonCamera, PanChannelsMoveTheTargetRelativeToYaw)
{
    input.next[CAMERA_CHANNEL_PAN_SIDE] = 1;
    input.Update(0.5f);
    camera.Update(0.5f, &input);
    // dt 0.5 x distance 5 x 0.5; yaw π turns +x into -x.
    ExpectNear(camera.GetTarget(), {-1.25f, 0, 0});
    ExpectNear(camera.GetEye() - camera.GetTarget(), {0, 0, 5});
}

// Without damping it turns only in frames with a drag; without input nothing moves, whatever
// its velocity; a new placement stops any motion.
TEST(CameraViewer, MovesOnlyWithInputAndStopsWhenPlaced)
{
    CameraViewer camera;
    camera.SetLookAt({0, 0, 5}, {0, 0, 0}, {0, 1, 0});
    ChannelInput input;
    input.next[CAMERA_CHANNEL_DRAG_X] = -20;
    for (int frame = 0; frame < 2; ++frame)
    {
        input.Update(0.016f);
        camera.Update(0.016f, &input);
        EXPECT_NEAR(camera.GetYaw(), ANGLE_PI + 0.1f, 1e-6f);
    }
    camera.SetLookAt({1, 2, 3}, {0, 0, 0}, {0, 1, 0});
    camera.SetVelocity({5, 5, 5});
    camera.Update(0.1f, nullptr);
    EXPECT_EQ(camera.GetEye(), Vector3(1, 2, 3));
    camera.SetLookAt({0, 0, 5}, {0, 0, 0}, {0, 1, 0});
    EXPECT_EQ(camera.GetVelocity(), Vector3());
    EXPECT_EQ(camera.GetTypeName(), "Viewer");
}

// Looking straight down the roll is measured against z; an up along the view direction
// gives no roll instead of NaN.
TEST(CameraBase, RollOfEachUpVector)
{
    const struct
    {
        Vector3 m_Eye;
        Vector3 m_Up;
        float m_Roll;
    } cases[] = {
        {{0, 5, 0}, {0, 0, 1}, 0.0f},
        {{0, 5, 0}, {0, 0, -1}, ANGLE_PI},
        {{0, 5, 0}, {1, 0, 0}, ANGLE_HALF_PI},
        {{0, 0, 5}, {0, 0, 1}, 0.0f},
    };
    CameraBase camera;
    for (const auto& c : cases)
    {
        camera.SetLookAt(c.m_Eye, {0, 0, 0}, c.m_Up);
        EXPECT_FLOAT_EQ(camera.GetRoll(), c.m_Roll) << &c - cases;
    }
    camera.SetLookAt({0, 5, 0}, {0, 0, 0}, {0, 0, 1});
    EXPECT_FLOAT_EQ(camera.GetPitch(), ANGLE_HALF_PI);
}

TEST(CameraBase, FrustumDescribesTheLastProjection)
{
    CameraBase camera;
    EXPECT_EQ(camera.GetFrustum(), nullptr);
    camera.SetPerspective(DEG * 90.0f, 2.0f, 1.0f, 50.0f);
    const FrustumDesc_t* pFrustum = camera.GetFrustum();
    ASSERT_NE(pFrustum, nullptr);
    EXPECT_EQ(pFrustum->m_Perspective, 1);
    EXPECT_NEAR(pFrustum->m_HalfExtentY, 1.0f, 1e-6f);
    EXPECT_NEAR(pFrustum->m_HalfExtentX, 2.0f, 1e-6f);
    EXPECT_NEAR(pFrustum->m_EdgeLengthX, std::sqrt(5.0f), 1e-5f);
    EXPECT_NEAR(pFrustum->m_EdgeLengthY, std::sqrt(2.0f), 1e-5f);
    EXPECT_NEAR(camera.GetProjection()(0, 0), 0.5f, 1e-6f);
    EXPECT_FLOAT_EQ(camera.GetProjection()(2, 3), -1.0f);

    camera.SetOrtho(8.0f, 4.0f, 0.5f, 20.0f);
    EXPECT_EQ(camera.GetFrustum(), pFrustum);
    EXPECT_EQ(pFrustum->m_Perspective, 0);
    EXPECT_FLOAT_EQ(pFrustum->m_HalfExtentX, 4.0f);
    EXPECT_FLOAT_EQ(pFrustum->m_HalfExtentY, 2.0f);
    EXPECT_FLOAT_EQ(pFrustum->m_FovY, DEG * 90.0f);
    EXPECT_FLOAT_EQ(camera.GetProjection()(0, 0), 0.25f);
}

TEST(CameraBase, CopyFromTakesProjectionAndPlacement)
{
    CameraViewer source;
    source.SetOrtho(8.0f, 4.0f, 0.5f, 20.0f);
    source.SetLookAt({3, 4, 5}, {1, 0, 0}, {0, 1, 0});
    CameraViewer copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.GetProjection(), source.GetProjection());
    EXPECT_EQ(copy.GetView(), source.GetView());
    EXPECT_EQ(copy.GetEye(), source.GetEye());
    EXPECT_EQ(copy.GetFrustum()->m_Perspective, 0);
    EXPECT_NE(copy.GetFrustum(), source.GetFrustum());
}

TEST(CameraBase, OrientationPlacesTheEyeOnItsSphereWithRolledUp)
{
    CameraBase camera;
    camera.SetLookAt({0, 2, 10}, {0, 0, 0}, {0, 1, 0});
    camera.SetOrientation(0.0f, ANGLE_PI, ANGLE_HALF_PI, 4.0f);
    ExpectNear(camera.GetEye(), {0, 0, 4});
    ExpectNear(Halvex::MATH::Normalize(camera.GetUp()), {1, 0, 0});
    EXPECT_NEAR(Halvex::MATH::Dot(camera.GetUp(), camera.GetDirection()), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(camera.GetRoll(), ANGLE_HALF_PI);
}

TEST(CameraBase, DrawInfoPrintsFiveWhiteLines)
{
    struct RecordingSink : TextSink
    {
        std::vector<std::string> lines;
        void PrintLine(float x, float y, uint32_t colour, const std::string& text) override
        {
            EXPECT_EQ(x, 0.0f);
            EXPECT_EQ(y, 0.0f);
            EXPECT_EQ(colour, 0xFFFFFFFFu);
            lines.push_back(text);
        }
    } sink;
    CameraViewer camera;
    camera.SetLookAt({0, 3, 4}, {0, 0, 0}, {0, 1, 0});
    camera.DrawInfo(&sink);
    camera.DrawInfo(nullptr);
    ASSERT_EQ(sink.lines.size(), 5u);
    EXPECT_EQ(sink.lines[0], "CameraType: Viewer");
    EXPECT_EQ(sink.lines[1], "Target:  0.00,  0.00,  0.00");
    EXPECT_EQ(sink.lines[2], "Camera:  0.00,  3.00,  4.00");
    EXPECT_EQ(sink.lines[3], "Direct:  0.00, -0.60, -0.80");
    EXPECT_EQ(sink.lines[4], "Y:  3.14, P:  0.64, D:  5.00");
}
