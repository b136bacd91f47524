#include "testcase/lessoncamera.h"

#include "main/lumivia.h"

#include "common/camera/angle.h"
#include "common/camera/cameraviewer.h"

#include <algorithm>

namespace
{
constexpr float NEAREST_ZOOM = 1.0f;
constexpr float FARTHEST_ZOOM = 100.0f;
// The corners of the near plane (0.1 ahead, 60 degrees high, at a 16:9 aspect) lie about 0.15
// from the eye.
constexpr float NEAR_CLEARANCE = 0.2f;
} // namespace

void SetUpLessonCamera(CameraViewer& camera, float eyeDistance)
{
    camera.SetPerspective(DEGREE_TO_RADIAN * 60.0f, g_pApp->GetAspect(), 0.1f, 10000.0f);
    camera.SetLookAt({0.0f, 0.0f, eyeDistance}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    camera.SetDamping(0.9f, 0.9f, 0.7f);
    camera.SetPitchLimits(DEGREE_TO_RADIAN * -80.0f, DEGREE_TO_RADIAN * 80.0f);
    camera.SetDistanceLimits(NEAREST_ZOOM, FARTHEST_ZOOM);
}

void KeepEyeOutside(CameraViewer& camera, float radius)
{
    camera.SetDistanceLimits(std::clamp(radius + NEAR_CLEARANCE, NEAREST_ZOOM, FARTHEST_ZOOM),
                             FARTHEST_ZOOM);
}
