#pragma once
// The render device over the real d3d9gl device in a hidden 64 x 64 SDL window, shared by a
// test suite, with a lit, textured cube to draw and the back buffer read back through the
// device's own texture copy.

#include "d3d9gl/d3d9.h"
#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"
#include "rendercore/source/resource/vertexshader.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace Dx9GLTest
{

inline constexpr int SIZE = 64;
inline constexpr uint32_t BLUE = 0xFF0000FF;
inline constexpr uint32_t YELLOW = 0xFFFFFF00;
// The checker's texels: top-left, top-right, bottom-left, bottom-right.
inline constexpr uint32_t CHECKER[4] = {0xFFFF0000, 0xFF00FF00, 0xFFFFFFFF, 0xFF00FFFF};

// Every channel of actual within tolerance of expected.
bool Near(uint32_t expected, uint32_t actual, int tolerance);
// A file of tests/renderdevice_dx9/shaders.
std::string ReadShader(const char* name);
testing::AssertionResult PixelNear(const std::vector<uint32_t>& pixels, int x, int y,
                                   uint32_t expected, int tolerance = 2);
// Every texel of level `level` of a locked 2D texture, as A8R8G8B8.
std::vector<uint32_t> ReadLevel(Halvex::RenderCore::Texture& texture, int level, int width,
                                int height);
// Loads a vertex and pixel shader pair from the shader folder.
void LoadShaders(Halvex::RenderCore::VertexShader& vertex, const char* vertexFile,
                 Halvex::RenderCore::PixelShader& pixel, const char* pixelFile);

class Dx9GLTest : public testing::Test
{
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    // A unit cube with position, normal and texture coordinate, a 2 x 2 checker texture and
    // a back-buffer-sized texture to read back into.
    struct Scene
    {
        Scene();
        Halvex::RenderCore::VertexShader m_VertexShader;
        Halvex::RenderCore::PixelShader m_PixelShader;
        Halvex::RenderCore::InputLayout m_Layout;
        Halvex::RenderCore::VertexBuffer m_Vertices;
        Halvex::RenderCore::IndexBuffer m_Indices;
        Halvex::RenderCore::Texture m_Checker;
        Halvex::RenderCore::Texture m_ReadBack;
    };

    static Halvex::RenderCore::RenderDevice& Device() { return *s_pDevice; }
    static IDirect3DDevice9* Native()
    {
        return static_cast<IDirect3DDevice9*>(s_pDevice->GetNativeDevice());
    }
    static Scene& Objects() { return *s_pScene; }
    // The cube, front face toward the viewer, lit from lightDir and textured with pTexture.
    void DrawCube(Halvex::RenderCore::Texture* pTexture, const float lightDir[4]);
    std::vector<uint32_t> ReadBackBuffer();

    static SDL_Window* s_pWindow;
    static std::unique_ptr<Halvex::RenderCore::VideoDevice> s_pVideo;
    static std::unique_ptr<Halvex::RenderCore::RenderDevice> s_pDevice;
    static std::unique_ptr<Scene> s_pScene;
};

} // namespace Dx9GLTest
