#include "D3D9GLFixture.h"

namespace D3D9GLTest
{
namespace
{

using DepthStencilGLTest = DeviceFixture;

constexpr D3DCOLOR BLACK = 0xFF000000;
constexpr D3DCOLOR WHITE = 0xFFFFFFFF;

// Which of "below", "equal" and "above" the reference passes for each compare function.
struct CompareCase
{
    D3DCMPFUNC func;
    bool below;
    bool equal;
    bool above;
};

constexpr CompareCase COMPARE_CASES[] = {
    {D3DCMP_NEVER, false, false, false},      {D3DCMP_LESS, true, false, false},
    {D3DCMP_EQUAL, false, true, false},       {D3DCMP_LESSEQUAL, true, true, false},
    {D3DCMP_GREATER, false, false, true},     {D3DCMP_NOTEQUAL, true, false, true},
    {D3DCMP_GREATEREQUAL, false, true, true}, {D3DCMP_ALWAYS, true, true, true},
};

// Checks the three columns (x 0-20, 21-41, 42-63) against a compare case.
void ExpectColumns(const std::vector<D3DCOLOR>& pixels, const CompareCase& c)
{
    EXPECT_EQ(pixels[32 * TARGET_SIZE + 10], c.below ? WHITE : BLACK) << "func " << c.func;
    EXPECT_EQ(pixels[32 * TARGET_SIZE + 31], c.equal ? WHITE : BLACK) << "func " << c.func;
    EXPECT_EQ(pixels[32 * TARGET_SIZE + 52], c.above ? WHITE : BLACK) << "func " << c.func;
}

TEST_F(DepthStencilGLTest, EachDepthCompareFunctionPassesTheRightFragments)
{
    UseColorShaders();
    for (const CompareCase& c : COMPARE_CASES)
    {
        ClearAll(BLACK, 0.5f);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_ZFUNC, c.func), D3D_OK);
        DrawQuad(0, 0, 21, 64, 0.25f, WHITE);
        DrawQuad(21, 0, 42, 64, 0.5f, WHITE);
        DrawQuad(42, 0, 64, 64, 0.75f, WHITE);
        ExpectColumns(ReadBackBuffer(), c);
    }
}

TEST_F(DepthStencilGLTest, DepthWritesFollowZWriteEnableAndZEnable)
{
    UseColorShaders();
    ClearAll(BLACK, 1.0f);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ZWRITEENABLE, FALSE), D3D_OK);
    DrawQuad(0, 0, 32, 64, 0.25f, 0xFF0000FF);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ZWRITEENABLE, TRUE), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE), D3D_OK);
    DrawQuad(32, 0, 64, 64, 0.25f, 0xFF0000FF);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE), D3D_OK);
    // Nothing wrote depth, so a farther quad still passes LESSEQUAL everywhere.
    DrawQuad(0, 0, 64, 64, 0.75f, WHITE);
    EXPECT_EQ(BackBufferPixel(16, 32), WHITE);
    EXPECT_EQ(BackBufferPixel(48, 32), WHITE);
}

TEST_F(DepthStencilGLTest, EachAlphaTestFunctionComparesWithTheReference)
{
    UseColorShaders();
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ALPHAREF, 0x80), D3D_OK);
    for (const CompareCase& c : COMPARE_CASES)
    {
        ClearAll(BLACK);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_ALPHAFUNC, c.func), D3D_OK);
        DrawQuad(0, 0, 21, 64, 0.5f, 0x7FFFFFFF);
        DrawQuad(21, 0, 42, 64, 0.5f, 0x80FFFFFF);
        DrawQuad(42, 0, 64, 64, 0.5f, 0x81FFFFFF);
        std::vector<D3DCOLOR> pixels = ReadBackBuffer();
        for (D3DCOLOR& pixel : pixels)
            pixel |= 0xFF000000; // compare colours; the alpha written differs per column
        ExpectColumns(pixels, c);
    }
    // Disabled, the test passes everything.
    ClearAll(BLACK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE), D3D_OK);
    DrawQuad(0, 0, 64, 64, 0.5f, 0x00FFFFFF);
    EXPECT_EQ(BackBufferPixel(5, 5), 0x00FFFFFFu);
}

TEST_F(DepthStencilGLTest, EachStencilCompareFunctionComparesReferenceWithBuffer)
{
    UseColorShaders();
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILENABLE, TRUE), D3D_OK);
    for (const CompareCase& c : COMPARE_CASES)
    {
        ClearAll(BLACK, 1.0f, 5);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILFUNC, c.func), D3D_OK);
        // Direct3D compares ref FUNC stencil: ref 4 is "below" the stored 5.
        const DWORD refs[3] = {4, 5, 6};
        for (int column = 0; column < 3; ++column)
        {
            ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILREF, refs[column]), D3D_OK);
            DrawQuad(float(column * 21), 0, column == 2 ? 64.0f : float(column * 21 + 21), 64, 0.5f,
                     WHITE);
        }
        ExpectColumns(ReadBackBuffer(), c);
    }
}

TEST_F(DepthStencilGLTest, StencilOperationsSaturateWrapInvertAndReplace)
{
    UseColorShaders();
    const struct
    {
        D3DSTENCILOP op;
        DWORD before;
        DWORD ref;
        DWORD after;
    } cases[] = {
        {D3DSTENCILOP_KEEP, 7, 1, 7},        {D3DSTENCILOP_ZERO, 7, 1, 0},
        {D3DSTENCILOP_REPLACE, 5, 9, 9},     {D3DSTENCILOP_INCRSAT, 5, 0, 6},
        {D3DSTENCILOP_INCRSAT, 255, 0, 255}, {D3DSTENCILOP_DECRSAT, 5, 0, 4},
        {D3DSTENCILOP_DECRSAT, 0, 0, 0},     {D3DSTENCILOP_INCR, 255, 0, 0},
        {D3DSTENCILOP_DECR, 0, 0, 255},      {D3DSTENCILOP_INVERT, 0x0F, 0, 0xF0},
    };
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILENABLE, TRUE), D3D_OK);
    for (const auto& c : cases)
    {
        ClearAll(BLACK, 1.0f, c.before);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS), D3D_OK);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILPASS, c.op), D3D_OK);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILREF, c.ref), D3D_OK);
        DrawQuad(0, 0, 32, 64, 0.5f, BLACK);

        // Only pixels whose stencil now equals `after` take the second quad.
        ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP), D3D_OK);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL), D3D_OK);
        ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILREF, c.after), D3D_OK);
        DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
        EXPECT_EQ(BackBufferPixel(16, 32), WHITE) << "op " << c.op << " from " << c.before;
        EXPECT_EQ(BackBufferPixel(48, 32), c.before == c.after ? WHITE : BLACK)
            << "op " << c.op << " must not touch undrawn pixels";
    }
}

TEST_F(DepthStencilGLTest, StencilFailAndDepthFailOperationsApply)
{
    UseColorShaders();
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILENABLE, TRUE), D3D_OK);
    ClearAll(BLACK, 0.5f, 1);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILREF, 3), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_NEVER), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILFAIL, D3DSTENCILOP_REPLACE), D3D_OK);
    DrawQuad(0, 0, 32, 64, 0.25f, BLACK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILZFAIL, D3DSTENCILOP_INCR), D3D_OK);
    DrawQuad(32, 0, 64, 64, 0.75f, BLACK); // behind the cleared depth: depth fails

    ASSERT_EQ(Device()->SetRenderState(D3DRS_ZFUNC, D3DCMP_ALWAYS), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL), D3D_OK);
    DrawQuad(0, 0, 32, 64, 0.5f, WHITE);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILREF, 2), D3D_OK);
    DrawQuad(32, 0, 64, 64, 0.5f, WHITE);
    EXPECT_EQ(BackBufferPixel(16, 32), WHITE) << "stencil fail replaced 1 by 3";
    EXPECT_EQ(BackBufferPixel(48, 32), WHITE) << "depth fail incremented 1 to 2";
}

TEST_F(DepthStencilGLTest, StencilMasksApplyToCompareAndWrite)
{
    UseColorShaders();
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILENABLE, TRUE), D3D_OK);
    ClearAll(BLACK, 1.0f, 0xF0);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILWRITEMASK, 0x0F), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILREF, 0x33), D3D_OK);
    DrawQuad(0, 0, 64, 64, 0.5f, BLACK); // stencil becomes 0xF3
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILMASK, 0x0F), D3D_OK);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILREF, 0x03), D3D_OK);
    DrawQuad(0, 0, 32, 64, 0.5f, WHITE);
    ASSERT_EQ(Device()->SetRenderState(D3DRS_STENCILMASK, 0xFF), D3D_OK);
    DrawQuad(32, 0, 64, 64, 0.5f, WHITE);
    EXPECT_EQ(BackBufferPixel(16, 32), WHITE);
    EXPECT_EQ(BackBufferPixel(48, 32), BLACK);
}

} // namespace
} // namespace D3D9GLTest
