#pragma once
// A light placed on a sphere around its target, with the colours lessons send to their
// shaders.

#include "math/vector.h"

#include <string>

class LightBase
{
public:
    using Vector3 = Halvex::MATH::Vector3<float>;
    using Vector4 = Halvex::MATH::Vector4<float>;

    LightBase();
    virtual ~LightBase() = default;

    virtual void SetLookAt(const Vector3& position, const Vector3& target);
    virtual void Update(float) {}

    const std::string& GetTypeName() const { return m_TypeName; }
    const Vector3& GetTarget() const { return m_Target; }
    void SetTarget(const Vector3& target) { m_Target = target; }
    const Vector3& GetPosition() const { return m_Position; }
    void SetPosition(const Vector3& position) { m_Position = position; }
    const Vector3& GetDirection() const { return m_Direction; }
    float GetPitch() const { return m_Pitch; }
    void SetPitch(float pitch) { m_Pitch = pitch; }
    float GetYaw() const { return m_Yaw; }
    void SetYaw(float yaw) { m_Yaw = yaw; }
    float GetDistance() const { return m_Distance; }
    void SetDistance(float distance) { m_Distance = distance; }

    const Vector4& GetDiffuse() const { return m_Diffuse; }
    void SetDiffuse(const Vector4& colour) { m_Diffuse = colour; }
    const Vector4& GetAmbient() const { return m_Ambient; }
    void SetAmbient(const Vector4& colour) { m_Ambient = colour; }
    // The fourth component carries the specular power.
    const Vector4& GetSpecular() const { return m_Specular; }
    void SetSpecular(const Vector4& colour) { m_Specular = colour; }

protected:
    std::string m_TypeName;
    Vector3 m_Target;
    Vector3 m_Position;
    Vector3 m_Direction;
    float m_Pitch = 0.0f;
    float m_Yaw = 0.0f;
    float m_Distance = 0.0f;
    Vector4 m_Diffuse{0.0f, 0.0f, 0.0f, 1.0f};
    Vector4 m_Ambient{0.0f, 0.0f, 0.0f, 1.0f};
    Vector4 m_Specular{0.0f, 0.0f, 0.0f, 1.0f};
};
