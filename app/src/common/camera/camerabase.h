#pragma once
// The camera state every lesson camera shares: placement by eye, target and up, the three
// angles and distance that describe it, and the view, projection and orientation matrices.
// Conventions are those of the right-handed D3DX 9 functions: row vectors, the camera looks
// down -z.

#include "math/matrix4.h"
#include "math/vector.h"

#include <memory>
#include <string>

class InputBase;
class TextSink;

// What the projection was built from. Fields the other projection kind sets keep their
// earlier values.
struct FrustumDesc_t
{
    int m_Perspective = 0;
    float m_HalfExtentX = 0.0f;
    float m_HalfExtentY = 0.0f;
    float m_EdgeLengthX = 0.0f; // sqrt(halfX² + 1), perspective only
    float m_EdgeLengthY = 0.0f; // sqrt(halfY² + 1), perspective only
    float m_FovY = 0.0f;
    float m_Aspect = 0.0f;
    float m_Near = 0.0f;
    float m_Far = 0.0f;
    float m_Width = 0.0f;
    float m_Height = 0.0f;
};

class CameraBase
{
public:
    using Vector3 = Halvex::MATH::Vector3<float>;
    using Matrix4 = Halvex::MATH::Matrix4;

    CameraBase();
    virtual ~CameraBase() = default;

    virtual void CopyFrom(const CameraBase& other);
    virtual void SetLookAt(const Vector3& eye, const Vector3& target, const Vector3& up);
    virtual void SetPerspective(float fovY, float aspect, float zNear, float zFar);
    virtual void SetOrtho(float width, float height, float zNear, float zFar);
    virtual void Update(float dt, InputBase* pInput);
    virtual void DrawInfo(TextSink* pSink) const;

    // Places the camera on its sphere around the target: the direction comes from pitch and
    // yaw, the up vector from roll.
    void SetOrientation(float pitch, float yaw, float roll, float distance);

    const std::string& GetTypeName() const { return m_TypeName; }
    const Matrix4& GetProjection() const { return m_Projection; }
    const Matrix4& GetView() const { return m_View; }
    const Matrix4& GetOrientation() const { return m_Orientation; }
    const Vector3& GetTarget() const { return m_Target; }
    const Vector3& GetEye() const { return m_Eye; }
    const Vector3& GetUp() const { return m_Up; }
    const Vector3& GetDirection() const { return m_Direction; }
    float GetPitch() const { return m_Pitch; }
    float GetYaw() const { return m_Yaw; }
    float GetRoll() const { return m_Roll; }
    float GetDistance() const { return m_Distance; }
    // Null until the first SetPerspective or SetOrtho.
    const FrustumDesc_t* GetFrustum() const { return m_pFrustum.get(); }

protected:
    void UpdateMatrices();
    FrustumDesc_t& Frustum();

    std::string m_TypeName;
    Matrix4 m_Projection;
    Matrix4 m_View;
    Matrix4 m_Orientation;
    Vector3 m_Target;
    Vector3 m_Eye;
    Vector3 m_Up;
    Vector3 m_Direction;
    float m_Pitch = 0.0f;
    float m_Yaw = 0.0f;
    float m_Roll = 0.0f;
    float m_Distance = 0.0f;
    std::shared_ptr<FrustumDesc_t> m_pFrustum;
};

// (0, 0, 1) turned by pitch about x, then by yaw about y.
Halvex::MATH::Vector3<float> DirectionFromAngles(float pitch, float yaw);
