#include "common/camera/lightbase.h"

#include "common/camera/angle.h"

#include <cmath>

using namespace Halvex::MATH;

LightBase::LightBase() : m_TypeName("Base") {}

void LightBase::SetLookAt(const Vector3& position, const Vector3& target)
{
    m_Position = position;
    m_Target = target;
    m_Direction = target - position;
    m_Distance = Length(m_Direction);
    m_Direction = Normalize(m_Direction);
    m_Pitch = SafeAsin(-m_Direction.y);
    m_Yaw = WrapAngle(std::atan2(m_Direction.x, m_Direction.z));
}
