// What the ES profile does without the desktop's GL features, checked on whichever profile
// runs (D3D9GL_PROFILE=es for ES): fill modes, point sizes, and render targets of every kind
// read back through the layouts ES stores them in.

#include "D3D9GLFixture.h"
#include "d3d9gl/image/halffloat.h"

#include <algorithm>
#include <cmath>

namespace D3D9GLTest
{
namespace
{

using ProfileGLTest = DeviceFixture;

// Pixels of `pixels` that are not `background` inside [x0, x1) x [y0, y1).
int Drawn(const std::vector<D3DCOLOR>& pixels, D3DCOLOR background, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = y0; y < y1; ++y)
    {
        for (int x = x0; x < x1; ++x)
            count += pixels[size_t(y) * TARGET_SIZE + size_t(x)] != background;
    }
    return count;
}

float AsFloat(DWORD bits)
{
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

TEST_F(ProfileGLTest, WireframeDrawsTheEdgesAndPointFillTheCornersOfIndexedDraws)
{
    UseColorShaders();
    // A quad from 8 to 56 as two indexed triangles after two unused vertices (base vertex 2).
    const std::vector<Vertex> quad = Quad(8, 8, 56, 56, 0.5f, RED);
    const std::vector<Vertex> vertices = {quad[0], quad[0], quad[0], quad[1], quad[2], quad[5]};
    const uint16_t indices[] = {0, 1, 2, 2, 1, 3};
    IDirect3DVertexBuffer9* pVertices =
        MakeVertexBuffer(vertices.data(), UINT(vertices.size() * sizeof(Vertex)));
    IDirect3DIndexBuffer9* pIndices = MakeIndexBuffer(indices, sizeof(indices), D3DFMT_INDEX16);
    HR_OK(Device()->SetStreamSource(0, pVertices, 0, sizeof(Vertex)));
    HR_OK(Device()->SetIndices(pIndices));
    auto draw = [this](DWORD fill)
    {
        SetStates({{D3DRS_FILLMODE, fill}});
        ClearAll(BLACK);
        EXPECT_EQ(Device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 2, 0, 4, 0, 2), D3D_OK);
        return ReadBackBuffer();
    };
    const std::vector<D3DCOLOR> solid = draw(D3DFILL_SOLID);
    EXPECT_EQ(Drawn(solid, BLACK, 0, 0, 64, 64), 48 * 48);

    const std::vector<D3DCOLOR> wire = draw(D3DFILL_WIREFRAME);
    // Each side is a line one pixel wide; the shared diagonal crosses the middle.
    for (int x : {16, 32, 48})
    {
        EXPECT_EQ(Drawn(wire, BLACK, x, 6, x + 1, 11), 1) << "top edge at " << x;
        EXPECT_EQ(Drawn(wire, BLACK, 6, x, 11, x + 1), 1) << "left edge at " << x;
    }
    EXPECT_GE(Drawn(wire, BLACK, 30, 30, 35, 35), 4) << "the diagonal";
    EXPECT_EQ(Drawn(wire, BLACK, 14, 14, 26, 26), 0) << "inside the first triangle";
    EXPECT_EQ(Drawn(wire, BLACK, 38, 38, 50, 50), 0) << "inside the second triangle";
    EXPECT_LT(Drawn(wire, BLACK, 0, 0, 64, 64), 48 * 5);

    const std::vector<D3DCOLOR> points = draw(D3DFILL_POINT);
    for (int corner : {8, 56})
        EXPECT_GE(Drawn(points, BLACK, corner - 2, corner - 2, corner + 2, corner + 2), 1);
    EXPECT_LE(Drawn(points, BLACK, 0, 0, 64, 64), 4 * 4);
    HR_OK(Device()->SetIndices(nullptr));
    Release(pIndices, pVertices);
}

TEST_F(ProfileGLTest, PointListsTakeTheirSizeFromTheRenderState)
{
    UseColorShaders();
    const std::vector<Vertex> quad = Quad(20, 20, 44, 44, 0.5f, GREEN);
    const Vertex point[] = {quad[0], quad[5]}; // at (20, 20) and (44, 44)
    float size = 8.0f;
    DWORD bits = 0;
    std::memcpy(&bits, &size, sizeof(bits));
    SetStates({{D3DRS_POINTSIZE, bits}});
    ClearAll(BLACK);
    HR_OK(Device()->DrawPrimitiveUP(D3DPT_POINTLIST, 2, point, sizeof(Vertex)));
    const std::vector<D3DCOLOR> pixels = ReadBackBuffer();
    EXPECT_TRUE(OnlyRectIs(std::vector<D3DCOLOR>(pixels.begin(), pixels.begin() + 32 * 64),
                           {16, 16, 24, 24}, GREEN, BLACK));
    EXPECT_EQ(Drawn(pixels, BLACK, 0, 32, 64, 64), 64) << "the second point, 8 x 8";
}

struct TargetCase_t
{
    D3DFORMAT format;
    bool cube;
    D3DCOLOR clear;
    UINT bytes;  // texel size
    DWORD texel; // the texel's bits (the low `bytes` bytes)
    float red;   // for float formats: the red channel, else 0
};

const TargetCase_t TARGET_CASES[] = {
    {D3DFMT_A8R8G8B8, false, 0x80FF4020, 4, 0x80FF4020, 0},
    {D3DFMT_X8R8G8B8, false, 0x00FF4020, 4, 0xFFFF4020, 0}, // the unused byte reads 0xFF
    {D3DFMT_A8R8G8B8, true, 0xFF2040FF, 4, 0xFF2040FF, 0},
    {D3DFMT_R5G6B5, false, 0xFFFF0000, 2, 0xF800, 0},
    {D3DFMT_A1R5G5B5, false, 0x800000FF, 2, 0x801F, 0},
    {D3DFMT_A4R4G4B4, true, 0xFF00FF00, 2, 0xF0F0, 0},
    {D3DFMT_R32F, false, 0xFF400000, 4, 0, 64.0f / 255.0f},
    {D3DFMT_R16F, true, 0xFF800000, 2, 0, 128.0f / 255.0f},
    {D3DFMT_A16B16G16R16F, false, 0xFF800000, 8, 0, 128.0f / 255.0f},
};

// The level's texels after a clear of one face (the others cleared to black), read back
// through GetRenderTargetData.
std::vector<uint8_t> ClearAndRead(IDirect3DDevice9* pDevice, const TargetCase_t& test)
{
    constexpr UINT SIZE = 4;
    IDirect3DBaseTexture9* pTexture = nullptr;
    IDirect3DSurface9* pTarget = nullptr;
    IDirect3DCubeTexture9* pCube = nullptr;
    IDirect3DTexture9* pFlat = nullptr;
    if (test.cube)
    {
        EXPECT_EQ(pDevice->CreateCubeTexture(SIZE, 1, D3DUSAGE_RENDERTARGET, test.format,
                                             D3DPOOL_DEFAULT, &pCube, nullptr),
                  D3D_OK);
        for (UINT face = 0; pCube && face < 6; ++face)
        {
            IDirect3DSurface9* pFace = nullptr;
            pCube->GetCubeMapSurface(D3DCUBEMAP_FACES(face), 0, &pFace);
            pDevice->SetRenderTarget(0, pFace);
            pDevice->Clear(0, nullptr, D3DCLEAR_TARGET, face == 4 ? test.clear : BLACK, 1, 0);
            if (face == 4)
                pTarget = pFace;
            else
                pFace->Release();
        }
        pTexture = pCube;
    }
    else
    {
        EXPECT_EQ(pDevice->CreateTexture(SIZE, SIZE, 1, D3DUSAGE_RENDERTARGET, test.format,
                                         D3DPOOL_DEFAULT, &pFlat, nullptr),
                  D3D_OK);
        if (pFlat)
            pFlat->GetSurfaceLevel(0, &pTarget);
        pDevice->SetRenderTarget(0, pTarget);
        pDevice->Clear(0, nullptr, D3DCLEAR_TARGET, test.clear, 1, 0);
        pTexture = pFlat;
    }
    IDirect3DSurface9* pBackBuffer = nullptr;
    pDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &pBackBuffer);
    pDevice->SetRenderTarget(0, pBackBuffer);
    IDirect3DSurface9* pCopy = nullptr;
    std::vector<uint8_t> texel(test.bytes);
    if (pTarget && pDevice->CreateOffscreenPlainSurface(SIZE, SIZE, test.format, D3DPOOL_SYSTEMMEM,
                                                        &pCopy, nullptr) == D3D_OK)
    {
        D3DLOCKED_RECT locked = {};
        EXPECT_EQ(pDevice->GetRenderTargetData(pTarget, pCopy), D3D_OK);
        EXPECT_EQ(pCopy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        // The last texel of the last row: rows and texels in order.
        const auto* pRow = static_cast<const uint8_t*>(locked.pBits) + 3 * locked.Pitch;
        std::memcpy(texel.data(), pRow + 3 * test.bytes, test.bytes);
        pCopy->UnlockRect();
        pCopy->Release();
    }
    for (IUnknown* pObject : std::initializer_list<IUnknown*>{pTarget, pTexture, pBackBuffer})
    {
        if (pObject)
            pObject->Release();
    }
    return texel;
}

TEST_F(ProfileGLTest, RenderTargetsOfEachKindReadBackTheirClearColour)
{
    for (const TargetCase_t& test : TARGET_CASES)
    {
        SCOPED_TRACE(::testing::Message() << "format " << test.format << " cube " << test.cube);
        const std::vector<uint8_t> texel = ClearAndRead(Device(), test);
        DWORD bits = 0;
        std::memcpy(&bits, texel.data(), std::min<size_t>(texel.size(), 4));
        if (test.red == 0)
        {
            EXPECT_EQ(bits, test.texel);
            continue;
        }
        // Float formats: red as the clear colour's fraction (halves to their precision).
        const float red = test.bytes == 4 ? AsFloat(bits) : d3d9gl::HalfToFloat(uint16_t(bits));
        EXPECT_NEAR(red, test.red, 1e-3f);
    }
}

} // namespace
} // namespace D3D9GLTest
