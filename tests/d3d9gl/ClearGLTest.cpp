#include "D3D9GLFixture.h"

namespace D3D9GLTest
{
namespace
{

using ClearGLTest = DeviceFixture;

constexpr D3DCOLOR BLACK = 0xFF000000;
constexpr D3DCOLOR WHITE = 0xFFFFFFFF;

struct Pixel
{
    UINT x, y;
};

TEST_F(ClearGLTest, ClearsAndDrawsStayInsideViewportScissorAndClearRects)
{
    UseColorShaders();
    const D3DVIEWPORT9 full = {0, 0, TARGET_SIZE, TARGET_SIZE, 0.0f, 1.0f};
    const struct
    {
        const char* name;
        D3DVIEWPORT9 viewport;
        RECT scissor;
        BOOL scissorTest;
        bool draw; // a full-target quad instead of a clear
        std::vector<D3DRECT> rects;
        std::vector<Pixel> inside, outside;
    } cases[] = {
        {"clear in viewport",
         {8, 16, 20, 10, 0.0f, 1.0f},
         {0, 0, 64, 64},
         FALSE,
         false,
         {},
         {{8, 16}, {27, 25}},
         {{7, 16}, {28, 25}, {8, 15}, {8, 26}}},
        {"clear, scissor test off", full, {4, 4, 10, 12}, FALSE, false, {}, {{40, 40}}, {}},
        {"clear in scissor rect",
         full,
         {4, 4, 10, 12},
         TRUE,
         false,
         {},
         {{4, 4}, {9, 11}},
         {{10, 11}, {9, 12}, {3, 4}}},
        {"clear rect cut by viewport",
         {0, 0, 16, 16, 0.0f, 1.0f},
         {0, 0, 64, 64},
         FALSE,
         false,
         {{10, 10, 40, 40}},
         {{10, 10}, {15, 15}},
         {{16, 16}, {9, 10}}},
        {"draw in scissor rect",
         full,
         {16, 16, 32, 24},
         TRUE,
         true,
         {},
         {{16, 16}, {31, 23}},
         {{32, 23}, {16, 24}}},
        // The whole clip space lands in the viewport: the top-right quarter of the target.
        {"draw in viewport",
         {32, 0, 32, 32, 0.0f, 1.0f},
         {0, 0, 64, 64},
         FALSE,
         true,
         {},
         {{32, 0}, {63, 31}},
         {{31, 0}, {32, 32}}},
    };
    for (const auto& c : cases)
    {
        ASSERT_EQ(Device()->SetViewport(&full), D3D_OK);
        ClearAll(BLACK);
        ASSERT_EQ(Device()->SetViewport(&c.viewport), D3D_OK);
        ASSERT_EQ(Device()->SetScissorRect(&c.scissor), D3D_OK);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_SCISSORTESTENABLE, c.scissorTest), D3D_OK);
        if (c.draw)
            DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
        else
            ASSERT_EQ(Device()->Clear(DWORD(c.rects.size()),
                                      c.rects.empty() ? nullptr : c.rects.data(), D3DCLEAR_TARGET,
                                      WHITE, 1.0f, 0),
                      D3D_OK);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_SCISSORTESTENABLE, FALSE), D3D_OK);
        const std::vector<D3DCOLOR> pixels = ReadBackBuffer();
        for (const Pixel& p : c.inside)
            EXPECT_EQ(pixels[p.y * TARGET_SIZE + p.x], WHITE)
                << c.name << " at " << p.x << "," << p.y;
        for (const Pixel& p : c.outside)
            EXPECT_EQ(pixels[p.y * TARGET_SIZE + p.x], BLACK)
                << c.name << " at " << p.x << "," << p.y;
    }
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

} // namespace
} // namespace D3D9GLTest
