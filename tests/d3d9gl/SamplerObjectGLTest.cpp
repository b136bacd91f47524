// Sampler states become GL sampler objects kept by their values.

#include "D3D9GLFixture.h"

namespace D3D9GLTest
{
namespace
{

using SamplerObjectGLTest = DeviceFixture;

struct SamplerSetting_t
{
    D3DSAMPLERSTATETYPE type;
    DWORD first;
    DWORD second;
};

// Two sampler states that differ in five GL parameters.
constexpr SamplerSetting_t SETTINGS[] = {
    {D3DSAMP_MINFILTER, D3DTEXF_POINT, D3DTEXF_LINEAR},
    {D3DSAMP_MAGFILTER, D3DTEXF_POINT, D3DTEXF_LINEAR},
    {D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP, D3DTADDRESS_CLAMP},
    {D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP, D3DTADDRESS_MIRROR},
    {D3DSAMP_BORDERCOLOR, 0, 0xFF00FF00},
};

TEST_F(SamplerObjectGLTest, GoingBackToASamplerStateCostsOneBind)
{
    ASSERT_EQ(D3D9GL_SetDrawMerging(Device(), FALSE), D3D_OK);
    IDirect3DTexture9* pTexture = nullptr;
    ASSERT_EQ(
        Device()->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pTexture, nullptr),
        D3D_OK);
    UseTextureShaders();
    ASSERT_EQ(Device()->SetTexture(0, pTexture), D3D_OK);
    // The GL calls of a draw after setting the first or second state of every setting.
    auto drawCost = [this](bool second)
    {
        D3D9GL_COUNTERS before = {};
        EXPECT_EQ(D3D9GL_GetCounters(Device(), &before, nullptr), D3D_OK);
        for (const SamplerSetting_t& setting : SETTINGS)
            Device()->SetSamplerState(0, setting.type, second ? setting.second : setting.first);
        DrawQuad(0, 0, 8, 8, 0.5f, 0xFFFFFFFF);
        D3D9GL_COUNTERS after = {};
        EXPECT_EQ(D3D9GL_GetCounters(Device(), &after, nullptr), D3D_OK);
        return after.StateChanges - before.StateChanges;
    };
    drawCost(false);
    const UINT unchanged = drawCost(false);
    const UINT firstSwitch = drawCost(true);
    const UINT back = drawCost(false);
    const UINT again = drawCost(true);
    EXPECT_GT(firstSwitch, unchanged + 1) << "a new state makes a sampler object";
    EXPECT_EQ(back, unchanged + 1);
    EXPECT_EQ(again, unchanged + 1);
    ASSERT_EQ(Device()->SetTexture(0, nullptr), D3D_OK);
    pTexture->Release();
    ASSERT_EQ(D3D9GL_SetDrawMerging(Device(), TRUE), D3D_OK);
}

} // namespace
} // namespace D3D9GLTest
