#include "testcase/mipmap.h"

#include "testcase/lessoncontrols.h"
#include "testcase/lessontexture.h"
#include "testcase/meshsampler.h"

#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"

#include "rendercore/source/renderdevice/renderdevice.h"

#include <cstddef>

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;

namespace
{
constexpr uint32_t STRIPE_DARK = 0xff101010;
constexpr uint32_t STRIPE_LIGHT = 0xffffffff;
// Dark and light rows alternate every two rows.
constexpr int STRIPE_PERIOD = 4;

// Writes texelOf(x, y) into every texel of one size x size level; a level whose lock fails
// is skipped.
template <typename TexelOf> void FillLevel(Texture& texture, int level, int size, TexelOf texelOf)
{
    LockedRect locked;
    if (!texture.Lock(level, &locked, nullptr, LOCK_NONE))
    {
        return;
    }
    auto* pBytes = static_cast<uint8_t*>(locked.m_pBits);
    for (int y = 0; y < size; ++y)
    {
        auto* pRow =
            reinterpret_cast<uint32_t*>(pBytes + static_cast<std::ptrdiff_t>(y) * locked.m_Pitch);
        for (int x = 0; x < size; ++x)
        {
            pRow[x] = texelOf(x, y);
        }
    }
    texture.Unlock();
}
} // namespace

Mipmap::Mipmap() : m_Sampler(MESH_SAMPLER)
{
    Init("Mipmap");
    LoadModel("Data/cube.bin");
    m_pCaseCombo = CreateCaseCombo(GetPanel());
    RebuildTexture();
}

void Mipmap::Update(float dt)
{
    RebuildTexture();
    TestCommon::Update(dt);
}

void Mipmap::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    const Matrix4 viewProjection = m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, viewProjection.Data());
    pDevice->SetTexture(SHADER_PIXEL, 0, &m_Texture, &m_Sampler);
    TestCommon::RenderMesh(pRenderer, pMesh);
}

void Mipmap::RebuildTexture()
{
    const int chosen = m_pCaseCombo->GetSelectedIndex();
    if (chosen == m_CurrentCase)
    {
        return;
    }
    m_CurrentCase = chosen;
    m_Texture.Unload();
    // 0 levels asks for the full chain.
    const int mipLevels = chosen == CASE_NO_MIPS ? 1 : 0;
    if (!m_Texture.Create(TEX_2D, TEXTURE_SIZE, TEXTURE_SIZE, 1, FMT_A8R8G8B8, mipLevels,
                          POOL_MANAGED, 0))
    {
        return;
    }
    if (chosen == CASE_LEVEL_COLOURS)
    {
        FillLevelColours();
        return;
    }
    FillStripes();
    if (chosen == CASE_GENERATED_MIPS)
    {
        m_Texture.GenerateMipmaps();
    }
}

void Mipmap::FillStripes()
{
    FillLevel(m_Texture, 0, TEXTURE_SIZE,
              [](int, int y) { return y % STRIPE_PERIOD < 2 ? STRIPE_DARK : STRIPE_LIGHT; });
}

void Mipmap::FillLevelColours()
{
    int size = TEXTURE_SIZE;
    for (int level = 0; level < LEVEL_COUNT; ++level)
    {
        const uint32_t colour = LEVEL_COLOURS[level];
        FillLevel(m_Texture, level, size, [colour](int, int) { return colour; });
        size /= 2;
    }
}
