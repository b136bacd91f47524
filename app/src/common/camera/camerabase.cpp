#include "common/camera/camerabase.h"

#include "common/camera/angle.h"
#include "common/camera/textsink.h"

#include <cmath>
#include <cstdio>

using namespace Halvex::MATH;

namespace
{
constexpr uint32_t INFO_COLOUR = 0xFFFFFFFF;

std::string Format(const char* format, float a, float b, float c)
{
    char line[128];
    std::snprintf(line, sizeof(line), format, a, b, c);
    return line;
}
} // namespace

Vector3<float> DirectionFromAngles(float pitch, float yaw)
{
    return TransformNormal({0.0f, 0.0f, 1.0f},
                           Multiply(Matrix4::RotationX(pitch), Matrix4::RotationY(yaw)));
}

CameraBase::CameraBase() : m_TypeName("Base") {}

void CameraBase::CopyFrom(const CameraBase& other)
{
    if (const FrustumDesc_t* pFrustum = other.GetFrustum())
    {
        if (pFrustum->m_Perspective)
        {
            SetPerspective(pFrustum->m_FovY, pFrustum->m_Aspect, pFrustum->m_Near, pFrustum->m_Far);
        }
        else
        {
            SetOrtho(pFrustum->m_Width, pFrustum->m_Height, pFrustum->m_Near, pFrustum->m_Far);
        }
    }
    SetLookAt(other.m_Eye, other.m_Target, other.m_Up);
}

void CameraBase::SetLookAt(const Vector3& eye, const Vector3& target, const Vector3& up)
{
    m_Eye = eye;
    m_Target = target;
    m_Up = up;

    m_Direction = target - eye;
    m_Distance = Length(m_Direction);
    m_Direction = Normalize(m_Direction);
    m_Pitch = SafeAsin(-m_Direction.y);
    m_Yaw = WrapAngle(std::atan2(m_Direction.x, m_Direction.z));

    // Straight up or down the world up is parallel to the direction; take z instead.
    Vector3 referenceUp{0.0f, 1.0f, 0.0f};
    if (m_Direction.x == 0.0f && m_Direction.z == 0.0f)
    {
        referenceUp =
            m_Direction.y <= 0.0f ? Vector3{0.0f, 0.0f, 1.0f} : Vector3{0.0f, 0.0f, -1.0f};
    }
    const Vector3 right = Cross(m_Direction, referenceUp);
    const Vector3 up0 = Cross(right, m_Direction);
    const Vector3 upProjected = up - m_Direction * Dot(up, m_Direction);
    // An up vector along the direction has no roll to measure.
    const float upLength = Length(upProjected);
    const float up0Length = Length(up0);
    m_Roll = upLength > 0.0f && up0Length > 0.0f
                 ? SafeAcos(Dot(upProjected, up0) / upLength / up0Length)
                 : 0.0f;

    UpdateMatrices();
}

void CameraBase::SetPerspective(float fovY, float aspect, float zNear, float zFar)
{
    m_Projection = Matrix4::Perspective(fovY, aspect, zNear, zFar);
    FrustumDesc_t& frustum = Frustum();
    frustum.m_Perspective = 1;
    frustum.m_FovY = fovY;
    frustum.m_Aspect = aspect;
    frustum.m_Near = zNear;
    frustum.m_Far = zFar;
    frustum.m_HalfExtentY = std::tan(fovY / 2.0f);
    frustum.m_HalfExtentX = frustum.m_HalfExtentY * aspect;
    frustum.m_EdgeLengthX = std::sqrt(frustum.m_HalfExtentX * frustum.m_HalfExtentX + 1.0f);
    frustum.m_EdgeLengthY = std::sqrt(frustum.m_HalfExtentY * frustum.m_HalfExtentY + 1.0f);
}

void CameraBase::SetOrtho(float width, float height, float zNear, float zFar)
{
    m_Projection = Matrix4::Orthographic(width, height, zNear, zFar);
    FrustumDesc_t& frustum = Frustum();
    frustum.m_Perspective = 0;
    frustum.m_Width = width;
    frustum.m_Height = height;
    frustum.m_Near = zNear;
    frustum.m_Far = zFar;
    frustum.m_HalfExtentX = width / 2.0f;
    frustum.m_HalfExtentY = height / 2.0f;
}

void CameraBase::Update(float, InputBase*)
{
    UpdateMatrices();
}

void CameraBase::DrawInfo(TextSink* pSink) const
{
    if (!pSink)
    {
        return;
    }
    pSink->PrintLine(0.0f, 0.0f, INFO_COLOUR, "CameraType: " + m_TypeName);
    pSink->PrintLine(0.0f, 0.0f, INFO_COLOUR,
                     Format("Target: %5.2f, %5.2f, %5.2f", m_Target.x, m_Target.y, m_Target.z));
    pSink->PrintLine(0.0f, 0.0f, INFO_COLOUR,
                     Format("Camera: %5.2f, %5.2f, %5.2f", m_Eye.x, m_Eye.y, m_Eye.z));
    pSink->PrintLine(
        0.0f, 0.0f, INFO_COLOUR,
        Format("Direct: %5.2f, %5.2f, %5.2f", m_Direction.x, m_Direction.y, m_Direction.z));
    pSink->PrintLine(0.0f, 0.0f, INFO_COLOUR,
                     Format("Y: %5.2f, P: %5.2f, D: %5.2f", m_Yaw, m_Pitch, m_Distance));
}

void CameraBase::SetOrientation(float pitch, float yaw, float roll, float distance)
{
    m_Pitch = pitch;
    m_Yaw = yaw;
    m_Roll = roll;
    m_Distance = distance;
    m_Direction = DirectionFromAngles(pitch, yaw);
    m_Eye = m_Target - m_Direction * distance;
    m_Up = Cross(Cross(m_Direction, Vector3{std::sin(roll), std::cos(roll), 0.0f}), m_Direction);
    UpdateMatrices();
}

void CameraBase::UpdateMatrices()
{
    m_View = Matrix4::LookAt(m_Eye, m_Target, m_Up);
    m_Orientation = Multiply(Matrix4::RotationX(m_Pitch), Matrix4::RotationY(m_Yaw));
}

FrustumDesc_t& CameraBase::Frustum()
{
    if (!m_pFrustum)
    {
        m_pFrustum = std::make_shared<FrustumDesc_t>();
    }
    return *m_pFrustum;
}
