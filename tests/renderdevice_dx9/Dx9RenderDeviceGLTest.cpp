// Pictures drawn through the render device over the real d3d9gl device, read back through
// the device's own texture copy.

#include "dx9gltest.h"

#include "testsupport.h"

#include <algorithm>

using namespace Halvex::RenderCore;

namespace Dx9GLTest
{

using Dx9RenderDeviceGLTest = Dx9GLTest;

TEST_F(Dx9RenderDeviceGLTest,
       LitTexturedCubeShowsItsFrontFaceOverTheClearColourBeforeAndAfterAReset)
{
    const float towardViewer[4] = {0, 0, 1, 0};
    Device().BeginScene();
    Device().Clear(CLEAR_TARGET | CLEAR_DEPTH | CLEAR_STENCIL, BLUE, 1.0f, 0);
    DrawCube(&Objects().m_Checker, towardViewer);
    Device().EndScene();
    // The front face covers the middle 32 x 32 pixels, one checker texel per quadrant.
    ExpectPixels(ReadBackBuffer(), {2, 2, BLUE, 61, 61, BLUE, 20, 20, CHECKER[0], 43, 20,
                                    CHECKER[1], 20, 43, CHECKER[2], 43, 43, CHECKER[3]});

    // After a reset, with the light along the face: only the ambient quarter remains.
    DeviceSetting setting;
    Device().GetDeviceSetting(&setting);
    ASSERT_TRUE(Device().ResetDevice(&setting, nullptr, nullptr));
    EXPECT_TRUE(Device().CheckDevice(nullptr, nullptr));
    const float sideways[4] = {1, 0, 0, 0};
    Device().BeginScene();
    Device().Clear(CLEAR_TARGET | CLEAR_DEPTH, BLUE, 1.0f, 0);
    DrawCube(&Objects().m_Checker, sideways);
    Device().EndScene();
    ExpectPixels(ReadBackBuffer(), {20, 20, 0xFF400000, 20, 43, 0xFF404040}, 3);
}

TEST_F(Dx9RenderDeviceGLTest, ViewportCutsOffFractionsAndScissorClipsUnlessItIsEmpty)
{
    const float towardViewer[4] = {0, 0, 1, 0};
    const float full[4] = {0, 0, SIZE, SIZE};
    const float topLeft[4] = {0.9f, 0.5f, 32.9f, 32.4f};
    const float empty[4] = {10, 20, 0, 5};
    const float leftPart[4] = {0, 0, 40, SIZE};
    Device().BeginScene();
    Device().Clear(CLEAR_TARGET | CLEAR_DEPTH, BLUE, 1.0f, 0);
    Device().SetViewport(topLeft); // (0, 0) to (32, 32): the face covers 8 to 24
    EXPECT_EQ(Device().GetViewport().m_Width, 32.0f);
    Device().SetScissorRect(empty); // no area: no scissor test
    EXPECT_EQ(Device().GetScissorRect().m_Height, 5.0f);
    DrawCube(&Objects().m_Checker, towardViewer);
    Device().SetViewport(full);
    Device().SetScissorRect(leftPart); // the full-size face, 16 to 48, cut at 40
    DrawCube(&Objects().m_Checker, towardViewer);
    Device().SetScissorRect(empty);
    Device().EndScene();
    ExpectPixels(ReadBackBuffer(), {10, 10, CHECKER[0], 10, 22, CHECKER[2], 36, 20, CHECKER[1], 44,
                                    20, BLUE, 36, 44, CHECKER[3]});
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
    EXPECT_EQ(std::make_tuple(height, depth, levels, format, flags),
              std::make_tuple(128, 0, 8, FMT_A8R8G8B8, 3u));
    cube.Unload();
    // A render target is one level in the default pool, whatever was asked.
    Texture target;
    pool = POOL_MANAGED;
    flags = 0;
    ASSERT_TRUE(Device().CreateRenderTarget(&target, 16, 16, FMT_R32F, &pool, &flags, false));
    EXPECT_EQ(std::make_pair(pool, flags), std::make_pair(POOL_DEFAULT, 3u));

    // A full chain whose level 0 is one colour: mipmaps carry it down to 1 x 1.
    Texture source;
    ASSERT_TRUE(source.Create(TEX_2D, 256, 256, 1, FMT_A8R8G8B8, 0, POOL_MANAGED, 0));
    ASSERT_EQ(source.GetMipLevels(), 9);
    LockedRect locked;
    ASSERT_TRUE(source.Lock(0, &locked, nullptr, LOCK_NONE));
    for (int y = 0; y < 256; ++y)
        std::fill_n(
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.m_pBits) + y * locked.m_Pitch),
            256, 0xFF2080C0u);
    source.Unlock();
    source.GenerateMipmaps();
    EXPECT_TRUE(Near(0xFF2080C0u, ReadLevel(source, 8, 1, 1).at(0), 1));

    HalvexTest::TempDir dir;
    const std::string path = (dir / "chain.dds").string();
    Device().SaveTextureToFile(path, &source, IFF_DDS);
    const std::string bytes = HalvexTest::ReadFile(path);
    ASSERT_FALSE(bytes.empty());
    Texture loaded;
    ASSERT_TRUE(loaded.LoadFromMemory(bytes.data(), TEX_2D, static_cast<int>(bytes.size()),
                                      FMT_UNKNOWN, 0, 0));
    EXPECT_EQ(std::make_tuple(loaded.GetWidth(), loaded.GetHeight(), loaded.GetFormat(),
                              loaded.GetMipLevels()),
              std::make_tuple(256, 256, FMT_A8R8G8B8, 9));

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

TEST_F(Dx9RenderDeviceGLTest, InstancesAndExtraStreamsPlaceEachCopyOfAQuadInItsConstantColour)
{
    // A quad of corners (0,0)-(1,1), scaled by half in the shader and moved per copy.
    constexpr InputElementDesc_t elements[] = {
        {STREAM_0, 0, DECL_FLOAT3, METHOD_DEFAULT, USAGE_POSITION, 0},
        {STREAM_1, 0, DECL_FLOAT4, METHOD_DEFAULT, USAGE_TEXCOORD, 1},
        INPUT_ELEMENT_END,
    };
    const float corners[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    const uint32_t indices[6] = {0, 1, 2, 2, 1, 3}; // 32-bit, where the cube has 16-bit
    // Two instances: bottom-left and top-right quarters' middles.
    const float instances[2][4] = {{-0.75f, -0.75f, 0, 0}, {0.25f, 0.25f, 0, 0}};
    // Per vertex: four offsets off screen, then four to the top-left.
    const float shifts[8][4] = {{5, 5},          {5, 5},          {5, 5},          {5, 5},
                                {-0.75f, 0.25f}, {-0.75f, 0.25f}, {-0.75f, 0.25f}, {-0.75f, 0.25f}};
    VertexShader vertexShader;
    PixelShader pixelShader;
    LoadShaders(vertexShader, "Offset.wvu", pixelShader, "Flat.wpu");
    InputLayout layout;
    VertexBuffer quad, instanceBuffer, shiftBuffer;
    IndexBuffer indexBuffer;
    ASSERT_TRUE(layout.Load(elements));
    ASSERT_TRUE(quad.Load(PT_TRIANGLE_LIST, corners, 4, 12, POOL_MANAGED));
    ASSERT_TRUE(instanceBuffer.Load(PT_POINT_LIST, instances, 2, 16, POOL_DEFAULT));
    ASSERT_TRUE(shiftBuffer.Load(PT_POINT_LIST, shifts, 8, 16, POOL_MANAGED));
    ASSERT_TRUE(indexBuffer.Load(indices, 6, 4, POOL_MANAGED));

    Device().BeginScene();
    Device().Clear(CLEAR_TARGET | CLEAR_DEPTH, BLUE, 1.0f, 0);
    Device().SetRenderState(RS_CULL_MODE, CULL_NONE);
    // The locked pair stays bound through another SetShaders.
    const ShaderPair pair = {&vertexShader, &pixelShader};
    Device().LockShader(&pair);
    Device().SetShaders(&Objects().m_VertexShader, &Objects().m_PixelShader);
    const float half = 0.5f;
    Device().SetShaderConstantFloatArray(SHADER_VERTEX, 0, &half, 1);
    const int orange[4] = {255, 128, 0, 0};
    Device().SetShaderConstantIntArray(SHADER_PIXEL, 0, orange, 4);
    const bool useInts[1] = {true};
    Device().SetShaderConstantBoolArray(SHADER_PIXEL, 0, useInts, 1);
    // Without a count, every instance of the buffer is drawn.
    Device().DrawInstanced(&layout, &quad, 0, 4, &indexBuffer, 0, 6, &instanceBuffer, 0, 0, 0);

    const bool useFloats[1] = {false};
    Device().SetShaderConstantBoolArray(SHADER_PIXEL, 0, useFloats, 1);
    const float green[6] = {0, 1, 0, 1, 0, 0};
    Device().SetShaderConstantFloatArray(SHADER_PIXEL, 0, green, 6);
    VertexBuffer* streams[2] = {&quad, &shiftBuffer};
    const int offsets[2] = {0, 64};
    Device().DrawMultiStream(&layout, 2, offsets, streams, 0, 4, &indexBuffer, 0, 6);
    Device().UnlockShader();
    Device().EndScene();

    ExpectPixels(ReadBackBuffer(), {16, 48, 0xFFFF8000, 48, 16, 0xFFFF8000, 16, 16, 0xFF00FF00, 48,
                                    48, BLUE, 30, 30, BLUE});
}

} // namespace Dx9GLTest
