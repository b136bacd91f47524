// Textures as the shaders sample them, and surfaces as render targets.

#include "D3D9GLFixture.h"

namespace D3D9GLTest
{
namespace
{

using TextureGLTest = DeviceFixture;

// A quad over the whole target whose u runs from u0 to u1 and v is fixed.
std::vector<Vertex> UQuad(float u0, float u1, float v)
{
    std::vector<Vertex> quad = DeviceFixture::Quad(0, 0, 64, 64, 0.5f, WHITE);
    for (Vertex& vertex : quad)
    {
        vertex.u = vertex.u == 0.0f ? u0 : u1;
        vertex.v = v;
    }
    return quad;
}

TEST_F(TextureGLTest, AddressModesWrapMirrorClampBorderAndMirrorOnce)
{
    UseTextureShaders();
    const D3DCOLOR texels[2] = {RED, GREEN};
    IDirect3DTexture9* pTexture = MakeTexture(2, 1, D3DFMT_A8R8G8B8, texels);
    HR_OK(Device()->SetTexture(0, pTexture));
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_BORDERCOLOR, BLUE));
    // u runs from -1 to 2: x 4 samples u = -0.79, x 27 u = 0.29, x 50 u = 1.37.
    const std::tuple<D3DTEXTUREADDRESS, D3DCOLOR, D3DCOLOR, D3DCOLOR> cases[] = {
        {D3DTADDRESS_WRAP, RED, RED, RED},           {D3DTADDRESS_MIRROR, GREEN, RED, GREEN},
        {D3DTADDRESS_CLAMP, RED, RED, GREEN},        {D3DTADDRESS_BORDER, BLUE, RED, BLUE},
        {D3DTADDRESS_MIRRORONCE, GREEN, RED, GREEN},
    };
    for (const auto& [mode, below, inside, above] : cases)
    {
        ClearAll(BLACK);
        HR_OK(Device()->SetSamplerState(0, D3DSAMP_ADDRESSU, mode));
        DrawVertices(D3DPT_TRIANGLELIST, UQuad(-1.0f, 2.0f, 0.5f));
        EXPECT_EQ(std::make_tuple(BackBufferPixel(4, 32), BackBufferPixel(27, 32),
                                  BackBufferPixel(50, 32)),
                  std::make_tuple(below, inside, above))
            << "mode " << mode;
    }

    // Point filtering by default; linear blends neighbours.
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP));
    ClearAll(BLACK);
    DrawVertices(D3DPT_TRIANGLELIST, UQuad(0.0f, 1.0f, 0.5f));
    EXPECT_EQ(BackBufferPixel(31, 10), RED);
    EXPECT_EQ(BackBufferPixel(32, 10), GREEN);
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR));
    HR_OK(Device()->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR));
    ClearAll(BLACK);
    DrawVertices(D3DPT_TRIANGLELIST, UQuad(0.0f, 1.0f, 0.5f));
    // x 31 samples u = 0.492: 48.4% of the way from the red to the green texel centre.
    EXPECT_TRUE(ColorNear(0xFF847B00, BackBufferPixel(31, 10), 3));
    EXPECT_EQ(BackBufferPixel(0, 10), RED) << "clamped edge";
    pTexture->Release();
}

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

    // The unlock reached GL: drawing samples what was written.
    UseTextureShaders();
    HR_OK(Device()->SetTexture(0, pTexture));
    EXPECT_EQ(DrawFullQuad(3 * 8 + 4, 2 * 16 + 8), 0xFF000203u);
    pTexture->Release();
}

// One texel of each format through the sampler: missing channels filled as Direct3D fills
// them, DXT blocks decoded at upload.
TEST_F(TextureGLTest, EachFormatSamplesLikeDirect3D)
{
    UseTextureShaders();
    const std::tuple<D3DFORMAT, std::vector<uint8_t>, D3DCOLOR> cases[] = {
        {D3DFMT_L8, {0x80}, 0xFF808080},
        {D3DFMT_A8, {0x40}, 0x40000000},
        {D3DFMT_R32F, {0x00, 0x00, 0x00, 0x3F}, 0xFF80FFFF}, // 0.5
        {D3DFMT_R16F, {0x00, 0x38}, 0xFF80FFFF},             // 0.5
        {D3DFMT_X8R8G8B8, {0x10, 0x20, 0x30, 0x00}, 0xFF302010},
        {D3DFMT_R5G6B5, {0x00, 0xF8}, 0xFFFF0000},
        // Red (0xF800) and blue (0x001F) end points, texel 0 takes index 1.
        {D3DFMT_DXT1, {0x00, 0xF8, 0x1F, 0x00, 0x01, 0, 0, 0}, BLUE},
        // Alpha end points 0x80 and 0, texel 0 takes index 0.
        {D3DFMT_DXT5,
         {0x80, 0x00, 0, 0, 0, 0, 0, 0, 0x00, 0xF8, 0x1F, 0x00, 0x01, 0, 0, 0},
         0x800000FF},
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

TEST_F(TextureGLTest, DrawingIntoATextureAndSamplingIt)
{
    IDirect3DTexture9* pTarget = nullptr;
    HR_OK(Device()->CreateTexture(32, 32, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                  D3DPOOL_DEFAULT, &pTarget, nullptr));
    IDirect3DSurface9* pSurface = nullptr;
    HR_OK(pTarget->GetSurfaceLevel(0, &pSurface));
    IDirect3DSurface9* pBackBuffer = nullptr;
    HR_OK(Device()->GetRenderTarget(0, &pBackBuffer));

    const D3DVIEWPORT9 small = {0, 0, 4, 4, 0.0f, 1.0f};
    HR_OK(Device()->SetViewport(&small));
    HR_OK(Device()->SetRenderTarget(0, pSurface));
    D3DVIEWPORT9 viewport = {};
    HR_OK(Device()->GetViewport(&viewport));
    EXPECT_EQ(viewport.Width, 32u) << "setting target 0 resets the viewport to the target";
    RECT scissor = {};
    HR_OK(Device()->GetScissorRect(&scissor));
    EXPECT_EQ(scissor.right, 32);
    EXPECT_EQ(scissor.bottom, 32);

    // The automatic depth buffer (64 x 64) serves the smaller target.
    UseColorShaders();
    ClearAll(BLACK, 0.5f);
    for (const auto& quad :
         {Quad(0, 0, 16, 32, 0.25f, WHITE, 32, 32), Quad(16, 0, 32, 32, 0.75f, WHITE, 32, 32)})
        DrawVertices(D3DPT_TRIANGLELIST, quad);
    const std::vector<D3DCOLOR> target = ReadSurface(pSurface);
    EXPECT_EQ(target[10 * 32 + 8], WHITE) << "passes the depth test";
    EXPECT_EQ(target[10 * 32 + 24], BLACK) << "fails the depth test";

    HR_OK(Device()->SetRenderTarget(0, pBackBuffer));
    HR_OK(Device()->GetViewport(&viewport));
    EXPECT_EQ(viewport.Width, TARGET_SIZE) << "the back buffer's size again";
    UseTextureShaders();
    HR_OK(Device()->SetTexture(0, pTarget));
    EXPECT_EQ(DrawFullQuad(10, 10, BLUE), WHITE) << "texel rows keep row 0 at the top";
    EXPECT_EQ(BackBufferPixel(50, 10), BLACK);

    D3DLOCKED_RECT locked = {};
    EXPECT_EQ(pSurface->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL)
        << "render targets are not lockable";
    Release(pBackBuffer, pSurface, pTarget);
}

TEST_F(TextureGLTest, R32FTargetHoldsAFloatExactly)
{
    IDirect3DTexture9* pTarget = nullptr;
    HR_OK(Device()->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_R32F, D3DPOOL_DEFAULT,
                                  &pTarget, nullptr));
    IDirect3DSurface9* pSurface = nullptr;
    HR_OK(pTarget->GetSurfaceLevel(0, &pSurface));
    HR_OK(Device()->SetRenderTarget(0, pSurface));
    IDirect3DPixelShader9* pShader = CreatePixelShader("void main() { oColor = pc[0]; }\n");
    HR_OK(Device()->SetVertexShader(s_pColorVS));
    HR_OK(Device()->SetPixelShader(pShader));
    const float value[4] = {0.123456789f, 7.0f, 8.0f, 9.0f};
    HR_OK(Device()->SetPixelShaderConstantF(0, value, 1));
    HR_OK(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0));
    SetStates({{D3DRS_ZENABLE, D3DZB_FALSE}});
    DrawVertices(D3DPT_TRIANGLELIST, Quad(0, 0, 4, 4, 0.5f, WHITE, 4, 4));
    // One 32-bit float per texel, read back as it is stored.
    const D3DCOLOR bits = ReadSurface(pSurface).at(2 * 4 + 2);
    float stored = 0.0f;
    std::memcpy(&stored, &bits, sizeof(stored));
    EXPECT_EQ(stored, 0.123456789f);
    Release(pShader, pSurface, pTarget);
}

TEST_F(TextureGLTest, CubeFacesKeepDirect3DOrientation)
{
    IDirect3DCubeTexture9* pCube = nullptr;
    HR_OK(Device()->CreateCubeTexture(16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                      D3DPOOL_DEFAULT, &pCube, nullptr));
    IDirect3DSurface9* pBackBuffer = nullptr;
    HR_OK(Device()->GetRenderTarget(0, &pBackBuffer));
    const D3DCOLOR faceColors[6] = {RED, GREEN, BLUE, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};
    UseColorShaders();
    SetStates({{D3DRS_ZENABLE, D3DZB_FALSE}});
    for (UINT face = 0; face < 6; ++face)
    {
        IDirect3DSurface9* pFace = nullptr;
        HR_OK(pCube->GetCubeMapSurface(D3DCUBEMAP_FACES(face), 0, &pFace));
        HR_OK(Device()->SetRenderTarget(0, pFace));
        HR_OK(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, faceColors[face], 1.0f, 0));
        // White in the face's top-left quadrant.
        DrawVertices(D3DPT_TRIANGLELIST, Quad(0, 0, 8, 8, 0.5f, WHITE, 16, 16));
        const std::vector<D3DCOLOR> pixels = ReadSurface(pFace);
        EXPECT_EQ(pixels[2 * 16 + 2], WHITE);
        EXPECT_EQ(pixels[13 * 16 + 13], faceColors[face]);
        pFace->Release();
    }
    HR_OK(Device()->SetRenderTarget(0, pBackBuffer));

    // Direct3D's face axes: per face, a direction whose face coordinates (sc, tc) are
    // (-0.5, -0.5), in the top-left quadrant, and one at (+0.5, +0.5), in the bottom-right one.
    const float directions[6][2][4] = {
        {{1, .5f, .5f}, {1, -.5f, -.5f}}, {{-1, .5f, -.5f}, {-1, -.5f, .5f}},
        {{-.5f, 1, -.5f}, {.5f, 1, .5f}}, {{-.5f, -1, .5f}, {.5f, -1, -.5f}},
        {{-.5f, .5f, 1}, {.5f, -.5f, 1}}, {{.5f, .5f, -1}, {-.5f, -.5f, -1}}};
    // Samples the cube map in sampler 0 along the direction in pc[0].
    IDirect3DPixelShader9* pShader = CreatePixelShader(
        "uniform samplerCube s0;\nvoid main() { oColor = texture(s0, pc[0].xyz); }\n");
    HR_OK(Device()->SetPixelShader(pShader));
    HR_OK(Device()->SetTexture(0, pCube));
    for (UINT face = 0; face < 6; ++face)
    {
        for (int corner = 0; corner < 2; ++corner)
        {
            HR_OK(Device()->SetPixelShaderConstantF(0, directions[face][corner], 1));
            EXPECT_EQ(DrawFullQuad(5, 5), corner == 0 ? WHITE : faceColors[face])
                << "face " << face << (corner == 0 ? " top-left" : " bottom-right");
        }
    }
    Release(pShader, pBackBuffer, pCube);
}

} // namespace
} // namespace D3D9GLTest
