#pragma once
// Render to a cube map: a small scene (a box around everything and two turning globes) is
// drawn six times per frame from the origin, once into each face of a 512 x 512 cube render
// target. The scene is then drawn into the window with a teapot in the middle that looks the
// cube map up, so it reflects (or refracts, by the slider) whatever moves around it.

#include "testcase/sceneobject.h"
#include "testcase/testcommon.h"

#include "rendercore/source/resource/texture.h"

#include <array>

class MySlider;

class RenderToCubeMap : public TestCommon
{
public:
    static constexpr int OBJECT_COUNT = 3;

    RenderToCubeMap();

    void Update(float dt) override;
    void Render(RenderImpl* pRenderer) override;
    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    Halvex::RenderCore::Texture& GetCubeTarget() { return m_CubeTarget; }
    Halvex::RenderCore::Texture& GetFallbackTexture() { return m_FallbackTexture; }
    SceneObject& GetSceneObject(int index) { return m_Objects[static_cast<std::size_t>(index)]; }
    MySlider* GetSlider() const { return m_pSlider; }

private:
    void RenderFaces(RenderImpl* pRenderer);
    void RenderFace(RenderImpl* pRenderer, int face);
    void RenderScene(RenderImpl* pRenderer);

    Halvex::RenderCore::Texture m_CubeTarget;
    Halvex::RenderCore::Texture m_FallbackTexture;
    bool m_FacePass = false;
    bool m_Reflective = false;
    Halvex::MATH::Matrix4 m_World;
    bool m_InvertedCull = false;
    // Belongs to the panel.
    MySlider* m_pSlider = nullptr;
    TestShader m_SceneShader;
    SimpleModel m_BoxModel;
    SimpleModel m_SphereModel;
    std::array<SceneObject, OBJECT_COUNT> m_Objects;
    // The observer camera as the user left it, while the face passes borrow it.
    CameraViewer m_SavedCamera;
    // Holds the window's colour surface while a face is bound.
    Halvex::RenderCore::Texture m_SavedTarget;
};
