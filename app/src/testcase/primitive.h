#pragma once
// Six coloured vertices in clip space drawn as each of the six primitive types. The mouse
// drags the vertices (their 6-pixel handles are drawn on top); "Fill Mode" switches the
// triangle types to wireframe.

#include "testcase/testbase.h"
#include "testcase/testshader.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/resource/vertexbuffer.h"

#include <array>
#include <cstdint>

namespace Halvex::HGui
{
class HEvent;
class HPushButton;
} // namespace Halvex::HGui

class MyComboBox;

class Primitive : public TestBase
{
public:
    // Clip-space position and packed ARGB colour, 16 bytes.
    struct Vertex_t
    {
        float m_Position[3];
        uint32_t m_Color;
    };
    static constexpr int VERTEX_COUNT = 6;
    // A press within this many pixels of a vertex grabs it.
    static constexpr float GRAB_RADIUS = 8.0f;

    Primitive();
    // Removes the mouse connections on the application's input widget.
    ~Primitive() override;

    void Render(RenderImpl* pRenderer) override;

    const std::array<Vertex_t, VERTEX_COUNT>& GetVertices() const { return m_Vertices; }
    int GetGrabbed() const { return m_Grabbed; }
    const Halvex::RenderCore::VertexBuffer& GetVertexBuffer() const { return m_VertexBuffer; }
    MyComboBox* GetTypeCombo() const { return m_pTypeCombo; }
    Halvex::HGui::HPushButton* GetFillButton() const { return m_pFillButton; }

    // Window pixels of a clip-space position and back.
    static void ToScreen(float x, float y, float* pScreenX, float* pScreenY);
    static void ToClip(float screenX, float screenY, float* pX, float* pY);

private:
    void OnMouse(Halvex::HGui::HEvent* pEvent);
    void Grab(float mouseX, float mouseY);
    void MoveGrabbed(float mouseX, float mouseY);
    void RebuildBuffer();

    Halvex::RenderCore::InputLayout m_Layout;
    TestShader m_Shader;
    Halvex::RenderCore::VertexBuffer m_VertexBuffer;
    std::array<Vertex_t, VERTEX_COUNT> m_Vertices;
    int m_Grabbed = -1;
    float m_GrabOffset[2] = {};
    // Children of the lesson panel.
    Halvex::HGui::HPushButton* m_pFillButton = nullptr;
    MyComboBox* m_pTypeCombo = nullptr;
};
