#pragma once
// A flat 50 x 50 grid of textured quads in clip space, animated by a running time value;
// the "Case" combo box picks one of three effects of its shader pair.

#include "testcase/testbase.h"
#include "testcase/testshader.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"

class MyComboBox;

class Test01 : public TestBase
{
public:
    Test01();

    void Update(float dt) override;
    void Render(RenderImpl* pRenderer) override;

    // Seconds the lesson has run; vertex register 0.
    float GetTime() const { return m_Time[0]; }
    MyComboBox* GetCaseCombo() const { return m_pCaseCombo; }
    const Halvex::RenderCore::VertexBuffer& GetVertexBuffer() const { return m_VertexBuffer; }

private:
    Halvex::RenderCore::InputLayout m_Layout;
    TestShader m_Shader;
    Halvex::RenderCore::Texture m_Texture;
    Halvex::RenderCore::VertexBuffer m_VertexBuffer;
    float m_Time[4] = {};
    // A child of the lesson panel.
    MyComboBox* m_pCaseCombo = nullptr;
    float m_Case[4] = {};
};
