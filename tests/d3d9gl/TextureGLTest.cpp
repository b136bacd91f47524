// Textures as the shaders sample them, and surfaces as render targets.

#include "D3D9GLFixture.h"

namespace D3D9GLTest
{
namespace
{

using TextureGLTest = DeviceFixture;

// Mirror-once: the texture mirrored about u = 0 once, then clamped. (The other address modes
// and the linear filter show in the texture sampling lesson.)
TEST_F(TextureGLTest, MirrorOnceMirrorsOnceThenClamps)
{
    UseTextureShaders();
    const D3DCOLOR texels[2] = {RED, GREEN};
    IDirect3DTexture9* pTexture = MakeTexture(2, 1, D3DFMT_A8R8G8B8, texels);
    HR_OK(Device()->SetTexture(0, pTexture));
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_MIRRORONCE));
    // u runs from -1 to 2: x 4 samples u = -0.79, x 27 u = 0.29, x 50 u = 1.37.
    std::vector<Vertex> quad = Quad(0, 0, 64, 64, 0.5f, WHITE);
    for (Vertex& vertex : quad)
        vertex.u = vertex.u == 0.0f ? -1.0f : 2.0f;
    ClearAll(BLACK);
    HR_OK(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)));
    EXPECT_EQ(
        std::make_tuple(BackBufferPixel(4, 32), BackBufferPixel(27, 32), BackBufferPixel(50, 32)),
        std::make_tuple(GREEN, RED, GREEN));
    pTexture->Release();
}

// Border addressing along u with point and linear filters: a linear sample within half a texel
// of the edge blends the edge texel with the border colour. u = -1 + x / 32 at pixel x.
TEST_F(TextureGLTest, BorderAddressingTakesTheBorderColourBeyondTheEdge)
{
    UseTextureShaders();
    const D3DCOLOR texels[2] = {RED, GREEN};
    IDirect3DTexture9* pTexture = MakeTexture(2, 1, D3DFMT_A8R8G8B8, texels);
    HR_OK(Device()->SetTexture(0, pTexture));
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_BORDER));
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_BORDERCOLOR, BLUE));
    std::vector<Vertex> quad = Quad(0, 0, 64, 64, 0.5f, WHITE);
    for (Vertex& vertex : quad)
        vertex.u = vertex.u == 0.0f ? -1.015625f : 0.984375f;
    const struct
    {
        DWORD filter;
        D3DCOLOR atX16, atX28, atX40, atX63; // u = -0.5, -0.125, 0.25, 0.96875
    } cases[] = {{D3DTEXF_POINT, BLUE, BLUE, RED, GREEN},
                 {D3DTEXF_LINEAR, BLUE, 0xFF4000BF, RED, 0xFF008F70}};
    for (const auto& c : cases)
    {
        HR_OK(Device()->SetSamplerState(0, D3DSAMP_MAGFILTER, c.filter));
        ClearAll(BLACK);
        HR_OK(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)));
        EXPECT_EQ(BackBufferPixel(16, 32), c.atX16) << c.filter;
        EXPECT_TRUE(ColorNear(c.atX28, BackBufferPixel(28, 32), 2)) << c.filter;
        EXPECT_EQ(BackBufferPixel(40, 32), c.atX40) << c.filter;
        EXPECT_TRUE(ColorNear(c.atX63, BackBufferPixel(63, 32), 2)) << c.filter;
    }
    pTexture->Release();
}

// The mip LOD bias moves the level choice: a 4 x 4 texture magnified 16 times (level -4) shows
// its top level, and with a bias of 6 its smallest.
TEST_F(TextureGLTest, MipLodBiasMovesTheLevelChoice)
{
    UseTextureShaders();
    const std::vector<D3DCOLOR> top(16, RED), smaller(4, GREEN);
    IDirect3DTexture9* pTexture = MakeTexture(4, 4, D3DFMT_A8R8G8B8, top.data(), 2);
    FillLevel(pTexture, 1, smaller.data());
    HR_OK(Device()->SetTexture(0, pTexture));
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT));
    for (const auto& [bias, expected] :
         {std::pair(0.0f, RED), std::pair(3.5f, RED), std::pair(6.0f, GREEN)})
    {
        DWORD bits = 0;
        std::memcpy(&bits, &bias, sizeof(bits));
        HR_OK(Device()->SetSamplerState(0, D3DSAMP_MIPMAPLODBIAS, bits));
        EXPECT_EQ(DrawFullQuad(), expected) << "bias " << bias;
    }
    pTexture->Release();
}

// A shader that biases its own samples draws under anisotropic filtering as well (llvmpipe's
// compiler crashed building that sampler).
TEST_F(TextureGLTest, ShaderBiasUnderAnisotropicFiltering)
{
    UseTextureShaders();
    IDirect3DPixelShader9* pBiased =
        CreatePixelShader("SHADE in vec4 vColor; in vec2 vTexCoord; uniform sampler2D s0;\n"
                          "void main() { oColor = texture(s0, vTexCoord, 0.5) * vColor; }\n");
    ASSERT_NE(pBiased, nullptr);
    const std::vector<D3DCOLOR> texels(16, GREEN);
    IDirect3DTexture9* pTexture = MakeTexture(4, 4, D3DFMT_A8R8G8B8, texels.data());
    HR_OK(Device()->SetPixelShader(pBiased));
    HR_OK(Device()->SetTexture(0, pTexture));
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_ANISOTROPIC));
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_MAXANISOTROPY, 4));
    EXPECT_EQ(DrawFullQuad(), GREEN);
    Release(pTexture, pBiased);
}

// (That an unlock reaches the sampler shows in the mipmap lesson, which fills its levels by
// locks.)
TEST_F(TextureGLTest, LockRectRoundTripsWithPitchAndRectangles)
{
    IDirect3DTexture9* pTexture = nullptr;
    HR_OK(
        Device()->CreateTexture(8, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pTexture, nullptr));
    D3DLOCKED_RECT locked = {};
    HR_OK(pTexture->LockRect(0, &locked, nullptr, 0));
    EXPECT_GE(locked.Pitch, 8 * 4);
    for (UINT y = 0; y < 4; ++y)
        for (UINT x = 0; x < 8; ++x)
            reinterpret_cast<D3DCOLOR*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch)[x] =
                0xFF000000u | (y << 8) | x;
    EXPECT_EQ(pTexture->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL)
        << "a locked level cannot be locked again";
    HR_OK(pTexture->UnlockRect(0));
    EXPECT_EQ(pTexture->UnlockRect(0), D3DERR_INVALIDCALL);

    // A rectangle lock points at its first texel.
    const RECT rect = {3, 2, 5, 4};
    HR_OK(pTexture->LockRect(0, &locked, &rect, D3DLOCK_READONLY));
    EXPECT_EQ(Texels(locked, 2, 2),
              (std::vector<D3DCOLOR>{0xFF000203, 0xFF000204, 0xFF000303, 0xFF000304}));
    HR_OK(pTexture->UnlockRect(0));
    for (const RECT& bad : {RECT{6, 0, 9, 1}, RECT{-1, 0, 2, 1}, RECT{2, 2, 2, 3}})
        EXPECT_EQ(pTexture->LockRect(0, &locked, &bad, 0), D3DERR_INVALIDCALL) << bad.left;
    pTexture->Release();
}

// One texel of each format through the sampler: missing channels filled as Direct3D fills
// them. (The lessons sample DXT1, DXT5 and R32F textures.)
TEST_F(TextureGLTest, EachFormatSamplesLikeDirect3D)
{
    UseTextureShaders();
    const std::tuple<D3DFORMAT, std::vector<uint8_t>, D3DCOLOR> cases[] = {
        {D3DFMT_L8, {0x80}, 0xFF808080},
        {D3DFMT_A8, {0x40}, 0x40000000},
        {D3DFMT_R16F, {0x00, 0x38}, 0xFF80FFFF}, // 0.5
        {D3DFMT_X8R8G8B8, {0x10, 0x20, 0x30, 0x00}, 0xFF302010},
        {D3DFMT_R5G6B5, {0x00, 0xF8}, 0xFFFF0000},
    };
    for (const auto& [format, texel, expected] : cases)
    {
        IDirect3DTexture9* pTexture = MakeTexture(1, 1, format, texel.data());
        HR_OK(Device()->SetTexture(0, pTexture));
        EXPECT_TRUE(ColorNear(expected, DrawFullQuad(), 1)) << "format " << format;
        pTexture->Release();
    }
}

TEST_F(TextureGLTest, VertexSamplersAreSamplers257To260)
{
    // The vertex stage reads the colour from vertex sampler 1 (vs1).
    IDirect3DVertexShader9* pShader = CreateVertexShader(
        "layout(location = 0) in vec4 aPosition; uniform sampler2D vs1; SHADE out vec4 vColor;\n"
        "void main() { gl_Position = aPosition; vColor = textureLod(vs1, vec2(0.5), 0.0); }\n");
    IDirect3DTexture9* pTexture = MakeTexture(1, 1, D3DFMT_A8R8G8B8, &GREEN);
    HR_OK(Device()->SetVertexShader(pShader));
    HR_OK(Device()->SetPixelShader(s_pColorPS));
    HR_OK(Device()->SetTexture(D3DVERTEXTEXTURESAMPLER1, pTexture));
    EXPECT_EQ(DrawFullQuad(), GREEN);
    EXPECT_EQ(Device()->SetTexture(D3DVERTEXTEXTURESAMPLER3 + 1, pTexture), D3DERR_INVALIDCALL);
    Release(pTexture, pShader);
}

TEST_F(TextureGLTest, InvalidTexturesAndTargetsAreRefused)
{
    Halvex::Base::DiagnosticCapture capture;
    IDirect3DTexture9* pTexture = nullptr;
    const std::tuple<UINT, UINT, DWORD, D3DFORMAT> invalid[] = {
        {0, 1, 0, D3DFMT_A8R8G8B8},
        {4, 4, 0, D3DFMT_A8R8G8B8}, // more levels than a 4 x 4 chain has
        {4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_DXT1},
        {4, 1, 0, D3DFMT_UYVY},
    };
    for (const auto& [width, levels, usage, format] : invalid)
    {
        EXPECT_EQ(Device()->CreateTexture(width, 4, levels, usage, format,
                                          usage ? D3DPOOL_DEFAULT : D3DPOOL_MANAGED, &pTexture,
                                          nullptr),
                  D3DERR_INVALIDCALL);
        EXPECT_EQ(pTexture, nullptr);
    }
    EXPECT_EQ(capture.Logs().size(), 4u);

    // Only render targets and depth surfaces bind as such; neither locks.
    capture.Clear();
    pTexture = MakeTexture(1, 1, D3DFMT_A8R8G8B8, &RED);
    IDirect3DSurface9* pSurface = nullptr;
    HR_OK(pTexture->GetSurfaceLevel(0, &pSurface));
    EXPECT_EQ(Device()->SetRenderTarget(0, pSurface), D3DERR_INVALIDCALL);
    EXPECT_EQ(Device()->SetDepthStencilSurface(pSurface), D3DERR_INVALIDCALL);
    EXPECT_EQ(Device()->SetRenderTarget(0, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(capture.Logs().size(), 2u);
    IDirect3DSurface9* pDepth = nullptr;
    HR_OK(Device()->CreateDepthStencilSurface(16, 16, D3DFMT_D16, D3DMULTISAMPLE_NONE, 0, TRUE,
                                              &pDepth, nullptr));
    EXPECT_EQ(Device()->SetDepthStencilSurface(pDepth), D3D_OK);
    D3DLOCKED_RECT locked = {};
    EXPECT_EQ(pDepth->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);
    Release(pDepth, pSurface, pTexture);
}

} // namespace
} // namespace D3D9GLTest
