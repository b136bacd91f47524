#pragma once
// One textured square drawn either from six vertices or from four vertices and six 16-bit
// indices; the "S" button switches between the two and the picture stays the same.

#include "testcase/testbase.h"
#include "testcase/testshader.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"

namespace Halvex::HGui
{
class HPushButton;
}

class VertexIndexBuffer : public TestBase
{
public:
    VertexIndexBuffer();

    void Render(RenderImpl* pRenderer) override;

    bool IsUsingIndices() const { return m_UseIndex; }
    Halvex::HGui::HPushButton* GetIndexButton() const { return m_pIndexButton; }
    const Halvex::RenderCore::VertexBuffer& GetFourVertexBuffer() const { return m_FourVertices; }
    const Halvex::RenderCore::VertexBuffer& GetSixVertexBuffer() const { return m_SixVertices; }
    const Halvex::RenderCore::IndexBuffer& GetIndexBuffer() const { return m_Indices; }

private:
    Halvex::RenderCore::InputLayout m_Layout;
    TestShader m_Shader;
    Halvex::RenderCore::Texture m_Texture;
    Halvex::RenderCore::VertexBuffer m_FourVertices;
    Halvex::RenderCore::IndexBuffer m_Indices;
    Halvex::RenderCore::VertexBuffer m_SixVertices;
    bool m_UseIndex = false;
    // A child of the lesson panel.
    Halvex::HGui::HPushButton* m_pIndexButton = nullptr;
};
