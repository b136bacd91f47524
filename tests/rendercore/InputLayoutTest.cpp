// Input layouts: strides and streams from the elements, reloading, and the pool that shares
// a layout between equal element lists.

#include "rendercoretest.h"

#include "rendercore/source/common/inputlayoutpool.h"

#include <tuple>

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

namespace
{
InputElementDesc_t Element(uint32_t stream, uint32_t offset, ElementType type, ElementUsage usage,
                           uint32_t usageIndex = 0)
{
    return {stream, offset, type, METHOD_DEFAULT, usage, usageIndex};
}

const InputElementDesc_t POSITION = Element(STREAM_0, 0, DECL_FLOAT3, USAGE_POSITION);

// Stream count, the sizes of streams 0 and 1 and the number of elements.
std::tuple<int, uint32_t, uint32_t, size_t> Shape(InputLayout& layout)
{
    return {layout.GetStreamCount(), layout.GetStreamSize(0), layout.GetStreamSize(1),
            layout.GetElements().size()};
}
} // namespace

using InputLayoutTest = RenderCoreTest;

TEST_F(InputLayoutTest, StridesAndStreamCountsFollowTheElements)
{
    const InputElementDesc_t colour = Element(STREAM_0, 12, DECL_COLOR, USAGE_COLOR);
    const InputElementDesc_t instance = Element(STREAM_1, 0, DECL_FLOAT4, USAGE_TEXCOORD, 1);
    const InputElementDesc_t overlapping = Element(STREAM_0, 8, DECL_FLOAT3, USAGE_NORMAL);
    const InputElementDesc_t pastLast = Element(7, 0, DECL_FLOAT4, USAGE_TEXCOORD);
    std::vector<InputElementDesc_t> seventy;
    for (uint32_t i = 0; i < 70; ++i)
    {
        seventy.push_back(Element(STREAM_0, i * 4, DECL_FLOAT1, USAGE_TEXCOORD, i));
    }
    const struct
    {
        const char* name;
        std::vector<InputElementDesc_t> elems;
        std::tuple<int, uint32_t, uint32_t, size_t> shape;
        size_t asserts;
    } rows[] = {
        {"position and colour", {POSITION, colour, INPUT_ELEMENT_END}, {1, 16, 0, 3}, 0},
        {"stream 1", {POSITION, colour, instance, INPUT_ELEMENT_END}, {2, 16, 16, 4}, 0},
        {"an overlap still counts", {POSITION, overlapping, INPUT_ELEMENT_END}, {1, 24, 0, 3}, 1},
        {"no stream 7: left out", {POSITION, pastLast, INPUT_ELEMENT_END}, {1, 12, 0, 2}, 1},
        {"no terminator: 64 elements", seventy, {1, 64 * 4, 0, 64}, 0},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        InputLayout layout;
        DiagnosticCapture capture;
        EXPECT_TRUE(layout.Load(row.elems.data()));
        EXPECT_EQ(Shape(layout), row.shape);
        EXPECT_EQ(capture.Asserts().size(), row.asserts);
    }
    // Streams outside the range have no size.
    InputLayout layout;
    DiagnosticCapture capture;
    EXPECT_EQ(layout.GetStreamSize(3) + layout.GetStreamSize(-1), 0u);
    EXPECT_EQ(capture.Asserts().size(), 2u);
}

TEST_F(InputLayoutTest, SecondLoadReplacesTheFirstAFailedOneLeavesItEmpty)
{
    const InputElementDesc_t first[] = {POSITION, INPUT_ELEMENT_END};
    const InputElementDesc_t second[] = {Element(STREAM_0, 0, DECL_FLOAT2, USAGE_POSITION),
                                         INPUT_ELEMENT_END};
    {
        InputLayout layout;
        ASSERT_TRUE(layout.Load(first));
        ASSERT_TRUE(layout.Load(second));
        EXPECT_EQ(m_Device.CallCount("UnloadInputLayout"), 1);
        EXPECT_EQ(Shape(layout), (std::tuple{1, 8u, 0u, 2u}));
        m_Device.m_Failing = {"LoadInputLayout"};
        EXPECT_FALSE(layout.Load(first));
        EXPECT_FALSE(layout.Load(nullptr));
        EXPECT_EQ(Shape(layout), (std::tuple{0, 0u, 0u, 0u}));
    }
    EXPECT_EQ(m_Device.CallCount("UnloadInputLayout"), 2);
}

TEST_F(InputLayoutTest, PoolsReturnTheSameLayoutForAnEqualListOnlyEvenIfItsLoadFailed)
{
    const InputElementDesc_t elems[] = {
        POSITION, Element(STREAM_0, 12, DECL_FLOAT2, USAGE_TEXCOORD, 0), INPUT_ELEMENT_END};
    const InputElementDesc_t copy[] = {elems[0], elems[1], elems[2]};
    const InputElementDesc_t otherIndex[] = {
        elems[0], Element(STREAM_0, 12, DECL_FLOAT2, USAGE_TEXCOORD, 1), INPUT_ELEMENT_END};
    InputLayoutPool pool;
    InputLayout* pFirst = pool.Find(elems, 3);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pool.Find(copy, 3), pFirst);
    EXPECT_EQ(pFirst->GetStreamSize(0), 20u);
    EXPECT_NE(pool.Find(otherIndex, 3), pFirst);
    EXPECT_NE(pool.Find(elems, 2), pFirst); // the count is part of the identity
    EXPECT_EQ((std::tuple{pool.GetLayoutCount(), m_Device.CallCount("LoadInputLayout")}),
              (std::tuple{3, 3}));

    m_Device.m_Failing = {"LoadInputLayout"};
    const InputElementDesc_t single[] = {POSITION, INPUT_ELEMENT_END};
    InputLayout* pFailed = pool.Find(single, 2);
    ASSERT_NE(pFailed, nullptr);
    EXPECT_EQ(pFailed->GetStreamCount(), 0);
    EXPECT_EQ(pool.Find(single, 2), pFailed);
    EXPECT_EQ(m_Device.CallCount("LoadInputLayout"), 4);

    // The device's own pool lives until shutdown; an empty list is raised.
    m_Device.m_Failing.clear();
    DiagnosticCapture capture;
    EXPECT_EQ(m_Device.CreateInputLayout(nullptr, 0)->GetStreamCount(), 0);
    EXPECT_EQ(capture.Asserts().size(), 1u);
    EXPECT_EQ(m_Device.CreateInputLayout(elems, 3), m_Device.CreateInputLayout(elems, 3));
    ReleaseRenderDevice();
    EXPECT_EQ(m_Device.CallCount("UnloadInputLayout"), 1);
}
