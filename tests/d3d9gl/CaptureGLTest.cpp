// Frame capture and replay on the GL device: a frame that draws into a texture, samples it,
// writes a buffer and groups draws is recorded, listed and replayed event by event.

#include "D3D9GLFixture.h"

#include "d3d9gl/d3d9glcapture.h"

#include <algorithm>
#include <functional>

namespace D3D9GLTest
{
namespace
{

constexpr UINT RT_SIZE = 32;

class CaptureGLTest : public DeviceFixture
{
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        HR_OK(Device()->CreateTexture(RT_SIZE, RT_SIZE, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                      D3DPOOL_DEFAULT, &m_pTarget, nullptr));
        HR_OK(m_pTarget->GetSurfaceLevel(0, &m_pTargetSurface));
        HR_OK(D3D9GL_SetTextureName(m_pTarget, "pass.rt"));
        HR_OK(Device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &m_pBackBuffer));
        HR_OK(Device()->GetDepthStencilSurface(&m_pDepth));
        HR_OK(Device()->CreateVertexBuffer(6 * sizeof(Vertex), D3DUSAGE_DYNAMIC, 0, D3DPOOL_DEFAULT,
                                           &m_pBuffer, nullptr));
    }
    void TearDown() override
    {
        Release(m_pBuffer, m_pDepth, m_pBackBuffer, m_pTargetSurface, m_pTarget);
        DeviceFixture::TearDown();
    }

    // The frame, one step per event; the texture holds white before it.
    std::vector<std::function<void()>> Frame()
    {
        IDirect3DDevice9* d = Device();
        return {
            [this, d] { ClearAll(BLACK); },
            [this, d]
            {
                HR_OK(d->SetDepthStencilSurface(nullptr));
                HR_OK(d->SetRenderTarget(0, m_pTargetSurface));
            },
            [this, d] { HR_OK(d->Clear(0, nullptr, D3DCLEAR_TARGET, BLUE, 1.0f, 0)); },
            [this, d] { DrawRtQuad(8, 8, 24, 24, RED); },
            [this, d]
            {
                HR_OK(d->SetRenderTarget(0, m_pBackBuffer));
                HR_OK(d->SetDepthStencilSurface(m_pDepth));
            },
            [this, d] { DrawQuad(0, 0, 40, 40, 0.5f, GREEN); },
            [this, d]
            {
                const std::vector<Vertex> quad = Quad(16, 16, 64, 64, 0.7f, WHITE);
                Fill(m_pBuffer, quad.data(), UINT(quad.size() * sizeof(Vertex)), 0,
                     D3DLOCK_DISCARD);
                SetStates({{D3DRS_ZFUNC, D3DCMP_GREATER}});
                UseTextureShaders();
                HR_OK(d->SetTexture(0, m_pTarget));
                HR_OK(d->SetStreamSource(0, m_pBuffer, 0, sizeof(Vertex)));
                HR_OK(d->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2));
            },
            [this, d]
            {
                SetStates({{D3DRS_ZFUNC, D3DCMP_ALWAYS}});
                UseColorShaders();
                HR_OK(D3D9GL_BeginEvent(d, "GUI"));
                DrawQuad(0, 56, 8, 64, 0.0f, RED);
                DrawQuad(56, 0, 64, 8, 0.0f, BLUE);
                HR_OK(D3D9GL_EndEvent(d));
            },
        };
    }

    void DrawRtQuad(float x0, float y0, float x1, float y1, D3DCOLOR color)
    {
        const std::vector<Vertex> quad = Quad(x0, y0, x1, y1, 0.5f, color, RT_SIZE, RT_SIZE);
        HR_OK(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)));
    }

    // The state every run of the frame starts from, the texture white.
    void Prepare()
    {
        IDirect3DDevice9* d = Device();
        SetStates({{D3DRS_ZFUNC, D3DCMP_LESSEQUAL}});
        HR_OK(d->SetTexture(0, nullptr));
        HR_OK(d->SetDepthStencilSurface(m_pDepth));
        HR_OK(d->SetRenderTarget(0, m_pTargetSurface));
        HR_OK(d->Clear(0, nullptr, D3DCLEAR_TARGET, WHITE, 1.0f, 0));
        HR_OK(d->SetRenderTarget(0, m_pBackBuffer));
        UseColorShaders();
    }

    // Runs the frame's steps 0 to last.
    void RunFrame(size_t last)
    {
        const std::vector<std::function<void()>> steps = Frame();
        for (size_t step = 0; step <= last && step < steps.size(); ++step)
            steps[step]();
    }

    // Records the whole frame; returns its events.
    const std::vector<D3D9GL_EVENT>& CaptureFrame(UINT maxCalls = 0)
    {
        EXPECT_EQ(D3D9GL_RequestCapture(Device(), maxCalls), D3D_OK);
        Prepare();
        EXPECT_EQ(Device()->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
        RunFrame(Frame().size());
        m_Expected = Pixels(m_pBackBuffer, TARGET_SIZE);
        EXPECT_EQ(Device()->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
        EXPECT_EQ(D3D9GL_GetCapture(Device(), &m_Info), D3D_OK);
        static const std::vector<D3D9GL_EVENT> none;
        return m_Info.pEvents ? *m_Info.pEvents : none;
    }

    // A target's pixels as RGBA8 rows.
    std::vector<BYTE> Pixels(IDirect3DSurface9* pSurface, UINT size)
    {
        IDirect3DSurface9* pCopy = nullptr;
        EXPECT_EQ(Device()->CreateOffscreenPlainSurface(size, size, D3DFMT_A8R8G8B8,
                                                        D3DPOOL_SYSTEMMEM, &pCopy, nullptr),
                  D3D_OK);
        EXPECT_EQ(Device()->GetRenderTargetData(pSurface, pCopy), D3D_OK);
        D3DLOCKED_RECT locked = {};
        EXPECT_EQ(pCopy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        std::vector<BYTE> rgba;
        for (D3DCOLOR c : Texels(locked, size, size))
            rgba.insert(rgba.end(), {BYTE(c >> 16), BYTE(c >> 8), BYTE(c), BYTE(c >> 24)});
        pCopy->UnlockRect();
        pCopy->Release();
        return rgba;
    }

    D3D9GL_PICTURE Replay(UINT index)
    {
        D3D9GL_PICTURE picture;
        EXPECT_EQ(D3D9GL_ReplayTo(Device(), index, &picture), D3D_OK);
        return picture;
    }

    IDirect3DTexture9* m_pTarget = nullptr;
    IDirect3DSurface9* m_pTargetSurface = nullptr;
    IDirect3DSurface9* m_pBackBuffer = nullptr;
    IDirect3DSurface9* m_pDepth = nullptr;
    IDirect3DVertexBuffer9* m_pBuffer = nullptr;
    std::vector<BYTE> m_Expected;
    D3D9GL_CAPTURE_INFO m_Info;
};

TEST_F(CaptureGLTest, ReplayToTheEndGivesTheFrameAndLeavesTheDeviceAsItWas)
{
    const std::vector<D3D9GL_EVENT>& events = CaptureFrame();
    ASSERT_EQ(events.size(), Frame().size());
    // The application moves on: other contents, states and buffer data.
    Prepare();
    RunFrame(3);
    DrawRtQuad(0, 0, 32, 32, GREEN);
    SetStates({{D3DRS_ZFUNC, D3DCMP_NEVER}});
    const std::vector<Vertex> other = Quad(0, 0, 8, 8, 0.1f, RED);
    Fill(m_pBuffer, other.data(), UINT(other.size() * sizeof(Vertex)));
    const std::vector<BYTE> targetBefore = Pixels(m_pTargetSurface, RT_SIZE);
    const std::vector<BYTE> backBefore = Pixels(m_pBackBuffer, TARGET_SIZE);

    const D3D9GL_PICTURE picture = Replay(UINT(events.size() - 1));
    EXPECT_EQ(picture.width, TARGET_SIZE);
    EXPECT_TRUE(picture.rgba == m_Expected) << "the replayed frame differs from the captured one";

    EXPECT_TRUE(Pixels(m_pTargetSurface, RT_SIZE) == targetBefore);
    EXPECT_TRUE(Pixels(m_pBackBuffer, TARGET_SIZE) == backBefore);
    DWORD zfunc = 0;
    HR_OK(Device()->GetRenderState(D3DRS_ZFUNC, &zfunc));
    EXPECT_EQ(zfunc, DWORD(D3DCMP_NEVER));
    IDirect3DSurface9* pTarget = nullptr;
    HR_OK(Device()->GetRenderTarget(0, &pTarget));
    EXPECT_EQ(pTarget, m_pTargetSurface);
    pTarget->Release();
}

TEST_F(CaptureGLTest, ReplayToAnEventEqualsTheFrameStoppedAfterIt)
{
    const size_t count = CaptureFrame().size();
    for (size_t k = 0; k < count; ++k)
    {
        SCOPED_TRACE("event " + std::to_string(k));
        const D3D9GL_PICTURE picture = Replay(UINT(k));
        Prepare();
        RunFrame(k);
        IDirect3DSurface9* pTarget = nullptr;
        HR_OK(Device()->GetRenderTarget(0, &pTarget));
        const UINT size = pTarget == m_pTargetSurface ? RT_SIZE : TARGET_SIZE;
        EXPECT_EQ(picture.width, size);
        EXPECT_TRUE(picture.rgba == Pixels(pTarget, size));
        pTarget->Release();
    }
}

TEST_F(CaptureGLTest, EventsNameTheirCallsStatesTexturesAndTargets)
{
    const std::vector<D3D9GL_EVENT>& events = CaptureFrame();
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[0].title, "Clear colour depth stencil");
    EXPECT_EQ(events[1].title, "Target: texture 32 x 32 D3DFMT_A8R8G8B8");
    EXPECT_EQ(events[3].title, "DrawPrimitiveUP D3DPT_TRIANGLELIST 2 triangles");
    EXPECT_EQ(events[3].target, "texture 32 x 32 D3DFMT_A8R8G8B8");
    EXPECT_EQ(events[4].title, "Target: back buffer");
    const D3D9GL_EVENT& textured = events[6];
    EXPECT_EQ(textured.title, "DrawPrimitive D3DPT_TRIANGLELIST 2 triangles");
    EXPECT_EQ(textured.textures, std::vector<std::string>{"s0: pass.rt 32 x 32 D3DFMT_A8R8G8B8"});
    EXPECT_NE(
        std::find(textured.states.begin(), textured.states.end(), "D3DRS_ZFUNC = D3DCMP_GREATER"),
        textured.states.end());
    EXPECT_TRUE(events[5].states.empty()) << events[5].states.front();
    EXPECT_EQ(events[7].kind, D3D9GL_EVENT::GROUP);
    EXPECT_EQ(events[7].title, "GUI (2 draws)");
    EXPECT_TRUE(m_Info.message.empty());
}

TEST_F(CaptureGLTest, AnEventsWrittenPixelsAreMarkedExactly)
{
    CaptureFrame();
    const D3D9GL_PICTURE quad = Replay(3); // the red quad over [8, 24) of the texture
    ASSERT_EQ(quad.written.size(), size_t(RT_SIZE) * RT_SIZE);
    for (UINT y = 0; y < RT_SIZE; ++y)
    {
        for (UINT x = 0; x < RT_SIZE; ++x)
            ASSERT_EQ(quad.written[y * RT_SIZE + x], x >= 8 && x < 24 && y >= 8 && y < 24)
                << x << ", " << y;
    }
    const D3D9GL_PICTURE target = Replay(1);
    EXPECT_EQ(std::count(target.written.begin(), target.written.end(), 1), 0);
}

TEST_F(CaptureGLTest, ALongFrameStopsRecordingAndSaysSo)
{
    const std::vector<D3D9GL_EVENT>& events = CaptureFrame(3);
    EXPECT_EQ(m_Info.calls, 3u);
    EXPECT_EQ(m_Info.message, "frame too long: recording stopped after 3 calls");
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events[0].title, "Clear colour depth stencil");
    EXPECT_EQ(D3D9GL_ReplayTo(Device(), UINT(events.size()), nullptr), D3DERR_INVALIDCALL);
}

} // namespace
} // namespace D3D9GLTest
