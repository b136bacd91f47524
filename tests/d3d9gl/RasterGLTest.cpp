#include "D3D9GLFixture.h"

#include <cstring>

namespace D3D9GLTest
{
namespace
{

using RasterGLTest = DeviceFixture;

constexpr D3DCOLOR BLACK = 0xFF000000;
constexpr D3DCOLOR RED = 0xFFFF0000;
constexpr D3DCOLOR GREEN = 0xFF00FF00;
constexpr D3DCOLOR BLUE = 0xFF0000FF;

TEST_F(RasterGLTest, CullModesRemoveTheRightWinding)
{
    UseColorShaders();
    const auto clockwise = Quad(0, 0, 32, 64, 0.5f, RED);     // clockwise on screen
    auto counterClockwise = Quad(32, 0, 64, 64, 0.5f, GREEN); // made counter-clockwise below
    std::swap(counterClockwise[1], counterClockwise[2]);
    std::swap(counterClockwise[4], counterClockwise[5]);
    std::vector<Vertex> both = clockwise;
    both.insert(both.end(), counterClockwise.begin(), counterClockwise.end());

    const struct
    {
        D3DCULL mode;
        bool clockwiseVisible;
        bool counterClockwiseVisible;
    } cases[] = {{D3DCULL_NONE, true, true}, {D3DCULL_CW, false, true}, {D3DCULL_CCW, true, false}};
    for (const auto& c : cases)
    {
        ClearAll(BLACK);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_CULLMODE, c.mode), D3D_OK);
        DrawVertices(D3DPT_TRIANGLELIST, both);
        EXPECT_EQ(BackBufferPixel(16, 32), c.clockwiseVisible ? RED : BLACK) << "cull " << c.mode;
        EXPECT_EQ(BackBufferPixel(48, 32), c.counterClockwiseVisible ? GREEN : BLACK)
            << "cull " << c.mode;
    }
}

TEST_F(RasterGLTest, QuadCoversExactlyItsPixelsWithRowZeroAtTheTop)
{
    UseColorShaders();
    ClearAll(BLACK);
    DrawQuad(4, 2, 12, 6, 0.5f, BLUE);
    EXPECT_EQ(BackBufferPixel(4, 2), BLUE);
    EXPECT_EQ(BackBufferPixel(11, 5), BLUE);
    EXPECT_EQ(BackBufferPixel(3, 2), BLACK);
    EXPECT_EQ(BackBufferPixel(12, 5), BLACK);
    EXPECT_EQ(BackBufferPixel(4, 1), BLACK);
    EXPECT_EQ(BackBufferPixel(4, 6), BLACK);
}

TEST_F(RasterGLTest, FlatShadingTakesTheFirstVertexColour)
{
    UseColorShaders();
    auto triangle = Quad(0, 0, 64, 64, 0.5f, RED);
    triangle.resize(3); // top-left, top-right, bottom-left
    triangle[1].color = GREEN;
    triangle[2].color = BLUE;

    ClearAll(BLACK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT), D3D_OK);
    DrawVertices(D3DPT_TRIANGLELIST, triangle);
    EXPECT_EQ(BackBufferPixel(20, 20), RED);
    EXPECT_EQ(BackBufferPixel(40, 4), RED);

    ClearAll(BLACK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD), D3D_OK);
    DrawVertices(D3DPT_TRIANGLELIST, triangle);
    const D3DCOLOR nearGreen = BackBufferPixel(56, 2);
    EXPECT_GT((nearGreen >> 8) & 0xFF, 0xC0u);
    EXPECT_LT((nearGreen >> 16) & 0xFF, 0x40u);
    const D3DCOLOR nearBlue = BackBufferPixel(2, 56);
    EXPECT_GT(nearBlue & 0xFF, 0xC0u);
}

TEST_F(RasterGLTest, FillModesDrawPointsEdgesOrTheWholeTriangle)
{
    UseColorShaders();
    ASSERT_EQ(Device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), D3D_OK);
    const auto quad = Quad(8.5f, 8.5f, 56.5f, 56.5f, 0.5f, RED);
    const std::vector<Vertex> triangle(quad.begin(), quad.begin() + 3);

    ClearAll(BLACK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID), D3D_OK);
    DrawVertices(D3DPT_TRIANGLELIST, triangle);
    EXPECT_EQ(BackBufferPixel(20, 20), RED);

    ClearAll(BLACK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME), D3D_OK);
    DrawVertices(D3DPT_TRIANGLELIST, triangle);
    EXPECT_EQ(BackBufferPixel(20, 20), BLACK) << "the inside stays empty";
    EXPECT_EQ(BackBufferPixel(30, 8), RED) << "the top edge is drawn";
    EXPECT_EQ(BackBufferPixel(8, 30), RED) << "the left edge is drawn";

    ClearAll(BLACK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_FILLMODE, D3DFILL_POINT), D3D_OK);
    DrawVertices(D3DPT_TRIANGLELIST, triangle);
    EXPECT_EQ(BackBufferPixel(8, 8), RED) << "a corner is drawn";
    EXPECT_EQ(BackBufferPixel(30, 8), BLACK) << "edges are not";
    EXPECT_EQ(BackBufferPixel(20, 20), BLACK);
}

TEST_F(RasterGLTest, PointSizeSetsTheSquareSize)
{
    UseColorShaders();
    const auto quad = Quad(32, 32, 33, 33, 0.5f, GREEN);
    std::vector<Vertex> point = {quad[0]};
    point[0].x = 0.0f; // the centre of the target: the corner of pixels 31/32
    point[0].y = 0.0f;
    for (float size : {6.0f, 10.0f})
    {
        ClearAll(BLACK);
        DWORD bits;
        std::memcpy(&bits, &size, sizeof(bits));
        ASSERT_EQ(Device()->SetRenderState(D3DRS_POINTSIZE, bits), D3D_OK);
        DrawVertices(D3DPT_POINTLIST, point);
        const std::vector<D3DCOLOR> pixels = ReadBackBuffer();
        int covered = 0;
        for (D3DCOLOR pixel : pixels)
            covered += pixel == GREEN ? 1 : 0;
        EXPECT_EQ(covered, int(size * size)) << "point size " << size;
        const int half = int(size) / 2;
        EXPECT_EQ(pixels[size_t(32 - half) * TARGET_SIZE + size_t(32 - half)], GREEN);
        EXPECT_EQ(pixels[size_t(32 + half) * TARGET_SIZE + size_t(32)], BLACK);
    }
}

TEST_F(RasterGLTest, ColorWriteMaskKeepsMaskedChannels)
{
    UseColorShaders();
    ClearAll(0xFF102030);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_COLORWRITEENABLE,
                                       D3DCOLORWRITEENABLE_RED | D3DCOLORWRITEENABLE_BLUE),
              D3D_OK);
    DrawQuad(0, 0, 64, 64, 0.5f, 0x80FFFFFF);
    EXPECT_EQ(BackBufferPixel(10, 10), 0xFFFF20FFu);
}

} // namespace
} // namespace D3D9GLTest
