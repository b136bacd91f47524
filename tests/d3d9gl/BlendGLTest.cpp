#include "D3D9GLFixture.h"

namespace D3D9GLTest
{
namespace
{

using BlendGLTest = DeviceFixture;

constexpr D3DCOLOR BACKGROUND = 0x40208040; // a 0x40, r 0x20, g 0x80, b 0x40
// Source alpha away from one half, so a factor and its inverse give different results.
constexpr D3DCOLOR SOURCE = 0xA0C06020; // a 0xA0, r 0xC0, g 0x60, b 0x20
constexpr D3DCOLOR BLEND_FACTOR = 0x60406080;

// Each factor as the source factor (destination ZERO) and as the destination factor (source
// ZERO): SOURCE * f or BACKGROUND * f per channel, rounded.
TEST_F(BlendGLTest, EachBlendFactorScalesSourceAndDestination)
{
    UseColorShaders();
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_BLENDFACTOR, BLEND_FACTOR), D3D_OK);
    const struct
    {
        D3DBLEND factor;
        D3DCOLOR asSource;
        D3DCOLOR asDestination;
    } cases[] = {
        {D3DBLEND_ZERO, 0x00000000, 0x00000000},
        {D3DBLEND_ONE, 0xA0C06020, 0x40208040},
        {D3DBLEND_SRCCOLOR, 0x64912404, 0x28183008},
        {D3DBLEND_INVSRCCOLOR, 0x3C2F3C1C, 0x18085038},
        {D3DBLEND_SRCALPHA, 0x64783C14, 0x28145028},
        {D3DBLEND_INVSRCALPHA, 0x3C48240C, 0x180C3018},
        {D3DBLEND_DESTALPHA, 0x28301808, 0x10082010},
        {D3DBLEND_INVDESTALPHA, 0x78904818, 0x30186030},
        {D3DBLEND_DESTCOLOR, 0x28183008, 0x10044010},
        {D3DBLEND_INVDESTCOLOR, 0x78A83018, 0x301C4030},
        // min(As, 1 - Ad) on colour, 1 on alpha; a source-only factor in Direct3D 9.
        {D3DBLEND_SRCALPHASAT, 0xA0783C14, 0},
        {D3DBLEND_BLENDFACTOR, 0x3C302410, 0x18083020},
        {D3DBLEND_INVBLENDFACTOR, 0x64903C10, 0x28185020},
    };
    for (const auto& c : cases)
    {
        for (bool asSource : {true, false})
        {
            if (!asSource && c.factor == D3DBLEND_SRCALPHASAT)
                continue;
            ClearAll(BACKGROUND);
            ASSERT_EQ(Device()->SetRenderState(D3DRS_SRCBLEND, asSource ? c.factor : D3DBLEND_ZERO),
                      D3D_OK);
            ASSERT_EQ(
                Device()->SetRenderState(D3DRS_DESTBLEND, asSource ? D3DBLEND_ZERO : c.factor),
                D3D_OK);
            DrawQuad(0, 0, 64, 64, 0.5f, SOURCE);
            EXPECT_TRUE(
                ColorNear(asSource ? c.asSource : c.asDestination, BackBufferPixel(20, 20), 2))
                << (asSource ? "source" : "destination") << " factor " << c.factor;
        }
    }
    // BOTHSRCALPHA: source alpha and its inverse, whatever the destination factor says.
    ClearAll(BACKGROUND);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_BOTHSRCALPHA), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE), D3D_OK);
    DrawQuad(0, 0, 64, 64, 0.5f, SOURCE);
    EXPECT_TRUE(ColorNear(0x7C846C2C, BackBufferPixel(20, 20), 2));
}

TEST_F(BlendGLTest, BlendOperationsCombineTheTerms)
{
    UseColorShaders();
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE), D3D_OK);
    const struct
    {
        D3DBLENDOP op;
        D3DCOLOR expected;
    } cases[] = {
        {D3DBLENDOP_ADD, 0xE0E0E060},         {D3DBLENDOP_SUBTRACT, 0x60A00000},
        {D3DBLENDOP_REVSUBTRACT, 0x00002020}, {D3DBLENDOP_MIN, 0x40206020},
        {D3DBLENDOP_MAX, 0xA0C08040},
    };
    for (const auto& c : cases)
    {
        ClearAll(BACKGROUND);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_BLENDOP, c.op), D3D_OK);
        DrawQuad(0, 0, 64, 64, 0.5f, SOURCE);
        EXPECT_TRUE(ColorNear(c.expected, BackBufferPixel(20, 20), 1)) << "op " << c.op;
    }
}

} // namespace
} // namespace D3D9GLTest
