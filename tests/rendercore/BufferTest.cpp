// Vertex and index buffers over the fake device: the description a load keeps, the
// arguments it refuses, and the lock rules both kinds share.

#include "rendercoretest.h"

#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/vertexbuffer.h"

#include <functional>
#include <memory>
#include <tuple>

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

namespace
{
// The lock rules of one kind ("Vertex" or "Index"); load fills an empty buffer.
template <class Buffer>
void CheckLockRules(const std::string& kind, const std::function<bool(Buffer&)>& load,
                    FakeRenderDevice& device)
{
    SCOPED_TRACE(kind);
    const std::string loadedAnd = "!\"" + kind + " Buffer must be Loaded and ";
    const std::string mustBeUnlocked = "!\"Must be unlock\"";
    auto pBuffer = std::make_unique<Buffer>();
    void* pData = nullptr;
    DiagnosticCapture capture;
    EXPECT_FALSE(pBuffer->Lock(&pData, 0, 0, LOCK_NONE));
    pBuffer->Unlock();
    // A lock the device refuses leaves the buffer unlocked.
    ASSERT_TRUE(load(*pBuffer));
    device.m_Failing = {"Lock" + kind + "Buffer"};
    EXPECT_FALSE(pBuffer->Lock(&pData, 0, 0, LOCK_NONE));
    EXPECT_FALSE(pBuffer->IsLocked());
    device.m_Failing.clear();
    // Locked: a second lock and an unload are refused.
    ASSERT_TRUE(pBuffer->Lock(&pData, 0, 0, LOCK_DISCARD));
    EXPECT_NE(pData, nullptr);
    EXPECT_FALSE(pBuffer->Lock(&pData, 0, 0, LOCK_NONE));
    pBuffer->Unload();
    EXPECT_TRUE(pBuffer->IsLoaded());
    pBuffer->Unlock();
    pBuffer->Unload();
    pBuffer->Unload(); // the second does nothing
    EXPECT_EQ((std::tuple{pBuffer->IsLoaded(), pBuffer->GetUserData(), pBuffer->GetSize(),
                          device.CallCount("Unload" + kind + "Buffer")}),
              (std::tuple{false, nullptr, 0u, 1}));
    // Destroying a locked buffer asserts and keeps its native object.
    ASSERT_TRUE(load(*pBuffer));
    ASSERT_TRUE(pBuffer->Lock(&pData, 0, 0, LOCK_NONE));
    pBuffer.reset();
    EXPECT_EQ(device.CallCount("Unload" + kind + "Buffer"), 1);
    EXPECT_EQ(Raised(capture), (Strings{loadedAnd + "unlocked\"", loadedAnd + "locked\"",
                                        loadedAnd + "unlocked\"", mustBeUnlocked, mustBeUnlocked}));
}
} // namespace

using BufferTest = RenderCoreTest;

TEST_F(BufferTest, LoadKeepsTheDescriptionAndRefusesBadArgumentsAndASecondLoad)
{
    VertexBuffer vb;
    ASSERT_TRUE(vb.Load(PT_LINE_STRIP, nullptr, 10, 36, POOL_DEFAULT));
    IndexBuffer ib;
    ASSERT_TRUE(ib.Load(nullptr, 36, 2, POOL_DEFAULT));
    EXPECT_EQ((std::tuple{vb.GetPrimitiveType(), vb.GetSize(), vb.GetPool(), ib.GetSize()}),
              (std::tuple{PT_LINE_STRIP, 360u, POOL_DEFAULT, 72u}));

    DiagnosticCapture capture;
    for (int type : {static_cast<int>(PT_MAX), -1})
    {
        EXPECT_FALSE(
            VertexBuffer().Load(static_cast<PrimitiveType>(type), nullptr, 3, 16, POOL_MANAGED));
    }
    EXPECT_FALSE(VertexBuffer().Load(PT_TRIANGLE_LIST, nullptr, 0, 16, POOL_MANAGED));
    EXPECT_FALSE(VertexBuffer().Load(PT_TRIANGLE_LIST, nullptr, 3, 0, POOL_MANAGED));
    for (auto [count, size] : {std::pair{6, 3}, std::pair{6, 8}, std::pair{0, 2}})
    {
        EXPECT_FALSE(IndexBuffer().Load(nullptr, count, size, POOL_MANAGED));
    }
    EXPECT_FALSE(vb.Load(PT_POINT_LIST, nullptr, 5, 16, POOL_MANAGED));
    EXPECT_FALSE(ib.Load(nullptr, 6, 4, POOL_DEFAULT));
    const Strings raised = Raised(capture);
    EXPECT_EQ(Strings(raised.begin(), raised.begin() + 7), Strings(7, PARAM_ERROR));
    EXPECT_EQ(Strings(raised.begin() + 7, raised.end()),
              (Strings{"!\"Vertex Buffer has been Loaded\"", "!\"Index Buffer has been Loaded\""}));
    EXPECT_EQ(
        (std::tuple{vb.GetVertexNum(), ib.GetIndexSize(), m_Device.CallCount("LoadVertexBuffer"),
                    m_Device.CallCount("LoadIndexBuffer")}),
        (std::tuple{10, 2, 1, 1}));

    // A load the device refuses leaves the buffer empty.
    m_Device.m_Failing = {"LoadVertexBuffer"};
    VertexBuffer refused;
    EXPECT_FALSE(refused.Load(PT_TRIANGLE_LIST, nullptr, 3, 16, POOL_DEFAULT));
    EXPECT_EQ(refused.GetVertexNum(), 0);
}

TEST_F(BufferTest, BothKindsLockOnceUnloadOnlyUnlockedAndKeepALockedNativeBuffer)
{
    CheckLockRules<VertexBuffer>(
        "Vertex",
        [](VertexBuffer& vb) { return vb.Load(PT_LINE_LIST, nullptr, 3, 16, POOL_DEFAULT); },
        m_Device);
    CheckLockRules<IndexBuffer>(
        "Index", [](IndexBuffer& ib) { return ib.Load(nullptr, 6, 4, POOL_MANAGED); }, m_Device);
}
