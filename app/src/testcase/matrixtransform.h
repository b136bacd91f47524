#pragma once
// The lesson on world, view and projection matrices. The drawing area right of the GUI
// column is split in two: the left half shows the scene through the lesson's own orbit
// camera together with a camera model and the frustum of a second, observed camera; the
// right half shows the scene through that observed camera. Sliders set the observed
// camera's angles, distance, field of view or orthographic scale and its clip planes; the
// "S" button switches its projection between perspective and orthographic.

#include "testcase/testcommon.h"

#include "math/matrix4.h"

#include <array>

namespace Halvex::HGui
{
class HPushButton;
}

class MySlider;

class MatrixTransform : public TestCommon
{
public:
    enum SliderIndex
    {
        SLIDER_PITCH,
        SLIDER_YAW,
        SLIDER_ROLL,
        SLIDER_DISTANCE,
        SLIDER_FOV,
        SLIDER_ORTHO_SCALE,
        SLIDER_NEAR,
        SLIDER_FAR,
        SLIDER_MAX
    };

    MatrixTransform();

    void Update(float dt) override;
    void Render(RenderImpl* pRenderer) override;
    // Sends world, view and projection of the current camera and the mesh texture.
    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    CameraViewer& GetObservedCamera() { return m_ObservedCamera; }
    const CameraBase* GetCurrentCamera() const { return m_pCurrentCamera; }
    bool IsPerspective() const { return m_Perspective; }
    MySlider* GetSlider(int index) const { return m_pSliders[index]; }
    Halvex::HGui::HPushButton* GetModeButton() const { return m_pModeButton; }
    const float* GetLeftViewport() const { return m_LeftViewport; }
    const float* GetRightViewport() const { return m_RightViewport; }

    // The 24 line-list corners of the observed camera's frustum, in its own view space.
    std::array<Halvex::MATH::Vector3<float>, 24> BuildFrustumLines() const;

private:
    void BuildGui();
    void OnModeClicked();
    void DrawObservedCamera(RenderImpl* pRenderer);
    void DrawScene(RenderImpl* pRenderer);
    float RightAspect() const { return m_RightViewport[2] / m_RightViewport[3]; }

    float m_LeftViewport[4] = {};
    float m_RightViewport[4] = {};
    Halvex::MATH::Matrix4 m_World;
    SimpleModel m_SphereModel;
    SimpleModel m_NightsModel;
    CameraViewer m_ObservedCamera;
    const CameraBase* m_pCurrentCamera = nullptr;
    bool m_Perspective = true;
    // Children of the lesson panel.
    Halvex::HGui::HPushButton* m_pModeButton = nullptr;
    MySlider* m_pSliders[SLIDER_MAX] = {};
};
