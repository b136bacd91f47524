#include "D3D9GLFixture.h"

#include "testsupport.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

namespace D3D9GLTest
{
namespace
{

using D3DXGLTest = DeviceFixture;

constexpr D3DCOLOR BLACK = 0xFF000000;
constexpr D3DCOLOR RED = 0xFFFF0000;
constexpr D3DCOLOR GREEN = 0xFF00FF00;
constexpr D3DCOLOR BLUE = 0xFF0000FF;
constexpr D3DCOLOR WHITE = 0xFFFFFFFF;

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// DDS files written by another tool, ImageMagick 6.9.11-60's convert, in tests/d3d9gl/dds:
//   red_dxt1_mips.dds  convert -size 16x8 xc:red -define dds:compression=dxt1
//                              -define dds:mipmaps=2 red_dxt1_mips.dds
//   plain_rgb.dds      convert -size 8x8 xc:#336699 -define dds:compression=none plain_rgb.dds
//   red_dxt5.dds       convert -size 16x16 xc:red -define dds:compression=dxt5 red_dxt5.dds
std::string ReadForeignDds(const char* name)
{
    const std::string file = ReadFile(HalvexTest::SourceDir() / "tests/d3d9gl/dds" / name);
    EXPECT_FALSE(file.empty()) << name << " is missing";
    return file;
}

std::vector<D3DCOLOR> ReadLevel(IDirect3DTexture9* pTexture, UINT level)
{
    D3DSURFACE_DESC desc = {};
    EXPECT_EQ(pTexture->GetLevelDesc(level, &desc), D3D_OK);
    D3DLOCKED_RECT locked = {};
    EXPECT_EQ(pTexture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::vector<D3DCOLOR> texels(size_t(desc.Width) * desc.Height);
    for (UINT y = 0; y < desc.Height; ++y)
        std::memcpy(&texels[size_t(y) * desc.Width],
                    static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch,
                    desc.Width * sizeof(D3DCOLOR));
    EXPECT_EQ(pTexture->UnlockRect(level), D3D_OK);
    return texels;
}

// A managed texture from a file in memory, its size taken from the file.
IDirect3DTexture9* Load(IDirect3DDevice9* pDevice, const std::string& file, UINT levels,
                        D3DFORMAT format, D3DCOLOR colorKey, D3DXIMAGE_INFO* pInfo)
{
    IDirect3DTexture9* pTexture = nullptr;
    EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(pDevice, file.data(), UINT(file.size()),
                                                  D3DX_DEFAULT, D3DX_DEFAULT, levels, 0, format,
                                                  D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT,
                                                  colorKey, pInfo, nullptr, &pTexture),
              D3D_OK);
    return pTexture;
}

// Red, green, blue and white quadrants of a size x size image.
std::vector<D3DCOLOR> Quadrants(UINT size)
{
    std::vector<D3DCOLOR> texels;
    for (UINT y = 0; y < size; ++y)
        for (UINT x = 0; x < size; ++x)
            texels.push_back(y < size / 2 ? (x < size / 2 ? RED : GREEN)
                                          : (x < size / 2 ? BLUE : WHITE));
    return texels;
}

TEST_F(D3DXGLTest, BackBufferSavedToPngReadsBackTheSamePixels)
{
    UseColorShaders();
    ClearAll(BLACK);
    DrawQuad(0, 0, 32, 16, 0.5f, RED);
    DrawQuad(40, 40, 64, 64, 0.5f, 0x8000FF00);
    IDirect3DSurface9* pBackBuffer = nullptr;
    ASSERT_EQ(Device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &pBackBuffer), D3D_OK);
    HalvexTest::TempDir dir;
    const std::string path = (dir / "backbuffer.png").string();
    ASSERT_EQ(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_PNG, pBackBuffer, nullptr, nullptr),
              D3D_OK);
    // A rectangle saves only that part.
    const RECT part = {28, 12, 36, 20}; // the red quad's corner at its top left
    const std::string partPath = (dir / "part.bmp").string();
    ASSERT_EQ(D3DXSaveSurfaceToFileA(partPath.c_str(), D3DXIFF_BMP, pBackBuffer, nullptr, &part),
              D3D_OK);
    pBackBuffer->Release();

    const std::string file = ReadFile(path);
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(file.substr(1, 3), "PNG");
    IDirect3DTexture9* pTexture = nullptr;
    D3DXIMAGE_INFO info = {};
    ASSERT_NE(pTexture = Load(Device(), file, 1, D3DFMT_A8R8G8B8, 0, &info), nullptr);
    EXPECT_EQ(info.Width, TARGET_SIZE);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_PNG);
    const std::vector<D3DCOLOR> saved = ReadLevel(pTexture, 0);
    const std::vector<D3DCOLOR> drawn = ReadBackBuffer();
    ASSERT_EQ(saved.size(), drawn.size());
    EXPECT_EQ(saved[5 * TARGET_SIZE + 5], RED);
    EXPECT_EQ(saved[50 * TARGET_SIZE + 50], 0x8000FF00u);
    EXPECT_TRUE(saved == drawn);
    pTexture->Release();

    const std::string partFile = ReadFile(partPath);
    ASSERT_EQ(D3DXCreateTextureFromFileInMemory(Device(), partFile.data(), UINT(partFile.size()),
                                                &pTexture),
              D3D_OK);
    D3DSURFACE_DESC desc = {};
    ASSERT_EQ(pTexture->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 8u);
    const std::vector<D3DCOLOR> partTexels = ReadLevel(pTexture, 0);
    EXPECT_EQ(partTexels[3 * 8 + 3], RED);
    EXPECT_EQ(partTexels[3 * 8 + 4], BLACK);
    EXPECT_EQ(partTexels[4 * 8 + 3], BLACK);
    pTexture->Release();
}

TEST_F(D3DXGLTest, ColorKeyTurnsMatchingTexelsTransparent)
{
    IDirect3DTexture9* pTexture = MakeTexture(8, 8, D3DFMT_A8R8G8B8, Quadrants(8).data());
    HalvexTest::TempDir dir;
    const std::string path = (dir / "keyed.tga").string();
    ASSERT_EQ(D3DXSaveTextureToFileA(path.c_str(), D3DXIFF_TGA, pTexture, nullptr), D3D_OK);
    pTexture->Release();
    const std::string file = ReadFile(path);
    D3DXIMAGE_INFO info = {};
    ASSERT_NE(pTexture = Load(Device(), file, 1, D3DFMT_UNKNOWN, GREEN, &info), nullptr);
    const std::vector<D3DCOLOR> texels = ReadLevel(pTexture, 0);
    EXPECT_EQ(texels[0], RED);
    EXPECT_EQ(texels[7], 0x00000000u) << "the green quadrant is keyed out";
    EXPECT_EQ(texels[63], WHITE);
    pTexture->Release();

    // A float image with NaN and out-of-range texels: they compare as their clamped bytes.
    ASSERT_EQ(
        D3DXCreateTexture(Device(), 4, 1, 1, 0, D3DFMT_A32B32G32R32F, D3DPOOL_MANAGED, &pTexture),
        D3D_OK);
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(pTexture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float floats[16] = {nan, nan, nan, nan, 1, 0, 0, 1, 0, 9, 0, 1, -3, 0, 0, 1};
    std::memcpy(locked.pBits, floats, sizeof(floats));
    ASSERT_EQ(pTexture->UnlockRect(0), D3D_OK);
    const std::string floatPath = (dir / "float.dds").string();
    ASSERT_EQ(D3DXSaveTextureToFileA(floatPath.c_str(), D3DXIFF_DDS, pTexture, nullptr), D3D_OK);
    pTexture->Release();
    const std::string floatFile = ReadFile(floatPath);
    ASSERT_NE(pTexture = Load(Device(), floatFile, 1, D3DFMT_A8R8G8B8, GREEN, nullptr), nullptr);
    EXPECT_EQ(ReadLevel(pTexture, 0), (std::vector<D3DCOLOR>{0, RED, 0, 0xFF000000}));
    pTexture->Release();
}

TEST_F(D3DXGLTest, DdsFromImageMagickLoadsWithItsSizeFormatAndLevels)
{
    const std::string file = ReadForeignDds("red_dxt1_mips.dds");
    IDirect3DTexture9* pTexture = nullptr;
    D3DXIMAGE_INFO info = {};
    ASSERT_NE(pTexture = Load(Device(), file, D3DX_FROM_FILE, D3DFMT_UNKNOWN, 0, &info), nullptr);
    D3DSURFACE_DESC desc = {};
    ASSERT_EQ(pTexture->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 16u);
    EXPECT_EQ(desc.Height, 8u);
    EXPECT_EQ(desc.Format, D3DFMT_DXT1);
    EXPECT_EQ(pTexture->GetLevelCount(), 3u);
    EXPECT_EQ(info.MipLevels, 3u);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_DDS);

    UseTextureShaders();
    ASSERT_EQ(Device()->SetTexture(0, pTexture), D3D_OK);
    ClearAll(BLACK);
    DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
    EXPECT_EQ(BackBufferPixel(30, 30), RED);
    ASSERT_EQ(Device()->SetTexture(0, nullptr), D3D_OK);
    pTexture->Release();

    // Uncompressed 24-bit texels converted to A8R8G8B8; the default level count is the
    // whole chain.
    const std::string plainFile = ReadForeignDds("plain_rgb.dds");
    ASSERT_NE(pTexture = Load(Device(), plainFile, D3DX_DEFAULT, D3DFMT_A8R8G8B8, 0, &info),
              nullptr);
    EXPECT_EQ(info.Format, D3DFMT_R8G8B8);
    ASSERT_EQ(pTexture->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(pTexture->GetLevelCount(), 4u);
    EXPECT_EQ(ReadLevel(pTexture, 0)[9], 0xFF336699u);
    EXPECT_EQ(ReadLevel(pTexture, 3)[0], 0xFF336699u);
    pTexture->Release();
}

TEST_F(D3DXGLTest, BrokenImagesFailWithOneDiagnostic)
{
    const std::string file = ReadForeignDds("red_dxt5.dds");
    const std::string inputs[] = {file.substr(0, 100), file.substr(0, file.size() - 1),
                                  std::string("\x89PNG\r\n\x1a\n garbage", 17),
                                  std::string(64, '\0')};
    for (const std::string& input : inputs)
    {
        Halvex::Base::DiagnosticCapture capture;
        IDirect3DTexture9* pTexture = nullptr;
        EXPECT_EQ(D3DXCreateTextureFromFileInMemory(Device(), input.data(), UINT(input.size()),
                                                    &pTexture),
                  D3DXERR_INVALIDDATA)
            << input.size() << " bytes";
        EXPECT_EQ(pTexture, nullptr);
        ASSERT_EQ(capture.Logs().size(), 1u);
        EXPECT_EQ(capture.Logs()[0].module, "D3D9GL");
    }
    IDirect3DCubeTexture9* pCube = nullptr;
    Halvex::Base::DiagnosticCapture capture;
    EXPECT_EQ(D3DXCreateCubeTextureFromFileInMemoryEx(Device(), file.data(), UINT(file.size()),
                                                      D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                                      D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT,
                                                      0, nullptr, nullptr, &pCube),
              D3DXERR_INVALIDDATA)
        << "a 2D image is no cube map";
    EXPECT_TRUE(capture.Logged("no cube map"));
}

TEST_F(D3DXGLTest, LoadSurfaceFromSurfaceScalesAndConverts)
{
    IDirect3DTexture9* pSource = MakeTexture(4, 4, D3DFMT_A8R8G8B8, Quadrants(4).data());
    IDirect3DTexture9* pDest = nullptr;
    ASSERT_EQ(Device()->CreateTexture(2, 2, 1, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &pDest, nullptr),
              D3D_OK);
    IDirect3DSurface9* pSourceSurface = nullptr;
    IDirect3DSurface9* pDestSurface = nullptr;
    ASSERT_EQ(pSource->GetSurfaceLevel(0, &pSourceSurface), D3D_OK);
    ASSERT_EQ(pDest->GetSurfaceLevel(0, &pDestSurface), D3D_OK);
    ASSERT_EQ(D3DXLoadSurfaceFromSurface(pDestSurface, nullptr, nullptr, pSourceSurface, nullptr,
                                         nullptr, D3DX_DEFAULT, 0),
              D3D_OK);
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(pDest->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    const auto* pTexels = static_cast<const uint16_t*>(locked.pBits);
    EXPECT_EQ(pTexels[0], 0xF800u);
    EXPECT_EQ(pTexels[1], 0x07E0u);
    const auto* pSecondRow =
        reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(locked.pBits) + locked.Pitch);
    EXPECT_EQ(pSecondRow[0], 0x001Fu);
    EXPECT_EQ(pSecondRow[1], 0xFFFFu);
    ASSERT_EQ(pDest->UnlockRect(0), D3D_OK);

    // From the back buffer (a render target) into a rectangle of a texture.
    UseColorShaders();
    ClearAll(GREEN);
    IDirect3DSurface9* pBackBuffer = nullptr;
    ASSERT_EQ(Device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &pBackBuffer), D3D_OK);
    const RECT topRight = {2, 0, 4, 2};
    ASSERT_EQ(D3DXLoadSurfaceFromSurface(pSourceSurface, nullptr, &topRight, pBackBuffer, nullptr,
                                         nullptr, D3DX_FILTER_POINT, 0),
              D3D_OK);
    const std::vector<D3DCOLOR> texels = ReadLevel(pSource, 0);
    EXPECT_EQ(texels[0 * 4 + 3], GREEN);
    EXPECT_EQ(texels[0 * 4 + 0], RED) << "outside the rectangle nothing changes";
    EXPECT_EQ(texels[3 * 4 + 3], WHITE);
    Release(pBackBuffer, pDestSurface, pSourceSurface, pDest, pSource);
}

TEST_F(D3DXGLTest, CubeTexturesSavedAsDdsKeepTheirFaces)
{
    HalvexTest::TempDir dir;
    const D3DCOLOR faceColors[6] = {RED, GREEN, BLUE, WHITE, BLACK, 0xFF123456};
    IDirect3DCubeTexture9* pCube = nullptr;
    ASSERT_EQ(
        Device()->CreateCubeTexture(1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pCube, nullptr),
        D3D_OK);
    for (UINT face = 0; face < 6; ++face)
    {
        D3DLOCKED_RECT locked = {};
        ASSERT_EQ(pCube->LockRect(D3DCUBEMAP_FACES(face), 0, &locked, nullptr, 0), D3D_OK);
        *static_cast<D3DCOLOR*>(locked.pBits) = faceColors[face];
        ASSERT_EQ(pCube->UnlockRect(D3DCUBEMAP_FACES(face), 0), D3D_OK);
    }
    const std::string cubePath = (dir / "cube.dds").string();
    ASSERT_EQ(D3DXSaveTextureToFileA(cubePath.c_str(), D3DXIFF_DDS, pCube, nullptr), D3D_OK);
    pCube->Release();
    const std::string cubeFile = ReadFile(cubePath);
    ASSERT_EQ(D3DXCreateCubeTextureFromFileInMemoryEx(
                  Device(), cubeFile.data(), UINT(cubeFile.size()), D3DX_DEFAULT, D3DX_FROM_FILE, 0,
                  D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr,
                  &pCube),
              D3D_OK);
    for (UINT face = 0; face < 6; ++face)
    {
        D3DLOCKED_RECT locked = {};
        ASSERT_EQ(pCube->LockRect(D3DCUBEMAP_FACES(face), 0, &locked, nullptr, D3DLOCK_READONLY),
                  D3D_OK);
        EXPECT_EQ(*static_cast<D3DCOLOR*>(locked.pBits), faceColors[face]) << "face " << face;
        ASSERT_EQ(pCube->UnlockRect(D3DCUBEMAP_FACES(face), 0), D3D_OK);
    }
    pCube->Release();
}

TEST_F(D3DXGLTest, VolumeTexturesLockAndLoadBySlice)
{
    IDirect3DVolumeTexture9* pVolume = nullptr;
    ASSERT_EQ(D3DXCreateVolumeTexture(Device(), 4, 4, 2, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                      &pVolume),
              D3D_OK);
    EXPECT_EQ(pVolume->GetLevelCount(), 3u);
    D3DLOCKED_BOX locked = {};
    ASSERT_EQ(pVolume->LockBox(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(locked.RowPitch, 16);
    EXPECT_EQ(locked.SlicePitch, 64);
    for (UINT i = 0; i < 32; ++i)
        static_cast<D3DCOLOR*>(locked.pBits)[i] = i < 16 ? RED : BLUE;
    ASSERT_EQ(pVolume->UnlockBox(0), D3D_OK);
    const D3DBOX box = {1, 1, 2, 2, 1, 2};
    ASSERT_EQ(pVolume->LockBox(0, &locked, &box, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(*static_cast<D3DCOLOR*>(locked.pBits), BLUE);
    ASSERT_EQ(pVolume->UnlockBox(0), D3D_OK);

    HalvexTest::TempDir dir;
    const std::string path = (dir / "volume.dds").string();
    ASSERT_EQ(D3DXFilterTexture(pVolume, nullptr, 0, D3DX_DEFAULT), D3D_OK);
    ASSERT_EQ(D3DXSaveTextureToFileA(path.c_str(), D3DXIFF_DDS, pVolume, nullptr), D3D_OK);
    pVolume->Release();
    const std::string file = ReadFile(path);
    ASSERT_EQ(D3DXCreateVolumeTextureFromFileInMemoryEx(
                  Device(), file.data(), UINT(file.size()), D3DX_DEFAULT, D3DX_DEFAULT,
                  D3DX_DEFAULT, D3DX_FROM_FILE, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT,
                  D3DX_DEFAULT, 0, nullptr, nullptr, &pVolume),
              D3D_OK);
    D3DVOLUME_DESC desc = {};
    ASSERT_EQ(pVolume->GetLevelDesc(1, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 2u);
    EXPECT_EQ(desc.Depth, 1u);
    ASSERT_EQ(pVolume->LockBox(1, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    // The red and blue slices average into one.
    EXPECT_TRUE(ColorNear(0xFF800080, *static_cast<D3DCOLOR*>(locked.pBits), 1));
    ASSERT_EQ(pVolume->UnlockBox(1), D3D_OK);
    pVolume->Release();

    // Another width and height than the file's: every slice is scaled, each on its own.
    ASSERT_EQ(D3DXCreateVolumeTextureFromFileInMemoryEx(
                  Device(), file.data(), UINT(file.size()), 8, 2, D3DX_DEFAULT, 1, 0,
                  D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_POINT, D3DX_DEFAULT, 0, nullptr,
                  nullptr, &pVolume),
              D3D_OK);
    ASSERT_EQ(pVolume->LockBox(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    const auto* pTexels = static_cast<const D3DCOLOR*>(locked.pBits);
    EXPECT_EQ(pTexels[0], RED);
    EXPECT_EQ(pTexels[locked.SlicePitch / 4 + 15], BLUE);
    ASSERT_EQ(pVolume->UnlockBox(0), D3D_OK);
    pVolume->Release();
}

TEST_F(D3DXGLTest, FilterTextureFillsEveryLevelWithBoxAveragesThatTheSamplerReads)
{
    // Rows two texels high, dark and white, over a full chain of a managed texture.
    constexpr D3DCOLOR DARK = 0xFF101010;
    constexpr D3DCOLOR GREY = 0xFF888888;
    IDirect3DTexture9* pTexture = nullptr;
    ASSERT_EQ(
        Device()->CreateTexture(64, 64, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pTexture, nullptr),
        D3D_OK);
    ASSERT_EQ(pTexture->GetLevelCount(), 7u);
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(pTexture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (UINT y = 0; y < 64; ++y)
    {
        auto* pRow = reinterpret_cast<D3DCOLOR*>(static_cast<uint8_t*>(locked.pBits) +
                                                 size_t(y) * locked.Pitch);
        std::fill(pRow, pRow + 64, y % 4 < 2 ? DARK : WHITE);
    }
    ASSERT_EQ(pTexture->UnlockRect(0), D3D_OK);
    ASSERT_EQ(D3DXFilterTexture(pTexture, nullptr, 0, D3DX_DEFAULT), D3D_OK);

    // Level 1 keeps one-texel rows; from level 2 on every texel is their average.
    const std::vector<D3DCOLOR> level1 = ReadLevel(pTexture, 1);
    EXPECT_EQ(level1[0], DARK);
    EXPECT_EQ(level1[32], WHITE);
    for (UINT level = 2; level < 7; ++level)
    {
        for (D3DCOLOR texel : ReadLevel(pTexture, level))
        {
            ASSERT_TRUE(ColorNear(GREY, texel, 1)) << "level " << level;
        }
    }

    // The GL texture holds the same levels, chosen by the quad's size on screen: 64 pixels
    // read level 0, 32 pixels level 1, 16 pixels level 2; without a mip filter always level 0.
    UseTextureShaders();
    ASSERT_EQ(Device()->SetTexture(0, pTexture), D3D_OK);
    const struct
    {
        D3DTEXTUREFILTERTYPE mipFilter;
        float size;
        UINT y;
        D3DCOLOR expected;
    } cases[] = {
        {D3DTEXF_POINT, 64, 1, DARK},  {D3DTEXF_POINT, 64, 2, WHITE}, {D3DTEXF_POINT, 32, 6, DARK},
        {D3DTEXF_POINT, 32, 7, WHITE}, {D3DTEXF_POINT, 16, 6, GREY},  {D3DTEXF_POINT, 16, 7, GREY},
        {D3DTEXF_NONE, 16, 7, WHITE}, // level 0 row 30
    };
    for (const auto& c : cases)
    {
        ASSERT_EQ(Device()->SetSamplerState(0, D3DSAMP_MIPFILTER, c.mipFilter), D3D_OK);
        ClearAll(BLACK);
        DrawQuad(0, 0, c.size, c.size, 0.5f, WHITE);
        EXPECT_TRUE(ColorNear(c.expected, BackBufferPixel(8, c.y), 1))
            << "size " << c.size << " row " << c.y << " mip filter " << c.mipFilter;
    }
    pTexture->Release();
}

} // namespace
} // namespace D3D9GLTest
