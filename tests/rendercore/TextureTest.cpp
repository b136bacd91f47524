// Textures over the fake device: the size of every kind of chain, the arguments creation
// refuses, the description a file gives, and the lock rules; and the primitive and format
// helpers the back ends share.

#include "rendercoretest.h"

#include "rendercore/source/renderdevice/deviceutility.h"

#include <memory>
#include <tuple>

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
    // Type, width, height, depth, format, levels and the size of the chain.
    const std::tuple<TextureType, int, int, int, TextureFormat, int, uint32_t> cases[] = {
        {TEX_2D, 256, 256, 1, FMT_A8R8G8B8, 9, 349524u},
        {TEX_CUBE, 256, 256, 1, FMT_A8R8G8B8, 9, 2097144u},
        // 4x4x4, 2x2x2 and 1x1x1 texels of 2 bytes.
        {TEX_VOLUME, 4, 4, 4, FMT_R16F, 3, (64u + 8u + 1u) * 2u},
        // The long side keeps halving after the short one reached 1.
        {TEX_2D, 8, 2, 1, FMT_L8, 4, 16u + 4u + 2u + 1u},
        // A depth other than a volume's is 1.
        {TEX_2D, 16, 16, 4, FMT_A8R8G8B8, 1, 16u * 16u * 4u},
    };
    for (const auto& [type, width, height, depth, format, levels, size] : cases)
    {
        Texture tex;
        ASSERT_TRUE(tex.Create(type, width, height, depth, format, levels, POOL_MANAGED, 0));
        EXPECT_EQ((std::tuple{tex.GetSize(), tex.GetDepth()}),
                  (std::tuple{size, type == TEX_VOLUME ? depth : 1}))
            << type << " " << width;
    }
    // Zero levels ask the device for a full chain; its answer is kept.
    m_Device.m_ReportedMipLevels = 8;
    Texture full;
    ASSERT_TRUE(full.Create(TEX_2D, 128, 128, 1, FMT_A8R8G8B8, 0, POOL_MANAGED, 0));
    EXPECT_EQ(full.GetMipLevels(), 8);
}

TEST_F(TextureTest, InvalidArgumentsAreParamErrorsAndASecondLoadIsRefused)
{
    // Type, width, height, depth and pool.
    const int cases[][5] = {
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
    for (const auto& c : cases)
    {
        EXPECT_FALSE(Texture().Create(TextureType(c[0]), c[1], c[2], c[3], FMT_A8R8G8B8, 1,
                                      TexturePool(c[4]), 0));
    }
    EXPECT_FALSE(Texture().CreateRenderTarget(0, 512, FMT_R32F, 1, false));
    EXPECT_FALSE(Texture().CreateRenderTarget(512, 512, FMT_R32F, -1, false));
    EXPECT_FALSE(fromMemory(IMAGE_BYTES, 7, IMAGE_SIZE));
    EXPECT_FALSE(fromMemory(nullptr, TEX_2D, IMAGE_SIZE));
    EXPECT_FALSE(fromMemory(IMAGE_BYTES, TEX_2D, 0));
    Texture loaded;
    ASSERT_TRUE(loaded.LoadFromMemory(IMAGE_BYTES, TEX_2D, IMAGE_SIZE, FMT_UNKNOWN, 0, 0));
    EXPECT_FALSE(loaded.LoadFromMemory(IMAGE_BYTES, TEX_2D, IMAGE_SIZE, FMT_UNKNOWN, 0, 0));
    Strings expected(9, PARAM_ERROR);
    expected.insert(expected.end(), 2, "!\"Param Error, Invalid data\"");
    expected.push_back("!\"Texture has been Loaded\"");
    EXPECT_EQ(Raised(capture), expected);
    EXPECT_EQ(m_Device.m_Counts, (Counts{{"Initialize", 1}, {"LoadTextureFromMemory", 1}}));
    // A cube needs no height: its edge is the width.
    EXPECT_TRUE(Texture().Create(TEX_CUBE, 16, 0, 0, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
}

TEST_F(TextureTest, FilesAndRenderTargetsDescribeTheTextureUntilItIsUnloaded)
{
    Texture tex;
    tex.SetPool(POOL_DEFAULT);
    ASSERT_TRUE(tex.LoadFromMemory(IMAGE_BYTES, TEX_2D, IMAGE_SIZE, FMT_UNKNOWN, 0, 0));
    // 4 bits per texel: (2048 + 512 + 128 + 32 + 8 + 2 + 1) texels.
    EXPECT_EQ((std::tuple{tex.GetPool(), tex.GetSize()}),
              (std::tuple{POOL_MANAGED, 2731u * 4u / 8u}));

    Texture target;
    ASSERT_TRUE(target.CreateRenderTarget(64, 64, FMT_A8R8G8B8, 0, true));
    EXPECT_EQ(
        (std::tuple{target.GetUsage(), target.GetMipLevels(), target.GetPool(), target.GetSize()}),
        (std::tuple{TEXTURE_USAGE_RENDER_TARGET, 1, POOL_DEFAULT, 64u * 64u * 4u * 6u}));
    target.Unload();
    EXPECT_EQ(
        (std::tuple{target.IsLoaded(), target.GetWidth(), target.GetDepth(), target.GetMipLevels(),
                    target.GetUsage(), target.GetFormat(), target.GetSize()}),
        (std::tuple{false, 0, 0, 0, 0, FMT_UNKNOWN, 0u}));

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
    EXPECT_EQ(
        (std::tuple{blank.GetDepth(), blank.GetTextureType(), blank.GetHeight(), blank.GetUsage(),
                    blank.GetMipLevels(), blank.GetFormat(), blank.GetPool()}),
        (std::tuple{1, TEX_VOLUME, 0, 0, 0, FMT_UNKNOWN, POOL_MANAGED}));
}

TEST_F(TextureTest, ALockedTextureRefusesMipmapsAndUnloadsAndARefusedLockKeepsItLocked)
{
    const std::string mustBeUnlocked = "!\"Must be unlock\"";
    auto pTexture = std::make_unique<Texture>();
    Texture& tex = *pTexture;
    LockedRect locked;
    DiagnosticCapture capture;
    EXPECT_FALSE(tex.Lock(0, &locked, nullptr, LOCK_NONE));
    tex.Unlock();
    tex.GenerateMipmaps();
    ASSERT_TRUE(tex.Create(TEX_2D, 4, 4, 1, FMT_A8R8G8B8, 3, POOL_MANAGED, 0));
    EXPECT_FALSE(tex.Lock(0, nullptr, nullptr, LOCK_NONE));
    ASSERT_TRUE(tex.Lock(2, &locked, nullptr, LOCK_DISCARD));
    EXPECT_NE(locked.m_pBits, nullptr);
    EXPECT_EQ((std::tuple{locked.m_Pitch, locked.m_MipLevel}), (std::tuple{16, 2}));
    // The device refuses a second lock; the first one stays.
    m_Device.m_Failing = {"LockTexture"};
    LockedRect second;
    EXPECT_FALSE(tex.Lock(0, &second, nullptr, LOCK_NONE));
    EXPECT_EQ(second.m_pBits, nullptr);
    EXPECT_TRUE(tex.IsLocked());
    tex.GenerateMipmaps();
    tex.Unload();
    pTexture.reset();
    EXPECT_EQ(
        Raised(capture),
        (Strings{"!\"Texture must be loaded and unlock\"", "!\"Texture must be loaded and locked\"",
                 "!\"Texture must be loaded and unlock\"", "!\"Texture must be loaded and unlock\"",
                 "!\"Texture must be loaded and unlock\"", mustBeUnlocked, mustBeUnlocked}));
    EXPECT_EQ(m_Device.CallCount("GenerateMipmaps") + m_Device.CallCount("UnloadTexture"), 0);

    Texture unlocked;
    ASSERT_TRUE(unlocked.Create(TEX_2D, 8, 8, 1, FMT_L8, 1, POOL_MANAGED, 0));
    unlocked.GenerateMipmaps();
    EXPECT_EQ(m_Device.CallCount("GenerateMipmaps"), 1);
}

TEST(DeviceUtility, PrimitiveCountFollowsTheTopologyAndRefusesBadInput)
{
    const int cases[][4] = {
        {PT_TRIANGLE_LIST, 36, 0, 12}, {PT_TRIANGLE_LIST, 4, 36, 12}, {PT_TRIANGLE_STRIP, 4, 0, 2},
        {PT_TRIANGLE_FAN, 6, 0, 4},    {PT_LINE_STRIP, 1, 0, 0},      {PT_LINE_LIST, 7, 0, 3},
        {PT_POINT_LIST, 5, 0, 5},      {PT_POINT_LIST, 5, 3, 3},
    };
    DiagnosticCapture capture;
    for (const auto& c : cases)
    {
        EXPECT_EQ(GetPrimitiveCount(PrimitiveType(c[0]), c[1], c[2]), c[3])
            << c[0] << " " << c[1] << " " << c[2];
    }
    EXPECT_TRUE(capture.Asserts().empty());
    GetPrimitiveCount(PT_POINT_LIST, -1, 0);
    GetPrimitiveCount(PT_POINT_LIST, 0, -1);
    EXPECT_EQ(GetPrimitiveCount(PT_MAX, 9, 0), 0);
    EXPECT_EQ(capture.Asserts().size(), 3u);
    for (int format = 0; format < FMT_MAX; ++format)
    {
        EXPECT_EQ(IsCompressedFormat(TextureFormat(format)),
                  format >= FMT_DXT1 && format <= FMT_DXT5)
            << format;
    }
}
