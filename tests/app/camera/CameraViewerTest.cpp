#include "ChannelInput.h"

#include "common/camera/angle.h"
#include "common/camera/cameraviewer.h"
#include "common/camera/textsink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
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
        camera.SetLookAt({0, 0, 5}, {0, 0, 0}, {0, 1, 0});
        camera.SetDamping(0.9f, 0.9f, 0.7f);
        camera.SetPitchLimits(DEG * -80.0f, DEG * 80.0f);
        camera.SetDistanceLimits(1.0f, 100.0f);
    }

    // Frames at 60 Hz with the same input; the pitch never leaves its limits.
    void Frame(int dragX = 0, int dragY = 0, int zoom = 0, int frames = 1)
    {
        for (int i = 0; i < frames; ++i)
        {
            input.next[CAMERA_CHANNEL_DRAG_X] = dragX;
            input.next[CAMERA_CHANNEL_DRAG_Y] = dragY;
            input.next[CAMERA_CHANNEL_ZOOM] = zoom;
            input.Update(1.0f / 60.0f);
            camera.Update(1.0f / 60.0f, &input);
            EXPECT_LE(std::fabs(SignedPitch()), DEG * 80.0f + 1e-6f);
        }
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
    EXPECT_LE(Halvex::MATH::Length(a - b), tolerance)
        << "(" << a.x << ", " << a.y << ", " << a.z << ") against (" << b.x << ", " << b.y << ", "
        << b.z << ")";
}
} // namespace

// Dragged past a limit the pitch stops there; pushed across the circle in one frame it
// snaps to the nearer limit (0.005 rad per pixel: 600 px lands at 172 degrees, nearer +80
// than -80 at 280; 800 px at 229 degrees, nearer -80). Zoomed out the distance stops at
// its far limit.
TEST_F(LessonCamera, PitchAndDistanceNeverLeaveTheirLimits)
{
    Frame(0, 0, 2, 200);
    EXPECT_FLOAT_EQ(camera.GetDistance(), 100.0f);
    for (const auto& [drag, limit] : {std::pair{200, 80.0f}, std::pair{-200, -80.0f}})
    {
        Frame(0, drag, 0, 100);
        EXPECT_NEAR(SignedPitch(), DEG * limit, 1e-6f);
    }
    for (const auto& [pixels, limit] : {std::pair{600, 80.0f}, std::pair{800, -80.0f}})
    {
        camera.SetLookAt({0, 0, 5}, {0, 0, 0}, {0, 1, 0});
        Frame(0, pixels);
        EXPECT_NEAR(SignedPitch(), DEG * limit, 1e-6f) << pixels;
    }
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
}

// Looking straight down the roll is measured against z; an up along the view direction
// gives no roll instead of NaN. An orientation places the eye on its sphere, up rolled.
TEST(CameraBase, RollOfEachUpVectorAndOfAnOrientation)
{
    const std::tuple<Vector3, Vector3, float> cases[] = {
        {{0, 0, 5}, {0, 0, 1}, 0.0f},
        {{0, 5, 0}, {0, 0, 1}, 0.0f},
        {{0, 5, 0}, {0, 0, -1}, ANGLE_PI},
        {{0, 5, 0}, {1, 0, 0}, ANGLE_HALF_PI},
    };
    CameraBase camera;
    for (const auto& [eye, up, roll] : cases)
    {
        camera.SetLookAt(eye, {0, 0, 0}, up);
        EXPECT_FLOAT_EQ(camera.GetRoll(), roll) << eye.z << " " << up.x << " " << up.z;
    }
    EXPECT_FLOAT_EQ(camera.GetPitch(), ANGLE_HALF_PI); // looking straight down

    camera.SetLookAt({0, 2, 10}, {0, 0, 0}, {0, 1, 0});
    camera.SetOrientation(0.0f, ANGLE_PI, ANGLE_HALF_PI, 4.0f);
    ExpectNear(camera.GetEye(), {0, 0, 4});
    ExpectNear(Halvex::MATH::Normalize(camera.GetUp()), {1, 0, 0});
    EXPECT_NEAR(Halvex::MATH::Dot(camera.GetUp(), camera.GetDirection()), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(camera.GetRoll(), ANGLE_HALF_PI);
}

// The frustum describes the last projection; a copy takes projection and placement.
TEST(CameraBase, FrustumDescribesTheLastProjectionAndCopiesTakeIt)
{
    CameraViewer camera;
    EXPECT_EQ(camera.GetFrustum(), nullptr);
    camera.SetPerspective(DEG * 90.0f, 2.0f, 1.0f, 50.0f);
    const FrustumDesc_t* pFrustum = camera.GetFrustum();
    ASSERT_NE(pFrustum, nullptr);
    EXPECT_EQ(pFrustum->m_Perspective, 1);
    const float extents[] = {pFrustum->m_HalfExtentX,      pFrustum->m_HalfExtentY,
                             pFrustum->m_EdgeLengthX,      pFrustum->m_EdgeLengthY,
                             camera.GetProjection()(0, 0), camera.GetProjection()(2, 3)};
    const float expected[] = {2.0f, 1.0f, std::sqrt(5.0f), std::sqrt(2.0f), 0.5f, -1.0f};
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_NEAR(extents[i], expected[i], 1e-5f) << i;
    }

    camera.SetOrtho(8.0f, 4.0f, 0.5f, 20.0f);
    EXPECT_EQ((std::tuple{pFrustum->m_Perspective, pFrustum->m_HalfExtentX, pFrustum->m_HalfExtentY,
                          pFrustum->m_FovY, camera.GetProjection()(0, 0)}),
              (std::tuple{0, 4.0f, 2.0f, DEG * 90.0f, 0.25f}));

    camera.SetLookAt({3, 4, 5}, {1, 0, 0}, {0, 1, 0});
    CameraViewer copy;
    copy.CopyFrom(camera);
    EXPECT_EQ((std::tuple{copy.GetProjection(), copy.GetView(), copy.GetEye()}),
              (std::tuple{camera.GetProjection(), camera.GetView(), camera.GetEye()}));
    EXPECT_EQ(copy.GetFrustum()->m_Perspective, 0);
    EXPECT_NE(copy.GetFrustum(), camera.GetFrustum());
}

TEST(CameraBase, DrawInfoPrintsFiveWhiteLines)
{
    struct RecordingSink : TextSink
    {
        std::vector<std::string> lines;
        void PrintLine(float x, float y, uint32_t colour, const std::string& text) override
        {
            EXPECT_EQ((std::tuple{x, y, colour}), (std::tuple{0.0f, 0.0f, 0xFFFFFFFFu}));
            lines.push_back(text);
        }
    } sink;
    CameraViewer camera;
    camera.SetLookAt({0, 3, 4}, {0, 0, 0}, {0, 1, 0});
    camera.DrawInfo(&sink);
    camera.DrawInfo(nullptr);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{
                              "CameraType: Viewer", "Target:  0.00,  0.00,  0.00",
                              "Camera:  0.00,  3.00,  4.00", "Direct:  0.00, -0.60, -0.80",
                              "Y:  3.14, P:  0.64, D:  5.00"}));
}
