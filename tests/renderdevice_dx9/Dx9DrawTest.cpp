#include "dx9testfixture.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/mesh.h"
#include "rendercore/source/resource/vertexbuffer.h"

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;

namespace Dx9Test
{
namespace
{
// Position and colour on stream 0: stride 16.
constexpr InputElementDesc_t VERTEX_ELEMENTS[] = {
    {STREAM_0, 0, DECL_FLOAT3, METHOD_DEFAULT, USAGE_POSITION, 0},
    {STREAM_0, 12, DECL_COLOR, METHOD_DEFAULT, USAGE_COLOR, 0},
    INPUT_ELEMENT_END,
};

// The same plus a float4 per instance on stream 1: strides 16 and 16.
constexpr InputElementDesc_t INSTANCED_ELEMENTS[] = {
    {STREAM_0, 0, DECL_FLOAT3, METHOD_DEFAULT, USAGE_POSITION, 0},
    {STREAM_0, 12, DECL_COLOR, METHOD_DEFAULT, USAGE_COLOR, 0},
    {STREAM_1, 0, DECL_FLOAT4, METHOD_DEFAULT, USAGE_TEXCOORD, 1},
    INPUT_ELEMENT_END,
};
} // namespace

class Dx9DrawTest : public Dx9DeviceTest
{
protected:
    void SetUp() override
    {
        Dx9DeviceTest::SetUp();
        m_pLayout = Make<InputLayout>();
        ASSERT_TRUE(m_pLayout->Load(VERTEX_ELEMENTS));
        m_pVertices = MakeVertices(PT_TRIANGLE_LIST, 36, 16);
        m_pIndices = Make<IndexBuffer>();
        ASSERT_TRUE(m_pIndices->Load(nullptr, 36, 2, POOL_MANAGED));
        m_Log.Clear();
    }

    VertexBuffer* MakeVertices(PrimitiveType type, int count, int size)
    {
        auto* pBuffer = Make<VertexBuffer>();
        EXPECT_TRUE(pBuffer->Load(type, nullptr, count, size, POOL_MANAGED));
        return pBuffer;
    }

    std::string NameOf(const VertexBuffer& buffer) { return Name(FakeOf<IUnknown>(buffer)); }

    InputLayout* m_pLayout = nullptr;
    VertexBuffer* m_pVertices = nullptr;
    IndexBuffer* m_pIndices = nullptr;
};

TEST_F(Dx9DrawTest, PrimitiveCountFollowsThePrimitiveType)
{
    struct Case
    {
        PrimitiveType m_Type;
        int m_Vertices;
        const char* m_Draw;
    };
    const Case cases[] = {
        {PT_POINT_LIST, 5, "DrawPrimitive(1,0,5)"},
        {PT_LINE_LIST, 7, "DrawPrimitive(2,0,3)"},
        {PT_LINE_STRIP, 1, "DrawPrimitive(3,0,0)"},
        {PT_TRIANGLE_LIST, 36, "DrawPrimitive(4,0,12)"},
        {PT_TRIANGLE_STRIP, 4, "DrawPrimitive(5,0,2)"},
        {PT_TRIANGLE_FAN, 6, "DrawPrimitive(6,0,4)"},
    };
    for (const Case& c : cases)
    {
        auto pBuffer = MakeVertices(c.m_Type, c.m_Vertices, 16);
        m_Log.Clear();
        Device().DrawIndexed(m_pLayout, pBuffer, 0, c.m_Vertices, nullptr, 0, 0);
        EXPECT_EQ(m_Log.Calls().back(), c.m_Draw);
    }
}

TEST_F(Dx9DrawTest, IndexedDrawUsesTheIndexBufferAndZeroIndicesFallBackToVertices)
{
    Device().DrawIndexed(m_pLayout, m_pVertices, 2, 30, m_pIndices, 6, 36);
    EXPECT_EQ(m_Log.Calls().back(), "DrawIndexedPrimitive(4,2,0,30,6,12)");
    EXPECT_EQ(m_Log.Count("SetIndices("), 1u);
    Device().DrawIndexed(m_pLayout, m_pVertices, 3, 36, m_pIndices, 0, 0);
    EXPECT_EQ(m_Log.Calls().back(), "DrawPrimitive(4,3,12)");
}

TEST_F(Dx9DrawTest, RedundantStreamDeclarationAndIndexBindsMakeNoNativeCall)
{
    for (int i = 0; i < 3; ++i)
    {
        Device().DrawIndexed(m_pLayout, m_pVertices, 0, 36, m_pIndices, 0, 36);
    }
    EXPECT_EQ(m_Log.Count("SetStreamSource("), 1u);
    EXPECT_TRUE(m_Log.Has("SetStreamSource(0," + NameOf(*m_pVertices) + ",0,16)"));
    EXPECT_EQ(m_Log.Count("SetVertexDeclaration("), 1u);
    EXPECT_EQ(m_Log.Count("SetIndices("), 1u);
    EXPECT_EQ(m_Log.Count("DrawIndexedPrimitive("), 3u);

    // The same buffer at another offset is another binding.
    VertexBuffer* buffers[] = {m_pVertices};
    const int offsets[] = {32};
    Device().DrawMultiStream(m_pLayout, 1, offsets, buffers, 0, 36, m_pIndices, 0, 36);
    EXPECT_EQ(m_Log.Count("SetStreamSource("), 2u);
    EXPECT_TRUE(m_Log.Has("SetStreamSource(0," + NameOf(*m_pVertices) + ",32,16)"));
}

TEST_F(Dx9DrawTest, MissingLayoutOrBufferRaisesItsRuleAndDrawsNothing)
{
    DiagnosticCapture capture;
    Device().DrawIndexed(nullptr, m_pVertices, 0, 36, nullptr, 0, 0);
    EXPECT_TRUE(capture.Raised("pInputLayout"));
    Device().DrawIndexed(m_pLayout, nullptr, 0, 36, nullptr, 0, 0);
    EXPECT_TRUE(capture.Raised("pVertexBuf"));
    Device().DrawInstanced(m_pLayout, m_pVertices, 0, 36, nullptr, 0, 0, nullptr, 0, 0, 0);
    EXPECT_TRUE(capture.Raised("pInstanceBuffer"));
    Device().DrawMesh(m_pLayout, nullptr);
    EXPECT_TRUE(capture.Raised("pMesh"));
    EXPECT_EQ(capture.Asserts().size(), 5u); // the instanced layout also has the wrong streams
    EXPECT_EQ(m_Log.Count("Draw"), 0u);
}

TEST_F(Dx9DrawTest, ViolatedDrawRulesAreReportedAndTheDrawStillGoesOut)
{
    struct Case
    {
        int m_VertexCount;
        int m_IndexCount;
        int m_VertexSize;
        const char* m_Rule;
    };
    const Case cases[] = {
        {37, 0, 16, "vertexCount >= 0 && vertexCount <= pVertexBuf->GetVertexNum()"},
        {36, 40, 16,
         "indexCount >= 0 && (pIndexBuf ? indexCount <= pIndexBuf->GetIndexNum() : true)"},
        {36, 0, 20, "pInputLayout->GetStreamSize(0) == pVertexBuf->GetVertexSize()"},
    };
    for (const Case& c : cases)
    {
        auto pBuffer = MakeVertices(PT_TRIANGLE_LIST, 36, c.m_VertexSize);
        m_Log.Clear();
        DiagnosticCapture capture;
        Device().DrawIndexed(m_pLayout, pBuffer, 0, c.m_VertexCount, m_pIndices, 0, c.m_IndexCount);
        ASSERT_EQ(capture.Asserts().size(), 1u) << c.m_Rule;
        EXPECT_EQ(capture.Asserts()[0].expression, c.m_Rule);
        EXPECT_EQ(capture.Asserts()[0].source, "src/renderdevice_dx9/source/dx9_drawfunctions");
        EXPECT_EQ(m_Log.Count("Draw"), 1u);
    }
}

TEST_F(Dx9DrawTest, MeshDrawsItsFirstVertexBufferAndItsIndexRange)
{
    Mesh mesh;
    mesh.SetVertexBuffer(0, m_pVertices);
    mesh.SetVertexRange(0, 24);
    mesh.SetIndexBuffer(m_pIndices);
    mesh.SetIndexRange(3, 30);
    Device().DrawMesh(m_pLayout, &mesh);
    EXPECT_EQ(m_Log.Calls().back(), "DrawIndexedPrimitive(4,0,0,24,3,10)");
}

TEST_F(Dx9DrawTest, InstancedDrawWithoutCountUsesTheBufferAndRestoresBothFrequencies)
{
    InputLayout layout;
    ASSERT_TRUE(layout.Load(INSTANCED_ELEMENTS));
    auto pInstances = MakeVertices(PT_POINT_LIST, 5, 16);
    m_Log.Clear();
    Device().DrawInstanced(&layout, m_pVertices, 0, 36, m_pIndices, 0, 36, pInstances, 32, 0, 0);
    const std::vector<std::string> expected = {
        "SetStreamSource(0," + NameOf(*m_pVertices) + ",0,16)",
        "SetStreamSourceFreq(0,1073741829)", // indexed data, 5 instances
        "SetStreamSource(1," + NameOf(*pInstances) + ",32,16)",
        "SetStreamSourceFreq(1,2147483649)", // instance data, 1
        "SetVertexDeclaration(" + Name(FakeOf<IUnknown>(layout)) + ")",
        "SetIndices(" + Name(FakeOf<IUnknown>(*m_pIndices)) + ")",
        "DrawIndexedPrimitive(4,0,0,36,0,12)",
        "SetStreamSourceFreq(0,1)",
        "SetStreamSourceFreq(1,1)",
    };
    EXPECT_EQ(m_Log.Calls(), expected);
}

TEST_F(Dx9DrawTest, UserDrawLeavesStreamZeroUnbound)
{
    Device().DrawIndexed(m_pLayout, m_pVertices, 0, 36, nullptr, 0, 0);
    const float vertices[12] = {};
    m_Log.Clear();
    EXPECT_TRUE(Device().DrawUser(m_pLayout, PT_TRIANGLE_LIST, 1, vertices, 16, 1));
    EXPECT_EQ(m_Log.Calls(),
              (std::vector<std::string>{"DrawPrimitiveUP(4,1,16)", "SetStreamSource(0,null,0,0)"}));
    m_Log.Clear();
    Device().DrawIndexed(m_pLayout, m_pVertices, 0, 36, nullptr, 0, 0);
    EXPECT_EQ(m_Log.Count("SetStreamSource(0,#"), 1u);
}

TEST_F(Dx9DrawTest, ReleasingABoundBufferUnbindsIt)
{
    Device().DrawIndexed(m_pLayout, m_pVertices, 0, 36, m_pIndices, 0, 36);
    m_Log.Clear();
    m_pVertices->Unload();
    m_pIndices->Unload();
    m_pLayout->Unload();
    EXPECT_EQ(m_Log.Calls(),
              (std::vector<std::string>{"SetStreamSource(0,null,0,0)", "SetIndices(null)",
                                        "SetVertexDeclaration(null)"}));
}

} // namespace Dx9Test
