#pragma once
// A d3d9gl device on a hidden SDL window (the page's canvas in the browser), shared by the
// tests of one suite, and helpers to draw coloured and textured quads and to read the back
// buffer back.

#include "base/source/system/logger.h"
#include "d3d9gl/d3d9.h"
#include "d3d9gl/d3d9gl.h"
#include "d3d9gl/d3dx9.h"

#include <gtest/gtest.h>

#ifndef __EMSCRIPTEN__
#include <SDL2/SDL.h>
#endif

#include <cstring>
#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// Fails the test unless the call returns D3D_OK.
#define HR_OK(call) ASSERT_EQ((call), D3D_OK)

namespace D3D9GLTest
{

constexpr UINT TARGET_SIZE = 64;
constexpr D3DCOLOR BLACK = 0xFF000000;
constexpr D3DCOLOR WHITE = 0xFFFFFFFF;
constexpr D3DCOLOR RED = 0xFFFF0000;
constexpr D3DCOLOR GREEN = 0xFF00FF00;
constexpr D3DCOLOR BLUE = 0xFF0000FF;

// Position in clip space, D3DCOLOR, one texture coordinate set.
struct Vertex
{
    float x, y, z, w;
    D3DCOLOR color;
    float u, v;
};

// A GL device for a whole suite. Each test starts from the device's default state (Reset)
// and fails if GL reported an error.
class DeviceFixture : public ::testing::Test
{
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    // Pixel rectangle [x0, x1) x [y0, y1) of the current target as two triangles at depth z.
    static std::vector<Vertex> Quad(float x0, float y0, float x1, float y1, float z, D3DCOLOR color,
                                    UINT targetWidth = TARGET_SIZE,
                                    UINT targetHeight = TARGET_SIZE);

    // The 32-bit texels of a locked rectangle, rows packed tightly.
    static std::vector<D3DCOLOR> Texels(const D3DLOCKED_RECT& locked, UINT width, UINT height);

protected:
    void SetUp() override;
    void TearDown() override;

    IDirect3DDevice9* Device() const { return s_pDevice; }
    // The counters of this frame so far, of `pDevice` or of the shared device.
    static D3D9GL_COUNTERS Counters(IDirect3DDevice9* pDevice = nullptr);

    // The colour shader pair: position and COLOR0 through, colour out (SHADE interpolant).
    void UseColorShaders();
    // Vertex colour times texture sampler 0 (2D).
    void UseTextureShaders();
    IDirect3DVertexShader9* CreateVertexShader(const std::string& body);
    IDirect3DPixelShader9* CreatePixelShader(const std::string& body);

    // Render states that must each be taken.
    void SetStates(std::initializer_list<std::pair<D3DRENDERSTATETYPE, DWORD>> states);
    // A managed texture whose top level holds `pTexels` (rows tightly packed).
    IDirect3DTexture9* MakeTexture(UINT width, UINT height, D3DFORMAT format, const void* pTexels,
                                   UINT levels = 1);
    static void FillLevel(IDirect3DTexture9* pTexture, UINT level, const void* pTexels);
    // Managed buffers holding `pData`.
    IDirect3DVertexBuffer9* MakeVertexBuffer(const void* pData, UINT size);
    IDirect3DIndexBuffer9* MakeIndexBuffer(const void* pData, UINT size, D3DFORMAT format);
    // Copies into a vertex or index buffer through a lock.
    template <class Buffer>
    static void Fill(Buffer* pBuffer, const void* pData, UINT size, UINT offset = 0,
                     DWORD flags = 0)
    {
        void* pLocked = nullptr;
        ASSERT_EQ(pBuffer->Lock(offset, size, &pLocked, flags), D3D_OK);
        std::memcpy(pLocked, pData, size);
        ASSERT_EQ(pBuffer->Unlock(), D3D_OK);
    }
    template <class... Object> static void Release(Object*... pObjects)
    {
        (pObjects->Release(), ...);
    }

    void DrawQuad(float x0, float y0, float x1, float y1, float z, D3DCOLOR color);
    void ClearAll(D3DCOLOR color, float z = 1.0f, DWORD stencil = 0);
    // Clears to `background`, draws a white quad over the whole target, reads pixel (x, y).
    D3DCOLOR DrawFullQuad(UINT x = 10, UINT y = 10, D3DCOLOR background = BLACK);

    // The back buffer's pixels as A8R8G8B8 (row 0 at the top).
    std::vector<D3DCOLOR> ReadBackBuffer();
    D3DCOLOR BackBufferPixel(UINT x, UINT y);

    static IDirect3D9* s_pD3D;
    // The SDL window, or the canvas's selector in the browser.
    static HWND s_Window;
    static IDirect3DDevice9* s_pDevice;
    static IDirect3DVertexDeclaration9* s_pDeclaration;
    static IDirect3DVertexShader9* s_pColorVS;
    static IDirect3DPixelShader9* s_pColorPS;
    static IDirect3DPixelShader9* s_pTexturePS;
    static D3DPRESENT_PARAMETERS s_Params;

private:
    UINT m_GLErrorsBefore = 0;
};

// `inside` exactly on the pixels of `rect` of a TARGET_SIZE-wide image, `outside` elsewhere.
::testing::AssertionResult OnlyRectIs(const std::vector<D3DCOLOR>& pixels, RECT rect,
                                      D3DCOLOR inside, D3DCOLOR outside);
// Channels within `tolerance` of each other.
::testing::AssertionResult ColorNear(D3DCOLOR expected, D3DCOLOR actual, int tolerance = 1);

} // namespace D3D9GLTest
