#pragma once
// Shadow mapping with one orbiting light. Every frame the casters are drawn from the light
// into a 512 x 512 float target that keeps their light-space depth; then either the scene
// (the casters and a floor that compares its own light-space depth with the map) is drawn,
// or, with the "S" button checked, the map itself is shown in the bottom-right corner.
// The observer camera serves as the light camera during the depth pass; the user's eye,
// target and velocity are put back before the scene is drawn.

#include "testcase/testcommon.h"

#include "math/matrix4.h"
#include "math/vector.h"
#include "rendercore/source/resource/texture.h"

#include <array>

namespace Halvex::HGui
{
class HPushButton;
}

class ShadowMap : public TestCommon
{
public:
    static constexpr int SHADOW_SIZE = 512;
    // The scene program's light-space matrix, beside world-view-projection in c0-c3.
    static constexpr int LIGHT_MATRIX_REGISTER = 4;
    // The sampler of the map in the scene program.
    static constexpr int SHADOW_SAMPLER = 1;

    // One model that casts a shadow, turning about its axis.
    struct ShadowObject
    {
        Halvex::MATH::Vector3<float> m_Scale{0.1f, 0.1f, 0.1f};
        Halvex::MATH::Vector3<float> m_Position{0.0f, 0.5f, 0.0f};
        Halvex::MATH::Vector3<float> m_Axis{1.0f, 0.0f, 0.0f};
        float m_AngularSpeed = 0.0f; // radians per second
        float m_Angle = 0.0f;
        SimpleModel m_Model;

        Halvex::MATH::Matrix4 GetWorld() const;
    };

    ShadowMap();

    void Update(float dt) override;
    void Render(RenderImpl* pRenderer) override;
    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    Halvex::RenderCore::Texture* GetShadowTexture() { return &m_ShadowTexture; }
    TestShader& GetDepthShader() { return m_DepthShader; }
    const Halvex::MATH::Matrix4& GetLightViewProjection() const { return m_LightViewProjection; }
    Halvex::HGui::HPushButton* GetViewButton() const { return m_pViewButton; }

private:
    // What the depth pass borrows from the observer camera.
    struct SavedView
    {
        Halvex::MATH::Vector3<float> m_Eye;
        Halvex::MATH::Vector3<float> m_Target;
        Halvex::MATH::Vector3<float> m_Velocity;
    };

    void RenderShadowPass(RenderImpl* pRenderer);
    void RenderScene(RenderImpl* pRenderer, const SavedView& saved);
    void ShowShadowTexture(RenderImpl* pRenderer);
    void RenderCasters(RenderImpl* pRenderer);

    Halvex::RenderCore::Texture m_ShadowTexture;
    bool m_ShadowPass = false;
    bool m_Receiver = false;
    TestShader m_DepthShader;
    Halvex::MATH::Matrix4 m_World;
    Halvex::MATH::Matrix4 m_LightViewProjection;
    // Holds the window's target during the depth pass; empty between frames, and kept so
    // that the pass allocates nothing.
    Halvex::RenderCore::Texture m_SavedTarget;
    // Belongs to the panel.
    Halvex::HGui::HPushButton* m_pViewButton = nullptr;
    std::array<ShadowObject, 1> m_Casters;
};
