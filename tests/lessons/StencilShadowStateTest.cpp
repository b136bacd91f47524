// The stencil and shadow-map lessons on a recording device: the stencil states of each pass,
// the stencil test switched off after every frame, and the shadow pass that borrows the
// camera and the colour target and gives both back.

#include "LessonStates.h"

#include "testcase/shadowmap.h"
#include "testcase/stencil.h"

#include "common/model/binmodel.h"
#include "common/render/mycombobox.h"

#include "gui/hpushbutton.h"

#include <cstring>

using Halvex::MATH::Vector3;

TEST_F(LessonStates, StencilMarksWithOnesThenComparesAndEndsWithTheTestOff)
{
    auto* pLesson = Open<Stencil>("Stencil");
    ASSERT_NE(pLesson, nullptr);
    struct Case
    {
        int m_Item;
        const char* m_Draw; // the lesson's own draw call
        std::size_t m_DrawCount;
        CompareFunc m_LastFunc;
        std::array<float, 4> m_LastColor;
    };
    const Case cases[] = {
        {0, "DrawUser", 2, CMP_EQUAL, Registers(1.0f, 1.0f, 1.0f, 0.0f)},
        {1, "DrawUser", 2, CMP_NOT_EQUAL, Registers(1.0f, 1.0f, 1.0f, 0.0f)},
        // Cube, floor, mirrored cube.
        {2, "DrawIndexed", 3, CMP_EQUAL, Registers(1.0f, 1.0f, 1.0f, 0.0f)},
    };
    for (const Case& c : cases)
    {
        ChooseItem(driver, pLesson->GetCaseCombo(), c.m_Item);
        BeginFrame();
        const std::size_t firstDraw = fake.device->m_Draws.size();
        fake.Frame();
        const std::vector<std::size_t> draws = FrameCalls(c.m_Draw);
        ASSERT_GE(draws.size(), c.m_DrawCount) << c.m_Item;
        // The pass that marks the stencil writes 1 wherever it draws.
        const std::size_t marking = draws[c.m_DrawCount - 2];
        EXPECT_EQ(StateAt(marking, RS_STENCIL_ENABLE), 1u) << c.m_Item;
        EXPECT_EQ(StateAt(marking, RS_STENCIL_FUNC), static_cast<uint32_t>(CMP_ALWAYS));
        EXPECT_EQ(StateAt(marking, RS_STENCIL_PASS), static_cast<uint32_t>(STENCIL_OP_REPLACE));
        EXPECT_EQ(StateAt(marking, RS_STENCIL_REF), 1u);
        const std::size_t last = draws[c.m_DrawCount - 1];
        EXPECT_EQ(StateAt(last, RS_STENCIL_ENABLE), 1u) << c.m_Item;
        EXPECT_EQ(StateAt(last, RS_STENCIL_FUNC), static_cast<uint32_t>(c.m_LastFunc));
        EXPECT_EQ(StateAt(last, RS_STENCIL_REF), 1u);
        EXPECT_EQ(fake.device->m_Draws[firstDraw + c.m_DrawCount - 1].m_PixelConstant0,
                  c.m_LastColor);
        // Off again before the GUI draws.
        EXPECT_EQ(StateAt(FrameCalls("DrawUser").back(), RS_STENCIL_ENABLE), 0u) << c.m_Item;
        EXPECT_EQ(ReadBack(RS_STENCIL_ENABLE), 0u);
    }
}

TEST_F(LessonStates, StencilMaskPassDrawsTheSharedQuadWithTheFontTexture)
{
    auto* pLesson = Open<Stencil>("Stencil");
    ASSERT_NE(pLesson, nullptr);
    const std::size_t firstDraw = fake.device->m_Draws.size();
    fake.Frame();
    const FakeRenderDevice::Draw& mask = fake.device->m_Draws[firstDraw];
    EXPECT_EQ(mask.m_PrimType, PT_TRIANGLE_STRIP);
    EXPECT_EQ(mask.m_PrimitiveCount, 4);
    EXPECT_EQ(mask.m_PixelConstant0, Registers(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_NE(mask.m_pPixelTexture0, nullptr);
    EXPECT_EQ(fake.device->m_Draws[firstDraw + 1].m_pPixelTexture0, nullptr);
    // Clip space from -0.6 to 0.6, red on the left, blue on the right.
    ASSERT_EQ(mask.m_Vertices.size(), 6 * sizeof(Bin_Vertex));
    Bin_Vertex first;
    Bin_Vertex lastVertex;
    std::memcpy(&first, mask.m_Vertices.data(), sizeof(Bin_Vertex));
    std::memcpy(&lastVertex, mask.m_Vertices.data() + 5 * sizeof(Bin_Vertex), sizeof(Bin_Vertex));
    EXPECT_EQ(first.m_Position[0], -0.6f);
    EXPECT_EQ(first.m_Color, 0xffff0000u);
    EXPECT_EQ(lastVertex.m_Position[1], 0.6f);
    EXPECT_EQ(lastVertex.m_Color, 0xff0000ffu);
    EXPECT_EQ(lastVertex.m_TexCoord[0], 1.0f);
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(mask.m_VertexMatrix0[i], i % 5 == 0 ? 1.0f : 0.0f);
    }
}

TEST_F(LessonStates, ShadowPassGivesBackTheTargetAndTheUsersOrbit)
{
    void* windowTarget = fake.device->m_BoundTarget[0];
    auto* pLesson = Open<ShadowMap>("ShadowMap");
    ASSERT_NE(pLesson, nullptr);
    // A drag leaves the camera turning on its own.
    driver.Drag(640, 360, 700, 330, 2);
    ASSERT_NE(pLesson->GetCamera().GetVelocity().x, 0.0f);
    const Vector3<float> eye = pLesson->GetCamera().GetEye();
    const Vector3<float> target = pLesson->GetCamera().GetTarget();
    const Vector3<float> velocity = pLesson->GetCamera().GetVelocity();
    BeginFrame();
    pLesson->Render(fake.app.GetRenderer());
    EXPECT_EQ(pLesson->GetCamera().GetEye(), eye);
    EXPECT_EQ(pLesson->GetCamera().GetTarget(), target);
    EXPECT_EQ(pLesson->GetCamera().GetVelocity(), velocity);
    EXPECT_EQ(fake.device->m_BoundTarget[0], windowTarget);
    EXPECT_TRUE(FrameCalls("SetDepthStencilSurface").empty());

    // Target saved, shadow target bound and cleared to the far plane, casters drawn into
    // it, the window's target back before the scene is drawn.
    const std::size_t saved = FrameCalls("GetRenderTarget 0").at(0);
    const std::size_t bound = FrameCalls("SetRenderTarget 0").at(0);
    const std::size_t cleared = FrameCalls("Clear 3 ffffffff 1 0").at(0);
    const std::size_t restored = FrameCalls("RestoreRenderTarget 0").at(0);
    const std::vector<std::size_t> draws = FrameCalls("DrawIndexed");
    ASSERT_FALSE(draws.empty());
    EXPECT_LT(saved, bound);
    EXPECT_LT(bound, cleared);
    EXPECT_LT(cleared, draws.front());
    EXPECT_LT(restored, FrameCalls("Clear 3 ff000000 1 0").at(0));
    EXPECT_LT(restored, draws.back());
}

TEST_F(LessonStates, ShadowMapFloorReadsTheMapAndTheLightViewContinuesAfterTheMapIsShown)
{
    auto* pLesson = Open<ShadowMap>("ShadowMap");
    ASSERT_NE(pLesson, nullptr);
    fake.Frame();
    // The floor, drawn last, is the receiver and gets the map in sampler 1.
    const FakeRenderDevice::Draw& floor = LastModelDraw();
    EXPECT_EQ(floor.m_PixelConstant0, Registers(0.0f, 0.0f, 1.0f, 0.0f));
    EXPECT_EQ(fake.device->m_pPixelTextures[ShadowMap::SHADOW_SAMPLER],
              pLesson->GetShadowTexture());
    const auto& lightSpace = fake.device->m_VertexConstants;
    for (int row = 0; row < 4; ++row)
    {
        for (int column = 0; column < 4; ++column)
        {
            EXPECT_EQ(lightSpace[ShadowMap::LIGHT_MATRIX_REGISTER + row][column],
                      pLesson->GetLightViewProjection().m[row * 4 + column]);
        }
    }

    // Showing the map leaves the camera where the light stood.
    ClickWidget(driver, pLesson->GetViewButton());
    BeginFrame();
    pLesson->Render(fake.app.GetRenderer());
    EXPECT_TRUE(FrameCalls("DrawIndexed").size() > 0);
    EXPECT_EQ(pLesson->GetCamera().GetEye(), pLesson->GetLight().GetPosition());
    EXPECT_EQ(pLesson->GetCamera().GetTarget(), Vector3<float>(0.0f, 0.0f, 0.1f));
    EXPECT_EQ(fake.device->m_Draws.back().m_pPixelTexture0, pLesson->GetShadowTexture());
}

TEST_F(LessonStates, ShadowMapWithoutItsTargetKeepsDrawingIntoTheWindow)
{
    fake.device->m_Failing.insert("CreateRenderTarget");
    void* windowTarget = fake.device->m_BoundTarget[0];
    auto* pLesson = Open<ShadowMap>("ShadowMap");
    ASSERT_NE(pLesson, nullptr);
    BeginFrame();
    fake.Frame();
    EXPECT_TRUE(FrameCalls("SetRenderTarget 0").empty());
    EXPECT_TRUE(FrameCalls("Clear 3 ffffffff 1 0").empty());
    EXPECT_FALSE(FrameCalls("DrawIndexed").empty());
    EXPECT_EQ(fake.device->m_BoundTarget[0], windowTarget);
}
