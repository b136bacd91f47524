#include "D3D9GLFixture.h"

#include <cstring>

namespace D3D9GLTest
{
namespace
{

using RenderTargetGLTest = DeviceFixture;

constexpr D3DCOLOR BLACK = 0xFF000000;
constexpr D3DCOLOR WHITE = 0xFFFFFFFF;

const char* CONSTANT_PS = R"(
void main()
{
    oColor = pc[0];
}
)";

// Samples the cube map in sampler 0 along the direction in pc[0].
const char* CUBE_PS = R"(
uniform samplerCube s0;
void main()
{
    oColor = texture(s0, pc[0].xyz);
}
)";

TEST_F(RenderTargetGLTest, DrawingIntoATextureAndSamplingIt)
{
    IDirect3DTexture9* pTarget = nullptr;
    ASSERT_EQ(Device()->CreateTexture(32, 32, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                      D3DPOOL_DEFAULT, &pTarget, nullptr),
              D3D_OK);
    IDirect3DSurface9* pSurface = nullptr;
    ASSERT_EQ(pTarget->GetSurfaceLevel(0, &pSurface), D3D_OK);
    IDirect3DSurface9* pBackBuffer = nullptr;
    ASSERT_EQ(Device()->GetRenderTarget(0, &pBackBuffer), D3D_OK);

    const D3DVIEWPORT9 small = {0, 0, 4, 4, 0.0f, 1.0f};
    ASSERT_EQ(Device()->SetViewport(&small), D3D_OK);
    ASSERT_EQ(Device()->SetRenderTarget(0, pSurface), D3D_OK);
    D3DVIEWPORT9 viewport = {};
    ASSERT_EQ(Device()->GetViewport(&viewport), D3D_OK);
    EXPECT_EQ(viewport.Width, 32u) << "setting target 0 resets the viewport to the target";
    RECT scissor = {};
    ASSERT_EQ(Device()->GetScissorRect(&scissor), D3D_OK);
    EXPECT_EQ(scissor.right, 32);
    EXPECT_EQ(scissor.bottom, 32);

    // The automatic depth buffer (64 x 64) serves the smaller target.
    UseColorShaders();
    ClearAll(BLACK, 0.5f);
    Vertex vertices[6];
    const std::vector<Vertex> near = Quad(0, 0, 16, 32, 0.25f, WHITE, 32, 32);
    const std::vector<Vertex> far = Quad(16, 0, 32, 32, 0.75f, WHITE, 32, 32);
    std::copy(near.begin(), near.end(), vertices);
    ASSERT_EQ(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, vertices, sizeof(Vertex)), D3D_OK);
    std::copy(far.begin(), far.end(), vertices);
    ASSERT_EQ(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, vertices, sizeof(Vertex)), D3D_OK);
    const std::vector<D3DCOLOR> target = ReadSurface(pSurface);
    EXPECT_EQ(target[10 * 32 + 8], WHITE) << "passes the depth test";
    EXPECT_EQ(target[10 * 32 + 24], BLACK) << "fails the depth test";

    ASSERT_EQ(Device()->SetRenderTarget(0, pBackBuffer), D3D_OK);
    ASSERT_EQ(Device()->GetViewport(&viewport), D3D_OK);
    EXPECT_EQ(viewport.Width, TARGET_SIZE) << "the back buffer's size again";
    UseTextureShaders();
    ASSERT_EQ(Device()->SetTexture(0, pTarget), D3D_OK);
    ClearAll(0xFF0000FF);
    DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
    EXPECT_EQ(BackBufferPixel(10, 10), WHITE) << "texel rows keep row 0 at the top";
    EXPECT_EQ(BackBufferPixel(50, 10), BLACK);
    ASSERT_EQ(Device()->SetTexture(0, nullptr), D3D_OK);

    D3DLOCKED_RECT locked = {};
    EXPECT_EQ(pSurface->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL)
        << "render targets are not lockable";
    pBackBuffer->Release();
    pSurface->Release();
    pTarget->Release();
}

TEST_F(RenderTargetGLTest, R32FTargetHoldsAFloatExactly)
{
    IDirect3DTexture9* pTarget = nullptr;
    ASSERT_EQ(Device()->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_R32F, D3DPOOL_DEFAULT,
                                      &pTarget, nullptr),
              D3D_OK);
    IDirect3DSurface9* pSurface = nullptr;
    ASSERT_EQ(pTarget->GetSurfaceLevel(0, &pSurface), D3D_OK);
    ASSERT_EQ(Device()->SetRenderTarget(0, pSurface), D3D_OK);
    IDirect3DPixelShader9* pShader = CreatePixelShader(CONSTANT_PS);
    ASSERT_EQ(Device()->SetVertexShader(s_pColorVS), D3D_OK);
    ASSERT_EQ(Device()->SetPixelShader(pShader), D3D_OK);
    const float value[4] = {0.123456789f, 7.0f, 8.0f, 9.0f};
    ASSERT_EQ(Device()->SetPixelShaderConstantF(0, value, 1), D3D_OK);
    ASSERT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE), D3D_OK);
    const std::vector<Vertex> quad = Quad(0, 0, 4, 4, 0.5f, WHITE, 4, 4);
    ASSERT_EQ(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)),
              D3D_OK);

    IDirect3DSurface9* pCopy = nullptr;
    ASSERT_EQ(Device()->CreateOffscreenPlainSurface(4, 4, D3DFMT_R32F, D3DPOOL_SYSTEMMEM, &pCopy,
                                                    nullptr),
              D3D_OK);
    ASSERT_EQ(Device()->GetRenderTargetData(pSurface, pCopy), D3D_OK);
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(pCopy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    float stored = 0.0f;
    std::memcpy(&stored, static_cast<uint8_t*>(locked.pBits) + 2 * locked.Pitch + 8,
                sizeof(stored));
    EXPECT_EQ(stored, 0.123456789f);
    pCopy->UnlockRect();
    pCopy->Release();
    pShader->Release();
    pSurface->Release();
    pTarget->Release();
}

TEST_F(RenderTargetGLTest, CubeFacesKeepDirect3DOrientation)
{
    IDirect3DCubeTexture9* pCube = nullptr;
    ASSERT_EQ(Device()->CreateCubeTexture(16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                          D3DPOOL_DEFAULT, &pCube, nullptr),
              D3D_OK);
    IDirect3DSurface9* pBackBuffer = nullptr;
    ASSERT_EQ(Device()->GetRenderTarget(0, &pBackBuffer), D3D_OK);
    const D3DCOLOR faceColors[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                    0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};
    UseColorShaders();
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE), D3D_OK);
    for (UINT face = 0; face < 6; ++face)
    {
        IDirect3DSurface9* pFace = nullptr;
        ASSERT_EQ(pCube->GetCubeMapSurface(D3DCUBEMAP_FACES(face), 0, &pFace), D3D_OK);
        ASSERT_EQ(Device()->SetRenderTarget(0, pFace), D3D_OK);
        ASSERT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, faceColors[face], 1.0f, 0), D3D_OK);
        // White in the face's top-left quadrant.
        const std::vector<Vertex> quad = Quad(0, 0, 8, 8, 0.5f, WHITE, 16, 16);
        ASSERT_EQ(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)),
                  D3D_OK);
        const std::vector<D3DCOLOR> pixels = ReadSurface(pFace);
        EXPECT_EQ(pixels[2 * 16 + 2], WHITE);
        EXPECT_EQ(pixels[13 * 16 + 13], faceColors[face]);
        pFace->Release();
    }
    ASSERT_EQ(Device()->SetRenderTarget(0, pBackBuffer), D3D_OK);

    // Direct3D's face axes: a direction whose face coordinates (sc, tc) are (-0.5, -0.5)
    // lands in the top-left quadrant, (+0.5, +0.5) in the bottom-right one.
    const float topLeft[6][3] = {{1, 0.5f, 0.5f},   {-1, 0.5f, -0.5f}, {-0.5f, 1, -0.5f},
                                 {-0.5f, -1, 0.5f}, {-0.5f, 0.5f, 1},  {0.5f, 0.5f, -1}};
    const float bottomRight[6][3] = {{1, -0.5f, -0.5f}, {-1, -0.5f, 0.5f}, {0.5f, 1, 0.5f},
                                     {0.5f, -1, -0.5f}, {0.5f, -0.5f, 1},  {-0.5f, -0.5f, -1}};
    IDirect3DPixelShader9* pShader = CreatePixelShader(CUBE_PS);
    ASSERT_EQ(Device()->SetPixelShader(pShader), D3D_OK);
    ASSERT_EQ(Device()->SetTexture(0, pCube), D3D_OK);
    for (UINT face = 0; face < 6; ++face)
    {
        for (int corner = 0; corner < 2; ++corner)
        {
            const float* pDirection = corner == 0 ? topLeft[face] : bottomRight[face];
            const float constant[4] = {pDirection[0], pDirection[1], pDirection[2], 0.0f};
            ASSERT_EQ(Device()->SetPixelShaderConstantF(0, constant, 1), D3D_OK);
            ClearAll(BLACK);
            DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
            EXPECT_EQ(BackBufferPixel(5, 5), corner == 0 ? WHITE : faceColors[face])
                << "face " << face << (corner == 0 ? " top-left" : " bottom-right");
        }
    }
    ASSERT_EQ(Device()->SetTexture(0, nullptr), D3D_OK);
    pShader->Release();
    pBackBuffer->Release();
    pCube->Release();
}

TEST_F(RenderTargetGLTest, OnlyRenderTargetsAndDepthSurfacesBind)
{
    Halvex::Base::DiagnosticCapture capture;
    IDirect3DTexture9* pTexture = nullptr;
    ASSERT_EQ(
        Device()->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pTexture, nullptr),
        D3D_OK);
    IDirect3DSurface9* pSurface = nullptr;
    ASSERT_EQ(pTexture->GetSurfaceLevel(0, &pSurface), D3D_OK);
    EXPECT_EQ(Device()->SetRenderTarget(0, pSurface), D3DERR_INVALIDCALL);
    EXPECT_EQ(Device()->SetDepthStencilSurface(pSurface), D3DERR_INVALIDCALL);
    EXPECT_EQ(Device()->SetRenderTarget(0, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(capture.Logs().size(), 2u);

    IDirect3DSurface9* pDepth = nullptr;
    ASSERT_EQ(Device()->CreateDepthStencilSurface(16, 16, D3DFMT_D16, D3DMULTISAMPLE_NONE, 0, TRUE,
                                                  &pDepth, nullptr),
              D3D_OK);
    EXPECT_EQ(Device()->SetDepthStencilSurface(pDepth), D3D_OK);
    D3DLOCKED_RECT locked = {};
    EXPECT_EQ(pDepth->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);
    pDepth->Release();
    pSurface->Release();
    pTexture->Release();
}

} // namespace
} // namespace D3D9GLTest
