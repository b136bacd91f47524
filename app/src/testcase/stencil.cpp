#include "testcase/stencil.h"

#include "testcase/datapath.h"
#include "testcase/lessoncontrols.h"
#include "testcase/lessontexture.h"
#include "testcase/meshsampler.h"

#include "common/model/binmodel.h"
#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"

#include "rendercore/source/renderdevice/renderdevice.h"

#include <array>

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;
using Halvex::MATH::Vector4;

namespace
{
enum StencilCase
{
    CASE_EQUAL,
    CASE_NOT_EQUAL,
    CASE_REFLECTION,
};

// A clip-space quad over the middle 60 % of each axis in two columns, u running across it
// and the colour going red, green, blue from left to right. Every Stencil lesson of the
// process shares it; it is built the first time a mask case is drawn.
const std::array<Bin_Vertex, 6>& MaskQuad()
{
    static const std::array<Bin_Vertex, 6> QUAD = {{
        {{-0.6f, -0.6f, 0.0f}, {0.0f, 0.0f, 1.0f}, 0xffff0000, {0.0f, 1.0f}},
        {{-0.6f, 0.6f, 0.0f}, {0.0f, 0.0f, 1.0f}, 0xffff0000, {0.0f, 0.0f}},
        {{0.0f, -0.6f, 0.0f}, {0.0f, 0.0f, 1.0f}, 0xff00ff00, {0.5f, 1.0f}},
        {{0.0f, 0.6f, 0.0f}, {0.0f, 0.0f, 1.0f}, 0xff00ff00, {0.5f, 0.0f}},
        {{0.6f, -0.6f, 0.0f}, {0.0f, 0.0f, 1.0f}, 0xff0000ff, {1.0f, 1.0f}},
        {{0.6f, 0.6f, 0.0f}, {0.0f, 0.0f, 1.0f}, 0xff0000ff, {1.0f, 0.0f}},
    }};
    return QUAD;
}
} // namespace

Stencil::Stencil()
{
    Init("Stencil");
    LoadLessonTexture(m_FontTexture, "Data/Font/ASCII_1.dds");
    m_Floor.Load(GetDataPath("Data/plane.bin"));
    m_Cube.Load(GetDataPath("Data/cube.bin"));
    m_Camera.SetLookAt({0.0f, 2.0f, 3.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    m_pCaseCombo = CreateCaseCombo(GetPanel());
}

void Stencil::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    m_Shader.Begin();
    switch (m_pCaseCombo->GetSelectedIndex())
    {
    case CASE_EQUAL:
        RenderMaskCase(pDevice, CMP_EQUAL);
        break;
    case CASE_NOT_EQUAL:
        RenderMaskCase(pDevice, CMP_NOT_EQUAL);
        break;
    case CASE_REFLECTION:
        RenderReflectionCase(pRenderer);
        break;
    default:
        break;
    }
    m_Shader.End();
    // The next lesson finds the stencil states as this one found them (the operations on
    // failure and the masks are never changed from their defaults).
    pDevice->SetRenderState(RS_STENCIL_ENABLE, 0);
    pDevice->SetRenderState(RS_STENCIL_FUNC, CMP_ALWAYS);
    pDevice->SetRenderState(RS_STENCIL_PASS, STENCIL_OP_KEEP);
    pDevice->SetRenderState(RS_STENCIL_REF, 0);
}

void Stencil::RenderMaskCase(RenderDevice* pDevice, CompareFunc func)
{
    const std::array<Bin_Vertex, 6>& quad = MaskQuad();
    WriteOnesToStencil(pDevice);
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, Matrix4::Identity().Data());

    // The program discards the texels outside the letters, so only letters reach the
    // stencil; colour writes stay on, so the mask itself shows where the second pass
    // leaves it.
    SendColor(pDevice, 1.0f, 1.0f, 1.0f, 1.0f);
    pDevice->SetTexture(SHADER_PIXEL, 0, &m_FontTexture, &MESH_SAMPLER);
    pDevice->DrawUser(&m_VertexLayout, PT_TRIANGLE_STRIP, 4, quad.data(), sizeof(Bin_Vertex), 1);

    pDevice->SetRenderState(RS_STENCIL_PASS, STENCIL_OP_KEEP);
    pDevice->SetRenderState(RS_STENCIL_REF, 1);
    pDevice->SetRenderState(RS_STENCIL_FUNC, func);
    SendColor(pDevice, 1.0f, 1.0f, 1.0f, 0.0f);
    pDevice->SetTexture(SHADER_PIXEL, 0, nullptr, &MESH_SAMPLER);
    pDevice->DrawUser(&m_VertexLayout, PT_TRIANGLE_STRIP, 4, quad.data(), sizeof(Bin_Vertex), 1);
}

void Stencil::RenderReflectionCase(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    const Matrix4 cubeWorld = Matrix4::Scaling(0.3f, 0.3f, 0.3f) * Matrix4::RotationY(0.5f) *
                              Matrix4::Translation(0.0f, 1.0f, 0.0f);
    SendWorldViewProjection(pDevice, cubeWorld);
    SendColor(pDevice, 1.0f, 1.0f, 1.0f, 0.0f);
    RenderModel(pRenderer, &m_Cube);

    // The floor marks its pixels in the stencil without hiding what lies below it.
    WriteOnesToStencil(pDevice);
    pDevice->SetRenderState(RS_Z_WRITE_ENABLE, 0);
    SendWorldViewProjection(pDevice, Matrix4::Identity());
    SendColor(pDevice, 0.3f, 0.3f, 0.3f, 0.0f);
    RenderModel(pRenderer, &m_Floor);
    pDevice->SetRenderState(RS_Z_WRITE_ENABLE, 1);
    pDevice->SetRenderState(RS_STENCIL_FUNC, CMP_EQUAL);

    // The mirror image only where the floor is.
    const Matrix4 mirror = Matrix4::Reflection(Vector4<float>(0.0f, 1.0f, 0.0f, 0.0f));
    SendWorldViewProjection(pDevice, cubeWorld * mirror);
    SendColor(pDevice, 1.0f, 1.0f, 1.0f, 0.0f);
    RenderModel(pRenderer, &m_Cube);
}

void Stencil::SendColor(RenderDevice* pDevice, float r, float g, float b, float a)
{
    m_Color = Vector4<float>(r, g, b, a);
    pDevice->SetShaderConstantVector(SHADER_PIXEL, 0, &m_Color.x);
}

void Stencil::SendWorldViewProjection(RenderDevice* pDevice, const Matrix4& world)
{
    const Matrix4 worldViewProjection = world * m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, worldViewProjection.Data());
}

void Stencil::WriteOnesToStencil(RenderDevice* pDevice)
{
    pDevice->SetRenderState(RS_STENCIL_ENABLE, 1);
    pDevice->SetRenderState(RS_STENCIL_FUNC, CMP_ALWAYS);
    pDevice->SetRenderState(RS_STENCIL_PASS, STENCIL_OP_REPLACE);
    pDevice->SetRenderState(RS_STENCIL_Z_FAIL, STENCIL_OP_KEEP);
    pDevice->SetRenderState(RS_STENCIL_FAIL, STENCIL_OP_KEEP);
    pDevice->SetRenderState(RS_STENCIL_REF, 1);
    pDevice->SetRenderState(RS_STENCIL_MASK, 0xff);
    pDevice->SetRenderState(RS_STENCIL_WRITE_MASK, 0xff);
}
