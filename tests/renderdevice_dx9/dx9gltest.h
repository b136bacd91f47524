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
#include "testsupport.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace Dx9GLTest
{

inline constexpr int SIZE = 64;
inline constexpr uint32_t BLUE = 0xFF0000FF;
// The checker's texels: top-left, top-right, bottom-left, bottom-right.
inline constexpr uint32_t CHECKER[4] = {0xFFFF0000, 0xFF00FF00, 0xFFFFFFFF, 0xFF00FFFF};

using namespace Halvex::RenderCore;

namespace Detail
{
struct Vertex
{
    float m_Position[3];
    float m_Normal[3];
    float m_TexCoord[2];
};

constexpr InputElementDesc_t CUBE_ELEMENTS[] = {
    {STREAM_0, 0, DECL_FLOAT3, METHOD_DEFAULT, USAGE_POSITION, 0},
    {STREAM_0, 12, DECL_FLOAT3, METHOD_DEFAULT, USAGE_NORMAL, 0},
    {STREAM_0, 24, DECL_FLOAT2, METHOD_DEFAULT, USAGE_TEXCOORD, 0},
    INPUT_ELEMENT_END,
};

// A unit cube: four vertices and two triangles per face, texture (0,0) at each face's
// top-left as seen from outside.
inline void BuildCube(std::vector<Vertex>& vertices, std::vector<uint16_t>& indices)
{
    struct Face
    {
        float m_Normal[3];
        float m_Right[3];
        float m_Up[3];
    };
    const Face faces[6] = {
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    };
    for (const Face& face : faces)
    {
        const auto base = static_cast<uint16_t>(vertices.size());
        const float corners[4][2] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
        for (const auto& corner : corners)
        {
            Vertex vertex = {};
            for (int i = 0; i < 3; ++i)
            {
                vertex.m_Position[i] = 0.5f * (face.m_Normal[i] + corner[0] * face.m_Right[i] +
                                               corner[1] * face.m_Up[i]);
                vertex.m_Normal[i] = face.m_Normal[i];
            }
            vertex.m_TexCoord[0] = 0.5f * (corner[0] + 1.0f);
            vertex.m_TexCoord[1] = 0.5f * (1.0f - corner[1]);
            vertices.push_back(vertex);
        }
        for (uint16_t index : {0, 1, 2, 2, 1, 3})
        {
            indices.push_back(static_cast<uint16_t>(base + index));
        }
    }
}

// Orthographic view down -z: z in [-1, 1] to depth [0.75, 0.25] (row vectors).
const float ORTHO[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -0.25f, 0, 0, 0, 0.5f, 1};

} // namespace Detail

// Every channel of actual within tolerance of expected.
inline bool Near(uint32_t expected, uint32_t actual, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8)
    {
        if (std::abs(int((expected >> shift) & 0xFF) - int((actual >> shift) & 0xFF)) > tolerance)
            return false;
    }
    return true;
}

// A file of tests/renderdevice_dx9/shaders.
inline std::string ReadShader(const char* name)
{
    return HalvexTest::ReadFile(HalvexTest::SourceDir() / "tests/renderdevice_dx9/shaders" / name);
}

// Loads a vertex and pixel shader pair from the shader folder.
inline void LoadShaders(VertexShader& vertex, const char* vertexFile, PixelShader& pixel,
                        const char* pixelFile)
{
    const std::string vs = ReadShader(vertexFile);
    const std::string ps = ReadShader(pixelFile);
    EXPECT_TRUE(vertex.Load(vs.data(), static_cast<int>(vs.size()), 0)) << vertexFile;
    EXPECT_TRUE(pixel.Load(ps.data(), static_cast<int>(ps.size()), 0)) << pixelFile;
}

// Pixel (x, y) of a SIZE x SIZE read-back within tolerance of expected.
inline testing::AssertionResult PixelNear(const std::vector<uint32_t>& pixels, int x, int y,
                                          uint32_t expected, int tolerance = 2)
{
    const uint32_t actual = pixels.at(static_cast<size_t>(y) * SIZE + x);
    if (Near(expected, actual, tolerance))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "pixel (" << x << "," << y << ") is 0x" << std::hex
                                       << actual << ", expected 0x" << expected;
}

// Pixels of a SIZE x SIZE read-back, given as x, y, colour triples, within tolerance.
inline void ExpectPixels(const std::vector<uint32_t>& pixels,
                         std::initializer_list<uint32_t> triples, int tolerance = 2)
{
    for (auto p = triples.begin(); p + 2 < triples.end(); p += 3)
        EXPECT_TRUE(PixelNear(pixels, int(p[0]), int(p[1]), p[2], tolerance));
}

// Every texel of level `level` of a locked 2D texture, as A8R8G8B8.
inline std::vector<uint32_t> ReadLevel(Texture& texture, int level, int width, int height)
{
    std::vector<uint32_t> texels;
    LockedRect locked;
    if (!texture.Lock(level, &locked, nullptr, LOCK_READ_ONLY))
    {
        ADD_FAILURE() << "level " << level << " cannot be locked";
        return texels;
    }
    for (int y = 0; y < height; ++y)
    {
        const auto* pRow = static_cast<const uint8_t*>(locked.m_pBits) + y * locked.m_Pitch;
        const auto* pTexels = reinterpret_cast<const uint32_t*>(pRow);
        texels.insert(texels.end(), pTexels, pTexels + width);
    }
    texture.Unlock();
    return texels;
}

class Dx9GLTest : public testing::Test
{
public:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        s_pWindow =
            SDL_CreateWindow("dx9 test", 0, 0, SIZE, SIZE, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(s_pWindow, nullptr) << SDL_GetError();
        s_pVideo = CreateVideoDevice();
        DeviceCreateParam param;
        param.m_Width = SIZE;
        param.m_Height = SIZE;
        param.m_pWindow = s_pWindow;
        param.m_VSync = false;
        s_pDevice = CreateRenderDevice(s_pVideo.get(), &param);
        ASSERT_NE(s_pDevice->GetNativeDevice(), nullptr);
        ASSERT_TRUE(SetRenderDevice(s_pDevice.get()));
        s_pScene = std::make_unique<Scene>();
    }

    static void TearDownTestSuite()
    {
        s_pScene.reset();
        ReleaseRenderDevice();
        s_pDevice.reset();
        s_pVideo.reset();
        SDL_DestroyWindow(s_pWindow);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

protected:
    // A unit cube with position, normal and texture coordinate, a 2 x 2 checker texture and
    // a back-buffer-sized texture to read back into.
    struct Scene
    {
        Scene()
        {
            LoadShaders(m_VertexShader, "LitTexture.wvu", m_PixelShader, "LitTexture.wpu");
            EXPECT_TRUE(m_Layout.Load(Detail::CUBE_ELEMENTS));
            std::vector<Detail::Vertex> vertices;
            std::vector<uint16_t> indices;
            Detail::BuildCube(vertices, indices);
            EXPECT_TRUE(m_Vertices.Load(PT_TRIANGLE_LIST, vertices.data(), 24,
                                        sizeof(Detail::Vertex), POOL_MANAGED));
            EXPECT_TRUE(m_Indices.Load(indices.data(), 36, 2, POOL_MANAGED));
            EXPECT_TRUE(m_Checker.Create(TEX_2D, 2, 2, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
            LockedRect locked;
            EXPECT_TRUE(m_Checker.Lock(0, &locked, nullptr, LOCK_NONE));
            for (int row = 0; row < 2; ++row)
                std::memcpy(static_cast<uint8_t*>(locked.m_pBits) + row * locked.m_Pitch,
                            &CHECKER[row * 2], 2 * sizeof(uint32_t));
            m_Checker.Unlock();
            EXPECT_TRUE(m_ReadBack.Create(TEX_2D, SIZE, SIZE, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
        }
        VertexShader m_VertexShader;
        PixelShader m_PixelShader;
        InputLayout m_Layout;
        VertexBuffer m_Vertices;
        IndexBuffer m_Indices;
        Texture m_Checker;
        Texture m_ReadBack;
    };

    static RenderDevice& Device() { return *s_pDevice; }
    static IDirect3DDevice9* Native()
    {
        return static_cast<IDirect3DDevice9*>(s_pDevice->GetNativeDevice());
    }
    static Scene& Objects() { return *s_pScene; }

    // The cube, front face toward the viewer, lit from lightDir and textured with pTexture.
    static void DrawCube(Texture* pTexture, const float lightDir[4])
    {
        Device().SetRenderState(RS_CULL_MODE, CULL_NONE);
        Device().SetShaders(&Objects().m_VertexShader, &Objects().m_PixelShader);
        Device().SetShaderConstantMatrix(SHADER_VERTEX, 0, Detail::ORTHO);
        uintptr_t lightHandle = 0;
        Device().SetShaderConstantVectorByName(&Objects().m_PixelShader, "LightDir", lightDir,
                                               &lightHandle);
        EXPECT_NE(lightHandle, 0u);
        SamplerDesc point;
        point.m_AddressU = ADDRESS_CLAMP;
        point.m_AddressV = ADDRESS_CLAMP;
        Device().SetTexture(SHADER_PIXEL, 0, pTexture, &point);
        Device().DrawIndexed(&Objects().m_Layout, &Objects().m_Vertices, 0, 24,
                             &Objects().m_Indices, 0, 36);
    }

    static std::vector<uint32_t> ReadBackBuffer()
    {
        EXPECT_TRUE(Device().CopyTextureFromBackBuffer(&Objects().m_ReadBack));
        return ReadLevel(Objects().m_ReadBack, 0, SIZE, SIZE);
    }

    inline static SDL_Window* s_pWindow = nullptr;
    inline static std::unique_ptr<VideoDevice> s_pVideo;
    inline static std::unique_ptr<RenderDevice> s_pDevice;
    inline static std::unique_ptr<Scene> s_pScene;
};

} // namespace Dx9GLTest
