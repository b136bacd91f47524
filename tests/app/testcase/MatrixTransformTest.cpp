#include "../support/FakeApp.h"

#include "testcase/matrixtransform.h"

#include "common/camera/angle.h"
#include "common/render/myslider.h"
#include "gui/hpushbutton.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Halvex::RenderCore;
using HalvexTest::FakeRenderDevice;

namespace
{
class MatrixTransformLesson : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* model : {"camera", "nights", "sphere_20"})
        {
            const std::string file = std::string("Data/") + model + ".bin";
            fake.dir.Write(file, HalvexTest::ReadFile(HalvexTest::SourceDir() / file));
        }
        fake.dir.Write("Shader/hlsl/MatrixTransform.wvu", "vs");
        fake.dir.Write("Shader/hlsl/MatrixTransform.wpu", "ps");
        pLesson = new MatrixTransform;
        fake.app.SetMode(pLesson);
        fake.Frame();
        fake.Frame();
    }

    FakeApp fake;
    MatrixTransform* pLesson = nullptr;
};
} // namespace

TEST_F(MatrixTransformLesson, ViewportsSplitTheAreaRightOfTheGuiColumn)
{
    const float* pLeft = pLesson->GetLeftViewport();
    const float* pRight = pLesson->GetRightViewport();
    EXPECT_EQ(std::vector<float>(pLeft, pLeft + 4), (std::vector<float>{200, 0, 540, 720}));
    EXPECT_EQ(std::vector<float>(pRight, pRight + 4), (std::vector<float>{740, 0, 540, 720}));
}

TEST_F(MatrixTransformLesson, SlidersStartFromTheObservedCamera)
{
    EXPECT_NEAR(pLesson->GetSlider(MatrixTransform::SLIDER_DISTANCE)->GetValue(), std::sqrt(104.0f),
                1e-4f);
    EXPECT_NEAR(pLesson->GetSlider(MatrixTransform::SLIDER_YAW)->GetValue(), ANGLE_PI, 1e-4f);
    EXPECT_NEAR(pLesson->GetSlider(MatrixTransform::SLIDER_FOV)->GetValue(), ANGLE_PI / 3.0f,
                1e-5f);
    EXPECT_FLOAT_EQ(pLesson->GetSlider(MatrixTransform::SLIDER_FAR)->GetValue(), 30.0f);
    // After an update the sliders have placed the camera where it already was.
    const auto eye = pLesson->GetObservedCamera().GetEye();
    EXPECT_NEAR(eye.x, 0.0f, 1e-3f);
    EXPECT_NEAR(eye.y, 2.0f, 1e-3f);
    EXPECT_NEAR(eye.z, 10.0f, 1e-3f);
    EXPECT_FALSE(pLesson->GetSlider(MatrixTransform::SLIDER_ORTHO_SCALE)->IsVisible());
}

TEST_F(MatrixTransformLesson, RenderClearsEachHalfInItsColourAndRestoresTheViewport)
{
    fake.device->m_Calls.clear();
    pLesson->Render(fake.app.GetRenderer());
    const auto& calls = fake.device->m_Calls;
    auto at = [&](const std::string& call)
    { return std::find(calls.begin(), calls.end(), call) - calls.begin(); };
    const auto left = at("Viewport 200 0 540 720");
    const auto leftClear = at("Clear 1 ff404040 1 0");
    const auto right = at("Viewport 740 0 540 720");
    const auto rightClear = at("Clear 1 ff8080ff 1 0");
    const auto client = at("Viewport 0 0 1280 720");
    ASSERT_LT(client, static_cast<long>(calls.size()));
    EXPECT_LT(left, leftClear);
    EXPECT_LT(leftClear, right);
    EXPECT_LT(right, rightClear);
    EXPECT_LT(rightClear, client);
    EXPECT_EQ(calls.back(), "Viewport 0 0 1280 720");
    EXPECT_EQ(fake.device->m_RenderStates[RS_CULL_MODE], static_cast<uint32_t>(CULL_CCW));
}

TEST_F(MatrixTransformLesson, LeftHalfAddsTheCameraModelAndTwelveFrustumLines)
{
    fake.device->m_Draws.clear();
    pLesson->Render(fake.app.GetRenderer());
    const auto& draws = fake.device->m_Draws;
    const auto lines = std::find_if(draws.begin(), draws.end(),
                                    [](const FakeRenderDevice::Draw& d) { return d.m_User; });
    ASSERT_NE(lines, draws.end());
    EXPECT_EQ(lines->m_PrimType, PT_LINE_LIST);
    EXPECT_EQ(lines->m_PrimitiveCount, 12);
    EXPECT_EQ(lines->m_VertexSize, 36);
    EXPECT_EQ(lines->m_PixelConstant0[0], 0.0f);
    EXPECT_EQ(std::count_if(draws.begin(), draws.end(),
                            [](const FakeRenderDevice::Draw& d) { return d.m_User; }),
              1);
    const std::size_t cameraDraws = lines - draws.begin();
    const std::size_t sceneDraws = (draws.size() - cameraDraws - 1) / 2;
    EXPECT_GT(cameraDraws, 0u);
    EXPECT_GT(sceneDraws, 0u);
    EXPECT_EQ(cameraDraws + 1 + 2 * sceneDraws, draws.size());
}

TEST_F(MatrixTransformLesson, MeshesGetWorldViewProjectionOfTheCurrentCamera)
{
    fake.device->m_Draws.clear();
    pLesson->Render(fake.app.GetRenderer());
    const auto& last = fake.device->m_Draws.back();
    // The last draw is the sphere at (-3, 0, 0) seen by the observed camera.
    EXPECT_FLOAT_EQ(last.m_VertexMatrix0[12], -3.0f);
    EXPECT_EQ(fake.device->m_VertexConstants[8][0],
              pLesson->GetObservedCamera().GetProjection()(0, 0));
    EXPECT_EQ(pLesson->GetCurrentCamera(), &pLesson->GetObservedCamera());
}

TEST_F(MatrixTransformLesson, ModeButtonSwapsFieldOfViewAndScaleSliders)
{
    fake.Click(1258, 22);
    EXPECT_FALSE(pLesson->IsPerspective());
    EXPECT_TRUE(pLesson->GetModeButton()->IsChecked());
    EXPECT_TRUE(pLesson->GetSlider(MatrixTransform::SLIDER_ORTHO_SCALE)->IsVisible());
    EXPECT_FALSE(pLesson->GetSlider(MatrixTransform::SLIDER_FOV)->IsVisible());
    fake.Frame();
    EXPECT_EQ(pLesson->GetObservedCamera().GetFrustum()->m_Perspective, 0);
    // Scale 50: the view spans 540 / 50 by 720 / 50 world units.
    EXPECT_FLOAT_EQ(pLesson->GetObservedCamera().GetFrustum()->m_Width, 10.8f);
    EXPECT_FLOAT_EQ(pLesson->GetObservedCamera().GetFrustum()->m_Height, 14.4f);
    const auto lines = pLesson->BuildFrustumLines();
    EXPECT_FLOAT_EQ(lines[0].x, -5.4f);
    EXPECT_FLOAT_EQ(lines[0].y, -7.2f);
    fake.Click(1258, 22);
    EXPECT_TRUE(pLesson->IsPerspective());
    EXPECT_TRUE(pLesson->GetSlider(MatrixTransform::SLIDER_FOV)->IsVisible());
}

TEST_F(MatrixTransformLesson, FrustumCornersFollowNearAndFarSliders)
{
    pLesson->GetSlider(MatrixTransform::SLIDER_NEAR)->SetValue(2.0f);
    pLesson->GetSlider(MatrixTransform::SLIDER_FAR)->SetValue(5.0f);
    fake.Frame();
    const auto lines = pLesson->BuildFrustumLines();
    const float ty = std::tan(ANGLE_PI / 6.0f);
    const float tx = ty * 540.0f / 720.0f;
    // Edge 0-1 of the near rectangle, then edge 4-5 of the far one.
    EXPECT_NEAR(lines[0].x, -tx * 2.0f, 1e-5f);
    EXPECT_NEAR(lines[0].y, -ty * 2.0f, 1e-5f);
    EXPECT_FLOAT_EQ(lines[0].z, 2.0f);
    EXPECT_NEAR(lines[1].y, ty * 2.0f, 1e-5f);
    EXPECT_FLOAT_EQ(lines[8].z, 5.0f);
    EXPECT_NEAR(lines[8].x, -tx * 5.0f, 1e-5f);
    // The last side edge joins corner 3 to corner 7.
    EXPECT_NEAR(lines[23].x, tx * 5.0f, 1e-5f);
    EXPECT_NEAR(lines[23].y, -ty * 5.0f, 1e-5f);
    EXPECT_FLOAT_EQ(pLesson->GetObservedCamera().GetFrustum()->m_Near, 2.0f);
    EXPECT_FLOAT_EQ(pLesson->GetObservedCamera().GetFrustum()->m_Far, 5.0f);
}

TEST(MatrixTransformBeforeRender, MeshDrawsNothingWithoutACamera)
{
    FakeApp fake;
    MatrixTransform lesson;
    EXPECT_EQ(lesson.GetCurrentCamera(), nullptr);
    Render_Mesh mesh;
    fake.device->m_Draws.clear();
    lesson.RenderMesh(fake.app.GetRenderer(), &mesh);
    EXPECT_TRUE(fake.device->m_Draws.empty());
}
