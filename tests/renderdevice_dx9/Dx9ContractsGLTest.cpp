// What the back end sends to the device where no picture can show it: redundant binds that
// never reach the device, what creation and Initialize send, device loss and reset, and the
// conditions d3d9gl never produces, answered by the recording pass-through.

#include "dx9gltest.h"
#include "recordingdevice.h"

#include "base/source/system/logger.h"
#include "rendercore/source/resource/mesh.h"
#include "renderdevice_dx9/source/dx9_videodevice_base.h"

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;

namespace Dx9GLTest
{
namespace
{

constexpr InputElementDesc_t ELEMENTS[] = {
    {STREAM_0, 0, DECL_FLOAT3, METHOD_DEFAULT, USAGE_POSITION, 0},
    {STREAM_0, 12, DECL_COLOR, METHOD_DEFAULT, USAGE_COLOR, 0},
    INPUT_ELEMENT_END,
};

class Dx9ContractsGLTest : public testing::Test
{
public:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        s_pWindow =
            SDL_CreateWindow("dx9 contracts", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(s_pWindow, nullptr) << SDL_GetError();
    }
    static void TearDownTestSuite()
    {
        SDL_DestroyWindow(s_pWindow);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

protected:
    void SetUp() override { m_Param.m_pWindow = s_pWindow; }
    void TearDown() override
    {
        m_Objects.clear();
        if (m_pDevice)
            ReleaseRenderDevice();
    }

    // A render device through the back end's factory; the log then holds creation and
    // Initialize.
    std::unique_ptr<RenderDevice> Create()
    {
        m_Direct3D.AddRef();
        m_pVideo = std::make_unique<Dx9VideoDevice>(&m_Direct3D);
        return CreateRenderDevice(m_pVideo.get(), &m_Param);
    }
    RenderDevice& Current()
    {
        m_pDevice = Create();
        EXPECT_TRUE(SetRenderDevice(m_pDevice.get()));
        return *m_pDevice;
    }
    DeviceScript& Script() { return m_Direct3D.m_Script; }
    // An engine object that lives until just before the device is released.
    template <class T> T& Make()
    {
        auto pObject = std::make_shared<T>();
        m_Objects.push_back(pObject);
        return *pObject;
    }

    inline static SDL_Window* s_pWindow = nullptr;
    CallLog m_Log;
    RecordingDirect3D m_Direct3D{Direct3DCreate9(D3D_SDK_VERSION), &m_Log};
    DeviceCreateParam m_Param;
    std::unique_ptr<VideoDevice> m_pVideo;
    std::unique_ptr<RenderDevice> m_pDevice;
    std::vector<std::shared_ptr<void>> m_Objects;
};

TEST_F(Dx9ContractsGLTest, CreationPicksThePerfHudAdapterAndShaderModelFollowsTheVersions)
{
    m_Direct3D.m_Adapters = {"llvmpipe", "NVIDIA PerfHUD", "other"};
    Create();
    EXPECT_TRUE(m_Log.Has("CreateDevice(1,2)")) << "the reference device on the PerfHUD adapter";

    const std::tuple<DWORD, DWORD, int> cases[] = {
        {D3DVS_VERSION(1, 0), D3DPS_VERSION(1, 4), 0},
        {D3DVS_VERSION(1, 1), D3DPS_VERSION(1, 1), 1},
        {D3DVS_VERSION(2, 0), D3DPS_VERSION(2, 0), 2},
        {D3DVS_VERSION(2, 0), D3DPS_VERSION(3, 0), 3},
        {D3DVS_VERSION(3, 0), D3DPS_VERSION(3, 0), 3},
        {D3DVS_VERSION(4, 0), D3DPS_VERSION(4, 0), 0},
    };
    m_Direct3D.m_Adapters.clear();
    for (const auto& [vertex, pixel, level] : cases)
    {
        Script().m_VertexShaderVersion = vertex;
        Script().m_PixelShaderVersion = pixel;
        auto pDevice = Create();
        EXPECT_EQ(pDevice->GetShaderModel(), level) << std::hex << vertex;
        // The caps are read from the device once and copied afterwards.
        const int reads = Script().m_CapsReads;
        DeviceCaps caps;
        pDevice->GetDeviceCaps(&caps);
        pDevice->GetDeviceCaps(&caps);
        EXPECT_EQ(Script().m_CapsReads, reads + 1);
    }
}

TEST_F(Dx9ContractsGLTest, InitializeUnbindsEverythingAndSendsEveryRenderStateOnce)
{
    Current();
    EXPECT_TRUE(m_Log.Has("SetVertexDeclaration(null)"));
    EXPECT_EQ(m_Log.Count("SetStreamSource("), 4u);
    EXPECT_TRUE(m_Log.Has("SetIndices(null)"));
    EXPECT_EQ(m_Log.Count("SetTexture("), 20u);
    EXPECT_TRUE(m_Log.Has("SetTexture(260,null)"));
    EXPECT_TRUE(m_Log.Has("SetVertexShader(null)"));
    EXPECT_TRUE(m_Log.Has("SetPixelShader(null)"));
    EXPECT_EQ(m_Log.Count("SetRenderState("), static_cast<size_t>(RS_MAX));
}

TEST_F(Dx9ContractsGLTest, RedundantBindsNeverReachTheDeviceAndReleasingWhatIsBoundUnbindsIt)
{
    RenderDevice& device = Current();
    auto& layout = Make<InputLayout>();
    ASSERT_TRUE(layout.Load(ELEMENTS));
    auto& vertices = Make<VertexBuffer>();
    ASSERT_TRUE(vertices.Load(PT_TRIANGLE_LIST, nullptr, 36, 16, POOL_MANAGED));
    auto& indices = Make<IndexBuffer>();
    ASSERT_TRUE(indices.Load(nullptr, 36, 2, POOL_MANAGED));
    auto& vertex = Make<VertexShader>();
    auto& pixel = Make<PixelShader>();
    LoadShaders(vertex, "Offset.wvu", pixel, "Flat.wpu");
    auto& texture = Make<Texture>();
    ASSERT_TRUE(texture.Create(TEX_2D, 8, 8, 1, FMT_R32F, 1, POOL_MANAGED, 0));
    SamplerDesc sampler;
    sampler.m_AddressU = ADDRESS_CLAMP;
    for (int i = 0; i < 3; ++i)
    {
        m_Log.Clear();
        device.SetRenderState(RS_CULL_MODE, CULL_NONE);
        device.SetRenderState(RS_FILL_MODE, FILL_SOLID); // the default
        device.SetShaders(&vertex, &pixel);
        device.SetTexture(SHADER_PIXEL, 5, &texture, &sampler);
        device.DrawIndexed(&layout, &vertices, 0, 36, &indices, 0, 36);
        EXPECT_EQ(m_Log.Count("SetRenderState("), i == 0 ? 1u : 0u);
    }
    EXPECT_EQ(m_Log.Calls(), std::vector<std::string>{"DrawIndexedPrimitive(4,0,0,36,0,12)"});

    device.SetTexture(SHADER_VERTEX, 1, &texture, &sampler); // vertex samplers count from 257
    EXPECT_TRUE(m_Log.Has("SetTexture(258,obj)"));
    m_Log.Clear();
    vertices.Unload();
    indices.Unload();
    layout.Unload();
    texture.Unload();
    vertex.Unload();
    pixel.Unload();
    EXPECT_EQ(m_Log.Calls(),
              (std::vector<std::string>{"SetStreamSource(0,null,0,0)", "SetIndices(null)",
                                        "SetVertexDeclaration(null)", "SetTexture(5,null)",
                                        "SetTexture(258,null)", "SetVertexShader(null)",
                                        "SetPixelShader(null)"}));
}

TEST_F(Dx9ContractsGLTest, BuffersAndMeshDrawsReachTheDeviceWithTheirPoolsAndRanges)
{
    RenderDevice& device = Current();
    auto& layout = Make<InputLayout>();
    ASSERT_TRUE(layout.Load(ELEMENTS));
    auto& dynamic = Make<VertexBuffer>();
    ASSERT_TRUE(dynamic.Load(PT_TRIANGLE_LIST, nullptr, 36, 16, POOL_DEFAULT));
    auto& managed = Make<VertexBuffer>();
    ASSERT_TRUE(managed.Load(PT_TRIANGLE_LIST, nullptr, 36, 16, POOL_MANAGED));
    auto& shorts = Make<IndexBuffer>();
    ASSERT_TRUE(shorts.Load(nullptr, 36, 2, POOL_MANAGED));
    auto& longs = Make<IndexBuffer>();
    ASSERT_TRUE(longs.Load(nullptr, 6, 4, POOL_DEFAULT));
    // Usage 520 is dynamic and write-only; formats 101 and 102 are 16- and 32-bit indices.
    EXPECT_EQ(m_Log.Count("CreateVertexBuffer(576,520,0)"), 1u);
    EXPECT_EQ(m_Log.Count("CreateVertexBuffer(576,8,1)"), 1u);
    EXPECT_EQ(m_Log.Count("CreateIndexBuffer(72,8,101,1)"), 1u);
    EXPECT_EQ(m_Log.Count("CreateIndexBuffer(24,520,102,0)"), 1u);

    Mesh mesh;
    mesh.SetVertexBuffer(0, &managed);
    mesh.SetVertexRange(0, 24);
    mesh.SetIndexBuffer(&shorts);
    mesh.SetIndexRange(3, 30);
    device.DrawMesh(&layout, &mesh);
    EXPECT_EQ(m_Log.Calls().back(), "DrawIndexedPrimitive(4,0,0,24,3,10)");
    device.DrawIndexed(&layout, &managed, 3, 36, &shorts, 0, 0);
    EXPECT_EQ(m_Log.Calls().back(), "DrawPrimitive(4,3,12)") << "no indices draw the vertices";
}

TEST_F(Dx9ContractsGLTest, LostDevicesResetOnlyWhenTheyCanAndKeepTheirSettingOnFailure)
{
    RenderDevice& device = Current();
    const std::tuple<HRESULT, bool, size_t> cases[] = {{D3DERR_DEVICELOST, false, 0},
                                                       {D3DERR_DEVICENOTRESET, true, 1},
                                                       {D3D_OK, true, 0},
                                                       {D3DERR_DRIVERINTERNALERROR, false, 0}};
    for (const auto& [level, usable, resets] : cases)
    {
        device.SetRenderState(RS_STENCIL_REF, 3);
        m_Log.Clear();
        Script().m_CooperativeLevel = level;
        EXPECT_EQ(device.CheckDevice(nullptr, nullptr), usable) << level;
        EXPECT_EQ(m_Log.Count("Reset("), resets) << level;
        // After a reset every state reaches the device again.
        device.SetRenderState(RS_STENCIL_REF, 3);
        EXPECT_EQ(m_Log.Count("SetRenderState(57,3)"), resets) << level;
    }
    Script().m_CooperativeLevel.reset();

    DeviceSetting setting;
    device.GetDeviceSetting(&setting);
    setting.m_Windowed = false;
    setting.m_Width = 800;
    ASSERT_TRUE(device.ResetDevice(&setting, nullptr, nullptr));
    EXPECT_EQ(Script().m_LastReset.Windowed, FALSE) << "only the window mode reaches the device";
    EXPECT_EQ(Script().m_LastReset.BackBufferWidth, 64u);
    Script().m_ResetResult = D3DERR_DEVICELOST;
    setting.m_Width = 1024;
    EXPECT_FALSE(device.ResetDevice(&setting, nullptr, nullptr));
    DeviceSetting stored;
    device.GetDeviceSetting(&stored);
    EXPECT_EQ(stored.m_Width, 800);
    EXPECT_FALSE(stored.m_Windowed);
}

TEST_F(Dx9ContractsGLTest, RefusedDeclarationIsReportedAndLeavesNoNativeObject)
{
    Current();
    Script().m_RefuseDeclaration = true;
    DiagnosticCapture capture;
    InputLayout layout;
    EXPECT_FALSE(layout.Load(ELEMENTS));
    EXPECT_EQ(layout.GetUserData(), nullptr);
    EXPECT_EQ(capture.Asserts().size(), 1u);
}

} // namespace
} // namespace Dx9GLTest
