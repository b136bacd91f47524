#pragma once
// A light that orbits its target at constant angular speeds (per second, so the orbit does
// not depend on the frame rate).

#include "common/camera/lightbase.h"

class LightRotate : public LightBase
{
public:
    LightRotate();

    void Update(float dt) override;

    void SetSpeed(float yawSpeed, float pitchSpeed)
    {
        m_Speed.x = yawSpeed;
        m_Speed.y = pitchSpeed;
    }
    // x yaw and y pitch in radians per second, z the distance growth rate per second.
    const Vector3& GetSpeed() const { return m_Speed; }
    void SetDistanceRate(float rate) { m_Speed.z = rate; }

private:
    Vector3 m_Speed;
};
