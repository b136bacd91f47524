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
    std::vector<D3DCOLOR> texels = DeviceFixture::Texels(locked, desc.Width, desc.Height);
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

// Files go to a temporary folder and are read back into memory.
class D3DXGLTest : public DeviceFixture
{
protected:
    std::string SaveTexture(IDirect3DBaseTexture9* pTexture, D3DXIMAGE_FILEFORMAT format,
                            const char* name)
    {
        const std::string path = (m_Dir / name).string();
        EXPECT_EQ(D3DXSaveTextureToFileA(path.c_str(), format, pTexture, nullptr), D3D_OK);
        return ReadFile(path);
    }

    HalvexTest::TempDir m_Dir;
};

// (Whole back buffers saved as PNG are what every lesson's golden picture compares.)
TEST_F(D3DXGLTest, ARectangleOfTheBackBufferSavesOnlyThatPart)
{
    UseColorShaders();
    ClearAll(BLACK);
    DrawQuad(0, 0, 32, 16, 0.5f, RED);
    IDirect3DSurface9* pBackBuffer = nullptr;
    HR_OK(Device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &pBackBuffer));
    const RECT part = {28, 12, 36, 20}; // the red quad's corner at its top left
    const std::string path = (m_Dir / "part.bmp").string();
    HR_OK(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_BMP, pBackBuffer, nullptr, &part));
    pBackBuffer->Release();
    const std::string partFile = ReadFile(path);

    IDirect3DTexture9* pTexture = nullptr;
    HR_OK(D3DXCreateTextureFromFileInMemory(Device(), partFile.data(), UINT(partFile.size()),
                                            &pTexture));
    std::vector<D3DCOLOR> expectedPart(64, BLACK);
    for (int i = 0; i < 16; ++i)
        expectedPart[i / 4 * 8 + i % 4] = RED;
    EXPECT_EQ(ReadLevel(pTexture, 0), expectedPart);
    pTexture->Release();
}

TEST_F(D3DXGLTest, ColorKeyTurnsMatchingTexelsTransparent)
{
    IDirect3DTexture9* pTexture = MakeTexture(8, 8, D3DFMT_A8R8G8B8, Quadrants(8).data());
    const std::string file = SaveTexture(pTexture, D3DXIFF_TGA, "keyed.tga");
    pTexture->Release();
    ASSERT_NE(pTexture = Load(Device(), file, 1, D3DFMT_UNKNOWN, GREEN, nullptr), nullptr);
    std::vector<D3DCOLOR> keyed = Quadrants(8); // the green quadrant is keyed out
    std::replace(keyed.begin(), keyed.end(), GREEN, D3DCOLOR(0));
    EXPECT_EQ(ReadLevel(pTexture, 0), keyed);
    pTexture->Release();

    // A float image with NaN and out-of-range texels: they compare as their clamped bytes.
    HR_OK(
        D3DXCreateTexture(Device(), 4, 1, 1, 0, D3DFMT_A32B32G32R32F, D3DPOOL_MANAGED, &pTexture));
    D3DLOCKED_RECT locked = {};
    HR_OK(pTexture->LockRect(0, &locked, nullptr, 0));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float floats[16] = {nan, nan, nan, nan, 1, 0, 0, 1, 0, 9, 0, 1, -3, 0, 0, 1};
    std::memcpy(locked.pBits, floats, sizeof(floats));
    HR_OK(pTexture->UnlockRect(0));
    const std::string floatFile = SaveTexture(pTexture, D3DXIFF_DDS, "float.dds");
    pTexture->Release();
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
    HR_OK(pTexture->GetLevelDesc(0, &desc));
    EXPECT_EQ(std::make_tuple(desc.Width, desc.Height, desc.Format, pTexture->GetLevelCount(),
                              info.MipLevels, info.ImageFileFormat),
              std::make_tuple(16u, 8u, D3DFMT_DXT1, 3u, 3u, D3DXIFF_DDS));

    UseTextureShaders();
    HR_OK(Device()->SetTexture(0, pTexture));
    EXPECT_EQ(DrawFullQuad(30, 30), RED);
    HR_OK(Device()->SetTexture(0, nullptr));
    pTexture->Release();

    // Uncompressed 24-bit texels converted to A8R8G8B8; the default level count is the
    // whole chain.
    const std::string plainFile = ReadForeignDds("plain_rgb.dds");
    ASSERT_NE(pTexture = Load(Device(), plainFile, D3DX_DEFAULT, D3DFMT_A8R8G8B8, 0, &info),
              nullptr);
    EXPECT_EQ(info.Format, D3DFMT_R8G8B8);
    HR_OK(pTexture->GetLevelDesc(0, &desc));
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
    HR_OK(Device()->CreateTexture(2, 2, 1, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &pDest, nullptr));
    IDirect3DSurface9* pSourceSurface = nullptr;
    IDirect3DSurface9* pDestSurface = nullptr;
    HR_OK(pSource->GetSurfaceLevel(0, &pSourceSurface));
    HR_OK(pDest->GetSurfaceLevel(0, &pDestSurface));
    HR_OK(D3DXLoadSurfaceFromSurface(pDestSurface, nullptr, nullptr, pSourceSurface, nullptr,
                                     nullptr, D3DX_DEFAULT, 0));
    D3DLOCKED_RECT locked = {};
    HR_OK(pDest->LockRect(0, &locked, nullptr, D3DLOCK_READONLY));
    const auto* pTexels = static_cast<const uint16_t*>(locked.pBits);
    EXPECT_EQ(pTexels[0], 0xF800u);
    EXPECT_EQ(pTexels[1], 0x07E0u);
    const auto* pSecondRow =
        reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(locked.pBits) + locked.Pitch);
    EXPECT_EQ(pSecondRow[0], 0x001Fu);
    EXPECT_EQ(pSecondRow[1], 0xFFFFu);
    HR_OK(pDest->UnlockRect(0));

    // From the back buffer (a render target) into a rectangle of a texture.
    UseColorShaders();
    ClearAll(GREEN);
    IDirect3DSurface9* pBackBuffer = nullptr;
    HR_OK(Device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &pBackBuffer));
    const RECT topRight = {2, 0, 4, 2};
    HR_OK(D3DXLoadSurfaceFromSurface(pSourceSurface, nullptr, &topRight, pBackBuffer, nullptr,
                                     nullptr, D3DX_FILTER_POINT, 0));
    const std::vector<D3DCOLOR> texels = ReadLevel(pSource, 0);
    EXPECT_EQ(texels[0 * 4 + 3], GREEN);
    EXPECT_EQ(texels[0 * 4 + 0], RED) << "outside the rectangle nothing changes";
    EXPECT_EQ(texels[3 * 4 + 3], WHITE);
    Release(pBackBuffer, pDestSurface, pSourceSurface, pDest, pSource);
}

TEST_F(D3DXGLTest, CubeTexturesSavedAsDdsKeepTheirFaces)
{
    const D3DCOLOR faceColors[6] = {RED, GREEN, BLUE, WHITE, BLACK, 0xFF123456};
    IDirect3DCubeTexture9* pCube = nullptr;
    HR_OK(Device()->CreateCubeTexture(1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pCube, nullptr));
    for (UINT face = 0; face < 6; ++face)
    {
        D3DLOCKED_RECT locked = {};
        HR_OK(pCube->LockRect(D3DCUBEMAP_FACES(face), 0, &locked, nullptr, 0));
        *static_cast<D3DCOLOR*>(locked.pBits) = faceColors[face];
        HR_OK(pCube->UnlockRect(D3DCUBEMAP_FACES(face), 0));
    }
    const std::string cubeFile = SaveTexture(pCube, D3DXIFF_DDS, "cube.dds");
    pCube->Release();
    HR_OK(D3DXCreateCubeTextureFromFileInMemoryEx(
        Device(), cubeFile.data(), UINT(cubeFile.size()), D3DX_DEFAULT, D3DX_FROM_FILE, 0,
        D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &pCube));
    for (UINT face = 0; face < 6; ++face)
    {
        D3DLOCKED_RECT locked = {};
        HR_OK(pCube->LockRect(D3DCUBEMAP_FACES(face), 0, &locked, nullptr, D3DLOCK_READONLY));
        EXPECT_EQ(*static_cast<D3DCOLOR*>(locked.pBits), faceColors[face]) << "face " << face;
        HR_OK(pCube->UnlockRect(D3DCUBEMAP_FACES(face), 0));
    }
    pCube->Release();
}

TEST_F(D3DXGLTest, VolumeTexturesLockAndLoadBySlice)
{
    IDirect3DVolumeTexture9* pVolume = nullptr;
    HR_OK(D3DXCreateVolumeTexture(Device(), 4, 4, 2, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                  &pVolume));
    EXPECT_EQ(pVolume->GetLevelCount(), 3u);
    D3DLOCKED_BOX locked = {};
    HR_OK(pVolume->LockBox(0, &locked, nullptr, 0));
    EXPECT_EQ(std::make_pair(locked.RowPitch, locked.SlicePitch), std::make_pair(16, 64));
    for (UINT i = 0; i < 32; ++i)
        static_cast<D3DCOLOR*>(locked.pBits)[i] = i < 16 ? RED : BLUE;
    HR_OK(pVolume->UnlockBox(0));
    const D3DBOX box = {1, 1, 2, 2, 1, 2};
    HR_OK(pVolume->LockBox(0, &locked, &box, D3DLOCK_READONLY));
    EXPECT_EQ(*static_cast<D3DCOLOR*>(locked.pBits), BLUE);
    HR_OK(pVolume->UnlockBox(0));

    HR_OK(D3DXFilterTexture(pVolume, nullptr, 0, D3DX_DEFAULT));
    const std::string file = SaveTexture(pVolume, D3DXIFF_DDS, "volume.dds");
    pVolume->Release();
    HR_OK(D3DXCreateVolumeTextureFromFileInMemoryEx(
        Device(), file.data(), UINT(file.size()), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT,
        D3DX_FROM_FILE, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr,
        nullptr, &pVolume));
    D3DVOLUME_DESC desc = {};
    HR_OK(pVolume->GetLevelDesc(1, &desc));
    EXPECT_EQ(std::make_pair(desc.Width, desc.Depth), std::make_pair(2u, 1u));
    HR_OK(pVolume->LockBox(1, &locked, nullptr, D3DLOCK_READONLY));
    // The red and blue slices average into one.
    EXPECT_TRUE(ColorNear(0xFF800080, *static_cast<D3DCOLOR*>(locked.pBits), 1));
    HR_OK(pVolume->UnlockBox(1));
    pVolume->Release();

    // Another width and height than the file's: every slice is scaled, each on its own.
    HR_OK(D3DXCreateVolumeTextureFromFileInMemoryEx(
        Device(), file.data(), UINT(file.size()), 8, 2, D3DX_DEFAULT, 1, 0, D3DFMT_A8R8G8B8,
        D3DPOOL_MANAGED, D3DX_FILTER_POINT, D3DX_DEFAULT, 0, nullptr, nullptr, &pVolume));
    HR_OK(pVolume->LockBox(0, &locked, nullptr, D3DLOCK_READONLY));
    const auto* pTexels = static_cast<const D3DCOLOR*>(locked.pBits);
    EXPECT_EQ(pTexels[0], RED);
    EXPECT_EQ(pTexels[locked.SlicePitch / 4 + 15], BLUE);
    HR_OK(pVolume->UnlockBox(0));
    pVolume->Release();
}

} // namespace
} // namespace D3D9GLTest
