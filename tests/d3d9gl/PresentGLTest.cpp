// The back buffer keeps its size whatever the window's: Present scales it to fit the
// window's drawable with its aspect ratio kept, between black bars. A 128 x 128 blue square
// in the middle of a red 1280 x 720 back buffer must come out square, centred, with black
// bars only where the window's shape differs from the picture's.

#include "D3D9GLFixture.h"

#include <epoxy/gl.h>

namespace D3D9GLTest
{
namespace
{

constexpr UINT BACK_WIDTH = 1280;
constexpr UINT BACK_HEIGHT = 720;

struct PresentCase
{
    int width;
    int height;
    int barTop;     // black rows above (and below) the picture
    int barLeft;    // black columns left (and right) of the picture
    int squareSize; // the blue square's side in window pixels
};

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

// Red with a blue square in the middle, presented.
void Present(IDirect3DDevice9* pDevice)
{
    HR_OK(pDevice->Clear(0, nullptr, D3DCLEAR_TARGET, RED, 1.0f, 0));
    const D3DRECT square = {576, 296, 704, 424};
    HR_OK(pDevice->Clear(1, &square, D3DCLEAR_TARGET, BLUE, 1.0f, 0));
    HR_OK(pDevice->Present(nullptr, nullptr, nullptr, nullptr));
}

// The case's window shows the picture between its bars, the square still square.
void ExpectScaledPicture(const PresentCase& c)
{
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
}

using PresentGLTest = DeviceFixture;

TEST_F(PresentGLTest, ThePictureIsScaledToFitBetweenBlackBars)
{
    for (const PresentCase& c :
         {PresentCase{1920, 1080, 0, 0, 192}, PresentCase{1000, 1000, 218, 0, 100},
          PresentCase{1000, 360, 0, 180, 64}})
    {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        SDL_Window* pWindow = SDL_CreateWindow("present test", 0, 0, c.width, c.height,
                                               SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(pWindow, nullptr) << SDL_GetError();
        D3DPRESENT_PARAMETERS params = s_Params;
        params.BackBufferWidth = BACK_WIDTH;
        params.BackBufferHeight = BACK_HEIGHT;
        params.BackBufferFormat = D3DFMT_X8R8G8B8;
        params.EnableAutoDepthStencil = FALSE;
        IDirect3DDevice9* pDevice = nullptr;
        EXPECT_EQ(s_pD3D->CreateDevice(0, D3DDEVTYPE_HAL, reinterpret_cast<HWND>(pWindow),
                                       D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &pDevice),
                  D3D_OK);
        if (pDevice)
        {
            Present(pDevice);
            ExpectScaledPicture(c);
            EXPECT_EQ(Counters(pDevice).GLErrors, 0u);
            pDevice->Release();
        }
        SDL_DestroyWindow(pWindow);
    }
}

} // namespace
} // namespace D3D9GLTest
