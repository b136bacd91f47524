#include "rendercoretest.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/common/inputlayoutpool.h"

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

namespace
{
constexpr const char* LAYOUT_SOURCE = "src/rendercore/source/common/inputlayout";

InputElementDesc_t Element(uint32_t stream, uint32_t offset, ElementType type, ElementUsage usage,
                           uint32_t usageIndex = 0)
{
    return {stream, offset, type, METHOD_DEFAULT, usage, usageIndex};
}
} // namespace

using InputLayoutTest = RenderCoreTest;

TEST_F(InputLayoutTest, PositionAndColourMakeOneStreamOfSixteenBytes)
{
    const InputElementDesc_t elems[] = {Element(STREAM_0, 0, DECL_FLOAT3, USAGE_POSITION),
                                        Element(STREAM_0, 12, DECL_COLOR, USAGE_COLOR),
                                        INPUT_ELEMENT_END};
    InputLayout layout;
    DiagnosticCapture capture;
    ASSERT_TRUE(layout.Load(elems));
    EXPECT_TRUE(capture.Asserts().empty());
    EXPECT_EQ(layout.GetStreamCount(), 1);
    EXPECT_EQ(layout.GetStreamSize(0), 16u);
    EXPECT_EQ(layout.GetStreamSize(1), 0u);
    ASSERT_EQ(layout.GetElements().size(), 3u);
    EXPECT_EQ(layout.GetElements()[2].m_StreamIndex, STREAM_END);
}

TEST_F(InputLayoutTest, StreamOneElementAddsASecondStream)
{
    const InputElementDesc_t elems[] = {Element(STREAM_0, 0, DECL_FLOAT3, USAGE_POSITION),
                                        Element(STREAM_0, 12, DECL_COLOR, USAGE_COLOR),
                                        Element(STREAM_1, 0, DECL_FLOAT4, USAGE_TEXCOORD, 1),
                                        INPUT_ELEMENT_END};
    InputLayout layout;
    ASSERT_TRUE(layout.Load(elems));
    EXPECT_EQ(layout.GetStreamCount(), 2);
    EXPECT_EQ(layout.GetStreamSize(0), 16u);
    EXPECT_EQ(layout.GetStreamSize(1), 16u);
}

TEST(InputElement, TypeSizesCountPackedNormalsAsTwelveBytes)
{
    const uint32_t expected[] = {4, 8, 12, 16, 4, 4, 4, 8, 4, 4, 8, 4, 8, 12, 12, 4, 8, 0};
    for (uint32_t type = 0; type < DECL_TYPE_MAX; ++type)
    {
        EXPECT_EQ(GetElementTypeSize(type), expected[type]) << type;
    }
    EXPECT_EQ(GetElementTypeSize(DECL_TYPE_MAX), 0u);
    EXPECT_EQ(GetElementTypeSize(1000), 0u);
}

TEST_F(InputLayoutTest, OverlappingElementIsReportedAndStillCounted)
{
    const InputElementDesc_t elems[] = {Element(STREAM_0, 0, DECL_FLOAT3, USAGE_POSITION),
                                        Element(STREAM_0, 8, DECL_FLOAT3, USAGE_NORMAL),
                                        INPUT_ELEMENT_END};
    InputLayout layout;
    DiagnosticCapture capture;
    EXPECT_TRUE(layout.Load(elems));
    EXPECT_EQ(OnlyAssert(capture).expression,
              "elems[i].m_Offset == m_StreamSize[elems[i].m_StreamIndex]");
    EXPECT_EQ(OnlyAssert(capture).source, LAYOUT_SOURCE);
    EXPECT_EQ(layout.GetStreamSize(0), 24u);
}

TEST_F(InputLayoutTest, StreamSizeOutsideTheStreamsAsserts)
{
    InputLayout layout;
    DiagnosticCapture capture;
    EXPECT_EQ(layout.GetStreamSize(3), 0u);
    EXPECT_EQ(OnlyAssert(capture).expression, "stream >= STREAM_0 && stream < STREAM_MAX");
    EXPECT_EQ(OnlyAssert(capture).source, LAYOUT_SOURCE);
    capture.Clear();
    layout.GetStreamSize(-1);
    EXPECT_EQ(capture.Asserts().size(), 1u);
}

TEST_F(InputLayoutTest, ElementOnAStreamPastTheLastIsReportedAndLeftOut)
{
    const InputElementDesc_t elems[] = {Element(STREAM_0, 0, DECL_FLOAT3, USAGE_POSITION),
                                        Element(7, 0, DECL_FLOAT4, USAGE_TEXCOORD),
                                        INPUT_ELEMENT_END};
    InputLayout layout;
    DiagnosticCapture capture;
    EXPECT_TRUE(layout.Load(elems));
    EXPECT_EQ(OnlyAssert(capture).expression, "elems[i].m_StreamIndex < STREAM_MAX");
    EXPECT_EQ(layout.GetElements().size(), 2u);
    EXPECT_EQ(layout.GetStreamCount(), 1);
}

TEST_F(InputLayoutTest, ListWithoutTerminatorStopsAfterSixtyFourElements)
{
    std::vector<InputElementDesc_t> elems;
    for (uint32_t i = 0; i < 70; ++i)
    {
        elems.push_back(Element(STREAM_0, i * 4, DECL_FLOAT1, USAGE_TEXCOORD, i));
    }
    InputLayout layout;
    EXPECT_TRUE(layout.Load(elems.data()));
    EXPECT_EQ(layout.GetElements().size(), 64u);
    EXPECT_EQ(layout.GetStreamSize(0), 64u * 4u);
}

TEST_F(InputLayoutTest, FailedDeviceLoadLeavesAnEmptyLayout)
{
    const InputElementDesc_t elems[] = {Element(STREAM_0, 0, DECL_FLOAT3, USAGE_POSITION),
                                        INPUT_ELEMENT_END};
    m_Device.m_Failing = {"LoadInputLayout"};
    InputLayout layout;
    EXPECT_FALSE(layout.Load(elems));
    EXPECT_FALSE(layout.Load(nullptr));
    EXPECT_EQ(layout.GetStreamCount(), 0);
    EXPECT_EQ(layout.GetStreamSize(0), 0u);
    EXPECT_TRUE(layout.GetElements().empty());
}

TEST_F(InputLayoutTest, SecondLoadReplacesTheFirstAndDestructionUnloads)
{
    const InputElementDesc_t first[] = {Element(STREAM_0, 0, DECL_FLOAT4, USAGE_POSITION),
                                        INPUT_ELEMENT_END};
    const InputElementDesc_t second[] = {Element(STREAM_0, 0, DECL_FLOAT2, USAGE_POSITION),
                                         INPUT_ELEMENT_END};
    {
        InputLayout layout;
        ASSERT_TRUE(layout.Load(first));
        ASSERT_TRUE(layout.Load(second));
        EXPECT_EQ(m_Device.CallCount("UnloadInputLayout"), 1);
        EXPECT_EQ(layout.GetStreamSize(0), 8u);
        EXPECT_EQ(layout.GetElements().size(), 2u);
    }
    EXPECT_EQ(m_Device.CallCount("UnloadInputLayout"), 2);
}

TEST_F(InputLayoutTest, PoolReturnsTheSameLayoutForAnEqualListOnly)
{
    const InputElementDesc_t elems[] = {Element(STREAM_0, 0, DECL_FLOAT3, USAGE_POSITION),
                                        Element(STREAM_0, 12, DECL_FLOAT2, USAGE_TEXCOORD, 0),
                                        INPUT_ELEMENT_END};
    const InputElementDesc_t copy[] = {elems[0], elems[1], elems[2]};
    const InputElementDesc_t otherIndex[] = {
        elems[0], Element(STREAM_0, 12, DECL_FLOAT2, USAGE_TEXCOORD, 1), INPUT_ELEMENT_END};
    InputLayoutPool pool;
    InputLayout* pFirst = pool.Find(elems, 3);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pool.Find(copy, 3), pFirst);
    InputLayout* pOther = pool.Find(otherIndex, 3);
    EXPECT_NE(pOther, pFirst);
    // The count is part of the identity.
    EXPECT_NE(pool.Find(elems, 2), pFirst);
    EXPECT_EQ(pool.GetLayoutCount(), 3);
    EXPECT_EQ(m_Device.CallCount("LoadInputLayout"), 3);
}

TEST_F(InputLayoutTest, PoolKeepsALayoutWhoseLoadFailed)
{
    const InputElementDesc_t elems[] = {Element(STREAM_0, 0, DECL_FLOAT3, USAGE_POSITION),
                                        INPUT_ELEMENT_END};
    m_Device.m_Failing = {"LoadInputLayout"};
    InputLayoutPool pool;
    InputLayout* pLayout = pool.Find(elems, 2);
    ASSERT_NE(pLayout, nullptr);
    EXPECT_EQ(pLayout->GetStreamCount(), 0);
    EXPECT_EQ(pool.Find(elems, 2), pLayout);
    EXPECT_EQ(m_Device.CallCount("LoadInputLayout"), 1);
}
