// The render device over the real d3d9gl device in a hidden SDL window: a textured, lit
// cube and a render-to-texture pass, read back through the device's own texture copy.

#include "base/source/system/logger.h"
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

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

using namespace Halvex::RenderCore;

namespace
{
constexpr int SIZE = 64;
constexpr uint32_t BLUE = 0xFF0000FF;
constexpr uint32_t YELLOW = 0xFFFFFF00;
// The checker's texels: top-left, top-right, bottom-left, bottom-right.
constexpr uint32_t CHECKER[4] = {0xFFFF0000, 0xFF00FF00, 0xFFFFFFFF, 0xFF00FFFF};

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
void BuildCube(std::vector<Vertex>& vertices, std::vector<uint16_t>& indices)
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

// Orthographic view down -z: x and y scaled by `scale`, z in [-1, 1] to depth [0.75, 0.25]
// (row vectors).
const float ORTHO[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -0.25f, 0, 0, 0, 0.5f, 1};

std::string ReadShader(const char* name)
{
    std::ifstream file(HalvexTest::SourceDir() / "tests/renderdevice_dx9/shaders" / name,
                       std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Near(uint32_t expected, uint32_t actual, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8)
    {
        const int a = static_cast<int>((expected >> shift) & 0xFF);
        const int b = static_cast<int>((actual >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance)
        {
            return false;
        }
    }
    return true;
}

testing::AssertionResult PixelNear(const std::vector<uint32_t>& pixels, int x, int y,
                                   uint32_t expected, int tolerance = 2)
{
    const uint32_t actual = pixels[static_cast<size_t>(y) * SIZE + x];
    if (Near(expected, actual, tolerance))
    {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "pixel (" << x << "," << y << ") is 0x" << std::hex
                                       << actual << ", expected 0x" << expected;
}

// Every texel of level `level` of a locked 2D texture, as A8R8G8B8.
std::vector<uint32_t> ReadLevel(Texture& texture, int level, int width, int height)
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
} // namespace

class Dx9RenderDeviceGLTest : public testing::Test
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
        if (s_pWindow)
        {
            SDL_DestroyWindow(s_pWindow);
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

protected:
    struct Scene
    {
        Scene()
        {
            const std::string vs = ReadShader("LitTexture.wvu");
            const std::string ps = ReadShader("LitTexture.wpu");
            EXPECT_TRUE(m_VertexShader.Load(vs.data(), static_cast<int>(vs.size()), 0));
            EXPECT_TRUE(m_PixelShader.Load(ps.data(), static_cast<int>(ps.size()), 0));
            EXPECT_TRUE(m_Layout.Load(CUBE_ELEMENTS));
            std::vector<Vertex> vertices;
            std::vector<uint16_t> indices;
            BuildCube(vertices, indices);
            EXPECT_TRUE(m_Vertices.Load(PT_TRIANGLE_LIST, vertices.data(),
                                        static_cast<int>(vertices.size()), sizeof(Vertex),
                                        POOL_MANAGED));
            EXPECT_TRUE(
                m_Indices.Load(indices.data(), static_cast<int>(indices.size()), 2, POOL_MANAGED));
            EXPECT_TRUE(m_Checker.Create(TEX_2D, 2, 2, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
            LockedRect locked;
            EXPECT_TRUE(m_Checker.Lock(0, &locked, nullptr, LOCK_NONE));
            for (int texel = 0; texel < 4; ++texel)
            {
                auto* pRow = static_cast<uint8_t*>(locked.m_pBits) + (texel / 2) * locked.m_Pitch;
                reinterpret_cast<uint32_t*>(pRow)[texel % 2] = CHECKER[texel];
            }
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

    RenderDevice& Device() { return *s_pDevice; }
    Scene& Objects() { return *s_pScene; }

    void DrawCube(Texture* pTexture, const float lightDir[4])
    {
        Device().SetRenderState(RS_CULL_MODE, CULL_NONE);
        Device().SetShaders(&Objects().m_VertexShader, &Objects().m_PixelShader);
        Device().SetShaderConstantMatrix(SHADER_VERTEX, 0, ORTHO);
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

    std::vector<uint32_t> ReadBackBuffer()
    {
        EXPECT_TRUE(Device().CopyTextureFromBackBuffer(&Objects().m_ReadBack));
        std::vector<uint32_t> pixels = ReadLevel(Objects().m_ReadBack, 0, SIZE, SIZE);
        pixels.resize(SIZE * SIZE);
        return pixels;
    }

    static SDL_Window* s_pWindow;
    static std::unique_ptr<VideoDevice> s_pVideo;
    static std::unique_ptr<RenderDevice> s_pDevice;
    static std::unique_ptr<Scene> s_pScene;
};

SDL_Window* Dx9RenderDeviceGLTest::s_pWindow = nullptr;
std::unique_ptr<VideoDevice> Dx9RenderDeviceGLTest::s_pVideo;
std::unique_ptr<RenderDevice> Dx9RenderDeviceGLTest::s_pDevice;
std::unique_ptr<Dx9RenderDeviceGLTest::Scene> Dx9RenderDeviceGLTest::s_pScene;

TEST_F(Dx9RenderDeviceGLTest, LitTexturedCubeShowsItsFrontFaceOverTheClearColour)
{
    const float towardViewer[4] = {0, 0, 1, 0};
    Device().BeginScene();
    Device().Clear(CLEAR_TARGET | CLEAR_DEPTH | CLEAR_STENCIL, BLUE, 1.0f, 0);
    DrawCube(&Objects().m_Checker, towardViewer);
    Device().EndScene();
    std::vector<uint32_t> pixels = ReadBackBuffer();
    // The front face covers the middle 32 x 32 pixels, one checker texel per quadrant.
    EXPECT_TRUE(PixelNear(pixels, 2, 2, BLUE));
    EXPECT_TRUE(PixelNear(pixels, 61, 61, BLUE));
    EXPECT_TRUE(PixelNear(pixels, 20, 20, CHECKER[0]));
    EXPECT_TRUE(PixelNear(pixels, 43, 20, CHECKER[1]));
    EXPECT_TRUE(PixelNear(pixels, 20, 43, CHECKER[2]));
    EXPECT_TRUE(PixelNear(pixels, 43, 43, CHECKER[3]));

    // Light along the face: only the ambient quarter remains.
    const float sideways[4] = {1, 0, 0, 0};
    Device().BeginScene();
    Device().Clear(CLEAR_TARGET | CLEAR_DEPTH, BLUE, 1.0f, 0);
    DrawCube(&Objects().m_Checker, sideways);
    Device().EndScene();
    pixels = ReadBackBuffer();
    EXPECT_TRUE(PixelNear(pixels, 20, 20, 0xFF400000, 3));
    EXPECT_TRUE(PixelNear(pixels, 20, 43, 0xFF404040, 3));
}

TEST_F(Dx9RenderDeviceGLTest, RenderToTexturePassFeedsTheNextDraw)
{
    Texture target;
    ASSERT_TRUE(target.CreateRenderTarget(SIZE / 2, SIZE / 2, FMT_A8R8G8B8, 0, false));
    const float towardViewer[4] = {0, 0, 1, 0};

    Device().BeginScene();
    RenderTargetSet set;
    set.m_pColor[0] = &target;
    Device().BeginRenderTargets(&set);
    Device().Clear(CLEAR_TARGET | CLEAR_DEPTH, YELLOW, 1.0f, 0);
    DrawCube(&Objects().m_Checker, towardViewer);
    Device().EndRenderTargets(false);

    Device().Clear(CLEAR_TARGET | CLEAR_DEPTH, BLUE, 1.0f, 0);
    DrawCube(&target, towardViewer);
    Device().EndScene();
    Device().SetTexture(SHADER_PIXEL, 0, nullptr, nullptr);

    // The face shows the whole 32 x 32 target texel for pixel: its yellow border and, in
    // its middle, the cube drawn into it (the target's own viewport was all of it).
    const std::vector<uint32_t> pixels = ReadBackBuffer();
    EXPECT_TRUE(PixelNear(pixels, 2, 2, BLUE));
    EXPECT_TRUE(PixelNear(pixels, 18, 18, YELLOW));
    EXPECT_TRUE(PixelNear(pixels, 45, 45, YELLOW));
    EXPECT_TRUE(PixelNear(pixels, 26, 26, CHECKER[0]));
    EXPECT_TRUE(PixelNear(pixels, 37, 37, CHECKER[3]));
}

TEST_F(Dx9RenderDeviceGLTest, TexturesReportWhatWasCreatedAndSurviveAFileRoundTrip)
{
    Texture cube;
    int width = 128;
    int height = 1;
    int depth = 1;
    TextureFormat format = FMT_A8R8G8B8;
    int levels = 0;
    TexturePool pool = POOL_MANAGED;
    uint32_t flags = 0;
    ASSERT_TRUE(Device().CreateTexture(&cube, TEX_CUBE, &width, &height, &depth, &format, &levels,
                                       &pool, &flags));
    EXPECT_EQ(height, 128);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(levels, 8);
    EXPECT_EQ(format, FMT_A8R8G8B8);
    EXPECT_EQ(flags, 3u);
    cube.Unload();

    // A full chain whose level 0 is one colour: mipmaps carry it down to 1 x 1.
    Texture source;
    ASSERT_TRUE(source.Create(TEX_2D, 256, 256, 1, FMT_A8R8G8B8, 0, POOL_MANAGED, 0));
    ASSERT_EQ(source.GetMipLevels(), 9);
    LockedRect locked;
    ASSERT_TRUE(source.Lock(0, &locked, nullptr, LOCK_NONE));
    for (int y = 0; y < 256; ++y)
    {
        auto* pRow =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.m_pBits) + y * locked.m_Pitch);
        std::fill(pRow, pRow + 256, 0xFF2080C0u);
    }
    source.Unlock();
    source.GenerateMipmaps();
    EXPECT_TRUE(Near(0xFF2080C0u, ReadLevel(source, 8, 1, 1).at(0), 1));

    HalvexTest::TempDir dir;
    const std::string path = (dir / "chain.dds").string();
    Device().SaveTextureToFile(path, &source, IFF_DDS);
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty());
    Texture loaded;
    ASSERT_TRUE(loaded.LoadFromMemory(bytes.data(), TEX_2D, static_cast<int>(bytes.size()),
                                      FMT_UNKNOWN, 0, 0));
    EXPECT_EQ(loaded.GetWidth(), 256);
    EXPECT_EQ(loaded.GetHeight(), 256);
    EXPECT_EQ(loaded.GetFormat(), FMT_A8R8G8B8);
    EXPECT_EQ(loaded.GetMipLevels(), 9);

    // Level 0 scaled into a smaller texture, and every level copied byte for byte.
    Texture small;
    ASSERT_TRUE(small.Create(TEX_2D, 4, 4, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
    ASSERT_TRUE(Device().CopyTexture(&small, &loaded));
    EXPECT_TRUE(Near(0xFF2080C0u, ReadLevel(small, 0, 4, 4).at(5), 1));
    Texture copy;
    ASSERT_TRUE(copy.Create(TEX_2D, 256, 256, 1, FMT_A8R8G8B8, 0, POOL_MANAGED, 0));
    ASSERT_TRUE(Device().CopyTextureData(&copy, &loaded));
    const std::vector<uint32_t> copied = ReadLevel(copy, 7, 2, 2);
    EXPECT_EQ(copied, ReadLevel(loaded, 7, 2, 2));
    EXPECT_TRUE(Near(0xFF2080C0u, copied.at(3), 1));
}
