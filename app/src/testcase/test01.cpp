#include "testcase/test01.h"

#include "testcase/lessoncontrols.h"
#include "testcase/lessontexture.h"
#include "testcase/meshsampler.h"
#include "testcase/testcases.h"

#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"

#include "rendercore/source/renderdevice/renderdevice.h"

#include <vector>

using namespace Halvex::RenderCore;

namespace
{
const InputElementDesc_t GRID_LAYOUT[] = {
    {STREAM_0, 0, DECL_FLOAT3, METHOD_DEFAULT, USAGE_POSITION, 0},
    {STREAM_0, 12, DECL_FLOAT2, METHOD_DEFAULT, USAGE_TEXCOORD, 0},
    INPUT_ELEMENT_END,
};

struct GridVertex_t
{
    float m_Position[3];
    float m_TexCoord[2];
};
static_assert(sizeof(GridVertex_t) == 20);

constexpr int GRID_CELLS = 50;
constexpr int GRID_VERTICES = GRID_CELLS * GRID_CELLS * 6;
static_assert(GRID_VERTICES == 15000);

// Cells of 1/50 covering -0.5 ... 0.5 in x and y, the texture upright across the grid.
std::vector<GridVertex_t> BuildGrid()
{
    std::vector<GridVertex_t> vertices;
    vertices.reserve(GRID_VERTICES);
    const float cells = static_cast<float>(GRID_CELLS);
    for (int i = 0; i < GRID_CELLS; ++i)
    {
        for (int j = 0; j < GRID_CELLS; ++j)
        {
            for (const auto& corner : CELL_CORNERS)
            {
                const float a = static_cast<float>(i + corner[0]);
                const float b = static_cast<float>(j + corner[1]);
                vertices.push_back({{(a - 25.0f) / cells, (b - 25.0f) / cells, 0.0f},
                                    {a / cells, 1.0f - b / cells}});
            }
        }
    }
    return vertices;
}
} // namespace

Test01::Test01()
{
    m_Layout.Load(GRID_LAYOUT);
    m_Shader.Load("Test01");
    const std::vector<GridVertex_t> grid = BuildGrid();
    m_VertexBuffer.Load(PT_TRIANGLE_LIST, grid.data(), GRID_VERTICES,
                        static_cast<int>(sizeof(GridVertex_t)), POOL_MANAGED);
    LoadLessonTexture(m_Texture, "Data/_Tex_/panda.dds");
    m_pCaseCombo = CreateCaseCombo(GetPanel());
}

void Test01::Update(float dt)
{
    m_Time[0] += dt;
}

void Test01::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    m_Shader.Begin();
    pDevice->SetTexture(SHADER_PIXEL, 0, &m_Texture, &MESH_SAMPLER);
    pDevice->SetShaderConstantVector(SHADER_VERTEX, 0, m_Time);
    SendCase(pDevice, m_pCaseCombo, m_Case);
    pDevice->DrawIndexed(&m_Layout, &m_VertexBuffer, 0, GRID_VERTICES, nullptr, 0, 0);
    m_Shader.End();
}
