// Merged user-pointer draws: the same pixels as one native draw per call, fewer draws.

#include "D3D9GLFixture.h"

namespace D3D9GLTest
{
namespace
{

// Texture times vertex colour times the tint in c0.
const char* TINT_PS =
    "//! const g_Tint c0\nSHADE in vec4 vColor; in vec2 vTexCoord; uniform sampler2D s0;\n"
    "void main() { oColor = texture(s0, vTexCoord) * vColor * pc[0]; }\n";

constexpr D3DCOLOR CHECKER[4] = {0xFFFFFFFF, 0xFF808080, 0xFF808080, 0xFFFFFFFF};
constexpr D3DCOLOR CORNER_COLORS[4] = {0xFFFF4020, 0xFF20FF40, 0xC04020FF, 0x80FFFFFF};

// A pixel rectangle with a colour per corner, as the primitive type draws it.
std::vector<Vertex> Shape(D3DPRIMITIVETYPE type, float x0, float y0, float x1, float y1)
{
    std::vector<Vertex> quad = DeviceFixture::Quad(x0, y0, x1, y1, 0.5f, 0);
    Vertex topLeft = quad[0], topRight = quad[1], bottomLeft = quad[2], bottomRight = quad[5];
    topLeft.color = CORNER_COLORS[0];
    topRight.color = CORNER_COLORS[1];
    bottomLeft.color = CORNER_COLORS[2];
    bottomRight.color = CORNER_COLORS[3];
    if (type == D3DPT_TRIANGLESTRIP)
        return {topLeft, topRight, bottomLeft, bottomRight};
    if (type == D3DPT_TRIANGLEFAN)
        return {topLeft, topRight, bottomRight, bottomLeft};
    return {topLeft, topRight, bottomLeft, bottomLeft, topRight, bottomRight};
}

class MergeGLTest : public DeviceFixture
{
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        m_pTintPS = CreatePixelShader(TINT_PS);
        m_pChecker = MakeTexture(2, 2, D3DFMT_A8R8G8B8, CHECKER);
        const D3DCOLOR stripes[4] = {0xFFFFC000, 0xFF0040FF, 0xFF0040FF, 0xFFFFC000};
        m_pStripes = MakeTexture(2, 2, D3DFMT_A8R8G8B8, stripes);
        HR_OK(Device()->CreateTexture(32, 32, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                      D3DPOOL_DEFAULT, &m_pTarget, nullptr));
    }

    void TearDown() override
    {
        HR_OK(D3D9GL_SetDrawMerging(Device(), TRUE));
        Release(m_pTintPS, m_pChecker, m_pStripes, m_pTarget);
        DeviceFixture::TearDown();
    }

    // One row of GUI-like shapes, each its own call, strips, fans and lists in turn.
    void DrawRow(float y, int count)
    {
        constexpr D3DPRIMITIVETYPE TYPES[] = {D3DPT_TRIANGLESTRIP, D3DPT_TRIANGLEFAN,
                                              D3DPT_TRIANGLELIST};
        for (int i = 0; i < count; ++i)
        {
            const D3DPRIMITIVETYPE type = TYPES[i % 3];
            const std::vector<Vertex> shape = Shape(type, float(i * 7), y, float(i * 7 + 9), y + 6);
            const UINT primitives = type == D3DPT_TRIANGLELIST ? 2 : UINT(shape.size() - 2);
            HR_OK(Device()->DrawPrimitiveUP(type, primitives, shape.data(), sizeof(Vertex)));
        }
    }

    void SetTint(float red, float green)
    {
        const float tint[4] = {red, green, 1.0f, 1.0f};
        HR_OK(Device()->SetPixelShaderConstantF(0, tint, 1));
    }

    // Rows of draws, and between them every kind of change that must end a merged run.
    // Returns the native draws it took.
    UINT DrawScene()
    {
        const UINT before = Counters().DrawCalls;
        IDirect3DDevice9* pDevice = Device();
        ClearAll(0xFF202020);
        UseTextureShaders();
        pDevice->SetPixelShader(m_pTintPS);
        SetTint(1.0f, 1.0f);
        pDevice->SetTexture(0, m_pChecker);
        DrawRow(0, 9);
        pDevice->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
        DrawRow(6, 9);
        pDevice->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
        pDevice->SetTexture(0, m_pStripes);
        DrawRow(12, 4);
        SetTint(1.0f, 0.25f);
        DrawRow(18, 4);
        SetStates({{D3DRS_ALPHABLENDENABLE, TRUE},
                   {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
                   {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA}});
        DrawRow(15, 6);
        pDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
        pDevice->SetTexture(0, m_pChecker);
        DrawRow(24, 2);
        const D3DCOLOR changed[4] = {0xFF00FFFF, 0xFFFF00FF, 0xFFFF00FF, 0xFF00FFFF};
        FillLevel(m_pChecker, 0, changed); // the draws above keep the old pixels
        DrawRow(30, 2);
        pDevice->SetRenderState(D3DRS_SCISSORTESTENABLE, TRUE);
        const RECT scissors[2] = {{0, 36, 20, 64}, {30, 36, 64, 64}};
        for (const RECT& scissor : scissors)
        {
            pDevice->SetScissorRect(&scissor);
            DrawRow(36, 9);
        }
        pDevice->SetRenderState(D3DRS_SCISSORTESTENABLE, FALSE);
        const D3DVIEWPORT9 viewports[2] = {{0, 40, 32, 24, 0.0f, 1.0f},
                                           {32, 40, 32, 24, 0.0f, 1.0f}};
        for (const D3DVIEWPORT9& viewport : viewports)
        {
            pDevice->SetViewport(&viewport);
            DrawRow(float(viewport.Y) + 4, 5);
        }
        DrawIntoTarget();
        return Counters().DrawCalls - before;
    }

    // Draws into the texture target, then shows it on the back buffer.
    void DrawIntoTarget()
    {
        IDirect3DSurface9* pSurface = nullptr;
        IDirect3DSurface9* pBackBuffer = nullptr;
        HR_OK(m_pTarget->GetSurfaceLevel(0, &pSurface));
        HR_OK(Device()->GetRenderTarget(0, &pBackBuffer));
        HR_OK(Device()->SetRenderTarget(0, pSurface));
        HR_OK(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000080, 1.0f, 0));
        DrawRow(4, 5);
        HR_OK(Device()->SetRenderTarget(0, pBackBuffer));
        DrawRow(48, 3);
        Device()->SetTexture(0, m_pTarget);
        DrawRow(56, 9);
        pSurface->Release();
        pBackBuffer->Release();
    }

    IDirect3DPixelShader9* m_pTintPS = nullptr;
    IDirect3DTexture9* m_pChecker = nullptr;
    IDirect3DTexture9* m_pStripes = nullptr;
    IDirect3DTexture9* m_pTarget = nullptr;
};

TEST_F(MergeGLTest, MergedDrawsGiveTheUnmergedPixelsWithFewerDraws)
{
    HR_OK(D3D9GL_SetDrawMerging(Device(), FALSE));
    const UINT unmergedDraws = DrawScene();
    const std::vector<D3DCOLOR> unmerged = ReadBackBuffer();
    FillLevel(m_pChecker, 0, CHECKER);
    HR_OK(D3D9GL_SetDrawMerging(Device(), TRUE));
    const UINT mergedDraws = DrawScene();
    const std::vector<D3DCOLOR> merged = ReadBackBuffer();

    ASSERT_EQ(merged.size(), unmerged.size());
    size_t differing = 0;
    for (size_t i = 0; i < merged.size(); ++i)
        differing += merged[i] != unmerged[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u) << "pixels differ between merged and unmerged draws";
    EXPECT_NE(merged[size_t(2) * TARGET_SIZE + 2], 0xFF202020u) << "the scene drew nothing";
    EXPECT_EQ(unmergedDraws, 81u) << "one native draw per call";
    // One per run of calls between changes: 14 runs in the scene.
    EXPECT_EQ(mergedDraws, 14u);
}

TEST_F(MergeGLTest, ConstantsStayRightWhenTheirRingWraps)
{
    UseTextureShaders();
    Device()->SetPixelShader(m_pTintPS);
    Device()->SetTexture(0, m_pStripes);
    ClearAll(0xFF000000);
    // Each draw streams its changed constant block: enough draws to wrap the ring.
    constexpr int DRAWS = 1500;
    for (int i = 0; i <= DRAWS; ++i)
    {
        SetTint(float(i % 2), 1.0f);
        DrawQuad(0, 0, 64, 64, 0.5f, 0xFFFFFFFF);
    }
    // The stripes texture's first texel (0xFFFFC000) tinted by (0, 1, 1, 1) after an even count.
    EXPECT_EQ(BackBufferPixel(0, 0), 0xFF00C000u);
}

// A lone fan draws from the list the index ring keeps at its front, also once merged fans
// have filled the ring and it has started over in new storage.
TEST_F(MergeGLTest, ALoneFanDrawsRightOnceTheIndexRingHasWrapped)
{
    UseColorShaders();
    ClearAll(BLACK);
    // Fans of 10000 triangles shrunk to a point: each batch of six uploads 360 KB of indices.
    const std::vector<Vertex> point(10002, Quad(0, 0, 1, 1, 0.5f, RED)[0]);
    for (int fan = 0; fan < 30; ++fan)
        HR_OK(Device()->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 10000, point.data(), sizeof(Vertex)));
    HR_OK(Device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE)); // ends the last batch
    const std::vector<Vertex> quad = Quad(8, 8, 56, 56, 0.5f, GREEN);
    const Vertex fan[4] = {quad[0], quad[1], quad[5], quad[2]};
    HR_OK(Device()->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, fan, sizeof(Vertex)));
    EXPECT_TRUE(OnlyRectIs(ReadBackBuffer(), {8, 8, 56, 56}, GREEN, BLACK));
}

} // namespace
} // namespace D3D9GLTest
