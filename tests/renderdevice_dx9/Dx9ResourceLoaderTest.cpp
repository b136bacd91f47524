#include "dx9testfixture.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/vertexbuffer.h"

#include <cstring>

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;

namespace Dx9Test
{

using Dx9ResourceLoaderTest = Dx9DeviceTest;

TEST_F(Dx9ResourceLoaderTest, BufferPoolChoosesUsageNativePoolAndFillLock)
{
    struct Case
    {
        TexturePool m_Pool;
        const char* m_Create;
        DWORD m_FillLock;
    };
    const Case cases[] = {
        {POOL_DEFAULT, "CreateVertexBuffer(48,520,0,0)", D3DLOCK_DISCARD | D3DLOCK_NOSYSLOCK},
        {POOL_MANAGED, "CreateVertexBuffer(48,8,0,1)", 0},
    };
    const uint8_t data[48] = {1, 2, 3, 4, 5};
    for (const Case& c : cases)
    {
        m_Log.Clear();
        VertexBuffer buffer;
        ASSERT_TRUE(buffer.Load(PT_TRIANGLE_LIST, data, 4, 12, c.m_Pool));
        EXPECT_EQ(m_Log.Calls(), std::vector<std::string>{c.m_Create});
        FakeVertexBuffer* pNative = Native().m_pLastVertexBuffer;
        EXPECT_EQ(pNative->m_LockFlags, std::vector<DWORD>{c.m_FillLock});
        EXPECT_EQ(pNative->m_UnlockCount, 1);
        EXPECT_EQ(std::memcmp(pNative->m_Bytes.data(), data, sizeof(data)), 0);
    }
}

TEST_F(Dx9ResourceLoaderTest, IndexSizeChoosesSixteenOrThirtyTwoBitIndices)
{
    IndexBuffer shorts;
    ASSERT_TRUE(shorts.Load(nullptr, 6, 2, POOL_MANAGED));
    IndexBuffer longs;
    ASSERT_TRUE(longs.Load(nullptr, 6, 4, POOL_DEFAULT));
    EXPECT_EQ(m_Log.Calls(), (std::vector<std::string>{"CreateIndexBuffer(12,8,101,1)",
                                                       "CreateIndexBuffer(24,520,102,0)"}));
    EXPECT_TRUE(Native().m_pLastIndexBuffer->m_LockFlags.empty()); // no data, no fill
}

TEST_F(Dx9ResourceLoaderTest, FailedBufferCreationIsReportedAndNothingIsFilled)
{
    Native().m_FailCreate = true;
    DiagnosticCapture capture;
    const uint16_t indices[3] = {0, 1, 2};
    IndexBuffer buffer;
    EXPECT_FALSE(buffer.Load(indices, 3, 2, POOL_MANAGED));
    EXPECT_TRUE(capture.Logged("Can not create IndexBuffer, indexNum: 3, indexSize: 2, pool: 1"));
    EXPECT_EQ(buffer.GetUserData(), nullptr);
    VertexBuffer vertices;
    EXPECT_FALSE(vertices.Load(PT_LINE_LIST, nullptr, 2, 12, POOL_DEFAULT));
    EXPECT_TRUE(
        capture.Logged("Can not create VertexBuffer, vertexNum: 2, vertexSize: 12, pool: 0"));
    EXPECT_EQ(capture.Asserts().back().source, "src/renderdevice_dx9/source/dx9_resourceloader");
}

TEST_F(Dx9ResourceLoaderTest, BufferLockAddsNoSysLockForDynamicBuffers)
{
    VertexBuffer dynamic;
    ASSERT_TRUE(dynamic.Load(PT_POINT_LIST, nullptr, 4, 4, POOL_DEFAULT));
    void* pData = nullptr;
    ASSERT_TRUE(dynamic.Lock(&pData, 0, 0, LOCK_DISCARD));
    dynamic.Unlock();
    EXPECT_EQ(Native().m_pLastVertexBuffer->m_LockFlags,
              std::vector<DWORD>{D3DLOCK_DISCARD | D3DLOCK_NOSYSLOCK});

    IndexBuffer managed;
    ASSERT_TRUE(managed.Load(nullptr, 4, 2, POOL_MANAGED));
    ASSERT_TRUE(managed.Lock(&pData, 2, 4, LOCK_READ_ONLY));
    managed.Unlock();
    EXPECT_EQ(Native().m_pLastIndexBuffer->m_LockFlags, std::vector<DWORD>{D3DLOCK_READONLY});

    Native().m_pLastIndexBuffer->m_FailLock = true;
    DiagnosticCapture capture;
    EXPECT_FALSE(managed.Lock(&pData, 2, 4, LOCK_NONE));
    EXPECT_TRUE(capture.Logged("Can not Lock IndexBuffer, offset: 2, size: 4"));
}

TEST_F(Dx9ResourceLoaderTest, BuffersWhoseFillFailsReportFailureAndStillUnload)
{
    Native().m_FailBufferLocks = true;
    const uint16_t data[4] = {};
    DiagnosticCapture capture;
    VertexBuffer vertices;
    EXPECT_FALSE(vertices.Load(PT_TRIANGLE_LIST, data, 2, 4, POOL_MANAGED));
    EXPECT_TRUE(capture.Raised("!\"Can not Lock VertexBuffer\""));
    IndexBuffer indices;
    EXPECT_FALSE(indices.Load(data, 4, 2, POOL_MANAGED));
    EXPECT_TRUE(capture.Raised("!\"Can not Lock IndexBuffer\""));
    // The native buffers were kept, so unloading releases them.
    vertices.Unload();
    indices.Unload();
    EXPECT_EQ(vertices.GetUserData(), nullptr);
    EXPECT_EQ(indices.GetUserData(), nullptr);
}

TEST_F(Dx9ResourceLoaderTest, LayoutBecomesANativeDeclarationWithItsEndMarker)
{
    const InputElementDesc_t elements[] = {
        {STREAM_0, 0, DECL_FLOAT3, METHOD_DEFAULT, USAGE_POSITION, 0},
        {STREAM_0, 12, DECL_COLOR, METHOD_DEFAULT, USAGE_COLOR, 1},
        {STREAM_1, 0, DECL_FLOAT2, METHOD_DEFAULT, USAGE_TEXCOORD, 3},
        INPUT_ELEMENT_END,
    };
    InputLayout layout;
    ASSERT_TRUE(layout.Load(elements));
    const std::vector<D3DVERTEXELEMENT9>& native = Native().m_pLastDeclaration->m_Elements;
    ASSERT_EQ(native.size(), 4u);
    EXPECT_EQ(native[1].Offset, 12);
    EXPECT_EQ(native[1].Type, D3DDECLTYPE_D3DCOLOR);
    EXPECT_EQ(native[1].Usage, D3DDECLUSAGE_COLOR);
    EXPECT_EQ(native[1].UsageIndex, 1);
    EXPECT_EQ(native[2].Stream, 1);
    EXPECT_EQ(native[2].Usage, D3DDECLUSAGE_TEXCOORD);
    EXPECT_EQ(native[3].Stream, 0xFF);
    EXPECT_EQ(native[3].Type, D3DDECLTYPE_UNUSED);

    Native().m_FailCreate = true;
    DiagnosticCapture capture;
    InputLayout failed;
    EXPECT_FALSE(failed.Load(elements));
    EXPECT_TRUE(capture.Logged("Can not create VertexDeclaration"));
    EXPECT_EQ(failed.GetStreamCount(), 0);
}

} // namespace Dx9Test
