#include "common/camera/cameraviewer.h"

#include "common/camera/angle.h"
#include "common/camera/inputbase.h"

#include <cfloat>

using namespace Halvex::MATH;

namespace
{
constexpr float TURN_PER_PIXEL = 0.005f;
constexpr float ZOOM_PER_STEP = 0.05f;
constexpr float PAN_FACTOR = 0.5f;
} // namespace

CameraViewer::CameraViewer()
    : m_MaxPitch(DEGREE_TO_RADIAN * 80.0f), m_MinPitch(DEGREE_TO_RADIAN * -80.0f),
      m_MinDistance(1.0f), m_MaxDistance(FLT_MAX)
{
    m_TypeName = "Viewer";
}

void CameraViewer::SetLookAt(const Vector3& eye, const Vector3& target, const Vector3& up)
{
    CameraBase::SetLookAt(eye, target, up);
    m_Velocity = {};
}

void CameraViewer::Update(float dt, InputBase* pInput)
{
    if (!pInput)
    {
        return;
    }
    const int dragX = pInput->GetValue(CAMERA_CHANNEL_DRAG_X);
    const int dragY = pInput->GetValue(CAMERA_CHANNEL_DRAG_Y);
    if (dragX != 0 || dragY != 0)
    {
        m_Velocity.x = static_cast<float>(-dragX);
        m_Velocity.y = static_cast<float>(dragY);
    }
    // Turning is per frame, not per second: a drag is already a per-frame quantity.
    m_Yaw += m_Velocity.x * TURN_PER_PIXEL;
    m_Pitch += m_Velocity.y * TURN_PER_PIXEL;
    m_Pitch = ClampAngle(m_Pitch, m_MinPitch, m_MaxPitch);

    if (const int zoom = pInput->GetValue(CAMERA_CHANNEL_ZOOM))
    {
        m_Velocity.z = static_cast<float>(zoom);
    }
    m_Distance *= m_Velocity.z * ZOOM_PER_STEP + 1.0f;
    if (m_Distance < m_MinDistance)
    {
        m_Distance = m_MinDistance;
    }
    else if (m_Distance > m_MaxDistance)
    {
        m_Distance = m_MaxDistance;
    }

    const Vector3 pan = Vector3{static_cast<float>(pInput->GetValue(CAMERA_CHANNEL_PAN_SIDE)),
                                static_cast<float>(pInput->GetValue(CAMERA_CHANNEL_PAN_UP)),
                                static_cast<float>(pInput->GetValue(CAMERA_CHANNEL_PAN_FORWARD))} *
                        (dt * m_Distance * PAN_FACTOR);
    m_Target += TransformNormal(pan, Matrix4::RotationY(m_Yaw));

    m_Direction = DirectionFromAngles(m_Pitch, m_Yaw);
    m_Eye = m_Target - m_Direction * m_Distance;

    m_Velocity.x *= m_Damping.x;
    m_Velocity.y *= m_Damping.y;
    m_Velocity.z *= m_Damping.z;

    CameraBase::Update(dt, pInput);
}
