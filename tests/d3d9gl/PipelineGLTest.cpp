// The fixed-function stages around the shaders: viewport, scissor, clears, rasteriser,
// depth, stencil and alpha tests, blending and the colour write mask, read back in pixels.

#include "D3D9GLFixture.h"

namespace D3D9GLTest
{
namespace
{

using PipelineGLTest = DeviceFixture;

TEST_F(PipelineGLTest, ClearsAndDrawsStayInsideViewportScissorAndClearRects)
{
    UseColorShaders();
    const D3DVIEWPORT9 full = {0, 0, TARGET_SIZE, TARGET_SIZE, 0.0f, 1.0f};
    const RECT noScissor = {0, 0, 64, 64};
    const D3DVIEWPORT9 corner = {0, 0, 16, 16, 0, 1};
    const struct
    {
        const char* name;
        D3DVIEWPORT9 viewport;
        RECT scissor;
        BOOL scissorTest;
        RECT quad; // the pixels of a quad to draw instead of a clear (empty: clear)
        std::vector<D3DRECT> rects;
        RECT white;
    } cases[] = {
        {"clear in viewport", {8, 16, 20, 10, 0, 1}, noScissor, FALSE, {}, {}, {8, 16, 28, 26}},
        {"clear, scissor test off", full, {4, 4, 10, 12}, FALSE, {}, {}, noScissor},
        {"clear in scissor rect", full, {4, 4, 10, 12}, TRUE, {}, {}, {4, 4, 10, 12}},
        {"clear rect cut", corner, noScissor, FALSE, {}, {{10, 10, 40, 40}}, {10, 10, 16, 16}},
        // Exactly its pixels, row 0 at the top.
        {"quad", full, noScissor, FALSE, {4, 2, 12, 6}, {}, {4, 2, 12, 6}},
    };
    for (const auto& c : cases)
    {
        HR_OK(Device()->SetViewport(&full));
        ClearAll(BLACK);
        HR_OK(Device()->SetViewport(&c.viewport));
        HR_OK(Device()->SetScissorRect(&c.scissor));
        SetStates({{D3DRS_SCISSORTESTENABLE, c.scissorTest}});
        if (c.quad.right > 0)
            DrawQuad(c.quad.left, c.quad.top, c.quad.right, c.quad.bottom, 0.5f, WHITE);
        else
            HR_OK(Device()->Clear(DWORD(c.rects.size()), c.rects.empty() ? nullptr : c.rects.data(),
                                  D3DCLEAR_TARGET, WHITE, 1.0f, 0));
        SetStates({{D3DRS_SCISSORTESTENABLE, FALSE}});
        EXPECT_TRUE(OnlyRectIs(ReadBackBuffer(), c.white, WHITE, BLACK)) << c.name;
    }
}

TEST_F(PipelineGLTest, DepthAndStencilClearsNeedThoseBuffers)
{
    Halvex::Base::DiagnosticCapture capture;
    IDirect3DSurface9* pDepthOnly = nullptr;
    HR_OK(Device()->CreateDepthStencilSurface(TARGET_SIZE, TARGET_SIZE, D3DFMT_D16,
                                              D3DMULTISAMPLE_NONE, 0, TRUE, &pDepthOnly, nullptr));
    HR_OK(Device()->SetDepthStencilSurface(pDepthOnly));
    EXPECT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3D_OK);
    EXPECT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    HR_OK(Device()->SetDepthStencilSurface(nullptr));
    EXPECT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, WHITE, 1.0f, 0), D3D_OK);
    EXPECT_EQ(capture.Logs().size(), 2u);
    pDepthOnly->Release();
}

// A render target smaller than the depth-stencil surface draws against the surface's top
// left: it is tested against the depth drawn there before and leaves its own for later draws.
TEST_F(PipelineGLTest, ASmallerTargetSharesTheTopLeftOfTheDepthSurface)
{
    UseColorShaders();
    IDirect3DTexture9* pTexture = nullptr;
    IDirect3DSurface9 *pSmall = nullptr, *pBackBuffer = nullptr, *pD24S8 = nullptr, *pD16 = nullptr;
    HR_OK(Device()->CreateTexture(32, 32, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                  D3DPOOL_DEFAULT, &pTexture, nullptr));
    HR_OK(pTexture->GetSurfaceLevel(0, &pSmall));
    HR_OK(Device()->GetRenderTarget(0, &pBackBuffer));
    HR_OK(Device()->GetDepthStencilSurface(&pD24S8));
    HR_OK(Device()->CreateDepthStencilSurface(TARGET_SIZE, TARGET_SIZE, D3DFMT_D16,
                                              D3DMULTISAMPLE_NONE, 0, FALSE, &pD16, nullptr));
    for (IDirect3DSurface9* pDepth : {pD24S8, pD16})
    {
        HR_OK(Device()->SetDepthStencilSurface(pDepth));
        HR_OK(Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, BLACK, 1.0f, 0));
        DrawQuad(0, 0, 16, TARGET_SIZE, 0.25f, BLACK); // nearer depth on the left
        HR_OK(Device()->SetRenderTarget(0, pSmall));
        const std::vector<Vertex> quad = Quad(0, 0, 32, 32, 0.5f, RED, 32, 32);
        HR_OK(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)));
        // Green lands only where the smaller target's draw passed and wrote its depth.
        HR_OK(Device()->SetRenderTarget(0, pBackBuffer));
        SetStates({{D3DRS_ZFUNC, D3DCMP_EQUAL}});
        DrawQuad(0, 0, TARGET_SIZE, TARGET_SIZE, 0.5f, GREEN);
        SetStates({{D3DRS_ZFUNC, D3DCMP_LESSEQUAL}});
        EXPECT_TRUE(OnlyRectIs(ReadBackBuffer(), {16, 0, 32, 32}, GREEN, BLACK))
            << (pDepth == pD16 ? "D16" : "D24S8");
    }
    Release(pD16, pD24S8, pBackBuffer, pSmall, pTexture);
}

// The depth, alpha and stencil tests with each compare function, on three columns whose
// fragments lie below, at and above the reference.
TEST_F(PipelineGLTest, EachCompareFunctionOfEachTestPassesTheRightFragments)
{
    const std::tuple<D3DCMPFUNC, bool, bool, bool> funcs[] = {
        {D3DCMP_NEVER, false, false, false},      {D3DCMP_LESS, true, false, false},
        {D3DCMP_EQUAL, false, true, false},       {D3DCMP_LESSEQUAL, true, true, false},
        {D3DCMP_GREATER, false, false, true},     {D3DCMP_NOTEQUAL, true, false, true},
        {D3DCMP_GREATEREQUAL, false, true, true}, {D3DCMP_ALWAYS, true, true, true},
    };
    // Each test ends on ALWAYS, so it lets the next one's fragments through.
    const std::pair<D3DRENDERSTATETYPE, D3DRENDERSTATETYPE> tests[] = {
        {D3DRS_ZENABLE, D3DRS_ZFUNC},
        {D3DRS_ALPHATESTENABLE, D3DRS_ALPHAFUNC},
        {D3DRS_STENCILENABLE, D3DRS_STENCILFUNC}};
    UseColorShaders();
    SetStates({{D3DRS_ALPHAREF, 0x80}});
    for (const auto& [enable, func] : tests)
    {
        for (const auto& [compare, below, equal, above] : funcs)
        {
            SCOPED_TRACE(testing::Message() << "state " << func << " func " << compare);
            ClearAll(BLACK, 0.5f, 5);
            SetStates({{enable, TRUE}, {func, compare}});
            // The tested value of each column lies below, at and above the cleared depth 0.5,
            // the reference alpha 0x80 or the stored stencil 5 (Direct3D compares ref FUNC
            // stored).
            for (int column = 0; column < 3; ++column)
            {
                const float z = func == D3DRS_ZFUNC ? 0.25f * float(column + 1) : 0.5f;
                const D3DCOLOR color =
                    func == D3DRS_ALPHAFUNC ? ((0x7Fu + column) << 24) | 0xFFFFFF : WHITE;
                SetStates({{D3DRS_STENCILREF, func == D3DRS_STENCILFUNC ? 4u + column : 5u}});
                DrawQuad(float(column * 21), 0, column == 2 ? 64.0f : float(column * 21 + 21), 64,
                         z, color);
            }
            const std::vector<D3DCOLOR> pixels = ReadBackBuffer();
            // Colours only: the alpha written differs per column.
            EXPECT_EQ(pixels[32 * TARGET_SIZE + 10] | BLACK, below ? WHITE : BLACK);
            EXPECT_EQ(pixels[32 * TARGET_SIZE + 31] | BLACK, equal ? WHITE : BLACK);
            EXPECT_EQ(pixels[32 * TARGET_SIZE + 52] | BLACK, above ? WHITE : BLACK);
        }
    }
}

// Each stencil operation on the pass, fail and depth-fail paths turns the stored `before`
// into `after` under a quad over the left half and leaves the right half alone. (Keep and
// replace on the pass path show in the stencil lesson.)
TEST_F(PipelineGLTest, StencilOperationsApplyOnTheirPath)
{
    const struct
    {
        D3DRENDERSTATETYPE path;
        D3DSTENCILOP op;
        DWORD before, ref, after;
    } cases[] = {
        {D3DRS_STENCILPASS, D3DSTENCILOP_ZERO, 7, 1, 0},
        {D3DRS_STENCILPASS, D3DSTENCILOP_INCRSAT, 5, 0, 6},
        {D3DRS_STENCILPASS, D3DSTENCILOP_INCRSAT, 255, 0, 255},
        {D3DRS_STENCILPASS, D3DSTENCILOP_DECRSAT, 5, 0, 4},
        {D3DRS_STENCILPASS, D3DSTENCILOP_DECRSAT, 0, 0, 0},
        {D3DRS_STENCILPASS, D3DSTENCILOP_INCR, 255, 0, 0},
        {D3DRS_STENCILPASS, D3DSTENCILOP_DECR, 0, 0, 255},
        {D3DRS_STENCILPASS, D3DSTENCILOP_INVERT, 0x0F, 0, 0xF0},
        {D3DRS_STENCILFAIL, D3DSTENCILOP_REPLACE, 1, 3, 3},
        {D3DRS_STENCILZFAIL, D3DSTENCILOP_INCR, 1, 0, 2},
    };
    UseColorShaders();
    SetStates({{D3DRS_STENCILENABLE, TRUE}});
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message()
                     << "state " << c.path << " op " << c.op << " from " << c.before);
        ClearAll(BLACK, 0.5f, c.before);
        SetStates({{D3DRS_STENCILFUNC, c.path == D3DRS_STENCILFAIL ? D3DCMP_NEVER : D3DCMP_ALWAYS},
                   {c.path, c.op},
                   {D3DRS_STENCILREF, c.ref}});
        DrawQuad(0, 0, 32, 64, c.path == D3DRS_STENCILZFAIL ? 0.75f : 0.25f, BLACK);

        // Only pixels whose stencil now equals `after` take the second quad.
        SetStates({{c.path, D3DSTENCILOP_KEEP},
                   {D3DRS_STENCILFUNC, D3DCMP_EQUAL},
                   {D3DRS_STENCILREF, c.after},
                   {D3DRS_ZFUNC, D3DCMP_ALWAYS}});
        DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
        SetStates({{D3DRS_ZFUNC, D3DCMP_LESSEQUAL}});
        EXPECT_TRUE(OnlyRectIs(ReadBackBuffer(), {0, 0, 32, 64}, WHITE,
                               c.before == c.after ? WHITE : BLACK));
    }
}

TEST_F(PipelineGLTest, StencilMasksApplyToCompareAndWrite)
{
    UseColorShaders();
    ClearAll(BLACK, 1.0f, 0xF0);
    SetStates({{D3DRS_STENCILENABLE, TRUE},
               {D3DRS_STENCILWRITEMASK, 0x0F},
               {D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE},
               {D3DRS_STENCILREF, 0x33}});
    DrawQuad(0, 0, 64, 64, 0.5f, BLACK); // stencil becomes 0xF3
    SetStates({{D3DRS_STENCILPASS, D3DSTENCILOP_KEEP},
               {D3DRS_STENCILFUNC, D3DCMP_EQUAL},
               {D3DRS_STENCILMASK, 0x0F},
               {D3DRS_STENCILREF, 0x03}});
    DrawQuad(0, 0, 32, 64, 0.5f, WHITE);
    SetStates({{D3DRS_STENCILMASK, 0xFF}});
    DrawQuad(32, 0, 64, 64, 0.5f, WHITE);
    EXPECT_TRUE(OnlyRectIs(ReadBackBuffer(), {0, 0, 32, 64}, WHITE, BLACK));
}

constexpr D3DCOLOR BACKGROUND = 0x40208040; // a 0x40, r 0x20, g 0x80, b 0x40
// Source alpha away from one half, so a factor and its inverse give different results.
constexpr D3DCOLOR SOURCE = 0xA0C06020; // a 0xA0, r 0xC0, g 0x60, b 0x20

// Each factor as the source factor (destination ZERO) and as the destination factor (source
// ZERO): SOURCE * f or BACKGROUND * f per channel, rounded. (ONE shows in the blend lesson.)
TEST_F(PipelineGLTest, EachBlendFactorScalesSourceAndDestination)
{
    UseColorShaders();
    SetStates({{D3DRS_ALPHABLENDENABLE, TRUE}, {D3DRS_BLENDFACTOR, 0x60406080}});
    const std::tuple<D3DBLEND, D3DCOLOR, D3DCOLOR> cases[] = {
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
    for (const auto& [factor, scaledSource, scaledDestination] : cases)
    {
        for (bool asSource : {true, false})
        {
            if (!asSource && factor == D3DBLEND_SRCALPHASAT)
                continue;
            ClearAll(BACKGROUND);
            SetStates({{D3DRS_SRCBLEND, asSource ? factor : D3DBLEND_ZERO},
                       {D3DRS_DESTBLEND, asSource ? D3DBLEND_ZERO : factor}});
            DrawQuad(0, 0, 64, 64, 0.5f, SOURCE);
            EXPECT_TRUE(
                ColorNear(asSource ? scaledSource : scaledDestination, BackBufferPixel(20, 20), 2))
                << (asSource ? "source" : "destination") << " factor " << factor;
        }
    }
    // BOTHSRCALPHA: source alpha and its inverse, whatever the destination factor says.
    ClearAll(BACKGROUND);
    SetStates({{D3DRS_SRCBLEND, D3DBLEND_BOTHSRCALPHA}, {D3DRS_DESTBLEND, D3DBLEND_ONE}});
    DrawQuad(0, 0, 64, 64, 0.5f, SOURCE);
    EXPECT_TRUE(ColorNear(0x7C846C2C, BackBufferPixel(20, 20), 2));
}

TEST_F(PipelineGLTest, BlendOperationsCombineTheTermsAndTheWriteMaskKeepsChannels)
{
    UseColorShaders();
    SetStates({{D3DRS_ALPHABLENDENABLE, TRUE}, {D3DRS_DESTBLEND, D3DBLEND_ONE}});
    const std::tuple<D3DBLENDOP, D3DCOLOR> cases[] = {
        {D3DBLENDOP_ADD, 0xE0E0E060},         {D3DBLENDOP_SUBTRACT, 0x60A00000},
        {D3DBLENDOP_REVSUBTRACT, 0x00002020}, {D3DBLENDOP_MIN, 0x40206020},
        {D3DBLENDOP_MAX, 0xA0C08040},
    };
    for (const auto& [op, expected] : cases)
    {
        ClearAll(BACKGROUND);
        SetStates({{D3DRS_BLENDOP, op}});
        DrawQuad(0, 0, 64, 64, 0.5f, SOURCE);
        EXPECT_TRUE(ColorNear(expected, BackBufferPixel(20, 20), 1)) << "op " << op;
    }
    ClearAll(0xFF102030);
    SetStates({{D3DRS_ALPHABLENDENABLE, FALSE},
               {D3DRS_COLORWRITEENABLE, D3DCOLORWRITEENABLE_RED | D3DCOLORWRITEENABLE_BLUE}});
    DrawQuad(0, 0, 64, 64, 0.5f, 0x80FFFFFF);
    EXPECT_EQ(BackBufferPixel(10, 10), 0xFFFF20FFu);
}

} // namespace
} // namespace D3D9GLTest
