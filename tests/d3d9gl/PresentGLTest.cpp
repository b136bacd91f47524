// The back buffer keeps its size whatever the window's: Present scales it to fit the
// window's drawable with its aspect ratio kept, between black bars. A 128 x 128 blue square
// in the middle of a red 1280 x 720 back buffer must come out square, centred, with black
// bars only where the window's shape differs from the picture's.

#include "d3d9gl/d3d9.h"
#include "d3d9gl/d3d9gl.h"

#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <epoxy/gl.h>

#include <ostream>
#include <vector>

namespace
{

constexpr UINT BACK_WIDTH = 1280;
constexpr UINT BACK_HEIGHT = 720;
constexpr D3DCOLOR RED = 0xFFFF0000;
constexpr D3DCOLOR BLUE = 0xFF0000FF;
constexpr D3DCOLOR BLACK = 0xFF000000;

struct PresentCase
{
    int width;
    int height;
    int barTop;     // black rows above (and below) the picture
    int barLeft;    // black columns left (and right) of the picture
    int squareSize; // the blue square's side in window pixels
};

std::ostream& operator<<(std::ostream& stream, const PresentCase& c)
{
    return stream << c.width << "x" << c.height;
}

// The window's pixels after Present, row 0 at the top, as D3DCOLOR.
std::vector<D3DCOLOR> ReadWindow(int width, int height)
{
    GLint previous = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(previous));
    std::vector<D3DCOLOR> pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const uint8_t* p = &rgba[(size_t(height - 1 - y) * size_t(width) + size_t(x)) * 4];
            pixels[size_t(y) * size_t(width) + size_t(x)] = D3DCOLOR_ARGB(0xFF, p[0], p[1], p[2]);
        }
    }
    return pixels;
}

class PresentGLTest : public ::testing::TestWithParam<PresentCase>
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        m_pWindow = SDL_CreateWindow("present test", 0, 0, GetParam().width, GetParam().height,
                                     SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(m_pWindow, nullptr) << SDL_GetError();
        m_pD3D = Direct3DCreate9(D3D_SDK_VERSION);
        D3DPRESENT_PARAMETERS params = {};
        params.BackBufferWidth = BACK_WIDTH;
        params.BackBufferHeight = BACK_HEIGHT;
        params.BackBufferFormat = D3DFMT_X8R8G8B8;
        params.SwapEffect = D3DSWAPEFFECT_DISCARD;
        params.Windowed = TRUE;
        params.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
        ASSERT_EQ(m_pD3D->CreateDevice(0, D3DDEVTYPE_HAL, reinterpret_cast<HWND>(m_pWindow),
                                       D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &m_pDevice),
                  D3D_OK);
    }
    void TearDown() override
    {
        if (m_pDevice)
            m_pDevice->Release();
        if (m_pD3D)
            m_pD3D->Release();
        if (m_pWindow)
            SDL_DestroyWindow(m_pWindow);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    SDL_Window* m_pWindow = nullptr;
    IDirect3D9* m_pD3D = nullptr;
    IDirect3DDevice9* m_pDevice = nullptr;
};

TEST_P(PresentGLTest, ThePictureIsScaledToFitBetweenBlackBars)
{
    const PresentCase& c = GetParam();
    ASSERT_EQ(m_pDevice->Clear(0, nullptr, D3DCLEAR_TARGET, RED, 1.0f, 0), D3D_OK);
    const D3DRECT square = {576, 296, 704, 424};
    ASSERT_EQ(m_pDevice->Clear(1, &square, D3DCLEAR_TARGET, BLUE, 1.0f, 0), D3D_OK);
    ASSERT_EQ(m_pDevice->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    const std::vector<D3DCOLOR> window = ReadWindow(c.width, c.height);
    const auto at = [&](int x, int y) { return window[size_t(y) * size_t(c.width) + size_t(x)]; };

    // Bars on both sides, the picture from edge to edge between them.
    const int midX = c.width / 2;
    const int midY = c.height / 2;
    if (c.barTop > 0)
    {
        EXPECT_EQ(at(midX, c.barTop - 1), BLACK);
        EXPECT_EQ(at(midX, c.height - c.barTop), BLACK);
    }
    if (c.barLeft > 0)
    {
        EXPECT_EQ(at(c.barLeft - 1, midY), BLACK);
        EXPECT_EQ(at(c.width - c.barLeft, midY), BLACK);
    }
    EXPECT_EQ(at(c.barLeft + 1, c.barTop + 1), RED);
    EXPECT_EQ(at(c.width - c.barLeft - 2, c.height - c.barTop - 2), RED);

    // The square stays square: as many blue pixels across its middle row as down its column.
    int across = 0;
    int down = 0;
    for (int x = 0; x < c.width; ++x)
        across += at(x, midY) == BLUE;
    for (int y = 0; y < c.height; ++y)
        down += at(midX, y) == BLUE;
    EXPECT_NEAR(across, c.squareSize, 2);
    EXPECT_NEAR(down, c.squareSize, 2);

    D3D9GL_COUNTERS counters = {};
    ASSERT_EQ(D3D9GL_GetCounters(m_pDevice, &counters, nullptr), D3D_OK);
    EXPECT_EQ(counters.GLErrors, 0u);
}

INSTANTIATE_TEST_SUITE_P(Windows, PresentGLTest,
                         ::testing::Values(PresentCase{1920, 1080, 0, 0, 192},
                                           PresentCase{1000, 1000, 218, 0, 100},
                                           PresentCase{1000, 360, 0, 180, 64}));

} // namespace
