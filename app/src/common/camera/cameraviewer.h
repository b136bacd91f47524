#pragma once
// The orbit camera of the lessons: input channels turn it around its target, zoom it and
// pan the target; each motion keeps going and dies away by its damping factor per frame.

#include "common/camera/camerabase.h"

// The channels CameraViewer reads from its input.
enum CameraChannel
{
    CAMERA_CHANNEL_PAN_FORWARD = 0,
    CAMERA_CHANNEL_PAN_SIDE = 1,
    CAMERA_CHANNEL_PAN_UP = 2,
    CAMERA_CHANNEL_ZOOM = 3,
    CAMERA_CHANNEL_DRAG_X = 4,
    CAMERA_CHANNEL_DRAG_Y = 5,
    CAMERA_CHANNEL_MAX
};

class CameraViewer : public CameraBase
{
public:
    CameraViewer();

    void SetLookAt(const Vector3& eye, const Vector3& target, const Vector3& up) override;
    void Update(float dt, InputBase* pInput) override;

    // Per-frame factors for the yaw, pitch and zoom velocities.
    void SetDamping(float yaw, float pitch, float zoom) { m_Damping = {yaw, pitch, zoom}; }
    void SetPitchLimits(float min, float max)
    {
        m_MinPitch = min;
        m_MaxPitch = max;
    }
    void SetDistanceLimits(float min, float max)
    {
        m_MinDistance = min;
        m_MaxDistance = max;
    }
    void SetVelocity(const Vector3& velocity) { m_Velocity = velocity; }
    const Vector3& GetVelocity() const { return m_Velocity; }

private:
    Vector3 m_Damping;
    Vector3 m_Velocity; // x yaw, y pitch, z zoom
    float m_MaxPitch;
    float m_MinPitch;
    float m_MinDistance;
    float m_MaxDistance;
};
