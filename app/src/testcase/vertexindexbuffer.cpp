#include "testcase/vertexindexbuffer.h"

#include "testcase/lessoncontrols.h"
#include "testcase/lessontexture.h"
#include "testcase/meshsampler.h"
#include "testcase/modellayout.h"

#include "common/model/binmodel.h"
#include "common/render/renderimpl.h"

#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <cstdint>

using namespace Halvex::RenderCore;

namespace
{

constexpr Bin_Vertex Corner(float x, float y, float u, float v)
{
    return {{x, y, 1.0f}, {0.0f, 0.0f, 1.0f}, 0xffffffff, {u, v}};
}

// The corners once each; the index list names the shared ones twice.
constexpr Bin_Vertex FOUR_VERTICES[] = {
    Corner(-0.5f, -0.5f, 0.0f, 1.0f),
    Corner(-0.5f, 0.5f, 0.0f, 0.0f),
    Corner(0.5f, 0.5f, 1.0f, 0.0f),
    Corner(0.5f, -0.5f, 1.0f, 1.0f),
};
constexpr uint16_t INDICES[] = {0, 1, 2, 2, 0, 3};
// The same two triangles spelled out, the shared corners repeated. The first is wound
// clockwise, the second counter-clockwise, so culling hides one of them.
constexpr Bin_Vertex SIX_VERTICES[] = {
    Corner(-0.5f, -0.5f, 0.0f, 1.0f), Corner(-0.5f, 0.5f, 0.0f, 0.0f),
    Corner(0.5f, 0.5f, 1.0f, 0.0f),   Corner(0.5f, 0.5f, 1.0f, 0.0f),
    Corner(-0.5f, -0.5f, 0.0f, 1.0f), Corner(0.5f, -0.5f, 1.0f, 1.0f),
};
constexpr int VERTEX_SIZE = static_cast<int>(sizeof(Bin_Vertex));
static_assert(VERTEX_SIZE == 36);
} // namespace

VertexIndexBuffer::VertexIndexBuffer()
{
    m_Layout.Load(MODEL_LAYOUT);
    m_Shader.Load("VertexIndexBuffer");
    m_FourVertices.Load(PT_TRIANGLE_LIST, FOUR_VERTICES, 4, VERTEX_SIZE, POOL_MANAGED);
    m_Indices.Load(INDICES, 6, static_cast<int>(sizeof(uint16_t)), POOL_MANAGED);
    m_SixVertices.Load(PT_TRIANGLE_LIST, SIX_VERTICES, 6, VERTEX_SIZE, POOL_MANAGED);
    LoadLessonTexture(m_Texture, "Data/_Tex_/panda.dds");
    m_UseIndex = false;

    m_pIndexButton = CreateToggleButton(GetPanel(), -10.0f, 10.0f, 24.0f, "S");
    m_pIndexButton->SetChecked(m_UseIndex);
}

void VertexIndexBuffer::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    m_UseIndex = m_pIndexButton->IsChecked();
    m_Shader.Begin();
    pDevice->SetTexture(SHADER_PIXEL, 0, &m_Texture, &MESH_SAMPLER);
    if (m_UseIndex)
    {
        pDevice->DrawIndexed(&m_Layout, &m_FourVertices, 0, 4, &m_Indices, 0,
                             m_Indices.GetIndexNum());
    }
    else
    {
        pDevice->DrawIndexed(&m_Layout, &m_SixVertices, 0, m_SixVertices.GetVertexNum(), nullptr, 0,
                             0);
    }
    m_Shader.End();
}
