// The three render-state and lighting lessons on a recording device: which states and
// constants each frame sets, what it puts back, and what the next frame's GUI sees.

#include "LessonStates.h"

#include "testcase/lighting.h"
#include "testcase/renderstate_depth.h"
#include "testcase/renderstate_fillshadecull.h"

#include "common/render/mycombobox.h"
#include "common/render/myslider.h"

#include "gui/hpushbutton.h"

using Halvex::MATH::Matrix4;

TEST_F(LessonStates, FillShadeCullCombosSetTheirStateWhileTheCubeIsDrawn)
{
    auto* pLesson = Open<RenderState_FillShadeCull>("RS_FillShadeCull");
    ASSERT_NE(pLesson, nullptr);
    struct Case
    {
        MyComboBox* m_pCombo;
        int m_Item;
        RenderStateType m_State;
    };
    const Case cases[] = {
        {pLesson->GetFillCombo(), FILL_POINT, RS_FILL_MODE},
        {pLesson->GetFillCombo(), FILL_WIREFRAME, RS_FILL_MODE},
        {pLesson->GetShadeCombo(), SHADE_FLAT, RS_SHADE_MODE},
        {pLesson->GetCullCombo(), CULL_CW, RS_CULL_MODE},
        {pLesson->GetCullCombo(), CULL_CCW, RS_CULL_MODE},
    };
    for (const Case& c : cases)
    {
        ChooseItem(driver, c.m_pCombo, c.m_Item);
        BeginFrame();
        fake.Frame();
        const std::vector<std::size_t> draws = FrameCalls("DrawIndexed");
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(StateAt(draws[0], c.m_State), static_cast<uint32_t>(c.m_Item)) << c.m_State;
        EXPECT_EQ(StateAt(draws[0], RS_POINT_SIZE), 10u);
    }
    // No world matrix: the cube is drawn with view times projection.
    const Matrix4 viewProjection =
        pLesson->GetCamera().GetView() * pLesson->GetCamera().GetProjection();
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_FLOAT_EQ(LastModelDraw().m_VertexMatrix0[i], viewProjection.m[i]);
    }
    EXPECT_EQ(LastModelDraw().m_Sampler0.m_MagFilter, FILTER_LINEAR);
    EXPECT_EQ(LastModelDraw().m_Sampler0.m_AddressU, ADDRESS_CLAMP);
}

TEST_F(LessonStates, FillShadeCullPutsBackTheFixedStatesBeforeTheGui)
{
    auto* pLesson = Open<RenderState_FillShadeCull>("RS_FillShadeCull");
    ASSERT_NE(pLesson, nullptr);
    ChooseItem(driver, pLesson->GetFillCombo(), FILL_POINT);
    ChooseItem(driver, pLesson->GetShadeCombo(), SHADE_FLAT);
    ChooseItem(driver, pLesson->GetCullCombo(), CULL_CW);
    ExpectRestoredForTheNextGui({{RS_POINT_SIZE, 1},
                                 {RS_FILL_MODE, FILL_SOLID},
                                 {RS_SHADE_MODE, SHADE_GOURAUD},
                                 {RS_CULL_MODE, CULL_NONE}});
}

TEST_F(LessonStates, DepthCombosSetTheirStatesForNineCubesInGridOrder)
{
    auto* pLesson = Open<RenderState_Depth>("RS_Depth");
    ASSERT_NE(pLesson, nullptr);
    ChooseItem(driver, pLesson->GetEnableCombo(), 0);
    ChooseItem(driver, pLesson->GetWriteCombo(), 0);
    ChooseItem(driver, pLesson->GetFuncCombo(), CMP_ALWAYS);
    BeginFrame();
    const std::size_t firstDraw = fake.device->m_Draws.size();
    fake.Frame();
    const std::vector<std::size_t> draws = FrameCalls("DrawIndexed");
    ASSERT_EQ(draws.size(), 9u);
    for (std::size_t draw : draws)
    {
        EXPECT_EQ(StateAt(draw, RS_Z_ENABLE), 0u);
        EXPECT_EQ(StateAt(draw, RS_Z_WRITE_ENABLE), 0u);
        EXPECT_EQ(StateAt(draw, RS_Z_FUNC), static_cast<uint32_t>(CMP_ALWAYS));
    }
    // Outer loop over x, inner over z, three units apart.
    const Matrix4 viewProjection =
        pLesson->GetCamera().GetView() * pLesson->GetCamera().GetProjection();
    for (int i = 0; i < 3; ++i)
    {
        for (int j = 0; j < 3; ++j)
        {
            const Matrix4 expected = Matrix4::Translation(3.0f * static_cast<float>(i - 1), 0.0f,
                                                          3.0f * static_cast<float>(j - 1)) *
                                     viewProjection;
            const auto& recorded =
                fake.device->m_Draws[firstDraw + static_cast<std::size_t>(i * 3 + j)];
            for (int k = 0; k < 16; ++k)
            {
                EXPECT_NEAR(recorded.m_VertexMatrix0[k], expected.m[k], 1e-5f) << i << " " << j;
            }
        }
    }
}

TEST_F(LessonStates, DepthPutsBackTheFixedStatesBeforeTheGui)
{
    auto* pLesson = Open<RenderState_Depth>("RS_Depth");
    ASSERT_NE(pLesson, nullptr);
    ChooseItem(driver, pLesson->GetEnableCombo(), 0);
    ChooseItem(driver, pLesson->GetWriteCombo(), 0);
    ChooseItem(driver, pLesson->GetFuncCombo(), CMP_NEVER);
    ExpectRestoredForTheNextGui(
        {{RS_Z_ENABLE, 1}, {RS_Z_WRITE_ENABLE, 1}, {RS_Z_FUNC, CMP_LESS_EQUAL}});
}

TEST_F(LessonStates, LightingRegistersGoToTheProgramThatLights)
{
    auto* pLesson = Open<Lighting>("Lighting");
    ASSERT_NE(pLesson, nullptr);
    fake.Frame();
    const auto& vertex = fake.device->m_VertexConstants;
    const auto& pixel = fake.device->m_PixelConstants;
    // Per vertex, directional, the slider defaults.
    EXPECT_EQ(vertex[20], Registers(0.5f, 0.5f, 0.5f, 1.0f));
    EXPECT_EQ(vertex[21], Registers(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(vertex[22], Registers(0.0f, 0.0f, 0.0f, 20.0f));
    const auto& light = pLesson->GetLight().GetPosition();
    EXPECT_EQ(vertex[23], Registers(light.x, light.y, light.z, 0.0f));
    EXPECT_EQ(vertex[24], Registers(1.0f, 1.0f, 1.0f, 1.0f));
    const auto& eye = pLesson->GetCamera().GetEye();
    EXPECT_NEAR(eye.z, 10.0f, 1e-5f);
    EXPECT_EQ(vertex[27], Registers(eye.x, eye.y, eye.z, 1.0f));
    EXPECT_EQ(pixel[22], Registers(0.0f, 0.0f, 0.0f, 0.0f));
    // The world matrix beside the combined one: the teapot, drawn last, stands at x = 3.
    EXPECT_EQ(vertex[7], Registers(3.0f, 0.0f, 0.0f, 1.0f));

    // Per pixel with a point light and full specular: the pixel registers get the new
    // values in the same frame, the vertex registers keep the old ones.
    ClickWidget(driver, pLesson->GetPerPixelButton());
    ClickWidget(driver, pLesson->GetPointButton());
    DragSlider(driver, pLesson->GetSpecularSlider(), 1.0f);
    EXPECT_TRUE(pLesson->IsPerPixel());
    EXPECT_TRUE(pLesson->IsPointLight());
    const auto& moved = pLesson->GetLight().GetPosition();
    EXPECT_EQ(pixel[22], Registers(1.0f, 1.0f, 1.0f, 20.0f));
    EXPECT_EQ(pixel[23], Registers(moved.x, moved.y, moved.z, 1.0f));
    EXPECT_EQ(pixel[27], Registers(eye.x, eye.y, eye.z, 1.0f));
    EXPECT_EQ(vertex[22], Registers(0.0f, 0.0f, 0.0f, 20.0f));
    EXPECT_EQ(vertex[23][3], 0.0f);
}

TEST_F(LessonStates, LightingSlidersSetTheLightColours)
{
    auto* pLesson = Open<Lighting>("Lighting");
    ASSERT_NE(pLesson, nullptr);
    DragSlider(driver, pLesson->GetDiffuseSlider(), 1.0f);
    DragSlider(driver, pLesson->GetAmbientSlider(), 0.5f);
    DragSlider(driver, pLesson->GetPowerSlider(), 1.0f);
    const auto& light = pLesson->GetLight();
    EXPECT_FLOAT_EQ(light.GetDiffuse().x, 1.0f);
    EXPECT_FLOAT_EQ(light.GetDiffuse().w, 1.0f);
    EXPECT_NEAR(light.GetAmbient().y, 0.5f, 0.02f);
    EXPECT_FLOAT_EQ(light.GetSpecular().x, 0.0f);
    EXPECT_FLOAT_EQ(light.GetSpecular().w, 50.0f);
}

TEST_F(LessonStates, LightModelIsDrawnBlendedWithoutDepthWritesOnlyWhileTheLightIsOn)
{
    auto* pLesson = Open<Lighting>("Lighting");
    ASSERT_NE(pLesson, nullptr);
    BeginFrame();
    const std::size_t sphereDraw = fake.device->m_Draws.size();
    fake.Frame();
    const std::size_t sceneDraws = FrameCalls("DrawIndexed").size();
    ASSERT_GT(sceneDraws, 0u);
    // Light off: the sphere is textured and unlit (c0 = (1, 0)).
    EXPECT_EQ(fake.device->m_Draws[sphereDraw].m_PixelConstant0, Registers(1.0f, 0.0f, 0.0f, 0.0f));

    ClickWidget(driver, pLesson->GetLightButton());
    BeginFrame();
    const std::size_t firstDraw = fake.device->m_Draws.size();
    fake.Frame();
    const std::vector<std::size_t> draws = FrameCalls("DrawIndexed");
    ASSERT_GT(draws.size(), sceneDraws);
    EXPECT_EQ(fake.device->m_Draws[firstDraw].m_PixelConstant0, Registers(1.0f, 1.0f, 0.0f, 0.0f));
    for (std::size_t i = 0; i < draws.size(); ++i)
    {
        EXPECT_EQ(StateAt(draws[i], RS_CULL_MODE), static_cast<uint32_t>(CULL_CCW)) << i;
        if (i >= sceneDraws)
        {
            EXPECT_EQ(StateAt(draws[i], RS_ALPHA_BLEND_ENABLE), 1u) << i;
            EXPECT_EQ(StateAt(draws[i], RS_Z_WRITE_ENABLE), 0u) << i;
        }
        else
        {
            EXPECT_EQ(StateAt(draws[i], RS_Z_WRITE_ENABLE), 1u) << i;
        }
    }
    // Blending and depth writes are back before the GUI starts.
    const std::size_t guiStart = FrameCalls("DrawUser").front();
    EXPECT_EQ(StateAt(guiStart - 1, RS_Z_WRITE_ENABLE), 1u);
    const std::vector<std::size_t> resets = FrameCalls("ResetShaders");
    const auto lightEnd = std::find_if(resets.begin(), resets.end(),
                                       [&](std::size_t call) { return call > draws.back(); });
    ASSERT_NE(lightEnd, resets.end());
    EXPECT_EQ(StateAt(*lightEnd, RS_ALPHA_BLEND_ENABLE), 0u);
}

TEST_F(LessonStates, ReloadRereadsOnlyTheLessonsOwnPair)
{
    auto* pLesson = Open<Lighting>("Lighting");
    ASSERT_NE(pLesson, nullptr);
    const VertexShader* pOwn = pLesson->GetShader().GetVertexShader();
    const PixelShader* pOwnPixel = pLesson->GetShader().GetPixelShader();
    const VertexShader* pPerPixel = pLesson->GetPerPixelShader().GetVertexShader();
    const PixelShader* pPerVertex = pLesson->GetPerVertexShader().GetPixelShader();
    ClickWidget(driver, fake.app.GetReloadButton());
    EXPECT_NE(pLesson->GetShader().GetVertexShader(), pOwn);
    EXPECT_NE(pLesson->GetShader().GetPixelShader(), pOwnPixel);
    EXPECT_EQ(pLesson->GetPerPixelShader().GetVertexShader(), pPerPixel);
    EXPECT_EQ(pLesson->GetPerVertexShader().GetPixelShader(), pPerVertex);
}
