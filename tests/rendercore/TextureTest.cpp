// Textures over the fake device: the size of every kind of chain, the arguments creation
// refuses, the description a file gives, and the lock rules.

#include "rendercoretest.h"

#include "rendercore/source/resource/texture.h"

#include <memory>

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

namespace
{
const std::string IMAGE_FILE = FakeRenderDevice::TextureFile(64, 32, FMT_DXT1, 7);
const void* const IMAGE_BYTES = IMAGE_FILE.data();
const int IMAGE_SIZE = static_cast<int>(IMAGE_FILE.size());
} // namespace

using TextureTest = RenderCoreTest;

TEST_F(TextureTest, SizeSumsEveryLevelAndEveryCubeFace)
{
    const struct
    {
        TextureType m_Type;
        int m_Width, m_Height, m_Depth;
        TextureFormat m_Format;
        int m_Levels;
        uint32_t m_Size;
    } cases[] = {
        {TEX_2D, 256, 256, 1, FMT_A8R8G8B8, 9, 349524u},
        {TEX_CUBE, 256, 256, 1, FMT_A8R8G8B8, 9, 2097144u},
        // 4x4x4, 2x2x2 and 1x1x1 texels of 2 bytes.
        {TEX_VOLUME, 4, 4, 4, FMT_R16F, 3, (64u + 8u + 1u) * 2u},
        // The long side keeps halving after the short one reached 1.
        {TEX_2D, 8, 2, 1, FMT_L8, 4, 16u + 4u + 2u + 1u},
        // A depth other than a volume's is 1.
        {TEX_2D, 16, 16, 4, FMT_A8R8G8B8, 1, 16u * 16u * 4u},
    };
    for (const auto& c : cases)
    {
        Texture tex;
        ASSERT_TRUE(tex.Create(c.m_Type, c.m_Width, c.m_Height, c.m_Depth, c.m_Format, c.m_Levels,
                               POOL_MANAGED, 0));
        EXPECT_EQ(tex.GetSize(), c.m_Size) << c.m_Type << " " << c.m_Width;
        EXPECT_EQ(tex.GetDepth(), c.m_Type == TEX_VOLUME ? c.m_Depth : 1);
    }
    // Zero levels ask the device for a full chain; its answer is kept.
    m_Device.m_ReportedMipLevels = 8;
    Texture full;
    ASSERT_TRUE(full.Create(TEX_2D, 128, 128, 1, FMT_A8R8G8B8, 0, POOL_MANAGED, 0));
    EXPECT_EQ(full.GetMipLevels(), 8);
}

TEST_F(TextureTest, InvalidArgumentsAreParamErrorsAndASecondLoadIsRefused)
{
    struct Case
    {
        int type, width, height, depth, pool;
    };
    const Case cases[] = {
        {4, 16, 16, 1, POOL_MANAGED},          {-1, 16, 16, 1, POOL_MANAGED},
        {TEX_2D, 0, 16, 1, POOL_MANAGED},      {TEX_2D, 16, 0, 1, POOL_MANAGED},
        {TEX_VOLUME, 16, 16, 0, POOL_MANAGED}, {TEX_2D, 16, 16, 1, POOL_MAX},
    };
    const auto fromMemory = [](const void* pData, int type, int size)
    {
        return Texture().LoadFromMemory(pData, static_cast<TextureType>(type), size, FMT_UNKNOWN, 0,
                                        0);
    };
    DiagnosticCapture capture;
    for (const Case& c : cases)
    {
        EXPECT_FALSE(Texture().Create(static_cast<TextureType>(c.type), c.width, c.height, c.depth,
                                      FMT_A8R8G8B8, 1, static_cast<TexturePool>(c.pool), 0));
    }
    EXPECT_FALSE(Texture().CreateRenderTarget(0, 512, FMT_R32F, 1, false));
    EXPECT_FALSE(Texture().CreateRenderTarget(512, 512, FMT_R32F, -1, false));
    EXPECT_FALSE(fromMemory(IMAGE_BYTES, 7, IMAGE_SIZE));
    EXPECT_EQ(capture.Asserts().size(), 9u);
    for (const Halvex::Base::AssertRecord& record : capture.Asserts())
    {
        EXPECT_EQ(record.expression, "!\"Param Error\"");
    }
    capture.Clear();
    EXPECT_FALSE(fromMemory(nullptr, TEX_2D, IMAGE_SIZE));
    EXPECT_FALSE(fromMemory(IMAGE_BYTES, TEX_2D, 0));
    EXPECT_EQ(capture.Asserts().size(), 2u);
    EXPECT_TRUE(capture.Raised("!\"Param Error, Invalid data\""));
    EXPECT_EQ(m_Device.CallCount("CreateTexture") + m_Device.CallCount("CreateRenderTarget") +
                  m_Device.CallCount("LoadTextureFromMemory"),
              0);

    Texture loaded;
    ASSERT_TRUE(loaded.LoadFromMemory(IMAGE_BYTES, TEX_2D, IMAGE_SIZE, FMT_UNKNOWN, 0, 0));
    capture.Clear();
    EXPECT_FALSE(loaded.LoadFromMemory(IMAGE_BYTES, TEX_2D, IMAGE_SIZE, FMT_UNKNOWN, 0, 0));
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Texture has been Loaded\"");
    // A cube needs no height: its edge is the width.
    EXPECT_TRUE(Texture().Create(TEX_CUBE, 16, 0, 0, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
}

TEST_F(TextureTest, FilesAndRenderTargetsDescribeTheTextureUntilItIsUnloaded)
{
    Texture tex;
    tex.SetPool(POOL_DEFAULT);
    ASSERT_TRUE(tex.LoadFromMemory(IMAGE_BYTES, TEX_2D, IMAGE_SIZE, FMT_UNKNOWN, 0, 0));
    EXPECT_EQ(tex.GetPool(), POOL_MANAGED);
    // 4 bits per texel: (2048 + 512 + 128 + 32 + 8 + 2 + 1) texels.
    EXPECT_EQ(tex.GetSize(), 2731u * 4u / 8u);

    Texture target;
    ASSERT_TRUE(target.CreateRenderTarget(64, 64, FMT_A8R8G8B8, 0, true));
    EXPECT_EQ(target.GetUsage(), TEXTURE_USAGE_RENDER_TARGET);
    EXPECT_EQ(target.GetMipLevels(), 1);
    EXPECT_EQ(target.GetPool(), POOL_DEFAULT);
    EXPECT_EQ(target.GetSize(), 64u * 64u * 4u * 6u);
    target.Unload();
    EXPECT_FALSE(target.IsLoaded());
    EXPECT_EQ(target.GetWidth() + target.GetDepth() + target.GetMipLevels() + target.GetUsage(), 0);
    EXPECT_EQ(target.GetFormat(), FMT_UNKNOWN);
    EXPECT_EQ(target.GetSize(), 0u);

    // Setters ignore values outside their range.
    Texture blank;
    blank.SetTextureType(TEX_VOLUME);
    blank.SetDepth(0);
    blank.SetTextureType(4);
    blank.SetHeight(-3);
    blank.SetFormat(FMT_MAX);
    blank.SetUsage(5);
    blank.SetMipLevels(-1);
    blank.SetPool(3);
    EXPECT_EQ(blank.GetDepth(), 1);
    EXPECT_EQ(blank.GetTextureType(), TEX_VOLUME);
    EXPECT_EQ(blank.GetHeight() + blank.GetUsage() + blank.GetMipLevels(), 0);
    EXPECT_EQ(blank.GetFormat(), FMT_UNKNOWN);
    EXPECT_EQ(blank.GetPool(), POOL_MANAGED);
}

TEST_F(TextureTest, ALockedTextureRefusesASecondLockMipmapsAndUnloads)
{
    const char* const unlockedRule = "!\"Texture must be loaded and unlock\"";
    auto pTexture = std::make_unique<Texture>();
    Texture& tex = *pTexture;
    LockedRect locked;
    DiagnosticCapture capture;
    EXPECT_FALSE(tex.Lock(0, &locked, nullptr, LOCK_NONE));
    EXPECT_EQ(OnlyAssert(capture).expression, unlockedRule);
    tex.Unlock();
    EXPECT_TRUE(capture.Raised("!\"Texture must be loaded and locked\""));
    tex.GenerateMipmaps();
    EXPECT_EQ(capture.Asserts().size(), 3u);

    ASSERT_TRUE(tex.Create(TEX_2D, 4, 4, 1, FMT_A8R8G8B8, 3, POOL_MANAGED, 0));
    capture.Clear();
    EXPECT_FALSE(tex.Lock(0, nullptr, nullptr, LOCK_NONE));
    EXPECT_EQ(OnlyAssert(capture).expression, unlockedRule);
    ASSERT_TRUE(tex.Lock(2, &locked, nullptr, LOCK_DISCARD));
    EXPECT_NE(locked.m_pBits, nullptr);
    EXPECT_EQ(locked.m_Pitch, 16);
    EXPECT_EQ(locked.m_MipLevel, 2);
    LockedRect second;
    EXPECT_FALSE(tex.Lock(0, &second, nullptr, LOCK_NONE));
    EXPECT_EQ(second.m_pBits, nullptr);
    EXPECT_TRUE(tex.IsLocked());

    capture.Clear();
    tex.GenerateMipmaps();
    tex.Unload();
    EXPECT_EQ(capture.Asserts().size(), 2u);
    EXPECT_TRUE(capture.Raised("!\"Must be unlock\""));
    capture.Clear();
    pTexture.reset();
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Must be unlock\"");
    EXPECT_EQ(m_Device.CallCount("GenerateMipmaps") + m_Device.CallCount("UnloadTexture"), 0);

    Texture unlocked;
    ASSERT_TRUE(unlocked.Create(TEX_2D, 8, 8, 1, FMT_L8, 1, POOL_MANAGED, 0));
    unlocked.GenerateMipmaps();
    EXPECT_EQ(m_Device.CallCount("GenerateMipmaps"), 1);
}
