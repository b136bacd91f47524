#include "D3D9GLFixture.h"

#include <algorithm>
#include <cmath>

namespace D3D9GLTest
{
namespace
{

using BlendGLTest = DeviceFixture;

constexpr D3DCOLOR BACKGROUND = 0x40208040; // a 0x40, r 0x20, g 0x80, b 0x40
constexpr D3DCOLOR SOURCE = 0x80C06020;     // a 0x80, r 0xC0, g 0x60, b 0x20
constexpr D3DCOLOR BLEND_FACTOR = 0x60406080;

struct Rgba
{
    float c[4]; // r, g, b, a in 0..1
};

Rgba ToRgba(D3DCOLOR color)
{
    return {{float((color >> 16) & 0xFF) / 255.0f, float((color >> 8) & 0xFF) / 255.0f,
             float(color & 0xFF) / 255.0f, float(color >> 24) / 255.0f}};
}

// The factor Direct3D applies for one blend mode, per channel.
Rgba Factor(D3DBLEND blend, const Rgba& src, const Rgba& dst)
{
    const Rgba k = ToRgba(BLEND_FACTOR);
    Rgba f = {};
    for (int i = 0; i < 4; ++i)
    {
        switch (blend)
        {
        case D3DBLEND_ZERO:
            f.c[i] = 0.0f;
            break;
        case D3DBLEND_ONE:
            f.c[i] = 1.0f;
            break;
        case D3DBLEND_SRCCOLOR:
            f.c[i] = src.c[i];
            break;
        case D3DBLEND_INVSRCCOLOR:
            f.c[i] = 1.0f - src.c[i];
            break;
        case D3DBLEND_SRCALPHA:
            f.c[i] = src.c[3];
            break;
        case D3DBLEND_INVSRCALPHA:
            f.c[i] = 1.0f - src.c[3];
            break;
        case D3DBLEND_DESTALPHA:
            f.c[i] = dst.c[3];
            break;
        case D3DBLEND_INVDESTALPHA:
            f.c[i] = 1.0f - dst.c[3];
            break;
        case D3DBLEND_DESTCOLOR:
            f.c[i] = dst.c[i];
            break;
        case D3DBLEND_INVDESTCOLOR:
            f.c[i] = 1.0f - dst.c[i];
            break;
        case D3DBLEND_SRCALPHASAT:
            f.c[i] = i == 3 ? 1.0f : std::min(src.c[3], 1.0f - dst.c[3]);
            break;
        case D3DBLEND_BLENDFACTOR:
            f.c[i] = k.c[i];
            break;
        case D3DBLEND_INVBLENDFACTOR:
            f.c[i] = 1.0f - k.c[i];
            break;
        default:
            break;
        }
    }
    return f;
}

D3DCOLOR Expected(const Rgba& src, const Rgba& srcFactor, const Rgba& dst, const Rgba& dstFactor)
{
    int channel[4];
    for (int i = 0; i < 4; ++i)
    {
        const float value = src.c[i] * srcFactor.c[i] + dst.c[i] * dstFactor.c[i];
        channel[i] = int(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
    }
    return D3DCOLOR_ARGB(channel[3], channel[0], channel[1], channel[2]);
}

TEST_F(BlendGLTest, EachBlendFactorScalesSourceAndDestination)
{
    UseColorShaders();
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_BLENDFACTOR, BLEND_FACTOR), D3D_OK);
    const Rgba src = ToRgba(SOURCE);
    const Rgba dst = ToRgba(BACKGROUND);
    const Rgba zero = {};
    const D3DBLEND factors[] = {D3DBLEND_ZERO,          D3DBLEND_ONE,          D3DBLEND_SRCCOLOR,
                                D3DBLEND_INVSRCCOLOR,   D3DBLEND_SRCALPHA,     D3DBLEND_INVSRCALPHA,
                                D3DBLEND_DESTALPHA,     D3DBLEND_INVDESTALPHA, D3DBLEND_DESTCOLOR,
                                D3DBLEND_INVDESTCOLOR,  D3DBLEND_SRCALPHASAT,  D3DBLEND_BLENDFACTOR,
                                D3DBLEND_INVBLENDFACTOR};
    for (D3DBLEND factor : factors)
    {
        // As the source factor, against a zero destination factor...
        ClearAll(BACKGROUND);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_SRCBLEND, factor), D3D_OK);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO), D3D_OK);
        DrawQuad(0, 0, 64, 64, 0.5f, SOURCE);
        EXPECT_TRUE(ColorNear(Expected(src, Factor(factor, src, dst), dst, zero),
                              BackBufferPixel(20, 20), 2))
            << "source factor " << factor;

        // ...and as the destination factor.
        if (factor == D3DBLEND_SRCALPHASAT)
            continue; // a source-only factor in Direct3D 9
        ClearAll(BACKGROUND);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO), D3D_OK);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_DESTBLEND, factor), D3D_OK);
        DrawQuad(0, 0, 64, 64, 0.5f, SOURCE);
        EXPECT_TRUE(ColorNear(Expected(src, zero, dst, Factor(factor, src, dst)),
                              BackBufferPixel(20, 20), 2))
            << "destination factor " << factor;
    }
}

TEST_F(BlendGLTest, BothSrcAlphaSetsBothFactors)
{
    UseColorShaders();
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE), D3D_OK);
    ClearAll(BACKGROUND);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_BOTHSRCALPHA), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE), D3D_OK); // ignored
    DrawQuad(0, 0, 64, 64, 0.5f, SOURCE);
    const Rgba src = ToRgba(SOURCE);
    const Rgba dst = ToRgba(BACKGROUND);
    EXPECT_TRUE(ColorNear(Expected(src, Factor(D3DBLEND_SRCALPHA, src, dst), dst,
                                   Factor(D3DBLEND_INVSRCALPHA, src, dst)),
                          BackBufferPixel(20, 20), 2));
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
        {D3DBLENDOP_ADD, 0xC0E0E060},         {D3DBLENDOP_SUBTRACT, 0x40A00000},
        {D3DBLENDOP_REVSUBTRACT, 0x00002020}, {D3DBLENDOP_MIN, 0x40206020},
        {D3DBLENDOP_MAX, 0x80C08040},
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
