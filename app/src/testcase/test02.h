#pragma once
// A textured unit sphere of 50 slices and bands of equal height, lit by an orbiting light
// and seen through its own orbit camera; the "Case" combo box picks one of three ways of
// shading it.

#include "testcase/testbase.h"
#include "testcase/testshader.h"

#include "common/camera/camerainput.h"
#include "common/camera/cameraviewer.h"
#include "common/camera/lightrotate.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"

namespace Halvex::RenderCore
{
class RenderDevice;
}

class MyComboBox;

class Test02 : public TestBase
{
public:
    Test02();
    // Disconnects the camera input from the application's input widget.
    ~Test02() override;

    void Update(float dt) override;
    void Render(RenderImpl* pRenderer) override;

    CameraViewer& GetCamera() { return m_Camera; }
    CameraInput& GetCameraInput() { return m_CameraInput; }
    LightRotate& GetLight() { return m_Light; }
    MyComboBox* GetCaseCombo() const { return m_pCaseCombo; }
    const Halvex::RenderCore::VertexBuffer& GetVertexBuffer() const { return m_VertexBuffer; }

private:
    void SendLight(Halvex::RenderCore::RenderDevice* pDevice);

    Halvex::RenderCore::InputLayout m_Layout;
    TestShader m_Shader;
    CameraViewer m_Camera;
    CameraInput m_CameraInput;
    LightRotate m_Light;
    Halvex::RenderCore::Texture m_Texture;
    Halvex::RenderCore::VertexBuffer m_VertexBuffer;
    // A child of the lesson panel.
    MyComboBox* m_pCaseCombo = nullptr;
    float m_Case[4] = {};
};
