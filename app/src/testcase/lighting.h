#pragma once
// Diffuse, ambient and specular lighting from one light orbiting the scene, computed per
// vertex or per pixel, from a point or a directional light. The light's own model is drawn
// blended at its position while the light is on.

#include "testcase/testcommon.h"

#include "math/matrix4.h"

namespace Halvex::HGui
{
class HPushButton;
}

class MySlider;

class Lighting : public TestCommon
{
public:
    // Registers 20-27 of the lighting programs: light diffuse, ambient, specular (w = power),
    // position (w = 1 point, 0 directional), three material colours, eye position.
    static constexpr int LIGHT_REGISTER = 20;
    // The world matrix of the lit programs, beside world-view-projection in c0-c3.
    static constexpr int WORLD_REGISTER = 4;

    Lighting();

    void Update(float dt) override;
    void Render(RenderImpl* pRenderer) override;
    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    TestShader& GetPerPixelShader() { return m_PerPixelShader; }
    TestShader& GetPerVertexShader() { return m_PerVertexShader; }
    Halvex::HGui::HPushButton* GetLightButton() const { return m_pLightButton; }
    Halvex::HGui::HPushButton* GetPointButton() const { return m_pPointButton; }
    Halvex::HGui::HPushButton* GetPerPixelButton() const { return m_pPerPixelButton; }
    MySlider* GetDiffuseSlider() const { return m_pDiffuseSlider; }
    MySlider* GetAmbientSlider() const { return m_pAmbientSlider; }
    MySlider* GetSpecularSlider() const { return m_pSpecularSlider; }
    MySlider* GetPowerSlider() const { return m_pPowerSlider; }
    bool IsLightOn() const { return m_LightOn; }
    bool IsPointLight() const { return m_PointLight; }
    bool IsPerPixel() const { return m_PerPixel; }

private:
    TestShader m_PerPixelShader;
    TestShader m_PerVertexShader;
    SimpleModel m_LightModel;
    SimpleModel m_NightsModel;
    Halvex::MATH::Matrix4 m_World;
    bool m_LightOn = false;
    bool m_PointLight = false;
    bool m_PerPixel = false;
    // The controls belong to the panel.
    Halvex::HGui::HPushButton* m_pLightButton = nullptr;
    Halvex::HGui::HPushButton* m_pPointButton = nullptr;
    Halvex::HGui::HPushButton* m_pPerPixelButton = nullptr;
    MySlider* m_pDiffuseSlider = nullptr;
    MySlider* m_pAmbientSlider = nullptr;
    MySlider* m_pSpecularSlider = nullptr;
    MySlider* m_pPowerSlider = nullptr;
};
