#include "dx9testfixture.h"

#include "rendercore/source/renderdevice/devicetypes.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexshader.h"

#include <cstring>

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;

namespace Dx9Test
{

class Dx9TextureTest : public Dx9DeviceTest
{
protected:
    // A texture over a fake native one, described as the loader would describe it.
    Texture& MakeTexture(int width, int height, int levels, TextureFormat format,
                         int pitchPadding = 0)
    {
        const int bytes = format == FMT_DXT1 ? 1 : 4;
        auto* pNative =
            new FakeTexture(static_cast<UINT>(width), static_cast<UINT>(height),
                            static_cast<UINT>(levels), D3DFMT_A8R8G8B8, bytes, pitchPadding);
        auto* pTexture = Make<Texture>();
        pTexture->SetUserData(static_cast<IDirect3DResource9*>(pNative));
        pTexture->SetWidth(width);
        pTexture->SetHeight(height);
        pTexture->SetMipLevels(levels);
        pTexture->SetFormat(format);
        return *pTexture;
    }

    std::string NameOf(const Texture& texture) { return Name(FakeOf<IUnknown>(texture)); }
};

TEST_F(Dx9TextureTest, RedundantTexturesAndSamplerStatesMakeNoNativeCall)
{
    Texture& texture = MakeTexture(64, 64, 1, FMT_A8R8G8B8);
    SamplerDesc desc;
    desc.m_MinFilter = FILTER_LINEAR;
    desc.m_AddressU = ADDRESS_CLAMP;
    Device().SetTexture(SHADER_PIXEL, 0, &texture, &desc);
    EXPECT_EQ(m_Log.Count("SetTexture(0," + NameOf(texture) + ")"), 1u);
    EXPECT_TRUE(m_Log.Has("SetSamplerState(0,6,2)"));   // min filter linear
    EXPECT_TRUE(m_Log.Has("SetSamplerState(0,1,3)"));   // address U clamp
    EXPECT_EQ(m_Log.Count("SetSamplerState(0,4,"), 0u); // the border colour is not set here
    EXPECT_EQ(m_Log.Count("SetSamplerState("), 6u);

    m_Log.Clear();
    Device().SetTexture(SHADER_PIXEL, 0, &texture, &desc);
    EXPECT_TRUE(m_Log.Calls().empty());
    desc.m_MagFilter = FILTER_ANISOTROPIC;
    Device().SetTexture(SHADER_PIXEL, 0, &texture, &desc);
    EXPECT_EQ(m_Log.Calls(), std::vector<std::string>{"SetSamplerState(0,5,3)"});

    m_Log.Clear();
    Device().SetTexture(SHADER_PIXEL, 0, nullptr, &desc);
    EXPECT_EQ(m_Log.Calls(), std::vector<std::string>{"SetTexture(0,null)"});
}

TEST_F(Dx9TextureTest, VertexSamplersAreNumberedFrom257)
{
    Texture& texture = MakeTexture(16, 16, 1, FMT_R32F);
    SamplerDesc desc;
    Device().SetTexture(SHADER_VERTEX, 0, &texture, &desc);
    EXPECT_EQ(m_Log.Calls().front(), "SetTexture(257," + NameOf(texture) + ")");
    Device().SetTexture(SHADER_VERTEX, 3, &texture, &desc);
    EXPECT_TRUE(m_Log.Has("SetTexture(260," + NameOf(texture) + ")"));

    DiagnosticCapture capture;
    m_Log.Clear();
    Device().SetTexture(SHADER_PIXEL, -1, &texture, &desc);
    EXPECT_TRUE(capture.Raised("regIndex >= 0"));
    EXPECT_TRUE(m_Log.Calls().empty());
}

TEST_F(Dx9TextureTest, TextureByNameResolvesAndCachesTheSamplerRegister)
{
    constexpr char text[] = "//! sampler DiffuseMap s2\n//! sampler NormalMap s5\n"
                            "//! const World c0\nvoid main() {}";
    auto* pShader = Make<VertexShader>();
    ASSERT_TRUE(pShader->Load(text, static_cast<int>(std::strlen(text)), 0));
    Texture& texture = MakeTexture(16, 16, 1, FMT_A8R8G8B8);
    SamplerDesc desc;
    desc.m_BorderColor = 0xFF00FF00;
    const TextureSampler sampler(&texture, desc);
    uintptr_t handle = 0;
    int32_t reg = -1;
    m_Log.Clear();
    Device().SetTextureByName(pShader, "DiffuseMap", &sampler, &handle, &reg);
    EXPECT_EQ(reg, 2);
    EXPECT_NE(handle, 0u);
    EXPECT_TRUE(m_Log.Has("SetTexture(259," + NameOf(texture) + ")"));
    EXPECT_TRUE(m_Log.Has("SetSamplerState(259,4,4278255360)"));
    EXPECT_EQ(m_Log.Count("SetSamplerState(259,"), 7u);
    // The cached register is used as it stands, without a lookup by name.
    Texture& otherTexture = MakeTexture(16, 16, 1, FMT_A8R8G8B8);
    const TextureSampler other(&otherTexture, desc);
    handle = 0;
    m_Log.Clear();
    Device().SetTextureByName(pShader, "NormalMap", &other, &handle, &reg);
    EXPECT_EQ(m_Log.Calls(),
              std::vector<std::string>{"SetTexture(259," + NameOf(otherTexture) + ")"});

    uintptr_t worldHandle = 0;
    int32_t worldReg = -1;
    m_Log.Clear();
    Device().SetTextureByName(pShader, "World", &sampler, &worldHandle, &worldReg);
    EXPECT_EQ(worldReg, -1);
    EXPECT_TRUE(m_Log.Calls().empty());

    Device().SetTextureByName(pShader, "DiffuseMap", nullptr, &handle, &reg);
    EXPECT_EQ(m_Log.Calls(), std::vector<std::string>{"SetTexture(259,null)"});
}

TEST_F(Dx9TextureTest, TextureDataCopiesEveryLevelRowByRow)
{
    Texture& src = MakeTexture(4, 4, 2, FMT_A8R8G8B8, 8);
    Texture& dst = MakeTexture(4, 4, 2, FMT_A8R8G8B8, 4);
    auto* pSrc = FakeOf<FakeTexture>(src);
    for (FakeSurface* pLevel : pSrc->m_Levels)
    {
        for (size_t i = 0; i < pLevel->m_Bits.size(); ++i)
        {
            pLevel->m_Bits[i] = static_cast<BYTE>(i + 1);
        }
    }
    ASSERT_TRUE(Device().CopyTextureData(&dst, &src));
    auto* pDst = FakeOf<FakeTexture>(dst);
    for (size_t level = 0; level < 2; ++level)
    {
        const FakeSurface& from = *pSrc->m_Levels[level];
        const FakeSurface& to = *pDst->m_Levels[level];
        const size_t row = from.m_Desc.Width * 4;
        for (UINT y = 0; y < from.m_Desc.Height; ++y)
        {
            EXPECT_EQ(std::memcmp(&to.m_Bits[y * to.m_Pitch], &from.m_Bits[y * from.m_Pitch], row),
                      0)
                << "level " << level << " row " << y;
        }
        EXPECT_EQ(from.m_LockFlags, std::vector<DWORD>{D3DLOCK_READONLY});
        EXPECT_EQ(to.m_LockFlags, std::vector<DWORD>{D3DLOCK_DISCARD});
        EXPECT_EQ(to.m_LockCount, 0);
    }
}

TEST_F(Dx9TextureTest, TextureDataCopyRefusesMismatchedOrCompressedTextures)
{
    Texture& large = MakeTexture(64, 64, 1, FMT_A8R8G8B8);
    Texture& small = MakeTexture(32, 32, 1, FMT_A8R8G8B8);
    DiagnosticCapture capture;
    EXPECT_FALSE(Device().CopyTextureData(&large, &small));
    EXPECT_TRUE(capture.Asserts().empty());
    EXPECT_TRUE(capture.Logs().empty());

    Texture& dxtA = MakeTexture(32, 32, 1, FMT_DXT1);
    Texture& dxtB = MakeTexture(32, 32, 1, FMT_DXT1);
    EXPECT_FALSE(Device().CopyTextureData(&dxtA, &dxtB));
    EXPECT_TRUE(capture.Raised("!\"Not support format\""));

    Texture unloaded;
    EXPECT_FALSE(Device().CopyTextureData(&unloaded, &small));
    EXPECT_TRUE(capture.Raised("!\"No Dst Texture data\""));
}

TEST_F(Dx9TextureTest, BackBufferCopyNeedsTheBackBufferSizeAndAnUncompressedFormat)
{
    DiagnosticCapture capture;
    Texture& compressed = MakeTexture(BACK_BUFFER_WIDTH, BACK_BUFFER_HEIGHT, 1, FMT_DXT1);
    EXPECT_FALSE(Device().CopyTextureFromBackBuffer(&compressed));
    EXPECT_TRUE(capture.Logged("Can not CopyTextureFromBackBuffer, DstTexture can not be "
                               "compressed format: format: 14"));
    Texture& small = MakeTexture(64, 64, 1, FMT_A8R8G8B8);
    EXPECT_FALSE(Device().CopyTextureFromDepthStencilSurface(&small));
    EXPECT_TRUE(capture.Logged("Can not CopyTextureFromDepthStencilSurface, width and height must "
                               "be same: srcWidth: 640, srcHeight: 480, dstWidth: 64, dstHeight: "
                               "64"));
    Texture unloaded;
    EXPECT_FALSE(Device().CopyTextureFromBackBuffer(&unloaded));
    EXPECT_TRUE(capture.Raised("!\"Not D3D Texture\""));
    EXPECT_EQ(capture.Asserts().back().source, "src/renderdevice_dx9/source/dx9_texturefunctions");
}

TEST_F(Dx9TextureTest, TexelAddressUsesThePitchAndTheFormatSize)
{
    Texture& argb = MakeTexture(256, 256, 1, FMT_A8R8G8B8);
    EXPECT_EQ(Device().GetTexelAddress(&argb, 3, 2, 1024, 0), 2060);
    Texture& dxt = MakeTexture(256, 256, 1, FMT_DXT1);
    EXPECT_EQ(Device().GetTexelAddress(&dxt, 4, 1, 128, 0), 130);
    DiagnosticCapture capture;
    Device().GetTexelAddress(&argb, -1, 0, 16, 0);
    EXPECT_TRUE(capture.Raised("x >= 0 && y >= 0"));
    EXPECT_EQ(Device().GetTexelAddress(nullptr, 1, 1, 16, 0), 0);
    EXPECT_TRUE(capture.Raised("pTexture"));
}

TEST_F(Dx9TextureTest, TextureLocksAreTrackedPerTexture)
{
    Texture& texture = MakeTexture(8, 8, 2, FMT_A8R8G8B8);
    LockedRect locked;
    ASSERT_TRUE(texture.Lock(1, &locked, nullptr, LOCK_READ_ONLY));
    EXPECT_EQ(locked.m_Pitch, 16);
    EXPECT_EQ(FakeOf<FakeTexture>(texture)->m_Levels[1]->m_LockFlags,
              std::vector<DWORD>{D3DLOCK_READONLY});

    DiagnosticCapture capture;
    LockedRect second;
    EXPECT_FALSE(texture.Lock(0, &second, nullptr, LOCK_NONE));
    EXPECT_TRUE(capture.Logged("Texture can not be locked twice"));
    texture.Unlock();
    EXPECT_EQ(FakeOf<FakeTexture>(texture)->m_Levels[1]->m_LockCount, 0);
    Device().UnlockTexture(&texture);
    EXPECT_TRUE(capture.Logged("This Texture did not be locked, you must lock it at first"));
}

TEST_F(Dx9TextureTest, ReleasingABoundTextureUnbindsItsSamplers)
{
    Texture& texture = MakeTexture(8, 8, 1, FMT_A8R8G8B8);
    SamplerDesc desc;
    Device().SetTexture(SHADER_PIXEL, 5, &texture, &desc);
    Device().SetTexture(SHADER_VERTEX, 1, &texture, &desc);
    m_Log.Clear();
    texture.Unload();
    EXPECT_EQ(m_Log.Calls(),
              (std::vector<std::string>{"SetTexture(5,null)", "SetTexture(258,null)"}));
}

} // namespace Dx9Test
