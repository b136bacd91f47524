#include "../support/WorkingDir.h"
#include "fakerenderdevice.h"

#include "common/render/renderimpl.h"
#include "common/render/texrenderproxy.h"
#include "common/render/texrenderproxybtn.h"

#include "base/source/system/logger.h"
#include "gui/hlabel.h"
#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/texture.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Halvex::HGui;
using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;
using HalvexTest::FakeRenderDevice;

namespace
{
// The GUI renderer over a recording device, with shaders and a font of 'A' (8 x 16) and
// 'B' (4 x 8) in a 128 x 64 atlas.
class GuiRenderer : public testing::Test
{
protected:
    void SetUp() override
    {
        dir.Write("Shader/hlsl/UI.wvu", "void main() {}");
        dir.Write("Shader/hlsl/UI.wpu", "void main() {}");
        dir.Write("Data/Font/ASCII_1.dds", FakeRenderDevice::TextureFile(128, 64));
        dir.Write("Data/Font/ASCII_1.txt", "A 0 0 8 16\nB 8 0 4 8\n");
        auto pDevice = std::make_unique<FakeRenderDevice>();
        device = pDevice.get();
        ASSERT_TRUE(renderer.Init(std::make_unique<VideoDevice>(), std::move(pDevice)));
        device->m_Calls.clear();
    }

    const UIVertex_t* Vertices(std::size_t draw) const
    {
        return reinterpret_cast<const UIVertex_t*>(device->m_Draws.at(draw).m_Vertices.data());
    }

    WorkingDir dir;
    RenderImpl renderer;
    FakeRenderDevice* device = nullptr;
};

// A widget laid out at its geometry (it has no parent to align against).
template <typename W> void Place(W& widget, float x, float y, float w, float h)
{
    widget.SetGeometry(x, y, w, h);
    widget.UpdateLayout();
}
} // namespace

TEST_F(GuiRenderer, InitMakesTheDeviceCurrentWithAPixelProjection)
{
    EXPECT_EQ(GetRenderDevice(), device);
    const auto& m = renderer.GetProjection();
    EXPECT_FLOAT_EQ(m(0, 0), 2.0f / 1280.0f);
    EXPECT_FLOAT_EQ(m(1, 1), -2.0f / 720.0f);
    EXPECT_FLOAT_EQ(m(3, 0), -1.0f);
    EXPECT_FLOAT_EQ(m(3, 1), 1.0f);
    EXPECT_FLOAT_EQ(m(2, 2), 1.0f);
    // The bottom-right pixel corner lands on clip (1, -1).
    const auto corner = Halvex::MATH::TransformCoord({1280, 720, 0}, m);
    EXPECT_FLOAT_EQ(corner.x, 1.0f);
    EXPECT_FLOAT_EQ(corner.y, -1.0f);
    ASSERT_NE(renderer.GetTextManager()->GetAtlas(), nullptr);
    EXPECT_EQ(renderer.GetTextManager()->GetAtlas()->GetWidth(), 128);
}

TEST_F(GuiRenderer, FrameBeginsClearedBlackAndEndsPresented)
{
    renderer.BeginFrame();
    renderer.EndFrame();
    EXPECT_EQ(device->m_Calls, (std::vector<std::string>{"BeginScene", "Clear 7 ff000000 1 0",
                                                         "EndScene", "Present"}));
}

TEST_F(GuiRenderer, GuiPassSetsBlendStatesShadersAndProjection)
{
    renderer.BeginGui();
    EXPECT_EQ(device->m_RenderStates[RS_Z_ENABLE], 1u);
    EXPECT_EQ(device->m_RenderStates[RS_CULL_MODE], static_cast<uint32_t>(CULL_NONE));
    EXPECT_EQ(device->m_RenderStates[RS_ALPHA_BLEND_ENABLE], 1u);
    EXPECT_EQ(device->m_RenderStates[RS_SRC_BLEND], static_cast<uint32_t>(BLEND_SRC_ALPHA));
    EXPECT_EQ(device->m_RenderStates[RS_DEST_BLEND], static_cast<uint32_t>(BLEND_INV_SRC_ALPHA));
    EXPECT_NE(device->GetVertexShader(), nullptr);
    EXPECT_NE(device->GetPixelShader(), nullptr);
    EXPECT_EQ(std::memcmp(device->m_VertexConstants[0].data(), renderer.GetProjection().Data(),
                          sizeof(float) * 16),
              0);
    renderer.EndGui();
    EXPECT_EQ(device->GetVertexShader(), nullptr);
    EXPECT_EQ(device->GetPixelShader(), nullptr);
}

TEST_F(GuiRenderer, RectIsOneFanWithCornersTopLeftBottomLeftBottomRightTopRight)
{
    ASSERT_TRUE(renderer.DrawRect(nullptr, HRectF(10, 20, 30, 40), HColor(0x80FF0000)));
    ASSERT_EQ(device->m_Draws.size(), 1u);
    const FakeRenderDevice::Draw& draw = device->m_Draws[0];
    EXPECT_EQ(draw.m_PrimType, PT_TRIANGLE_FAN);
    EXPECT_EQ(draw.m_PrimitiveCount, 2);
    EXPECT_EQ(draw.m_VertexSize, 24);
    const UIVertex_t* v = Vertices(0);
    EXPECT_EQ(v[0].x, 10);
    EXPECT_EQ(v[0].y, 20);
    EXPECT_EQ(v[1].y, 60);
    EXPECT_EQ(v[2].x, 40);
    EXPECT_EQ(v[2].y, 60);
    EXPECT_EQ(v[3].x, 40);
    EXPECT_EQ(v[3].y, 20);
    EXPECT_FLOAT_EQ(v[2].z, 0.1f);
    EXPECT_EQ(v[1].colour, 0x80FF0000u);
    // Untextured: flag 0, no half texels, no texture bound.
    EXPECT_EQ(draw.m_PixelConstant0, (std::array<float, 4>{0, 1, 0, 0}));
    EXPECT_EQ(draw.m_pPixelTexture0, nullptr);
}

TEST_F(GuiRenderer, RightHalfOfAWidgetShowsTheRightHalfOfItsTexture)
{
    Texture* pAtlas = renderer.GetTextManager()->GetAtlas();
    ASSERT_TRUE(renderer.DrawRectPart(pAtlas, HRectF(50, 0, 50, 40), HRectF(0, 0, 100, 40),
                                      HColor(0xFFFFFFFF)));
    const UIVertex_t* v = Vertices(0);
    EXPECT_FLOAT_EQ(v[0].u, 0.5f);
    EXPECT_FLOAT_EQ(v[2].u, 1.0f);
    EXPECT_FLOAT_EQ(v[0].v, 0.0f);
    EXPECT_FLOAT_EQ(v[1].v, 1.0f);
    const FakeRenderDevice::Draw& draw = device->m_Draws[0];
    EXPECT_EQ(draw.m_pPixelTexture0, pAtlas);
    EXPECT_EQ(draw.m_PixelConstant0, (std::array<float, 4>{1, 1, 0.5f / 128, 0.5f / 64}));
    EXPECT_EQ(draw.m_Sampler0.m_MinFilter, FILTER_LINEAR);
    EXPECT_EQ(draw.m_Sampler0.m_AddressV, ADDRESS_CLAMP);
}

TEST_F(GuiRenderer, InvalidRectsDrawNothing)
{
    EXPECT_FALSE(renderer.DrawRect(nullptr, HRectF(0, 0, 10, 0), HColor()));
    EXPECT_FALSE(
        renderer.DrawRectPart(nullptr, HRectF(0, 0, 10, 10), HRectF(0, 0, -1, 10), HColor()));
    EXPECT_TRUE(device->m_Draws.empty());
}

TEST_F(GuiRenderer, ButtonColourIsBackgroundTimesStateColour)
{
    HPushButton button;
    Place(button, 0, 0, 50, 20);
    button.SetBackgroundColor(HColor(255, 0, 0, 128));
    TexRenderProxyBtn proxy(HColor(255, 255, 255, 255), HColor(128, 128, 128, 255),
                            HColor(0, 0, 255, 0));
    proxy.Render(&renderer, &button);
    EXPECT_EQ(Vertices(0)[0].colour, HColor(255, 0, 0, 128).GetPacked());
    button.SetState(1);
    proxy.Render(&renderer, &button);
    EXPECT_EQ(Vertices(1)[0].colour, HColor(128, 0, 0, 128).GetPacked());
    // Pressed gives an all-zero product, which is drawn all the same.
    button.SetState(2);
    proxy.Render(&renderer, &button);
    EXPECT_EQ(device->m_Draws.size(), 3u);
    EXPECT_EQ(Vertices(2)[0].colour, 0u);
    // A checked checkable button shows the pressed colour whatever its state.
    button.SetState(1);
    button.SetCheckable(true);
    button.SetChecked(true);
    proxy.Render(&renderer, &button);
    EXPECT_EQ(proxy.GetCurrentColor(), HColor(0, 0, 255, 0));
}

TEST_F(GuiRenderer, TransparentWidgetIsNotDrawnWhileItsTextIs)
{
    HLabel label;
    Place(label, 0, 0, 100, 20);
    label.SetBackgroundColor(HColor(0x00000000));
    label.SetTextColor(HColor(0xFFFFFFFF));
    label.SetText("AB");
    label.SetRenderProxy(new TexRenderProxy(nullptr, 1.0f));
    label.Update(0.0f);
    label.Render(&renderer);
    ASSERT_EQ(device->m_Draws.size(), 2u);
    Texture* pAtlas = renderer.GetTextManager()->GetAtlas();
    EXPECT_EQ(device->m_Draws[0].m_pPixelTexture0, pAtlas);
    EXPECT_EQ(device->m_Draws[1].m_pPixelTexture0, pAtlas);
    // Centred: the 12 x 16 text box sits at (44, 2).
    EXPECT_EQ(Vertices(0)[0].x, 44);
    EXPECT_EQ(Vertices(0)[0].y, 2);
    EXPECT_EQ(Vertices(1)[0].x, 52);
}

TEST_F(GuiRenderer, TextMeasuresSumOfWidthsByTallestGlyph)
{
    EXPECT_EQ(renderer.MeasureText("AA"), HVec2F(16, 16));
    EXPECT_EQ(renderer.MeasureText("B"), HVec2F(4, 8));
    EXPECT_EQ(renderer.MeasureText(""), HVec2F(0, 0));
    TexRenderProxy proxy(nullptr, 2.0f);
    EXPECT_EQ(proxy.MeasureText(&renderer, "AB"), HVec2F(24, 32));
}

TEST_F(GuiRenderer, ScaledTextAdvancesByScaledWidths)
{
    renderer.DrawText(10, 5, 0.1f, HRectF(0, 0, 500, 500), 0xFFFFFFFF, 2.0f, "AA");
    ASSERT_EQ(device->m_Draws.size(), 2u);
    EXPECT_EQ(Vertices(0)[0].x, 10);
    EXPECT_EQ(Vertices(1)[0].x, 26);
    EXPECT_EQ(Vertices(1)[2].x - Vertices(1)[0].x, 16);
    EXPECT_EQ(Vertices(1)[2].y - Vertices(1)[0].y, 32);
    EXPECT_FLOAT_EQ(Vertices(1)[2].u, 8.0f / 128.0f);
    device->m_Draws.clear();
    renderer.DrawText(0, 0, 0.1f, HRectF(0, 0, 500, 500), 0xFFFFFFFF, 1.0f, "");
    EXPECT_TRUE(device->m_Draws.empty());
}

TEST_F(GuiRenderer, TextWithAnEmptyClipOrNoColourIsNotDrawn)
{
    TexRenderProxy proxy;
    proxy.RenderText(&renderer, "AB", HRectF(0, 0, 0, 20), HRectF(0, 0, 12, 16), HColor());
    proxy.RenderText(&renderer, "AB", HRectF(0, 0, 20, 20), HRectF(0, 0, 12, 16),
                     HColor(0, 0, 0, 0));
    EXPECT_TRUE(device->m_Draws.empty());
    proxy.RenderText(&renderer, "AB", HRectF(0, 0, 20, 20), HRectF(0, 0, 12, 16), HColor());
    EXPECT_EQ(device->m_Draws.size(), 2u);
}

TEST(GuiRendererSetup, MissingFilesDegradeToNoShadersAndNoText)
{
    WorkingDir dir;
    DiagnosticCapture capture;
    RenderImpl renderer;
    auto pDevice = std::make_unique<FakeRenderDevice>();
    FakeRenderDevice* device = pDevice.get();
    ASSERT_TRUE(renderer.Init(std::make_unique<VideoDevice>(), std::move(pDevice)));
    EXPECT_TRUE(capture.Logged("UI.wvu"));
    EXPECT_TRUE(capture.Logged("ASCII_1.dds"));
    renderer.BeginGui();
    EXPECT_EQ(device->GetVertexShader(), nullptr);
    renderer.DrawText(0, 0, 0.1f, HRectF(0, 0, 100, 100), 0xFFFFFFFF, 1.0f, "A");
    EXPECT_TRUE(device->m_Draws.empty());
    EXPECT_EQ(renderer.MeasureText("A"), HVec2F(0, 0));
}

TEST(GuiRendererSetup, DeviceWithoutNativeObjectFailsAndStaysUnset)
{
    RenderImpl renderer;
    EXPECT_FALSE(renderer.Init(nullptr, std::make_unique<FakeRenderDevice>()));
    EXPECT_EQ(GetRenderDevice(), nullptr);
}

TEST(GuiRendererSetup, DestructionReleasesTheDeviceAfterItsResources)
{
    WorkingDir dir;
    dir.Write("Shader/hlsl/UI.wvu", "x");
    {
        RenderImpl renderer;
        ASSERT_TRUE(
            renderer.Init(std::make_unique<VideoDevice>(), std::make_unique<FakeRenderDevice>()));
    }
    EXPECT_EQ(GetRenderDevice(), nullptr);
}

TEST_F(GuiRenderer, OneChannelFloatTexturesAreMarkedToShowAsGrey)
{
    const std::pair<TextureFormat, float> cases[] = {
        {FMT_R32F, 0.0f}, {FMT_R16F, 0.0f}, {FMT_A8R8G8B8, 1.0f}};
    for (const auto& [format, flag] : cases)
    {
        Texture target;
        ASSERT_TRUE(target.CreateRenderTarget(16, 16, format, 1, false));
        ASSERT_TRUE(renderer.DrawRect(&target, HRectF(0, 0, 16, 16), HColor(0xFFFFFFFF)));
        EXPECT_EQ(device->m_Draws.back().m_PixelConstant0[1], flag) << format;
    }
}
