// The stencil lesson on a recording device: the stencil states of each pass and the stencil
// test switched off after every frame.

#include "LessonStates.h"

#include "testcase/stencil.h"

#include "common/model/binmodel.h"
#include "common/render/mycombobox.h"

#include <cstring>

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
