#include "D3D9GLFixture.h"

namespace D3D9GLTest
{
namespace
{

using ClearGLTest = DeviceFixture;

constexpr D3DCOLOR BLACK = 0xFF000000;
constexpr D3DCOLOR WHITE = 0xFFFFFFFF;

TEST_F(ClearGLTest, ClearIsLimitedToViewport)
{
    ClearAll(BLACK);
    const D3DVIEWPORT9 viewport = {8, 16, 20, 10, 0.0f, 1.0f};
    ASSERT_EQ(Device()->SetViewport(&viewport), D3D_OK);
    ASSERT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, WHITE, 1.0f, 0), D3D_OK);
    EXPECT_EQ(BackBufferPixel(8, 16), WHITE);
    EXPECT_EQ(BackBufferPixel(27, 25), WHITE);
    EXPECT_EQ(BackBufferPixel(7, 16), BLACK);
    EXPECT_EQ(BackBufferPixel(28, 25), BLACK);
    EXPECT_EQ(BackBufferPixel(8, 15), BLACK);
    EXPECT_EQ(BackBufferPixel(8, 26), BLACK);
}

TEST_F(ClearGLTest, ClearIsLimitedToScissorRectWhileScissorTestIsOn)
{
    ClearAll(BLACK);
    const RECT scissor = {4, 4, 10, 12};
    ASSERT_EQ(Device()->SetScissorRect(&scissor), D3D_OK);
    ASSERT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0), D3D_OK);
    EXPECT_EQ(BackBufferPixel(40, 40), 0xFF00FF00u) << "scissor test off: the whole viewport";

    ClearAll(BLACK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_SCISSORTESTENABLE, TRUE), D3D_OK);
    ASSERT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, WHITE, 1.0f, 0), D3D_OK);
    EXPECT_EQ(BackBufferPixel(4, 4), WHITE);
    EXPECT_EQ(BackBufferPixel(9, 11), WHITE);
    EXPECT_EQ(BackBufferPixel(10, 11), BLACK);
    EXPECT_EQ(BackBufferPixel(9, 12), BLACK);
    EXPECT_EQ(BackBufferPixel(3, 4), BLACK);
}

TEST_F(ClearGLTest, ClearRectanglesAreIntersectedWithTheViewport)
{
    ClearAll(BLACK);
    const D3DVIEWPORT9 viewport = {0, 0, 16, 16, 0.0f, 1.0f};
    ASSERT_EQ(Device()->SetViewport(&viewport), D3D_OK);
    const D3DRECT rect = {10, 10, 40, 40};
    ASSERT_EQ(Device()->Clear(1, &rect, D3DCLEAR_TARGET, WHITE, 1.0f, 0), D3D_OK);
    EXPECT_EQ(BackBufferPixel(10, 10), WHITE);
    EXPECT_EQ(BackBufferPixel(15, 15), WHITE);
    EXPECT_EQ(BackBufferPixel(16, 16), BLACK);
    EXPECT_EQ(BackBufferPixel(9, 10), BLACK);
}

TEST_F(ClearGLTest, DepthAndStencilClearsNeedThoseBuffers)
{
    Halvex::Base::DiagnosticCapture capture;
    IDirect3DSurface9* pDepthOnly = nullptr;
    ASSERT_EQ(Device()->CreateDepthStencilSurface(TARGET_SIZE, TARGET_SIZE, D3DFMT_D16,
                                                  D3DMULTISAMPLE_NONE, 0, TRUE, &pDepthOnly,
                                                  nullptr),
              D3D_OK);
    ASSERT_EQ(Device()->SetDepthStencilSurface(pDepthOnly), D3D_OK);
    EXPECT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3D_OK);
    EXPECT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    ASSERT_EQ(Device()->SetDepthStencilSurface(nullptr), D3D_OK);
    EXPECT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, WHITE, 1.0f, 0), D3D_OK);
    EXPECT_EQ(capture.Logs().size(), 2u);
    pDepthOnly->Release();
}

TEST_F(ClearGLTest, ScissorRectLimitsDraws)
{
    UseColorShaders();
    ClearAll(BLACK);
    const RECT scissor = {16, 16, 32, 24};
    ASSERT_EQ(Device()->SetScissorRect(&scissor), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_SCISSORTESTENABLE, TRUE), D3D_OK);
    DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
    EXPECT_EQ(BackBufferPixel(16, 16), WHITE);
    EXPECT_EQ(BackBufferPixel(31, 23), WHITE);
    EXPECT_EQ(BackBufferPixel(32, 23), BLACK);
    EXPECT_EQ(BackBufferPixel(16, 24), BLACK);
}

TEST_F(ClearGLTest, ViewportMapsClipSpaceToItsRectangle)
{
    UseColorShaders();
    ClearAll(BLACK);
    const D3DVIEWPORT9 viewport = {32, 0, 32, 32, 0.0f, 1.0f};
    ASSERT_EQ(Device()->SetViewport(&viewport), D3D_OK);
    // The whole clip space, drawn into the viewport: the top-right quarter of the target.
    DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
    EXPECT_EQ(BackBufferPixel(32, 0), WHITE);
    EXPECT_EQ(BackBufferPixel(63, 31), WHITE);
    EXPECT_EQ(BackBufferPixel(31, 0), BLACK);
    EXPECT_EQ(BackBufferPixel(32, 32), BLACK);
}

} // namespace
} // namespace D3D9GLTest
