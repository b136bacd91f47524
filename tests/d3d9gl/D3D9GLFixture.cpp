#include "D3D9GLFixture.h"

#include "d3d9gl/image/pixelformat.h"

#include <cstdio>
#include <cstdlib>

namespace D3D9GLTest
{

IDirect3D9* DeviceFixture::s_pD3D = nullptr;
HWND DeviceFixture::s_Window = nullptr;
IDirect3DDevice9* DeviceFixture::s_pDevice = nullptr;
IDirect3DVertexDeclaration9* DeviceFixture::s_pDeclaration = nullptr;
IDirect3DVertexShader9* DeviceFixture::s_pColorVS = nullptr;
IDirect3DPixelShader9* DeviceFixture::s_pColorPS = nullptr;
IDirect3DPixelShader9* DeviceFixture::s_pTexturePS = nullptr;
D3DPRESENT_PARAMETERS DeviceFixture::s_Params = {};

namespace
{

const char* COLOR_VS =
    "layout(location = 0) in vec4 aPosition; layout(location = 5) in vec4 aColor;\n"
    "layout(location = 9) in vec2 aTexCoord; SHADE out vec4 vColor; out vec2 vTexCoord;\n"
    "void main() { gl_Position = aPosition; vColor = aColor; vTexCoord = aTexCoord; }\n";
const char* COLOR_PS = "SHADE in vec4 vColor; void main() { oColor = vColor; }\n";
const char* TEXTURE_PS = "SHADE in vec4 vColor; in vec2 vTexCoord; uniform sampler2D s0;\n"
                         "void main() { oColor = texture(s0, vTexCoord) * vColor; }\n";

#ifdef __EMSCRIPTEN__
// The test page's canvas has the target's size.
HWND OpenWindow()
{
    return reinterpret_cast<HWND>(const_cast<char*>("#canvas"));
}

void CloseWindow(HWND) {}
#else
HWND OpenWindow()
{
    EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* pWindow = SDL_CreateWindow("d3d9gl test", 0, 0, TARGET_SIZE, TARGET_SIZE,
                                           SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    EXPECT_NE(pWindow, nullptr) << SDL_GetError();
    return reinterpret_cast<HWND>(pWindow);
}

void CloseWindow(HWND window)
{
    if (window)
        SDL_DestroyWindow(reinterpret_cast<SDL_Window*>(window));
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
#endif

} // namespace

void DeviceFixture::SetUpTestSuite()
{
    s_Window = OpenWindow();
    ASSERT_NE(s_Window, nullptr);
    s_pD3D = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(s_pD3D, nullptr);
    s_Params = {};
    s_Params.BackBufferWidth = TARGET_SIZE;
    s_Params.BackBufferHeight = TARGET_SIZE;
    s_Params.BackBufferFormat = D3DFMT_A8R8G8B8;
    s_Params.BackBufferCount = 1;
    s_Params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    s_Params.Windowed = TRUE;
    s_Params.EnableAutoDepthStencil = TRUE;
    s_Params.AutoDepthStencilFormat = D3DFMT_D24S8;
    s_Params.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    D3DPRESENT_PARAMETERS params = s_Params;
    HR_OK(s_pD3D->CreateDevice(0, D3DDEVTYPE_HAL, s_Window, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                               &params, &s_pDevice));
    const D3DVERTEXELEMENT9 elements[] = {
        {0, 0, D3DDECLTYPE_FLOAT4, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
        {0, 16, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
        {0, 20, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
        D3DDECL_END()};
    HR_OK(s_pDevice->CreateVertexDeclaration(elements, &s_pDeclaration));
    HR_OK(s_pDevice->CreateVertexShader(reinterpret_cast<const DWORD*>(COLOR_VS), &s_pColorVS));
    HR_OK(s_pDevice->CreatePixelShader(reinterpret_cast<const DWORD*>(COLOR_PS), &s_pColorPS));
    HR_OK(s_pDevice->CreatePixelShader(reinterpret_cast<const DWORD*>(TEXTURE_PS), &s_pTexturePS));
}

void DeviceFixture::TearDownTestSuite()
{
    auto release = [](auto*& pObject)
    {
        if (pObject)
            pObject->Release();
        pObject = nullptr;
    };
    release(s_pTexturePS);
    release(s_pColorPS);
    release(s_pColorVS);
    release(s_pDeclaration);
    release(s_pDevice);
    release(s_pD3D);
    CloseWindow(s_Window);
    s_Window = nullptr;
}

void DeviceFixture::SetUp()
{
    ASSERT_NE(s_pDevice, nullptr);
    D3DPRESENT_PARAMETERS params = s_Params;
    HR_OK(s_pDevice->Reset(&params));
    HR_OK(s_pDevice->SetVertexDeclaration(s_pDeclaration));
    m_GLErrorsBefore = Counters().GLErrors;
}

void DeviceFixture::TearDown()
{
    EXPECT_EQ(Counters().GLErrors, m_GLErrorsBefore) << "GL reported errors";
}

D3D9GL_COUNTERS DeviceFixture::Counters(IDirect3DDevice9* pDevice)
{
    D3D9GL_COUNTERS counters = {};
    EXPECT_EQ(D3D9GL_GetCounters(pDevice ? pDevice : s_pDevice, &counters, nullptr), D3D_OK);
    return counters;
}

void DeviceFixture::UseColorShaders()
{
    HR_OK(Device()->SetVertexShader(s_pColorVS));
    HR_OK(Device()->SetPixelShader(s_pColorPS));
}

void DeviceFixture::UseTextureShaders()
{
    HR_OK(Device()->SetVertexShader(s_pColorVS));
    HR_OK(Device()->SetPixelShader(s_pTexturePS));
}

void DeviceFixture::SetStates(std::initializer_list<std::pair<D3DRENDERSTATETYPE, DWORD>> states)
{
    for (const auto& [state, value] : states)
        ASSERT_EQ(Device()->SetRenderState(state, value), D3D_OK) << "state " << state;
}

IDirect3DTexture9* DeviceFixture::MakeTexture(UINT width, UINT height, D3DFORMAT format,
                                              const void* pTexels, UINT levels)
{
    IDirect3DTexture9* pTexture = nullptr;
    EXPECT_EQ(Device()->CreateTexture(width, height, levels, 0, format, D3DPOOL_MANAGED, &pTexture,
                                      nullptr),
              D3D_OK);
    if (pTexture)
        FillLevel(pTexture, 0, pTexels);
    return pTexture;
}

void DeviceFixture::FillLevel(IDirect3DTexture9* pTexture, UINT level, const void* pTexels)
{
    D3DSURFACE_DESC desc = {};
    HR_OK(pTexture->GetLevelDesc(level, &desc));
    const UINT rowBytes = d3d9gl::GetRowPitch(desc.Format, desc.Width);
    D3DLOCKED_RECT locked = {};
    HR_OK(pTexture->LockRect(level, &locked, nullptr, 0));
    for (UINT row = 0; row < d3d9gl::GetRowCount(desc.Format, desc.Height); ++row)
    {
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + size_t(row) * locked.Pitch,
                    static_cast<const uint8_t*>(pTexels) + size_t(row) * rowBytes, rowBytes);
    }
    HR_OK(pTexture->UnlockRect(level));
}

IDirect3DVertexBuffer9* DeviceFixture::MakeVertexBuffer(const void* pData, UINT size)
{
    IDirect3DVertexBuffer9* pBuffer = nullptr;
    EXPECT_EQ(Device()->CreateVertexBuffer(size, 0, 0, D3DPOOL_MANAGED, &pBuffer, nullptr), D3D_OK);
    if (pBuffer)
        Fill(pBuffer, pData, size);
    return pBuffer;
}

IDirect3DIndexBuffer9* DeviceFixture::MakeIndexBuffer(const void* pData, UINT size,
                                                      D3DFORMAT format)
{
    IDirect3DIndexBuffer9* pBuffer = nullptr;
    EXPECT_EQ(Device()->CreateIndexBuffer(size, 0, format, D3DPOOL_MANAGED, &pBuffer, nullptr),
              D3D_OK);
    if (pBuffer)
        Fill(pBuffer, pData, size);
    return pBuffer;
}

IDirect3DVertexShader9* DeviceFixture::CreateVertexShader(const std::string& body)
{
    IDirect3DVertexShader9* pShader = nullptr;
    EXPECT_EQ(Device()->CreateVertexShader(reinterpret_cast<const DWORD*>(body.c_str()), &pShader),
              D3D_OK);
    return pShader;
}

IDirect3DPixelShader9* DeviceFixture::CreatePixelShader(const std::string& body)
{
    IDirect3DPixelShader9* pShader = nullptr;
    EXPECT_EQ(Device()->CreatePixelShader(reinterpret_cast<const DWORD*>(body.c_str()), &pShader),
              D3D_OK);
    return pShader;
}

std::vector<Vertex> DeviceFixture::Quad(float x0, float y0, float x1, float y1, float z,
                                        D3DCOLOR color, UINT targetWidth, UINT targetHeight)
{
    auto clipX = [targetWidth](float x) { return x / float(targetWidth) * 2.0f - 1.0f; };
    auto clipY = [targetHeight](float y) { return 1.0f - y / float(targetHeight) * 2.0f; };
    const Vertex topLeft = {clipX(x0), clipY(y0), z, 1.0f, color, 0.0f, 0.0f};
    const Vertex topRight = {clipX(x1), clipY(y0), z, 1.0f, color, 1.0f, 0.0f};
    const Vertex bottomLeft = {clipX(x0), clipY(y1), z, 1.0f, color, 0.0f, 1.0f};
    const Vertex bottomRight = {clipX(x1), clipY(y1), z, 1.0f, color, 1.0f, 1.0f};
    // Clockwise on screen, Direct3D's front faces.
    return {topLeft, topRight, bottomLeft, bottomLeft, topRight, bottomRight};
}

void DeviceFixture::DrawQuad(float x0, float y0, float x1, float y1, float z, D3DCOLOR color)
{
    const std::vector<Vertex> quad = Quad(x0, y0, x1, y1, z, color);
    HR_OK(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)));
}

void DeviceFixture::ClearAll(D3DCOLOR color, float z, DWORD stencil)
{
    HR_OK(Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, color,
                          z, stencil));
}

D3DCOLOR DeviceFixture::DrawFullQuad(UINT x, UINT y, D3DCOLOR background)
{
    ClearAll(background);
    DrawQuad(0, 0, TARGET_SIZE, TARGET_SIZE, 0.5f, WHITE);
    return BackBufferPixel(x, y);
}

std::vector<D3DCOLOR> DeviceFixture::Texels(const D3DLOCKED_RECT& locked, UINT width, UINT height)
{
    std::vector<D3DCOLOR> texels(size_t(width) * height);
    for (UINT y = 0; y < height; ++y)
        std::memcpy(&texels[size_t(y) * width],
                    static_cast<const uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch,
                    width * sizeof(D3DCOLOR));
    return texels;
}

std::vector<D3DCOLOR> DeviceFixture::ReadBackBuffer()
{
    IDirect3DSurface9* pBackBuffer = nullptr;
    IDirect3DSurface9* pCopy = nullptr;
    EXPECT_EQ(Device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &pBackBuffer), D3D_OK);
    EXPECT_EQ(Device()->CreateOffscreenPlainSurface(TARGET_SIZE, TARGET_SIZE, D3DFMT_A8R8G8B8,
                                                    D3DPOOL_SYSTEMMEM, &pCopy, nullptr),
              D3D_OK);
    EXPECT_EQ(Device()->GetRenderTargetData(pBackBuffer, pCopy), D3D_OK);
    D3DLOCKED_RECT locked = {};
    EXPECT_EQ(pCopy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::vector<D3DCOLOR> pixels = Texels(locked, TARGET_SIZE, TARGET_SIZE);
    pCopy->UnlockRect();
    Release(pCopy, pBackBuffer);
    return pixels;
}

D3DCOLOR DeviceFixture::BackBufferPixel(UINT x, UINT y)
{
    return ReadBackBuffer().at(size_t(y) * TARGET_SIZE + x);
}

::testing::AssertionResult OnlyRectIs(const std::vector<D3DCOLOR>& pixels, RECT rect,
                                      D3DCOLOR inside, D3DCOLOR outside)
{
    for (LONG y = 0; y < LONG(pixels.size() / TARGET_SIZE); ++y)
    {
        for (LONG x = 0; x < LONG(TARGET_SIZE); ++x)
        {
            const bool in = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            const D3DCOLOR actual = pixels[size_t(y) * TARGET_SIZE + size_t(x)];
            if (actual != (in ? inside : outside))
            {
                return ::testing::AssertionFailure()
                       << std::hex << actual << " at " << std::dec << x << "," << y;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ColorNear(D3DCOLOR expected, D3DCOLOR actual, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8)
    {
        const int a = int((expected >> shift) & 0xFF);
        const int b = int((actual >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance)
        {
            char text[64];
            std::snprintf(text, sizeof(text), "expected 0x%08X, got 0x%08X", expected, actual);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace D3D9GLTest
