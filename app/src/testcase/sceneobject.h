#pragma once
// A model placed in a lesson's scene: scaled, turned about its own axis, then moved to its
// position. Objects with an angular speed keep turning as time passes.

#include "math/matrix4.h"
#include "math/vector.h"

class SimpleModel;

struct SceneObject
{
    Halvex::MATH::Vector3<float> m_Scale{1.0f, 1.0f, 1.0f};
    Halvex::MATH::Vector3<float> m_Position;
    Halvex::MATH::Vector3<float> m_Axis{1.0f, 0.0f, 0.0f};
    float m_AngularSpeed = 0.0f; // radians per second
    float m_Angle = 0.0f;        // radians
    const SimpleModel* m_pModel = nullptr;

    void Advance(float dt) { m_Angle += m_AngularSpeed * dt; }

    Halvex::MATH::Matrix4 GetWorld() const
    {
        using Halvex::MATH::Matrix4;
        return Matrix4::Scaling(m_Scale.x, m_Scale.y, m_Scale.z) *
               Matrix4::RotationAxis(m_Axis, m_Angle) * Matrix4::Translation(m_Position);
    }
};
