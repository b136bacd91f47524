#include "testcase/lessoncamera.h"

#include "main/lumivia.h"

#include "common/camera/angle.h"
#include "common/camera/cameraviewer.h"

void SetUpLessonCamera(CameraViewer& camera, float eyeDistance)
{
    camera.SetPerspective(DEGREE_TO_RADIAN * 60.0f, g_pApp->GetAspect(), 0.1f, 10000.0f);
    camera.SetLookAt({0.0f, 0.0f, eyeDistance}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    camera.SetDamping(0.9f, 0.9f, 0.7f);
    camera.SetPitchLimits(DEGREE_TO_RADIAN * -80.0f, DEGREE_TO_RADIAN * 80.0f);
    camera.SetDistanceLimits(1.0f, 100.0f);
}
