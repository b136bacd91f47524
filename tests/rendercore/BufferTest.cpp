#include "rendercoretest.h"

#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/vertexbuffer.h"

#include <memory>

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

namespace
{
constexpr const char* VB_SOURCE = "src/rendercore/source/resource/vertexbuffer";
constexpr const char* IB_SOURCE = "src/rendercore/source/resource/indexbuffer";
} // namespace

using VertexBufferTest = RenderCoreTest;
using IndexBufferTest = RenderCoreTest;

TEST_F(VertexBufferTest, LoadRecordsTheDescriptionAndASecondLoadAssertsKeepingTheFirst)
{
    VertexBuffer vb;
    ASSERT_TRUE(vb.Load(PT_LINE_STRIP, nullptr, 10, 36, POOL_DEFAULT));
    EXPECT_EQ(vb.GetPrimitiveType(), PT_LINE_STRIP);
    EXPECT_EQ(vb.GetSize(), 360u);
    EXPECT_EQ(vb.GetPool(), POOL_DEFAULT);
    void* pFirst = vb.GetUserData();
    DiagnosticCapture capture;
    EXPECT_FALSE(vb.Load(PT_POINT_LIST, nullptr, 5, 16, POOL_MANAGED));
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Vertex Buffer has been Loaded\"");
    EXPECT_EQ(OnlyAssert(capture).source, VB_SOURCE);
    EXPECT_EQ(vb.GetUserData(), pFirst);
    EXPECT_EQ(vb.GetVertexNum(), 10);
    EXPECT_EQ(m_Device.CallCount("LoadVertexBuffer"), 1);
}

TEST_F(VertexBufferTest, InvalidArgumentsAreParamErrorsAndDeviceFailuresLeaveItUnloaded)
{
    struct Case
    {
        int primType, vertexNum, vertexSize;
    };
    for (const Case& c : {Case{PT_TRIANGLE_LIST, 0, 16}, Case{PT_TRIANGLE_LIST, 3, 0},
                          Case{PT_MAX, 3, 16}, Case{-1, 3, 16}})
    {
        VertexBuffer vb;
        DiagnosticCapture capture;
        EXPECT_FALSE(vb.Load(static_cast<PrimitiveType>(c.primType), nullptr, c.vertexNum,
                             c.vertexSize, POOL_MANAGED));
        EXPECT_EQ(OnlyAssert(capture).expression, "!\"Param Error\"") << c.primType;
        EXPECT_FALSE(vb.IsLoaded());
    }
    EXPECT_EQ(m_Device.CallCount("LoadVertexBuffer"), 0);

    VertexBuffer vb;
    m_Device.m_Failing = {"LoadVertexBuffer"};
    EXPECT_FALSE(vb.Load(PT_TRIANGLE_LIST, nullptr, 3, 16, POOL_DEFAULT));
    EXPECT_EQ(vb.GetVertexNum(), 0);
    m_Device.m_Failing = {"LockVertexBuffer"};
    ASSERT_TRUE(vb.Load(PT_TRIANGLE_LIST, nullptr, 3, 16, POOL_DEFAULT));
    void* pData = nullptr;
    EXPECT_FALSE(vb.Lock(&pData, 0, 0, LOCK_NONE));
    EXPECT_FALSE(vb.IsLocked());
}

TEST_F(VertexBufferTest, LockNeedsALoadedUnlockedBufferAndUnloadAnUnlockedOne)
{
    VertexBuffer vb;
    void* pData = nullptr;
    DiagnosticCapture capture;
    EXPECT_FALSE(vb.Lock(&pData, 0, 0, LOCK_NONE));
    EXPECT_TRUE(capture.Raised("!\"Vertex Buffer must be Loaded and unlocked\""));
    vb.Unlock();
    EXPECT_TRUE(capture.Raised("!\"Vertex Buffer must be Loaded and locked\""));

    ASSERT_TRUE(vb.Load(PT_LINE_LIST, nullptr, 3, 16, POOL_DEFAULT));
    capture.Clear();
    ASSERT_TRUE(vb.Lock(&pData, 0, 0, LOCK_DISCARD));
    EXPECT_NE(pData, nullptr);
    EXPECT_FALSE(vb.Lock(&pData, 0, 0, LOCK_NONE));
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Vertex Buffer must be Loaded and unlocked\"");
    EXPECT_EQ(m_Device.CallCount("LockVertexBuffer"), 1);
    capture.Clear();
    vb.Unload();
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Must be unlock\"");
    EXPECT_TRUE(vb.IsLoaded());
    EXPECT_EQ(m_Device.CallCount("UnloadVertexBuffer"), 0);

    vb.Unlock();
    EXPECT_FALSE(vb.IsLocked());
    EXPECT_EQ(m_Device.CallCount("UnlockVertexBuffer"), 1);
    vb.Unload();
    vb.Unload(); // the second does nothing
    EXPECT_FALSE(vb.IsLoaded());
    EXPECT_EQ(vb.GetPrimitiveType(), PT_TRIANGLE_LIST);
    EXPECT_EQ(vb.GetVertexNum(), 0);
    EXPECT_EQ(m_Device.CallCount("UnloadVertexBuffer"), 1);
    EXPECT_TRUE(vb.Load(PT_TRIANGLE_LIST, nullptr, 3, 16, POOL_DEFAULT));
}

TEST_F(IndexBufferTest, LoadRecordsCountAndSizeAndASecondLoadAsserts)
{
    IndexBuffer ib;
    ASSERT_TRUE(ib.Load(nullptr, 36, 2, POOL_DEFAULT));
    EXPECT_EQ(ib.GetIndexNum(), 36);
    EXPECT_EQ(ib.GetSize(), 72u);
    DiagnosticCapture capture;
    EXPECT_FALSE(ib.Load(nullptr, 6, 4, POOL_DEFAULT));
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Index Buffer has been Loaded\"");
    EXPECT_EQ(OnlyAssert(capture).source, IB_SOURCE);
    EXPECT_EQ(ib.GetIndexSize(), 2);
}

TEST_F(IndexBufferTest, IndexSizeOtherThanTwoOrFourOrNoIndicesIsAParamError)
{
    for (auto [num, size] : {std::pair{6, 3}, std::pair{6, 1}, std::pair{6, 8}, std::pair{0, 2}})
    {
        IndexBuffer ib;
        DiagnosticCapture capture;
        EXPECT_FALSE(ib.Load(nullptr, num, size, POOL_MANAGED));
        EXPECT_EQ(OnlyAssert(capture).expression, "!\"Param Error\"") << num << " " << size;
    }
    EXPECT_EQ(m_Device.CallCount("LoadIndexBuffer"), 0);
}

TEST_F(IndexBufferTest, LockRulesAndUnloadClearTheDescription)
{
    IndexBuffer ib;
    ASSERT_TRUE(ib.Load(nullptr, 6, 4, POOL_MANAGED));
    void* pData = nullptr;
    DiagnosticCapture capture;
    ib.Unlock();
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Index Buffer must be Loaded and locked\"");
    capture.Clear();
    ASSERT_TRUE(ib.Lock(&pData, 0, 0, LOCK_NONE));
    EXPECT_FALSE(ib.Lock(&pData, 0, 0, LOCK_NONE));
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Index Buffer must be Loaded and unlocked\"");
    capture.Clear();
    ib.Unload();
    EXPECT_EQ(OnlyAssert(capture).expression, "!\"Must be unlock\"");
    EXPECT_EQ(OnlyAssert(capture).source, IB_SOURCE);

    ib.Unlock();
    ib.Unload();
    EXPECT_EQ(ib.GetIndexNum(), 0);
    EXPECT_EQ(ib.GetIndexSize(), 0);
    EXPECT_EQ(ib.GetUserData(), nullptr);
}

TEST_F(RenderCoreTest, DestroyingALockedBufferAssertsAndKeepsItsNativeObject)
{
    auto pVertexBuf = std::make_unique<VertexBuffer>();
    auto pIndexBuf = std::make_unique<IndexBuffer>();
    ASSERT_TRUE(pVertexBuf->Load(PT_TRIANGLE_LIST, nullptr, 3, 16, POOL_DEFAULT));
    ASSERT_TRUE(pIndexBuf->Load(nullptr, 6, 2, POOL_DEFAULT));
    void* pData = nullptr;
    ASSERT_TRUE(pVertexBuf->Lock(&pData, 0, 0, LOCK_NONE));
    ASSERT_TRUE(pIndexBuf->Lock(&pData, 0, 0, LOCK_NONE));
    DiagnosticCapture capture;
    pVertexBuf.reset();
    pIndexBuf.reset();
    ASSERT_EQ(capture.Asserts().size(), 2u);
    EXPECT_EQ(capture.Asserts()[0].expression, "!\"Must be unlock\"");
    EXPECT_EQ(capture.Asserts()[1].expression, "!\"Must be unlock\"");
    EXPECT_EQ(m_Device.CallCount("UnloadVertexBuffer") + m_Device.CallCount("UnloadIndexBuffer"),
              0);

    {
        VertexBuffer vb;
        ASSERT_TRUE(vb.Load(PT_TRIANGLE_LIST, nullptr, 3, 16, POOL_DEFAULT));
    }
    EXPECT_EQ(m_Device.CallCount("UnloadVertexBuffer"), 1);
}
