// What the render device over d3d9gl reports where a picture cannot show the fault: failed
// creations and locks, broken draw and copy rules (each seen through the diagnostic it
// raises), and device creation that finds no usable device.

#include "dx9gltest.h"

#include "base/source/system/logger.h"
#include "d3d9gl/d3d9gl.h"
#include "renderdevice_dx9/source/dx9_videodevice_base.h"

#include <algorithm>
#include <functional>

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;

namespace Dx9GLTest
{
namespace
{
// Whether one raised assertion's text contains part (the rule's subject, not its wording).
bool RaisedAbout(const DiagnosticCapture& capture, const std::string& part)
{
    return std::any_of(capture.Asserts().begin(), capture.Asserts().end(),
                       [&](const auto& record)
                       { return record.expression.find(part) != std::string::npos; });
}

// Nothing raised or logged for a null text, else the text raised or logged.
bool Reported(const DiagnosticCapture& capture, const char* pText)
{
    return pText ? RaisedAbout(capture, pText) || capture.Logged(pText)
                 : capture.Asserts().empty() && capture.Logs().empty();
}

UINT DrawCalls()
{
    D3D9GL_COUNTERS counters = {};
    D3D9GL_GetCounters(static_cast<IDirect3DDevice9*>(GetRenderDevice()->GetNativeDevice()),
                       &counters, nullptr);
    return counters.DrawCalls;
}
} // namespace

using Dx9RulesGLTest = Dx9GLTest;

TEST_F(Dx9RulesGLTest, FailedCreationsAreLoggedAndLeaveNoNativeObject)
{
    const std::string vertexText = ReadShader("Offset.wvu");
    const std::string pixelText = ReadShader("Flat.wpu");
    const auto size = [](const std::string& text) { return static_cast<int>(text.size()); };
    VertexBuffer vertices;
    IndexBuffer indexBuffer;
    VertexShader vertexShader;
    PixelShader pixelShader;
    Texture texture;
    // The fault injected, the creation, what it logs and the object left without a native one.
    const std::tuple<D3D9GL_CREATION_KIND, std::function<bool()>, const char*, const Resource*>
        cases[] = {
            {D3D9GL_CREATION_BUFFER,
             [&] { return vertices.Load(PT_LINE_LIST, nullptr, 2, 12, POOL_DEFAULT); },
             "Can not create VertexBuffer, vertexNum: 2, vertexSize: 12, pool: 0", &vertices},
            {D3D9GL_CREATION_BUFFER, [&] { return indexBuffer.Load(nullptr, 3, 2, POOL_MANAGED); },
             "Can not create IndexBuffer, indexNum: 3", &indexBuffer},
            {D3D9GL_CREATION_SHADER,
             [&] { return vertexShader.Load(vertexText.data(), size(vertexText), 0); },
             "Can not Create VertexShader", &vertexShader},
            {D3D9GL_CREATION_SHADER,
             [&] { return pixelShader.Load(pixelText.data(), size(pixelText), 0); },
             "Can not Create PixelShader", &pixelShader},
            {D3D9GL_CREATION_TEXTURE,
             [&] { return texture.Create(TEX_2D, 16, 8, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0); },
             "Could not create empty 2D texture", &texture},
            {D3D9GL_CREATION_TEXTURE,
             [&] { return texture.Create(TEX_CUBE, 16, 16, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0); },
             "Could not create cube texture", &texture},
            {D3D9GL_CREATION_RENDER_TARGET,
             [&] { return texture.CreateRenderTarget(128, 64, FMT_R32F, 0, false); },
             "Can not create Render Target, width: 128, height: 64, mipmaplevel: 1, d3dFormat: 114",
             &texture},
            {D3D9GL_CREATION_RENDER_TARGET,
             [&] { return texture.CreateRenderTarget(32, 32, FMT_A8R8G8B8, 0, true); },
             "Can not create Cube Render Target", &texture},
            {D3D9GL_CREATION_RENDER_TARGET,
             [&] { return Device().CreateDepthStencilSurface(&texture, 16, 16, FMT_D16); },
             "Can not create DepthStencil Surface", &texture},
        };
    for (const auto& [fault, create, logged, pMade] : cases)
    {
        SCOPED_TRACE(logged);
        DiagnosticCapture capture;
        ASSERT_EQ(D3D9GL_FailCreation(Native(), fault, 1), D3D_OK);
        EXPECT_FALSE(create());
        EXPECT_TRUE(capture.Logged(logged));
        EXPECT_FALSE(capture.Asserts().empty());
        EXPECT_EQ(pMade->GetUserData(), nullptr);
    }
}

TEST_F(Dx9RulesGLTest, UnreadableFilesLocksOutsideABufferAndSecondTextureLocksAreRefused)
{
    VertexBuffer vertices;
    IndexBuffer indices;
    Texture texture;
    ASSERT_TRUE(vertices.Load(PT_LINE_LIST, nullptr, 2, 12, POOL_DEFAULT));
    ASSERT_TRUE(indices.Load(nullptr, 3, 2, POOL_MANAGED));
    ASSERT_TRUE(texture.Create(TEX_2D, 8, 8, 2, FMT_A8R8G8B8, 2, POOL_MANAGED, 0));
    void* pData = nullptr;
    DiagnosticCapture capture;
    EXPECT_FALSE(vertices.Lock(&pData, 16, 16, LOCK_DISCARD));
    EXPECT_TRUE(capture.Logged("Can not Lock VertexBuffer, offset: 16, size: 16"));
    EXPECT_FALSE(indices.Lock(&pData, 8, 4, LOCK_READ_ONLY));
    EXPECT_TRUE(capture.Logged("Can not Lock IndexBuffer, offset: 8, size: 4"));
    const char garbage[16] = "not an image";
    EXPECT_FALSE(Texture().LoadFromMemory(garbage, TEX_2D, 16, FMT_UNKNOWN, 0, 0));
    EXPECT_TRUE(capture.Logged("Could not create 2D texture from Memory"));

    LockedRect locked;
    ASSERT_TRUE(texture.Lock(1, &locked, nullptr, LOCK_READ_ONLY));
    EXPECT_EQ(locked.m_Pitch, 16);
    EXPECT_FALSE(texture.Lock(0, &locked, nullptr, LOCK_NONE));
    EXPECT_TRUE(capture.Logged("Texture can not be locked twice"));
    texture.Unlock();
    Device().UnlockTexture(&texture);
    EXPECT_TRUE(capture.Logged("This Texture did not be locked, you must lock it at first"));
}

TEST_F(Dx9RulesGLTest, BrokenDrawRulesAreRaisedAndOnlyDrawsWithoutDataAreDropped)
{
    Scene& scene = Objects();
    RenderDevice& d = Device();
    InputLayout* pLayout = &scene.m_Layout;
    VertexBuffer* pCube = &scene.m_Vertices;
    IndexBuffer* pIndices = &scene.m_Indices;
    // Vertices of 20 bytes against the layout's 32; enough of them that no draw reads past it.
    VertexBuffer wide;
    ASSERT_TRUE(wide.Load(PT_TRIANGLE_LIST, nullptr, 30, 20, POOL_MANAGED));
    const float vertices[3][8] = {};
    // A draw, the rule it breaks and whether it still reaches the device.
    const std::tuple<std::function<void()>, const char*, bool> cases[] = {
        {[&] { d.DrawIndexed(nullptr, pCube, 0, 24, nullptr, 0, 0); }, "pInputLayout", false},
        {[&] { d.DrawIndexed(pLayout, nullptr, 0, 24, nullptr, 0, 0); }, "pVertexBuf", false},
        {[&] { d.DrawMesh(pLayout, nullptr); }, "pMesh", false},
        {[&] { d.DrawInstanced(pLayout, pCube, 0, 24, nullptr, 0, 0, nullptr, 0, 0, 0); },
         "pInstanceBuffer", false},
        {[&] { d.DrawMultiStream(pLayout, 0, nullptr, nullptr, 0, 3, nullptr, 0, 0); },
         "streamCount", false},
        {[&] { d.DrawIndexed(pLayout, pCube, 0, 25, pIndices, 0, 36); }, "GetVertexNum()", true},
        {[&] { d.DrawIndexed(pLayout, pCube, 0, 24, pIndices, 0, 37); }, "GetIndexNum()", true},
        {[&] { d.DrawIndexed(pLayout, &wide, 0, 24, nullptr, 0, 0); }, "GetStreamSize(0)", true},
        {[&] { d.DrawUser(pLayout, PT_TRIANGLE_LIST, 1, vertices, 24, 1); }, "GetStreamSize(0)",
         true},
    };
    Device().SetShaders(&scene.m_VertexShader, &scene.m_PixelShader);
    Device().BeginScene();
    for (const auto& [draw, rule, drawn] : cases)
    {
        SCOPED_TRACE(rule);
        DiagnosticCapture capture;
        const UINT drawsBefore = DrawCalls();
        draw();
        EXPECT_TRUE(RaisedAbout(capture, rule));
        EXPECT_EQ(DrawCalls() > drawsBefore, drawn);
    }
    Device().EndScene();
}

TEST_F(Dx9RulesGLTest, TextureCopiesRefuseWhatTheyCannotCopy)
{
    Texture argb, small, dxtA, dxtB, unloaded;
    ASSERT_TRUE(argb.Create(TEX_2D, SIZE, SIZE, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
    ASSERT_TRUE(small.Create(TEX_2D, 32, 32, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
    ASSERT_TRUE(dxtA.Create(TEX_2D, SIZE, SIZE, 1, FMT_DXT1, 1, POOL_MANAGED, 0));
    ASSERT_TRUE(dxtB.Create(TEX_2D, SIZE, SIZE, 1, FMT_DXT1, 1, POOL_MANAGED, 0));
    // A copy and what it raises or logs (null: refused without a word).
    const std::pair<std::function<bool()>, const char*> cases[] = {
        {[&] { return Device().CopyTextureData(&argb, &small); }, nullptr},
        {[&] { return Device().CopyTextureData(&dxtA, &dxtB); }, "Not support format"},
        // Neither texture loaded.
        {[&] { return Device().CopyTextureData(&unloaded, &unloaded); }, "No Dst Texture data"},
        {[&] { return Device().CopyTexture(&unloaded, &unloaded); }, "No Src Texture data"},
        {[&] { return Device().CopyTextureFromBackBuffer(&dxtA); },
         "DstTexture can not be compressed format: format: 14"},
        {[&] { return Device().CopyTextureFromBackBuffer(&unloaded); }, "Not D3D Texture"},
        {[&] { return Device().CopyTextureFromDepthStencilSurface(&small); },
         "width and height must be same: srcWidth: 64, srcHeight: 64, dstWidth: 32, "
         "dstHeight: 32"},
    };
    for (const auto& [copy, diagnostic] : cases)
    {
        SCOPED_TRACE(diagnostic ? diagnostic : "silent");
        DiagnosticCapture capture;
        EXPECT_FALSE(copy());
        EXPECT_TRUE(Reported(capture, diagnostic));
    }

    // Texel addresses: whole bytes per texel, or bits for block-compressed formats.
    EXPECT_EQ(Device().GetTexelAddress(&argb, 3, 2, 1024, 0), 2060);
    EXPECT_EQ(Device().GetTexelAddress(&dxtA, 4, 1, 128, 0), 130);
    DiagnosticCapture capture;
    Device().GetTexelAddress(&argb, -1, 0, 16, 0);
    EXPECT_EQ(Device().GetTexelAddress(nullptr, 1, 1, 16, 0), 0);
    EXPECT_EQ(capture.Asserts().size(), 2u);
}

TEST_F(Dx9RulesGLTest, RenderStatesReadBackAndUnknownOnesAreLogged)
{
    Device().SetRenderState(RS_Z_FUNC, CMP_GREATER);
    uint32_t value = 0;
    Device().GetRenderState(RS_Z_FUNC, &value);
    EXPECT_EQ(value, static_cast<uint32_t>(CMP_GREATER));
    Device().GetNativeRenderState(RS_Z_FUNC, &value);
    EXPECT_EQ(value, static_cast<uint32_t>(D3DCMP_GREATER));
    // A native change is not hidden by the cache: the engine value goes out again.
    Device().SetNativeRenderState(RS_Z_FUNC, D3DCMP_LESSEQUAL);
    Device().SetRenderState(RS_Z_FUNC, CMP_GREATER);
    Device().GetNativeRenderState(RS_Z_FUNC, &value);
    EXPECT_EQ(value, static_cast<uint32_t>(D3DCMP_GREATER));
    Device().SetRenderState(RS_Z_FUNC, CMP_LESS_EQUAL);

    DiagnosticCapture capture;
    Device().SetRenderState(static_cast<RenderStateType>(23), 5);
    EXPECT_TRUE(capture.Logged("Unknown Render State: 23, Value: 5"));
    value = 7;
    Device().GetRenderState(static_cast<RenderStateType>(30), &value);
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(capture.Logged("Unknown Render State: 30"));
}

TEST_F(Dx9RulesGLTest, MisaddressedTexturesAndConstantsAreRaisedAndSetNothing)
{
    // By name, only a sampler of the shader takes a texture; its register is cached.
    const TextureSampler sampler(&Objects().m_Checker, SamplerDesc{});
    uintptr_t handles[2] = {};
    int32_t regs[2] = {-1, -1};
    Device().SetTextureByName(&Objects().m_PixelShader, "LightDir", &sampler, &handles[0],
                              &regs[0]);
    Device().SetTextureByName(&Objects().m_PixelShader, "DiffuseMap", &sampler, &handles[1],
                              &regs[1]);
    EXPECT_EQ(std::make_pair(regs[0], regs[1]), std::make_pair(-1, 0));
    EXPECT_NE(handles[1], 0u);

    // An unknown constant name resolves to nothing; a shader without code has no names.
    uintptr_t missing = 0;
    Device().SetShaderConstantFloatByName(&Objects().m_PixelShader, "Missing", 1.0f, &missing);
    EXPECT_EQ(missing, 0u);

    DiagnosticCapture capture;
    VertexShader unloaded;
    Device().SetShaderConstantIntByName(&unloaded, "LightDir", 1, &missing);
    Device().SetTexture(SHADER_PIXEL, -1, &Objects().m_Checker, &sampler.GetDesc());
    const auto noStage = static_cast<ShaderType>(2);
    const float values[4] = {};
    const int ints[4] = {};
    const bool flags[4] = {};
    Device().SetShaderConstantFloatArray(noStage, 0, values, 4);
    Device().SetShaderConstantIntArray(noStage, 0, ints, 4);
    Device().SetShaderConstantBoolArray(noStage, 0, flags, 4);
    EXPECT_EQ(capture.Asserts().size(), 5u);
    EXPECT_TRUE(RaisedAbout(capture, "regIndex"));
    EXPECT_TRUE(RaisedAbout(capture, "pConstTable"));
}

TEST_F(Dx9RulesGLTest, CreationWithoutAUsableDeviceLeavesADeviceThatDrawsNothing)
{
    EXPECT_EQ(Device().GetShaderModel(), 3);
    DeviceCaps caps;
    Device().GetDeviceCaps(&caps);
    EXPECT_EQ(caps.MaxPixelShaderConst, 224);
    EXPECT_EQ(caps.CompressTex[0], static_cast<int32_t>(D3DFMT_DXT1)); // the formats d3d9gl takes
    DeviceSetting setting;
    Device().GetDeviceSetting(&setting);
    EXPECT_EQ(std::make_tuple(setting.m_Windowed, setting.m_BackBufferFormat,
                              setting.m_DepthStencilFormat),
              std::make_tuple(true, FMT_X8R8G8B8, FMT_D24S8));
    DiagnosticCapture resetCapture;
    Device().ResetDevice(nullptr, nullptr, nullptr);
    EXPECT_TRUE(resetCapture.Raised("pInfo"));

    // With an interface, the multisampling asked for, with a window, the diagnostic (null: none).
    const std::tuple<bool, MultiSample, bool, const char*> cases[] = {
        {false, MULTISAMPLE_NONE, true, "Can not Create Direct3D Interface"},
        {true, MULTISAMPLE_4, true, nullptr}, // the back buffer is single-sampled
        {true, MULTISAMPLE_NONE, false, "Can not create device"},
    };
    for (const auto& [withInterface, multiSample, withWindow, diagnostic] : cases)
    {
        SCOPED_TRACE(diagnostic ? diagnostic : "multisampled");
        DiagnosticCapture capture;
        auto pVideo = withInterface ? std::make_unique<Dx9VideoDevice>()
                                    : std::make_unique<Dx9VideoDevice>(nullptr);
        DeviceCreateParam param;
        param.m_Width = SIZE;
        param.m_Height = SIZE;
        param.m_MultiSample = multiSample;
        param.m_pWindow = withWindow ? s_pWindow : nullptr;
        std::unique_ptr<RenderDevice> pDevice = CreateRenderDevice(pVideo.get(), &param);
        EXPECT_EQ(pDevice->GetNativeDevice(), nullptr);
        EXPECT_TRUE(Reported(capture, diagnostic));

        // Made current, it takes calls and reports that it cannot draw.
        ReleaseRenderDevice();
        ASSERT_TRUE(SetRenderDevice(pDevice.get()));
        pDevice->SetRenderState(RS_CULL_MODE, CULL_NONE);
        pDevice->Clear(CLEAR_TARGET, 0, 1.0f, 0);
        EXPECT_FALSE(pDevice->CheckDevice(nullptr, nullptr));
        ReleaseRenderDevice();
        ASSERT_TRUE(SetRenderDevice(s_pDevice.get()));
    }
}

} // namespace Dx9GLTest
