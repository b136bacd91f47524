#pragma once
// The common base of the 3D lessons: a vertex layout of the model vertex, a shader pair
// named after the lesson, one model, an orbit camera driven by the mouse over the window,
// and a rotating light. It draws its model mesh by mesh.

#include "testcase/testbase.h"
#include "testcase/testshader.h"

#include "common/camera/camerainput.h"
#include "common/camera/cameraviewer.h"
#include "common/camera/lightrotate.h"
#include "common/model/simplemodel.h"

#include "rendercore/source/common/inputlayout.h"

#include <string>

class TestCommon : public TestBase
{
public:
    TestCommon();
    // Disconnects the camera input from the application's input widget.
    ~TestCommon() override;

    void Update(float dt) override;
    void Render(RenderImpl* pRenderer) override;
    void ReloadShaders() override;
    virtual void RenderModel(RenderImpl* pRenderer, const SimpleModel* pModel);
    // Draws one mesh; lessons override it to set their constants and textures first.
    virtual void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh);

    Halvex::RenderCore::InputLayout& GetVertexLayout() { return m_VertexLayout; }
    TestShader& GetShader() { return m_Shader; }
    SimpleModel& GetModel() { return m_Model; }
    CameraViewer& GetCamera() { return m_Camera; }
    CameraInput& GetCameraInput() { return m_CameraInput; }
    LightRotate& GetLight() { return m_Light; }

protected:
    // Called by every derived lesson's constructor once its own members exist: loads the
    // layout and the shader pair "name", sets up the camera and connects its input.
    void Init(const std::string& name);
    // Loads the lesson's own model from the data folder (after Init); the camera's nearest
    // zoom then keeps the eye outside it.
    void LoadModel(const std::string& dataFile);

    Halvex::RenderCore::InputLayout m_VertexLayout;
    TestShader m_Shader;
    SimpleModel m_Model;
    CameraViewer m_Camera;
    CameraInput m_CameraInput;
    LightRotate m_Light;

private:
    // Lesson time since the shader files were last looked at.
    float m_WatchSeconds = 0.0f;
};
