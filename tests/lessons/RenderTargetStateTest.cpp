// The render-to-texture and cube-map lessons on a recording device: which targets each pass
// binds and gives back, the matrices and textures of every pass, and the constants that
// reach the reflective program.

#include "LessonStates.h"

#include "testcase/rendertocubemap.h"
#include "testcase/rendertotexture.h"
#include "testcase/usecubemap.h"

#include "common/render/myslider.h"

#include "gui/hpushbutton.h"

#include <numbers>

using Halvex::MATH::Matrix4;
using Halvex::MATH::Vector3;

namespace
{
constexpr float FOV_60 = std::numbers::pi_v<float> / 3.0f;
constexpr float ASPECT = 1280.0f / 720.0f;

void ExpectMatrix(const std::array<float, 16>& recorded, const Matrix4& expected)
{
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_NEAR(recorded[static_cast<std::size_t>(i)], expected.m[i], 1e-4f) << "element " << i;
    }
}

} // namespace

class RenderTargetStates : public LessonStates
{
protected:
    // The draws of the lesson's model meshes in the last frame, in order.
    std::vector<FakeRenderDevice::Draw> FrameModelDraws(std::size_t firstDraw) const
    {
        std::vector<FakeRenderDevice::Draw> draws;
        for (std::size_t i = firstDraw; i < fake.device->m_Draws.size(); ++i)
        {
            if (!fake.device->m_Draws[i].m_User)
            {
                draws.push_back(fake.device->m_Draws[i]);
            }
        }
        return draws;
    }

    // Runs one frame and gives its model draws.
    std::vector<FakeRenderDevice::Draw> Frame()
    {
        m_pWindowTarget = fake.device->m_BoundTarget[0];
        m_pWindowDepth = fake.device->m_BoundDepth;
        BeginFrame();
        const std::size_t firstDraw = fake.device->m_Draws.size();
        fake.Frame();
        return FrameModelDraws(firstDraw);
    }

    // Every off-screen pass gives the window's colour surface back.
    void ExpectWindowTargetBack(std::size_t passes)
    {
        EXPECT_EQ(FrameCalls("GetRenderTarget 0").size(), passes);
        EXPECT_EQ(FrameCalls("ResolveRenderTarget 0").size(), passes);
        EXPECT_EQ(FrameCalls("RestoreRenderTarget 0").size(), passes);
        ASSERT_NE(m_pWindowTarget, nullptr);
        EXPECT_EQ(fake.device->m_BoundTarget[0], m_pWindowTarget);
        EXPECT_EQ(fake.device->m_BoundDepth, m_pWindowDepth);
        EXPECT_TRUE(FrameCalls("SetDepthStencilSurface").empty());
        EXPECT_TRUE(FrameCalls("Viewport").empty()) << "the lessons leave the viewport alone";
    }

    void* m_pWindowTarget = nullptr;
    void* m_pWindowDepth = nullptr;
};

TEST_F(RenderTargetStates, RenderToTextureDrawsIntoTheTargetThenWithIt)
{
    auto* pLesson = Open<RenderToTexture>("RenderToTexture");
    ASSERT_NE(pLesson, nullptr);
    const std::vector<FakeRenderDevice::Draw> draws = Frame();
    ASSERT_EQ(draws.size(), 2u);
    ExpectWindowTargetBack(1);
    const std::size_t set = FrameCalls("SetRenderTarget 0").at(0);
    const std::size_t restore = FrameCalls("RestoreRenderTarget 0").at(0);
    const std::vector<std::size_t> drawCalls = FrameCalls("DrawIndexed");
    EXPECT_LT(set, drawCalls[0]);
    EXPECT_LT(drawCalls[0], restore);
    EXPECT_LT(restore, drawCalls[1]);
    EXPECT_EQ(FrameCalls("Clear 3 ff000000 1 0").size(), 2u);
    EXPECT_EQ(StateAt(drawCalls[1], RS_CULL_MODE), static_cast<uint32_t>(CULL_CCW));

    // A square picture of the textured cube, then the cube wearing that picture.
    const Matrix4& view = pLesson->GetCamera().GetView();
    ExpectMatrix(draws[0].m_VertexMatrix0, view * Matrix4::Perspective(FOV_60, 1.0f, 0.1f, 1e4f));
    ExpectMatrix(draws[1].m_VertexMatrix0, view * Matrix4::Perspective(FOV_60, ASPECT, 0.1f, 1e4f));
    EXPECT_NE(draws[0].m_pPixelTexture0, &pLesson->GetTarget());
    EXPECT_EQ(draws[1].m_pPixelTexture0, &pLesson->GetTarget());
    EXPECT_EQ(draws[1].m_Sampler0.m_AddressU, ADDRESS_CLAMP);
    EXPECT_EQ(draws[1].m_Sampler0.m_MinFilter, FILTER_LINEAR);
}

TEST_F(RenderTargetStates, RenderToTextureSkipButtonDrawsOnceIntoTheWindow)
{
    auto* pLesson = Open<RenderToTexture>("RenderToTexture");
    ASSERT_NE(pLesson, nullptr);
    ClickWidget(driver, pLesson->GetSkipButton());
    ASSERT_TRUE(pLesson->GetSkipButton()->IsChecked());
    const std::vector<FakeRenderDevice::Draw> draws = Frame();
    ASSERT_EQ(draws.size(), 1u);
    ExpectWindowTargetBack(0);
    EXPECT_NE(draws[0].m_pPixelTexture0, &pLesson->GetTarget());
    // The projection the last two-pass frame left.
    ExpectMatrix(draws[0].m_VertexMatrix0,
                 pLesson->GetCamera().GetView() * Matrix4::Perspective(FOV_60, ASPECT, 0.1f, 1e4f));
}

TEST_F(RenderTargetStates, RenderToCubeMapRendersTheSixFacesThenTheMirror)
{
    fake.dir.Write("Data/_Tex_/Wallpaper_2_512.dds", FakeRenderDevice::TextureFile(64, 64));
    auto* pLesson = Open<RenderToCubeMap>("RenderToCubeMap");
    ASSERT_NE(pLesson, nullptr);
    const std::vector<FakeRenderDevice::Draw> draws = Frame();
    // Box, two globes six times and once more, then the teapot's meshes.
    ASSERT_GT(draws.size(), 6u * 3u + 3u);
    const std::size_t teapot = 6u * 3u + 3u;
    ExpectWindowTargetBack(6);
    const std::vector<std::size_t> drawCalls = FrameCalls("DrawIndexed");
    for (int face = 0; face < 6; ++face)
    {
        const std::vector<std::size_t> set =
            FrameCalls("SetCubeRenderTarget 0 " + std::to_string(face));
        ASSERT_EQ(set.size(), 1u) << face;
        const std::size_t first = static_cast<std::size_t>(face) * 3u;
        EXPECT_LT(set[0], drawCalls[first]);
        EXPECT_GT(FrameCalls("RestoreRenderTarget 0")[static_cast<std::size_t>(face)],
                  drawCalls[first + 2]);
        // Mirrored faces turn the winding: the globes are culled clockwise, the box (seen
        // from inside) counter-clockwise.
        EXPECT_EQ(StateAt(drawCalls[first], RS_CULL_MODE), static_cast<uint32_t>(CULL_CCW));
        EXPECT_EQ(StateAt(drawCalls[first + 1], RS_CULL_MODE), static_cast<uint32_t>(CULL_CW));
    }
    EXPECT_EQ(StateAt(drawCalls[18], RS_CULL_MODE), static_cast<uint32_t>(CULL_CW));
    EXPECT_EQ(StateAt(drawCalls[19], RS_CULL_MODE), static_cast<uint32_t>(CULL_CCW));
    EXPECT_EQ(StateAt(drawCalls[teapot], RS_CULL_MODE), static_cast<uint32_t>(CULL_CCW));

    // Face +Y of the first globe: looking up from the origin with -z up, x mirrored.
    const Matrix4 faceUp = Matrix4::LookAt({0, 0, 0}, {0, 1, 0}, {0, 0, -1}) *
                           Matrix4::Perspective(1.5707964f, 1.0f, 0.1f, 1e4f) *
                           Matrix4::Scaling(-1.0f, 1.0f, 1.0f);
    const Matrix4 globe =
        Matrix4::RotationY(pLesson->GetSceneObject(1).m_Angle) * Matrix4::Translation(2, 1, 4);
    ExpectMatrix(draws[2 * 3 + 1].m_VertexMatrix0, globe * faceUp);

    // The observer's orbit is back for the window pass.
    ExpectMatrix(draws[teapot].m_VertexMatrix0,
                 Matrix4::LookAt({0, 4, 10}, {0, 0, 0}, {0, 1, 0}) *
                     Matrix4::Perspective(FOV_60, ASPECT, 0.1f, 1e4f));

    // The box has no texture here and wears the wallpaper; the teapot gets no fallback.
    EXPECT_EQ(draws[0].m_pPixelTexture0, &pLesson->GetFallbackTexture());
    EXPECT_EQ(draws[18].m_pPixelTexture0, &pLesson->GetFallbackTexture());
    EXPECT_NE(draws[19].m_pPixelTexture0, &pLesson->GetFallbackTexture());
    EXPECT_EQ(draws[teapot].m_pPixelTexture0, nullptr);
    EXPECT_EQ(fake.device->m_pPixelTextures[1], &pLesson->GetCubeTarget());
}

// The eye, which stays where it is frame after frame, and the slider value.
TEST_F(RenderTargetStates, RenderToCubeMapSliderReachesTheMirrorInC0W)
{
    auto* pLesson = Open<RenderToCubeMap>("RenderToCubeMap");
    ASSERT_NE(pLesson, nullptr);
    const Vector3<float> eye = pLesson->GetCamera().GetEye();
    EXPECT_NEAR(eye.z, 10.0f, 1e-5f);
    const std::pair<float, float> cases[] = {{1.0f, 1.0f}, {0.0f, -1.0f}, {0.5f, 0.0f}};
    for (const auto& [ratio, value] : cases)
    {
        DragSlider(driver, pLesson->GetSlider(), ratio);
        const std::vector<FakeRenderDevice::Draw> draws = Frame();
        ASSERT_FALSE(draws.empty());
        EXPECT_EQ(draws.back().m_PixelConstant0, Registers(eye.x, eye.y, eye.z, value)) << ratio;
    }
}

TEST_F(RenderTargetStates, RenderToCubeMapGlobesTurnWithTime)
{
    auto* pLesson = Open<RenderToCubeMap>("RenderToCubeMap");
    ASSERT_NE(pLesson, nullptr);
    const float before1 = pLesson->GetSceneObject(1).m_Angle;
    const float before2 = pLesson->GetSceneObject(2).m_Angle;
    pLesson->Update(2.0f);
    EXPECT_FLOAT_EQ(pLesson->GetSceneObject(1).m_Angle - before1, 2.0f);
    EXPECT_FLOAT_EQ(pLesson->GetSceneObject(2).m_Angle - before2, 1.0f);
    EXPECT_EQ(pLesson->GetSceneObject(0).m_Angle, 0.0f);
}

TEST_F(RenderTargetStates, UseCubeMapGivesTheViewBesideTheCombinedMatrix)
{
    fake.dir.Write("Data/_Tex_/Cubemap.dds", FakeRenderDevice::TextureFile(64, 64));
    auto* pLesson = Open<UseCubeMap>("UseCubeMap");
    ASSERT_NE(pLesson, nullptr);
    pLesson->GetCamera().SetLookAt({3.0f, 2.0f, 4.0f}, {0, 0, 0}, {0, 1, 0});
    const std::vector<FakeRenderDevice::Draw> draws = Frame();
    ASSERT_EQ(draws.size(), 1u);
    const Matrix4& view = pLesson->GetCamera().GetView();
    ExpectMatrix(draws[0].m_VertexMatrix0, view * pLesson->GetCamera().GetProjection());
    for (int row = 0; row < 4; ++row)
    {
        const int r = row * 4;
        EXPECT_EQ(fake.device->m_VertexConstants[static_cast<std::size_t>(4 + row)],
                  Registers(view.m[r], view.m[r + 1], view.m[r + 2], view.m[r + 3]));
    }
    EXPECT_EQ(draws[0].m_pPixelTexture0, &pLesson->GetCubeMap());
    EXPECT_EQ(draws[0].m_Sampler0.m_AddressW, ADDRESS_CLAMP);
}
