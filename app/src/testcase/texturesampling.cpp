#include "testcase/texturesampling.h"

#include "testcase/lessoncontrols.h"
#include "testcase/lessontexture.h"

#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"

#include "rendercore/source/renderdevice/renderdevice.h"

#include <algorithm>

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;

namespace
{
// A 2D position and a texture coordinate: 16 bytes a vertex.
struct SamplingVertex_t
{
    float m_X;
    float m_Y;
    float m_U;
    float m_V;
};

const InputElementDesc_t SAMPLING_LAYOUT[] = {
    {STREAM_0, 0, DECL_FLOAT2, METHOD_DEFAULT, USAGE_POSITION, 0},
    {STREAM_0, 8, DECL_FLOAT2, METHOD_DEFAULT, USAGE_TEXCOORD, 0},
    INPUT_ELEMENT_END,
};

// A 4 x 4 quad as a strip; u and v run from -1 to 2, v downwards as the image's rows do.
const SamplingVertex_t QUAD[4] = {
    {-2.0f, -2.0f, -1.0f, 2.0f},
    {-2.0f, 2.0f, -1.0f, -1.0f},
    {2.0f, -2.0f, 2.0f, 2.0f},
    {2.0f, 2.0f, 2.0f, -1.0f},
};

// Item order follows the engine enums: filters start at FILTER_POINT (1), addresses at
// ADDRESS_WRAP (0).
const char* const FILTER_ITEMS[] = {"Point", "Linear"};
const char* const ADDRESS_ITEMS[] = {"Wrap", "Mirror", "Clamp", "Border"};
constexpr float COMBO_WIDTH = 80.0f;
} // namespace

TextureSampling::TextureSampling()
{
    Init("TextureSampling");
    m_VertexLayout.Load(SAMPLING_LAYOUT);
    LoadLessonTexture(m_Texture, "Data/_Tex_/panda.dds");

    Halvex::HGui::HWidget* pPanel = GetPanel();
    m_pFilterCombo = CreateStateCombo(pPanel, 10.0f, COMBO_WIDTH, 44.0f, FILTER_ITEMS, 2, 0);
    m_pAddressCombo =
        CreateStateCombo(pPanel, 10.0f, COMBO_WIDTH, 88.0f, ADDRESS_ITEMS, 4, 0, -100.0f);
}

SamplerDesc TextureSampling::GetSamplerDesc() const
{
    const auto filter =
        static_cast<TextureFilter>(std::max(m_pFilterCombo->GetSelectedIndex(), 0) + FILTER_POINT);
    const auto address =
        static_cast<TextureAddress>(std::max(m_pAddressCombo->GetSelectedIndex(), 0));
    // The border colour word is not applied: "Border" shows the device's own border colour.
    return {filter, filter, filter, address, address, address, 0};
}

void TextureSampling::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    const SamplerDesc sampler = GetSamplerDesc();
    m_Shader.Begin();
    const Matrix4 viewProjection = m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, viewProjection.Data());
    pDevice->SetTexture(SHADER_PIXEL, 0, &m_Texture, &sampler);
    pDevice->DrawUser(&m_VertexLayout, PT_TRIANGLE_STRIP, 2, QUAD, sizeof(SamplingVertex_t), 1);
    m_Shader.End();
}
