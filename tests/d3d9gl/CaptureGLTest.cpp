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
        m_pTexels = MakeTexture(2, 2, D3DFMT_A8R8G8B8, WHITE_TEXELS);
        HR_OK(Device()->CreateVertexBuffer(6 * sizeof(Vertex), D3DUSAGE_DYNAMIC, 0, D3DPOOL_DEFAULT,
                                           &m_pBuffer, nullptr));
    }
    void TearDown() override
    {
        Release(m_pTexels, m_pBuffer, m_pBackBuffer, m_pTargetSurface, m_pTarget);
        DeviceFixture::TearDown();
    }

    // Runs the first `count` steps of the frame, one step per event, after `prepare` sets the
    // state each run starts from.
    void RunFrame(size_t count, bool prepare = true)
    {
        IDirect3DDevice9* d = Device();
        const std::function<void()> steps[] = {
            [this] { ClearAll(BLACK); },
            [d, this] { HR_OK(d->SetRenderTarget(0, m_pTargetSurface)); },
            [d] { HR_OK(d->Clear(0, nullptr, D3DCLEAR_TARGET, BLUE, 1.0f, 0)); },
            [d]
            {
                const std::vector<Vertex> quad = Quad(8, 8, 24, 24, 0.5f, RED, RT_SIZE, RT_SIZE);
                HR_OK(d->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)));
            },
            [d, this] { HR_OK(d->SetRenderTarget(0, m_pBackBuffer)); },
            [this] { DrawQuad(0, 0, 40, 40, 0.5f, GREEN); },
            [d, this]
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
            [d, this]
            {
                SetStates({{D3DRS_ZFUNC, D3DCMP_ALWAYS}});
                HR_OK(D3D9GL_BeginEvent(d, "GUI"));
                DrawQuad(0, 56, 8, 64, 0.0f, RED);
                FillLevel(m_pTexels, 0, BLUE_TEXELS); // a texture written in the frame
                HR_OK(d->SetTexture(0, m_pTexels));
                DrawQuad(56, 0, 64, 8, 0.0f, WHITE);
                HR_OK(D3D9GL_EndEvent(d));
            },
        };
        if (prepare) // the texture holds white before the frame
        {
            SetStates({{D3DRS_ZFUNC, D3DCMP_LESSEQUAL}, {D3DRS_CULLMODE, D3DCULL_CCW}});
            HR_OK(d->SetTexture(0, nullptr));
            HR_OK(d->SetRenderTarget(0, m_pTargetSurface));
            HR_OK(d->Clear(0, nullptr, D3DCLEAR_TARGET, WHITE, 1.0f, 0));
            HR_OK(d->SetRenderTarget(0, m_pBackBuffer));
            UseColorShaders();
        }
        for (size_t step = 0; step < count && step < std::size(steps); ++step)
            steps[step]();
    }

    // Records the whole frame (the next one after a Present).
    const std::vector<D3D9GL_EVENT>& CaptureFrame(UINT maxCalls = 0)
    {
        EXPECT_EQ(D3D9GL_RequestCapture(Device(), maxCalls), D3D_OK);
        RunFrame(0);
        EXPECT_EQ(Device()->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
        RunFrame(STEPS, false);
        EXPECT_EQ(Device()->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
        EXPECT_EQ(D3D9GL_GetCapture(Device(), &m_Info), D3D_OK);
        static const std::vector<D3D9GL_EVENT> none;
        return m_Info.pEvents ? *m_Info.pEvents : none;
    }

    // A target's pixels as RGBA8 rows.
    std::vector<BYTE> Pixels(IDirect3DSurface9* pSurface, UINT size)
    {
        IDirect3DSurface9* pCopy = nullptr;
        Device()->CreateOffscreenPlainSurface(size, size, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM,
                                              &pCopy, nullptr);
        EXPECT_EQ(Device()->GetRenderTargetData(pSurface, pCopy), D3D_OK);
        D3DLOCKED_RECT locked = {};
        pCopy->LockRect(&locked, nullptr, D3DLOCK_READONLY);
        std::vector<BYTE> rgba;
        for (D3DCOLOR c : Texels(locked, size, size))
            rgba.insert(rgba.end(), {BYTE(c >> 16), BYTE(c >> 8), BYTE(c), BYTE(c >> 24)});
        Release(pCopy);
        return rgba;
    }

    D3D9GL_PICTURE Replay(UINT index)
    {
        D3D9GL_PICTURE picture;
        EXPECT_EQ(D3D9GL_ReplayTo(Device(), index, &picture), D3D_OK);
        return picture;
    }

    static constexpr size_t STEPS = 8;
    IDirect3DTexture9* m_pTarget = nullptr;
    IDirect3DSurface9* m_pTargetSurface = nullptr;
    IDirect3DSurface9* m_pBackBuffer = nullptr;
    IDirect3DVertexBuffer9* m_pBuffer = nullptr;
    IDirect3DTexture9* m_pTexels = nullptr;
    static constexpr D3DCOLOR WHITE_TEXELS[4] = {WHITE, WHITE, WHITE, WHITE};
    static constexpr D3DCOLOR BLUE_TEXELS[4] = {BLUE, BLUE, BLUE, BLUE};
    D3D9GL_CAPTURE_INFO m_Info;
};

// The frame is run again up to each event, then replayed up to it: the replay shows what the
// frame drew and leaves the frame's target, its pixels and the device's states alone.
TEST_F(CaptureGLTest, ReplayToAnEventEqualsTheFrameStoppedAfterItAndDisturbsNothing)
{
    ASSERT_EQ(CaptureFrame().size(), STEPS);
    for (UINT k = 0; k < STEPS; ++k)
    {
        SCOPED_TRACE("event " + std::to_string(k));
        RunFrame(k + 1);
        IDirect3DSurface9* pTarget = nullptr;
        HR_OK(Device()->GetRenderTarget(0, &pTarget));
        const UINT size = pTarget == m_pTargetSurface ? RT_SIZE : TARGET_SIZE;
        SetStates({{D3DRS_CULLMODE, D3DCULL_CW}});
        FillLevel(m_pTexels, 0, WHITE_TEXELS); // the application moves on
        const std::vector<BYTE> shown = Pixels(pTarget, size);
        const std::vector<BYTE> texture = Pixels(m_pTargetSurface, RT_SIZE);

        const D3D9GL_PICTURE picture = Replay(k);
        EXPECT_TRUE(picture.rgba == shown) << "the replay differs from the frame";
        EXPECT_TRUE(Pixels(pTarget, size) == shown);
        EXPECT_TRUE(Pixels(m_pTargetSurface, RT_SIZE) == texture);
        DWORD cull = 0;
        HR_OK(Device()->GetRenderState(D3DRS_CULLMODE, &cull));
        EXPECT_EQ(cull, DWORD(D3DCULL_CW));
        Release(pTarget);
    }
}

TEST_F(CaptureGLTest, EventsNameTheirCallsAndStatesMarkWrittenPixelsAndStopAtTheLimit)
{
    const std::vector<D3D9GL_EVENT>& events = CaptureFrame();
    ASSERT_EQ(events.size(), STEPS);
    EXPECT_EQ(events[0].title, "Clear colour depth stencil");
    EXPECT_EQ(events[1].title, "Target: texture 32 x 32 D3DFMT_A8R8G8B8");
    EXPECT_EQ(events[4].title, "Target: back buffer");
    EXPECT_TRUE(events[5].states.empty());
    const D3D9GL_EVENT& textured = events[6];
    EXPECT_EQ(textured.title, "DrawPrimitive D3DPT_TRIANGLELIST 2 triangles");
    EXPECT_EQ(textured.textures, std::vector<std::string>{"s0: pass.rt 32 x 32 D3DFMT_A8R8G8B8"});
    EXPECT_EQ(textured.states, std::vector<std::string>{"D3DRS_ZFUNC = D3DCMP_GREATER"});
    EXPECT_EQ(textured.target, "back buffer");
    EXPECT_EQ(events[7].title, "GUI (2 draws)");
    EXPECT_TRUE(m_Info.message.empty());

    const D3D9GL_PICTURE quad = Replay(3); // the red quad over [8, 24) of the texture
    ASSERT_EQ(quad.written.size(), size_t(RT_SIZE) * RT_SIZE);
    for (UINT i = 0; i < RT_SIZE * RT_SIZE; ++i)
        ASSERT_EQ(quad.written[i], i % RT_SIZE - 8 < 16 && i / RT_SIZE - 8 < 16) << i;
    const D3D9GL_PICTURE target = Replay(1);
    EXPECT_EQ(std::count(target.written.begin(), target.written.end(), 1), 0);

    // A frame longer than the limit keeps what came before it, and says so.
    EXPECT_EQ(CaptureFrame(3).size(), 3u); // two clears and the change of target between
    EXPECT_EQ(m_Info.message, "frame too long: recording stopped after 3 calls");
    D3D9GL_PICTURE beyond;
    EXPECT_EQ(D3D9GL_ReplayTo(Device(), 3, &beyond), D3DERR_INVALIDCALL);
}

// Starting a capture copies the frame's targets, the depth-stencil surface last; a target
// reads back right after it.
TEST_F(CaptureGLTest, ATargetReadsBackRightAfterTheCaptureStarts)
{
    HR_OK(Device()->SetRenderTarget(0, m_pTargetSurface));
    HR_OK(Device()->Clear(0, nullptr, D3DCLEAR_TARGET, RED, 1.0f, 0));
    HR_OK(Device()->SetRenderTarget(0, m_pBackBuffer));
    HR_OK(D3D9GL_RequestCapture(Device(), 0));
    HR_OK(Device()->Present(nullptr, nullptr, nullptr, nullptr));
    const std::vector<BYTE> rgba = Pixels(m_pTargetSurface, RT_SIZE);
    ASSERT_EQ(rgba.size(), size_t(RT_SIZE) * RT_SIZE * 4);
    EXPECT_EQ(std::vector<BYTE>(rgba.begin(), rgba.begin() + 4),
              (std::vector<BYTE>{255, 0, 0, 255}));
}

} // namespace
} // namespace D3D9GLTest
