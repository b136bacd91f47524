#include "rendercoretest.h"

#include "rendercore/source/resource/texture.h"

#include <memory>

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

namespace
{
constexpr const char* TEXTURE_SOURCE = "src/rendercore/source/resource/texture";
const std::string IMAGE_FILE = FakeRenderDevice::TextureFile(64, 32, FMT_DXT1, 7);
const void* const IMAGE_BYTES = IMAGE_FILE.data();
const int IMAGE_SIZE = static_cast<int>(IMAGE_FILE.size());
} // namespace

using TextureTest = RenderCoreTest;

TEST_F(TextureTest, SizeSumsEveryLevelAndEveryCubeFace)
{
    Texture flat;
    ASSERT_TRUE(flat.Create(TEX_2D, 256, 256, 1, FMT_A8R8G8B8, 9, POOL_MANAGED, 0));
    EXPECT_EQ(flat.GetSize(), 349524u);

    Texture cube;
    ASSERT_TRUE(cube.Create(TEX_CUBE, 256, 256, 1, FMT_A8R8G8B8, 9, POOL_MANAGED, 0));
    EXPECT_TRUE(cube.IsCube());
    EXPECT_EQ(cube.GetSize(), 2097144u);

    // Volume: 4x4x4 then 2x2x2 then 1x1x1 texels of 2 bytes.
    Texture volume;
    ASSERT_TRUE(volume.Create(TEX_VOLUME, 4, 4, 4, FMT_R16F, 3, POOL_MANAGED, 0));
    EXPECT_TRUE(volume.IsVolume());
    EXPECT_EQ(volume.GetDepth(), 4);
    EXPECT_EQ(volume.GetSize(), (64u + 8u + 1u) * 2u);

    // A non-square chain keeps halving the long side after the short one reached 1.
    Texture strip;
    ASSERT_TRUE(strip.Create(TEX_2D, 8, 2, 1, FMT_L8, 4, POOL_MANAGED, 0));
    EXPECT_EQ(strip.GetSize(), 16u + 4u + 2u + 1u);

    // Zero levels ask the device for a full chain; its answer is kept.
    m_Device.m_ReportedMipLevels = 8;
    Texture full;
    ASSERT_TRUE(full.Create(TEX_2D, 128, 128, 1, FMT_A8R8G8B8, 0, POOL_MANAGED, 0));
    EXPECT_EQ(full.GetMipLevels(), 8);
}

TEST_F(TextureTest, DepthOfANonVolumeTextureIsOneAndSettersIgnoreInvalidValues)
{
    Texture tex;
    ASSERT_TRUE(tex.Create(TEX_2D, 16, 16, 4, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
    EXPECT_EQ(tex.GetDepth(), 1);
    EXPECT_EQ(tex.GetSize(), 16u * 16u * 4u);

    Texture volume;
    volume.SetTextureType(TEX_VOLUME);
    volume.SetDepth(0);
    EXPECT_EQ(volume.GetDepth(), 1);
    volume.SetTextureType(4);
    volume.SetHeight(-3);
    volume.SetFormat(FMT_MAX);
    volume.SetUsage(5);
    volume.SetMipLevels(-1);
    volume.SetPool(3);
    EXPECT_EQ(volume.GetTextureType(), TEX_VOLUME);
    EXPECT_EQ(volume.GetHeight(), 0);
    EXPECT_EQ(volume.GetFormat(), FMT_UNKNOWN);
    EXPECT_EQ(volume.GetUsage(), 0);
    EXPECT_EQ(volume.GetMipLevels(), 0);
    EXPECT_EQ(volume.GetPool(), POOL_MANAGED);
}

TEST_F(TextureTest, CreateRejectsInvalidArgumentsAsParamErrors)
{
    struct Case
    {
        int texType, width, height, depth, pool;
    };
    for (const Case& c :
         {Case{4, 16, 16, 1, POOL_MANAGED}, Case{-1, 16, 16, 1, POOL_MANAGED},
          Case{TEX_2D, 0, 16, 1, POOL_MANAGED}, Case{TEX_2D, 16, 0, 1, POOL_MANAGED},
          Case{TEX_VOLUME, 16, 16, 0, POOL_MANAGED}, Case{TEX_2D, 16, 16, 1, POOL_MAX}})
    {
        Texture tex;
        DiagnosticCapture capture;
        EXPECT_FALSE(tex.Create(static_cast<TextureType>(c.texType), c.width, c.height, c.depth,
                                FMT_A8R8G8B8, 1, static_cast<TexturePool>(c.pool), 0));
        EXPECT_EQ(OnlyAssert(capture).expression, "!\"Param Error\"") << c.texType << c.width;
        EXPECT_EQ(OnlyAssert(capture).source, TEXTURE_SOURCE);
    }
    // A cube needs no height: its edge is the width.
    Texture cube;
    EXPECT_TRUE(cube.Create(TEX_CUBE, 16, 0, 0, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
    EXPECT_EQ(m_Device.CallCount("CreateTexture"), 1);
}

TEST_F(TextureTest, LoadFromMemoryValidatesDataAndTakesTheFileDescription)
{
    Texture tex;
    DiagnosticCapture capture;
    const struct
    {
        const void* pData;
        int type, size;
        const char* expression;
    } bad[] = {{nullptr, TEX_2D, IMAGE_SIZE, "!\"Param Error, Invalid data\""},
               {IMAGE_BYTES, TEX_2D, 0, "!\"Param Error, Invalid data\""},
               {IMAGE_BYTES, 7, IMAGE_SIZE, "!\"Param Error\""}};
    for (const auto& row : bad)
    {
        capture.Clear();
        EXPECT_FALSE(tex.LoadFromMemory(row.pData, static_cast<TextureType>(row.type), row.size,
                                        FMT_UNKNOWN, 0, 0));
        EXPECT_EQ(OnlyAssert(capture).expression, row.expression) << row.type << " " << row.size;
    }
    EXPECT_EQ(m_Device.CallCount("LoadTextureFromMemory"), 0);

    tex.SetPool(POOL_DEFAULT);
    ASSERT_TRUE(tex.LoadFromMemory(IMAGE_BYTES, TEX_2D, IMAGE_SIZE, FMT_UNKNOWN, 0, 0));
    EXPECT_EQ(tex.GetWidth(), 64);
    EXPECT_EQ(tex.GetHeight(), 32);
    EXPECT_EQ(tex.GetDepth(), 1);
    EXPECT_EQ(tex.GetFormat(), FMT_DXT1);
    EXPECT_EQ(tex.GetMipLevels(), 7);
    EXPECT_EQ(tex.GetPool(), POOL_MANAGED);
    // 4 bits per texel: (2048 + 512 + 128 + 32 + 8 + 2 + 1) texels.
    EXPECT_EQ(tex.GetSize(), 2731u * 4u / 8u);

    capture.Clear();
    EXPECT_FALSE(tex.LoadFromMemory(IMAGE_BYTES, TEX_2D, IMAGE_SIZE, FMT_UNKNOWN, 0, 0));
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Texture has been Loaded\"");
}

TEST_F(TextureTest, RenderTargetHasOneLevelAndRenderTargetUsage)
{
    Texture tex;
    DiagnosticCapture capture;
    EXPECT_FALSE(tex.CreateRenderTarget(0, 512, FMT_R32F, 1, false));
    EXPECT_FALSE(tex.CreateRenderTarget(512, 512, FMT_R32F, -1, false));
    EXPECT_EQ(capture.Asserts().size(), 2u);
    EXPECT_TRUE(capture.Raised("!\"Param Error\""));

    ASSERT_TRUE(tex.CreateRenderTarget(512, 512, FMT_R32F, 1, false));
    EXPECT_EQ(tex.GetUsage(), TEXTURE_USAGE_RENDER_TARGET);
    EXPECT_EQ(tex.GetMipLevels(), 1);
    EXPECT_EQ(tex.GetPool(), POOL_DEFAULT);
    EXPECT_EQ(tex.GetSize(), 512u * 512u * 4u);

    Texture cube;
    ASSERT_TRUE(cube.CreateRenderTarget(64, 64, FMT_A8R8G8B8, 0, true));
    EXPECT_TRUE(cube.IsCube());
    EXPECT_EQ(cube.GetSize(), 64u * 64u * 4u * 6u);
}

TEST_F(TextureTest, LockNeedsALoadedTextureAndAResultRecord)
{
    Texture tex;
    LockedRect locked;
    DiagnosticCapture capture;
    EXPECT_FALSE(tex.Lock(0, &locked, nullptr, LOCK_NONE));
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Texture must be loaded and unlock\"");
    tex.Unlock();
    EXPECT_TRUE(capture.Raised("!\"Texture must be loaded and locked\""));

    ASSERT_TRUE(tex.Create(TEX_2D, 4, 4, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
    capture.Clear();
    EXPECT_FALSE(tex.Lock(0, nullptr, nullptr, LOCK_NONE));
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Texture must be loaded and unlock\"");
    EXPECT_EQ(m_Device.CallCount("LockTexture"), 0);

    ASSERT_TRUE(tex.Lock(2, &locked, nullptr, LOCK_DISCARD));
    EXPECT_NE(locked.m_pBits, nullptr);
    EXPECT_EQ(locked.m_Pitch, 16);
    EXPECT_EQ(locked.m_MipLevel, 2);
    tex.Unlock();
    EXPECT_FALSE(tex.IsLocked());
}

TEST_F(TextureTest, SecondLockIsRefusedAndALockedTextureNeitherMipmapsNorUnloads)
{
    auto pTexture = std::make_unique<Texture>();
    Texture& tex = *pTexture;
    ASSERT_TRUE(tex.Create(TEX_2D, 4, 4, 1, FMT_A8R8G8B8, 0, POOL_MANAGED, 0));
    LockedRect first;
    ASSERT_TRUE(tex.Lock(0, &first, nullptr, LOCK_NONE));
    LockedRect second;
    EXPECT_FALSE(tex.Lock(0, &second, nullptr, LOCK_NONE));
    EXPECT_EQ(m_Device.CallCount("LockTexture"), 2);
    EXPECT_EQ(second.m_pBits, nullptr);
    EXPECT_TRUE(tex.IsLocked());

    DiagnosticCapture capture;
    tex.GenerateMipmaps();
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Texture must be loaded and unlock\"");
    EXPECT_EQ(m_Device.CallCount("GenerateMipmaps"), 0);
    capture.Clear();
    tex.Unload();
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Must be unlock\"");
    capture.Clear();
    pTexture.reset();
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Must be unlock\"");
    EXPECT_EQ(OnlyAssert(capture).source, TEXTURE_SOURCE);
    EXPECT_EQ(m_Device.CallCount("UnloadTexture"), 0);
}

TEST_F(TextureTest, UnloadClearsTheDescriptionAndAllowsANewLoad)
{
    Texture tex;
    ASSERT_TRUE(tex.CreateRenderTarget(32, 32, FMT_A8R8G8B8, 1, true));
    tex.Unload();
    EXPECT_FALSE(tex.IsLoaded());
    EXPECT_EQ(tex.GetWidth() + tex.GetDepth() + tex.GetMipLevels() + tex.GetUsage(), 0);
    EXPECT_EQ(tex.GetFormat(), FMT_UNKNOWN);
    EXPECT_EQ(tex.GetSize(), 0u);
    EXPECT_EQ(m_Device.CallCount("UnloadTexture"), 1);
    // Mipmaps are made for a loaded unlocked texture only.
    DiagnosticCapture capture;
    tex.GenerateMipmaps();
    EXPECT_TRUE(capture.Raised("!\"Texture must be loaded and unlock\""));
    EXPECT_TRUE(tex.Create(TEX_2D, 8, 8, 1, FMT_L8, 1, POOL_MANAGED, 0));
    EXPECT_EQ(tex.GetSize(), 64u);
    tex.GenerateMipmaps();
    EXPECT_EQ(m_Device.CallCount("GenerateMipmaps"), 1);
}
