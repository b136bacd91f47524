#include "D3D9GLFixture.h"

#include <cstring>

namespace D3D9GLTest
{
namespace
{

using TextureGLTest = DeviceFixture;

constexpr D3DCOLOR BLACK = 0xFF000000;
constexpr D3DCOLOR RED = 0xFFFF0000;
constexpr D3DCOLOR GREEN = 0xFF00FF00;
constexpr D3DCOLOR BLUE = 0xFF0000FF;

// A managed A8R8G8B8 texture filled row by row from `texels` (width x height per level).
IDirect3DTexture9* MakeTexture(IDirect3DDevice9* pDevice, UINT width, UINT height, UINT levels,
                               const std::vector<std::vector<D3DCOLOR>>& texels)
{
    IDirect3DTexture9* pTexture = nullptr;
    EXPECT_EQ(pDevice->CreateTexture(width, height, levels, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                     &pTexture, nullptr),
              D3D_OK);
    for (UINT level = 0; level < texels.size(); ++level)
    {
        const UINT w = std::max(width >> level, 1u);
        const UINT h = std::max(height >> level, 1u);
        D3DLOCKED_RECT locked = {};
        EXPECT_EQ(pTexture->LockRect(level, &locked, nullptr, 0), D3D_OK);
        for (UINT y = 0; y < h; ++y)
        {
            std::memcpy(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch,
                        &texels[level][size_t(y) * w], w * sizeof(D3DCOLOR));
        }
        EXPECT_EQ(pTexture->UnlockRect(level), D3D_OK);
    }
    return pTexture;
}

// A quad over the whole target whose u runs from u0 to u1 and v is fixed.
std::vector<Vertex> UQuad(float u0, float u1, float v)
{
    std::vector<Vertex> quad = DeviceFixture::Quad(0, 0, 64, 64, 0.5f, 0xFFFFFFFF);
    for (Vertex& vertex : quad)
    {
        vertex.u = vertex.u == 0.0f ? u0 : u1;
        vertex.v = v;
    }
    return quad;
}

TEST_F(TextureGLTest, AddressModesWrapMirrorClampBorderAndMirrorOnce)
{
    UseTextureShaders();
    IDirect3DTexture9* pTexture = MakeTexture(Device(), 2, 1, 1, {{RED, GREEN}});
    ASSERT_EQ(Device()->SetTexture(0, pTexture), D3D_OK);
    ASSERT_EQ(Device()->SetSamplerState(0, D3DSAMP_BORDERCOLOR, BLUE), D3D_OK);
    // u runs from -1 to 2: x 4 samples u = -0.79, x 27 u = 0.29, x 50 u = 1.37.
    const struct
    {
        D3DTEXTUREADDRESS mode;
        D3DCOLOR below;
        D3DCOLOR inside;
        D3DCOLOR above;
    } cases[] = {
        {D3DTADDRESS_WRAP, RED, RED, RED},           {D3DTADDRESS_MIRROR, GREEN, RED, GREEN},
        {D3DTADDRESS_CLAMP, RED, RED, GREEN},        {D3DTADDRESS_BORDER, BLUE, RED, BLUE},
        {D3DTADDRESS_MIRRORONCE, GREEN, RED, GREEN},
    };
    for (const auto& c : cases)
    {
        ClearAll(BLACK);
        ASSERT_EQ(Device()->SetSamplerState(0, D3DSAMP_ADDRESSU, c.mode), D3D_OK);
        DrawVertices(D3DPT_TRIANGLELIST, UQuad(-1.0f, 2.0f, 0.5f));
        const std::vector<D3DCOLOR> pixels = ReadBackBuffer();
        EXPECT_EQ(pixels[32 * TARGET_SIZE + 4], c.below) << "mode " << c.mode;
        EXPECT_EQ(pixels[32 * TARGET_SIZE + 27], c.inside) << "mode " << c.mode;
        EXPECT_EQ(pixels[32 * TARGET_SIZE + 50], c.above) << "mode " << c.mode;
    }
    ASSERT_EQ(Device()->SetTexture(0, nullptr), D3D_OK);
    pTexture->Release();
}

TEST_F(TextureGLTest, PointFilteringPicksATexelAndLinearBlendsNeighbours)
{
    UseTextureShaders();
    IDirect3DTexture9* pTexture = MakeTexture(Device(), 2, 1, 1, {{RED, GREEN}});
    ASSERT_EQ(Device()->SetTexture(0, pTexture), D3D_OK);
    ASSERT_EQ(Device()->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP), D3D_OK);

    ClearAll(BLACK);
    DrawVertices(D3DPT_TRIANGLELIST, UQuad(0.0f, 1.0f, 0.5f));
    EXPECT_EQ(BackBufferPixel(31, 10), RED) << "point filtering is the default";
    EXPECT_EQ(BackBufferPixel(32, 10), GREEN);

    ASSERT_EQ(Device()->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR), D3D_OK);
    ASSERT_EQ(Device()->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR), D3D_OK);
    ClearAll(BLACK);
    DrawVertices(D3DPT_TRIANGLELIST, UQuad(0.0f, 1.0f, 0.5f));
    // x 31 samples u = 0.492: 48.4% of the way from the red to the green texel centre.
    const D3DCOLOR blended = BackBufferPixel(31, 10);
    EXPECT_TRUE(ColorNear(0xFF847B00, blended, 3)) << std::hex << blended;
    EXPECT_EQ(BackBufferPixel(0, 10), RED) << "clamped edge";
    ASSERT_EQ(Device()->SetTexture(0, nullptr), D3D_OK);
    pTexture->Release();
}

TEST_F(TextureGLTest, MipLevelFollowsTheScreenSizeOfTheTexture)
{
    UseTextureShaders();
    const D3DCOLOR levelColors[] = {RED,        GREEN,      BLUE,      0xFFFFFF00,
                                    0xFF00FFFF, 0xFFFF00FF, 0xFFFFFFFF};
    std::vector<std::vector<D3DCOLOR>> levels;
    for (UINT level = 0; level < 7; ++level)
    {
        const UINT size = 64u >> level;
        levels.emplace_back(size_t(size) * size, levelColors[level]);
    }
    IDirect3DTexture9* pTexture = MakeTexture(Device(), 64, 64, 0, levels);
    ASSERT_EQ(pTexture->GetLevelCount(), 7u);
    ASSERT_EQ(Device()->SetTexture(0, pTexture), D3D_OK);
    ASSERT_EQ(Device()->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT), D3D_OK);
    // A 64-texel texture over 64, 32, 16 and 8 pixels: levels 0, 1, 2 and 3.
    const struct
    {
        float size;
        D3DCOLOR expected;
    } cases[] = {{64, RED}, {32, GREEN}, {16, BLUE}, {8, 0xFFFFFF00}};
    for (const auto& c : cases)
    {
        ClearAll(BLACK);
        DrawQuad(0, 0, c.size, c.size, 0.5f, 0xFFFFFFFF);
        EXPECT_EQ(BackBufferPixel(UINT(c.size) / 2, UINT(c.size) / 2), c.expected)
            << "size " << c.size;
    }
    // Without a mip filter the top level is used at any size.
    ASSERT_EQ(Device()->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE), D3D_OK);
    ClearAll(BLACK);
    DrawQuad(0, 0, 8, 8, 0.5f, 0xFFFFFFFF);
    EXPECT_EQ(BackBufferPixel(4, 4), RED);
    ASSERT_EQ(Device()->SetTexture(0, nullptr), D3D_OK);
    pTexture->Release();
}

TEST_F(TextureGLTest, LockRectRoundTripsWithPitchAndRectangles)
{
    IDirect3DTexture9* pTexture = nullptr;
    ASSERT_EQ(
        Device()->CreateTexture(8, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pTexture, nullptr),
        D3D_OK);
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(pTexture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_GE(locked.Pitch, 8 * 4);
    for (UINT y = 0; y < 4; ++y)
        for (UINT x = 0; x < 8; ++x)
            reinterpret_cast<D3DCOLOR*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch)[x] =
                0xFF000000u | (y << 8) | x;
    EXPECT_EQ(pTexture->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL)
        << "a locked level cannot be locked again";
    ASSERT_EQ(pTexture->UnlockRect(0), D3D_OK);
    EXPECT_EQ(pTexture->UnlockRect(0), D3DERR_INVALIDCALL);

    // A rectangle lock points at its first texel.
    const RECT rect = {3, 2, 5, 4};
    ASSERT_EQ(pTexture->LockRect(0, &locked, &rect, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(*static_cast<D3DCOLOR*>(locked.pBits), 0xFF000203u);
    EXPECT_EQ(reinterpret_cast<D3DCOLOR*>(static_cast<uint8_t*>(locked.pBits) + locked.Pitch)[1],
              0xFF000304u);
    ASSERT_EQ(pTexture->UnlockRect(0), D3D_OK);
    const RECT outside = {6, 0, 9, 1};
    EXPECT_EQ(pTexture->LockRect(0, &locked, &outside, 0), D3DERR_INVALIDCALL);
    const RECT negative = {-1, 0, 2, 1};
    EXPECT_EQ(pTexture->LockRect(0, &locked, &negative, 0), D3DERR_INVALIDCALL);
    const RECT empty = {2, 2, 2, 3};
    EXPECT_EQ(pTexture->LockRect(0, &locked, &empty, 0), D3DERR_INVALIDCALL);

    // The unlock reached GL: drawing samples what was written.
    UseTextureShaders();
    ASSERT_EQ(Device()->SetTexture(0, pTexture), D3D_OK);
    ClearAll(BLACK);
    DrawQuad(0, 0, 64, 64, 0.5f, 0xFFFFFFFF);
    EXPECT_EQ(BackBufferPixel(3 * 8 + 4, 2 * 16 + 8), 0xFF000203u);
    ASSERT_EQ(Device()->SetTexture(0, nullptr), D3D_OK);
    pTexture->Release();
}

TEST_F(TextureGLTest, DxtBlocksDecodeToTheirKnownTexels)
{
    UseTextureShaders();
    // Colour block: red (0xF800) and blue (0x001F) endpoints, four-colour mode; row 0 uses
    // indices 0, 1, 2, 3, the other rows index 0.
    const uint8_t colorBlock[8] = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0x00, 0x00, 0x00};
    // Alpha block: 255 and 0 endpoints (eight-alpha mode); row 0 indices 0, 1, 2, 7, which
    // give 255, 0, 6/7 and 1/7 of 255.
    const uint8_t alphaBlock[8] = {0xFF, 0x00, 0x88, 0x0E, 0x00, 0x00, 0x00, 0x00};
    const struct
    {
        D3DFORMAT format;
        std::vector<uint8_t> block;
        D3DCOLOR expected[4];
    } cases[] = {
        {D3DFMT_DXT1,
         std::vector<uint8_t>(colorBlock, colorBlock + 8),
         {0xFFFF0000, 0xFF0000FF, 0xFFAA0055, 0xFF5500AA}},
        {D3DFMT_DXT5,
         [&]
         {
             std::vector<uint8_t> block(alphaBlock, alphaBlock + 8);
             block.insert(block.end(), colorBlock, colorBlock + 8);
             return block;
         }(),
         {0xFFFF0000, 0x000000FF, 0xDBAA0055, 0x245500AA}},
    };
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE), D3D_OK);
    for (const auto& c : cases)
    {
        IDirect3DTexture9* pTexture = nullptr;
        ASSERT_EQ(
            Device()->CreateTexture(4, 4, 1, 0, c.format, D3DPOOL_MANAGED, &pTexture, nullptr),
            D3D_OK);
        D3DLOCKED_RECT locked = {};
        ASSERT_EQ(pTexture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        EXPECT_EQ(locked.Pitch, INT(c.block.size()));
        std::memcpy(locked.pBits, c.block.data(), c.block.size());
        ASSERT_EQ(pTexture->UnlockRect(0), D3D_OK);
        ASSERT_EQ(Device()->SetTexture(0, pTexture), D3D_OK);
        ClearAll(BLACK);
        DrawQuad(0, 0, 64, 64, 0.5f, 0xFFFFFFFF);
        for (UINT x = 0; x < 4; ++x)
        {
            EXPECT_TRUE(ColorNear(c.expected[x], BackBufferPixel(x * 16 + 8, 8), 2))
                << "format " << std::hex << c.format << " texel " << x;
        }
        EXPECT_EQ(BackBufferPixel(8 * 3 + 8, 40) & 0x00FFFFFF, 0x00FF0000u);
        ASSERT_EQ(Device()->SetTexture(0, nullptr), D3D_OK);
        pTexture->Release();
    }
}

TEST_F(TextureGLTest, FloatAndLuminanceFormatsFillMissingChannelsLikeDirect3D)
{
    UseTextureShaders();
    const struct
    {
        D3DFORMAT format;
        std::vector<uint8_t> texel;
        D3DCOLOR expected;
    } cases[] = {
        {D3DFMT_L8, {0x80}, 0xFF808080},
        {D3DFMT_A8, {0x40}, 0x40000000},
        {D3DFMT_R32F, {0x00, 0x00, 0x00, 0x3F}, 0xFF80FFFF}, // 0.5
        {D3DFMT_R16F, {0x00, 0x38}, 0xFF80FFFF},             // 0.5
        {D3DFMT_X8R8G8B8, {0x10, 0x20, 0x30, 0x00}, 0xFF302010},
        {D3DFMT_R5G6B5, {0x00, 0xF8}, 0xFFFF0000},
    };
    for (const auto& c : cases)
    {
        IDirect3DTexture9* pTexture = nullptr;
        ASSERT_EQ(
            Device()->CreateTexture(1, 1, 1, 0, c.format, D3DPOOL_MANAGED, &pTexture, nullptr),
            D3D_OK);
        D3DLOCKED_RECT locked = {};
        ASSERT_EQ(pTexture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        std::memcpy(locked.pBits, c.texel.data(), c.texel.size());
        ASSERT_EQ(pTexture->UnlockRect(0), D3D_OK);
        ASSERT_EQ(Device()->SetTexture(0, pTexture), D3D_OK);
        ClearAll(BLACK);
        DrawQuad(0, 0, 64, 64, 0.5f, 0xFFFFFFFF);
        EXPECT_TRUE(ColorNear(c.expected, BackBufferPixel(10, 10), 1)) << "format " << c.format;
        ASSERT_EQ(Device()->SetTexture(0, nullptr), D3D_OK);
        pTexture->Release();
    }
}

TEST_F(TextureGLTest, VertexSamplersAreSamplers257To260)
{
    // The vertex stage reads the colour from vertex sampler 1 (vs1).
    IDirect3DVertexShader9* pShader = CreateVertexShader(R"(
layout(location = 0) in vec4 aPosition;
uniform sampler2D vs1;
SHADE out vec4 vColor;
void main()
{
    gl_Position = aPosition;
    vColor = textureLod(vs1, vec2(0.5), 0.0);
}
)");
    IDirect3DTexture9* pTexture = MakeTexture(Device(), 1, 1, 1, {{GREEN}});
    ASSERT_EQ(Device()->SetVertexShader(pShader), D3D_OK);
    ASSERT_EQ(Device()->SetPixelShader(s_pColorPS), D3D_OK);
    ASSERT_EQ(Device()->SetTexture(D3DVERTEXTEXTURESAMPLER1, pTexture), D3D_OK);
    ClearAll(BLACK);
    DrawQuad(0, 0, 64, 64, 0.5f, 0xFFFFFFFF);
    EXPECT_EQ(BackBufferPixel(10, 10), GREEN);
    EXPECT_EQ(Device()->SetTexture(D3DVERTEXTEXTURESAMPLER3 + 1, pTexture), D3DERR_INVALIDCALL);
    ASSERT_EQ(Device()->SetTexture(D3DVERTEXTEXTURESAMPLER1, nullptr), D3D_OK);
    pTexture->Release();
    pShader->Release();
}

TEST_F(TextureGLTest, InvalidTextureRequestsFail)
{
    Halvex::Base::DiagnosticCapture capture;
    IDirect3DTexture9* pTexture = nullptr;
    EXPECT_EQ(
        Device()->CreateTexture(0, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pTexture, nullptr),
        D3DERR_INVALIDCALL);
    EXPECT_EQ(
        Device()->CreateTexture(4, 4, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pTexture, nullptr),
        D3DERR_INVALIDCALL);
    EXPECT_EQ(Device()->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_DXT1, D3DPOOL_DEFAULT,
                                      &pTexture, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(Device()->CreateTexture(4, 4, 1, 0, D3DFMT_UYVY, D3DPOOL_MANAGED, &pTexture, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(pTexture, nullptr);
    EXPECT_EQ(capture.Logs().size(), 4u);
}

} // namespace
} // namespace D3D9GLTest
