// Draws from vertex and index buffers, instanced streams and vertex declarations.

#include "D3D9GLFixture.h"

namespace D3D9GLTest
{
namespace
{

using DrawGLTest = DeviceFixture;

// Four corners of a pixel rectangle, for indexed quads (0 1 2, 2 1 3).
std::vector<Vertex> Corners(float x0, float y0, float x1, float y1, D3DCOLOR color)
{
    const std::vector<Vertex> quad = DeviceFixture::Quad(x0, y0, x1, y1, 0.5f, color);
    return {quad[0], quad[1], quad[2], quad[5]};
}

TEST_F(DrawGLTest, IndexedDrawsUseBaseVertexStartIndexAndBothIndexSizes)
{
    UseColorShaders();
    std::vector<Vertex> vertices = Corners(0, 0, 32, 32, RED);
    const std::vector<Vertex> second = Corners(32, 32, 64, 64, GREEN);
    vertices.insert(vertices.end(), second.begin(), second.end());
    IDirect3DVertexBuffer9* pVertices =
        MakeVertexBuffer(vertices.data(), UINT(vertices.size() * sizeof(Vertex)));
    HR_OK(Device()->SetStreamSource(0, pVertices, 0, sizeof(Vertex)));
    EXPECT_EQ(Device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3DERR_INVALIDCALL)
        << "no index buffer";

    for (D3DFORMAT format : {D3DFMT_INDEX16, D3DFMT_INDEX32})
    {
        const UINT indexSize = format == D3DFMT_INDEX16 ? 2 : 4;
        const uint32_t indices[] = {9, 9, 0, 1, 2, 2, 1, 3}; // two unused leading indices
        std::vector<uint8_t> bytes(std::size(indices) * indexSize);
        for (size_t i = 0; i < std::size(indices); ++i)
            std::memcpy(&bytes[i * indexSize], &indices[i], indexSize);
        IDirect3DIndexBuffer9* pIndices = MakeIndexBuffer(bytes.data(), UINT(bytes.size()), format);
        HR_OK(Device()->SetIndices(pIndices));
        ClearAll(BLACK);
        // Base vertex 4 selects the second quad.
        HR_OK(Device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 4, 0, 4, 2, 2));
        EXPECT_TRUE(OnlyRectIs(ReadBackBuffer(), {32, 32, 64, 64}, GREEN, BLACK)) << indexSize;
        HR_OK(Device()->SetIndices(nullptr));
        pIndices->Release();
    }

    // A user-pointer draw leaves stream 0 unset.
    DrawQuad(0, 0, 8, 8, 0.5f, RED);
    IDirect3DVertexBuffer9* pBound = pVertices;
    UINT offset = 1;
    UINT stride = 1;
    HR_OK(Device()->GetStreamSource(0, &pBound, &offset, &stride));
    EXPECT_EQ(std::make_pair(pBound, stride), std::make_pair(decltype(pBound)(nullptr), 0u));
    pVertices->Release();
}

TEST_F(DrawGLTest, BufferLocksUpdateTheLockedRangeOnly)
{
    UseColorShaders();
    IDirect3DVertexBuffer9* pBuffer = nullptr;
    HR_OK(Device()->CreateVertexBuffer(12 * sizeof(Vertex), D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY,
                                       0, D3DPOOL_DEFAULT, &pBuffer, nullptr));
    const std::vector<Vertex> left = Quad(0, 0, 32, 64, 0.5f, RED);
    Fill(pBuffer, left.data(), 6 * sizeof(Vertex), 0, D3DLOCK_DISCARD);
    const std::vector<Vertex> right = Quad(32, 0, 64, 64, 0.5f, GREEN);
    Fill(pBuffer, right.data(), 6 * sizeof(Vertex), 6 * sizeof(Vertex), D3DLOCK_NOOVERWRITE);
    void* pData = nullptr;
    EXPECT_EQ(pBuffer->Lock(12 * sizeof(Vertex), 1, &pData, 0), D3DERR_INVALIDCALL)
        << "beyond the end";
    HR_OK(Device()->SetStreamSource(0, pBuffer, 0, sizeof(Vertex)));
    ClearAll(BLACK);
    HR_OK(Device()->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 4));
    EXPECT_TRUE(OnlyRectIs(ReadBackBuffer(), {0, 0, 32, 64}, RED, GREEN));

    // A stream offset skips the first quad.
    HR_OK(Device()->SetStreamSource(0, pBuffer, 6 * sizeof(Vertex), sizeof(Vertex)));
    ClearAll(BLACK);
    HR_OK(Device()->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2));
    EXPECT_TRUE(OnlyRectIs(ReadBackBuffer(), {32, 0, 64, 64}, GREEN, BLACK));
    HR_OK(Device()->SetStreamSource(0, nullptr, 0, 0));
    pBuffer->Release();
}

// Moves the position by a clip-space offset and colours by a colour, both per instance.
const char* INSTANCE_VS =
    "layout(location = 0) in vec4 aPosition; layout(location = 9) in vec2 aOffset;\n"
    "layout(location = 5) in vec4 aColor; SHADE out vec4 vColor;\n"
    "void main() { gl_Position = aPosition + vec4(aOffset, 0.0, 0.0); vColor = aColor; }\n";

TEST_F(DrawGLTest, StreamFrequenciesDrawInstancesOfIndexedDrawsOnly)
{
    // Stream 0: a quad in the top-left 16 x 16 pixels; stream 1: a clip-space offset and a
    // colour per instance.
    struct Instance
    {
        float dx, dy;
        D3DCOLOR color;
    };
    IDirect3DVertexShader9* pShader = CreateVertexShader(INSTANCE_VS);
    const D3DVERTEXELEMENT9 elements[] = {{0, 0, D3DDECLTYPE_FLOAT4, 0, D3DDECLUSAGE_POSITION, 0},
                                          {1, 0, D3DDECLTYPE_FLOAT2, 0, D3DDECLUSAGE_TEXCOORD, 0},
                                          {1, 8, D3DDECLTYPE_D3DCOLOR, 0, D3DDECLUSAGE_COLOR, 0},
                                          D3DDECL_END()};
    IDirect3DVertexDeclaration9* pDeclaration = nullptr;
    HR_OK(Device()->CreateVertexDeclaration(elements, &pDeclaration));
    const std::vector<Vertex> corners = Corners(0, 0, 16, 16, 0);
    const std::vector<Vertex> triangles = Quad(0, 0, 16, 16, 0.5f, 0);
    const Instance instances[] = {{0.0f, 0.0f, RED}, {1.0f, -1.0f, GREEN}};
    const uint16_t indices[] = {0, 1, 2, 2, 1, 3};
    IDirect3DVertexBuffer9* pCorners = MakeVertexBuffer(corners.data(), 4 * sizeof(Vertex));
    IDirect3DVertexBuffer9* pTriangles = MakeVertexBuffer(triangles.data(), 6 * sizeof(Vertex));
    IDirect3DVertexBuffer9* pInstances = MakeVertexBuffer(instances, sizeof(instances));
    IDirect3DIndexBuffer9* pIndices = MakeIndexBuffer(indices, sizeof(indices), D3DFMT_INDEX16);

    HR_OK(Device()->SetVertexShader(pShader));
    HR_OK(Device()->SetPixelShader(s_pColorPS));
    HR_OK(Device()->SetVertexDeclaration(pDeclaration));
    HR_OK(Device()->SetStreamSource(0, pCorners, 0, sizeof(Vertex)));
    HR_OK(Device()->SetStreamSource(1, pInstances, 0, sizeof(Instance)));
    HR_OK(Device()->SetStreamSourceFreq(0, D3DSTREAMSOURCE_INDEXEDDATA | 2));
    HR_OK(Device()->SetStreamSourceFreq(1, D3DSTREAMSOURCE_INSTANCEDATA | 1));
    HR_OK(Device()->SetIndices(pIndices));
    ClearAll(BLACK);
    HR_OK(Device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2));
    EXPECT_EQ(BackBufferPixel(8, 8), RED);
    EXPECT_EQ(BackBufferPixel(40, 40), GREEN) << "the second instance moved by (1, -1)";
    EXPECT_EQ(BackBufferPixel(40, 8), BLACK);

    // Direct3D instances indexed draws only.
    HR_OK(Device()->SetStreamSource(0, pTriangles, 0, sizeof(Vertex)));
    ClearAll(BLACK);
    HR_OK(Device()->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2));
    EXPECT_EQ(BackBufferPixel(8, 8), RED);
    EXPECT_EQ(BackBufferPixel(40, 40), BLACK);

    // Frequencies back to 1: one instance, every vertex reads instance 0's data.
    HR_OK(Device()->SetStreamSource(0, pCorners, 0, sizeof(Vertex)));
    HR_OK(Device()->SetStreamSourceFreq(0, 1));
    HR_OK(Device()->SetStreamSourceFreq(1, 1));
    ClearAll(BLACK);
    HR_OK(Device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2));
    EXPECT_EQ(BackBufferPixel(40, 40), BLACK);
    EXPECT_EQ(Device()->SetStreamSourceFreq(0, 0), D3DERR_INVALIDCALL);
    Release(pIndices, pInstances, pTriangles, pCorners, pDeclaration, pShader);
}

// Flat shading colours each primitive by its first vertex (a fan's triangle by its first rim
// vertex), however the draw comes; each draw has two primitives.
TEST_F(DrawGLTest, FlatShadingTakesTheFirstVertexOfEachPrimitive)
{
    constexpr D3DCOLOR YELLOW = 0xFFFFFF00;
    std::vector<Vertex> corners = Corners(0, 0, 64, 64, 0); // TL, TR, BL, BR
    auto point = [](float x) { return Corners(x, 32.25f, x, 32.25f, 0)[0]; };
    std::vector<Vertex> row = {point(0), point(32), point(64), point(64)}; // a line along y 32
    const D3DCOLOR colors[4] = {RED, GREEN, BLUE, YELLOW};
    for (int i = 0; i < 4; ++i)
        corners[i].color = row[i].color = colors[i];
    const struct
    {
        D3DPRIMITIVETYPE type;
        bool indexed;
        std::vector<int> order;
        UINT at[2][2];
        D3DCOLOR expected[2];
    } cases[] = {
        {D3DPT_TRIANGLELIST, false, {0, 1, 2, 2, 1, 3}, {{8, 8}, {56, 56}}, {RED, BLUE}},
        {D3DPT_TRIANGLESTRIP, false, {0, 1, 2, 3}, {{8, 8}, {56, 56}}, {RED, GREEN}},
        {D3DPT_TRIANGLEFAN, false, {0, 1, 3, 2}, {{56, 8}, {8, 56}}, {GREEN, YELLOW}},
        {D3DPT_TRIANGLELIST, true, {3, 2, 1, 0, 1, 2}, {{56, 56}, {8, 8}}, {YELLOW, RED}},
        {D3DPT_LINESTRIP, false, {0, 1, 2}, {{16, 32}, {48, 32}}, {RED, GREEN}},
    };
    UseColorShaders();
    SetStates({{D3DRS_SHADEMODE, D3DSHADE_FLAT}, {D3DRS_CULLMODE, D3DCULL_NONE}});
    // Indexed: four unused vertices first, reached past by the base vertex.
    std::vector<Vertex> buffered(4, corners[0]);
    buffered.insert(buffered.end(), corners.begin(), corners.end());
    IDirect3DVertexBuffer9* pVertices =
        MakeVertexBuffer(buffered.data(), UINT(buffered.size() * sizeof(Vertex)));
    for (const auto& c : cases)
    {
        const bool lines = c.type == D3DPT_LINESTRIP;
        ClearAll(BLACK);
        if (c.indexed)
        {
            std::vector<uint16_t> indices(c.order.begin(), c.order.end());
            IDirect3DIndexBuffer9* pIndices =
                MakeIndexBuffer(indices.data(), UINT(indices.size() * 2), D3DFMT_INDEX16);
            HR_OK(Device()->SetIndices(pIndices));
            HR_OK(Device()->SetStreamSource(0, pVertices, 0, sizeof(Vertex)));
            HR_OK(Device()->DrawIndexedPrimitive(c.type, 4, 0, 4, 0, 2));
            HR_OK(Device()->SetIndices(nullptr));
            pIndices->Release();
        }
        else
        {
            std::vector<Vertex> vertices;
            for (int i : c.order)
                vertices.push_back(lines ? row[i] : corners[i]);
            HR_OK(Device()->DrawPrimitiveUP(c.type, 2, vertices.data(), sizeof(Vertex)));
        }
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(BackBufferPixel(c.at[i][0], c.at[i][1]), c.expected[i])
                << "type " << c.type << (c.indexed ? " indexed" : "") << " pixel " << i;
    }
    pVertices->Release();
}

TEST_F(DrawGLTest, DeclarationsNeedAnEndMarkerWithinTheLimit)
{
    Halvex::Base::DiagnosticCapture capture;
    std::vector<D3DVERTEXELEMENT9> elements(
        MAXD3DDECLLENGTH, {0, 0, D3DDECLTYPE_FLOAT4, 0, D3DDECLUSAGE_POSITION, 0});
    IDirect3DVertexDeclaration9* pDeclaration = nullptr;
    EXPECT_EQ(Device()->CreateVertexDeclaration(elements.data(), &pDeclaration),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(capture.Logs().size(), 1u);
    // An element of a usage without an attribute location is kept but not fed.
    elements[1] = {0, 16, D3DDECLTYPE_FLOAT1, 0, D3DDECLUSAGE_FOG, 0};
    elements[2] = D3DDECL_END();
    HR_OK(Device()->CreateVertexDeclaration(elements.data(), &pDeclaration));
    UINT count = 0;
    HR_OK(pDeclaration->GetDeclaration(nullptr, &count));
    EXPECT_EQ(count, 3u);
    pDeclaration->Release();
}

} // namespace
} // namespace D3D9GLTest
