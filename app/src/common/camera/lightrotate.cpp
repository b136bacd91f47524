#include "common/camera/lightrotate.h"

#include "common/camera/camerabase.h"

LightRotate::LightRotate()
{
    m_TypeName = "Rotate";
}

void LightRotate::Update(float dt)
{
    m_Yaw += m_Speed.x * dt;
    m_Pitch += m_Speed.y * dt;
    m_Distance *= m_Speed.z * dt + 1.0f;
    m_Direction = DirectionFromAngles(m_Pitch, m_Yaw);
    m_Position = m_Target - m_Direction * m_Distance;
    LightBase::Update(dt);
}
