#include "D3D9GLFixture.h"

#include <cstring>

namespace D3D9GLTest
{
namespace
{

using ShaderGLTest = DeviceFixture;

constexpr D3DCOLOR BLACK = 0xFF000000;
constexpr D3DCOLOR WHITE = 0xFFFFFFFF;

// Transforms the position by the matrix in c0-c3 (row vectors) and colours by c4.
const char* MATRIX_VS = R"(//! const g_Transform c0 4
//! const g_Color c4
layout(location = 0) in vec4 aPosition;
SHADE out vec4 vColor;
void main()
{
    gl_Position = VC_MATRIX(0) * aPosition;
    vColor = vc[4];
}
)";

// Reads NORMAL, which the test declaration lacks.
const char* MISSING_INPUT_VS = R"(
layout(location = 0) in vec4 aPosition;
layout(location = 3) in vec4 aNormal;
SHADE out vec4 vColor;
void main()
{
    gl_Position = aPosition;
    vColor = vec4(aNormal.w, aNormal.x + aNormal.y + aNormal.z, 0.0, 1.0);
}
)";

// Integer and bool registers pick the colour.
const char* REGISTER_PS = R"(//! const g_Select i2
//! const g_Flag b3
void main()
{
    oColor = pcb[3] ? vec4(float(pci[2].x) / 255.0, float(pci[2].y) / 255.0, 0.0, 1.0)
                    : vec4(0.0, 0.0, 1.0, 1.0);
}
)";

IDirect3DVertexShader9* CreateNamedVertexShader(IDirect3DDevice9* pDevice, const char* pName,
                                                const char* pBody)
{
    EXPECT_EQ(D3D9GL_SetNextShaderName(pDevice, pName), D3D_OK);
    IDirect3DVertexShader9* pShader = nullptr;
    pDevice->CreateVertexShader(reinterpret_cast<const DWORD*>(pBody), &pShader);
    return pShader;
}

TEST_F(ShaderGLTest, CompileErrorLogsTheFileAndLeavesTheOldShaderWorking)
{
    UseColorShaders();
    Halvex::Base::DiagnosticCapture capture;
    IDirect3DVertexShader9* pBroken =
        CreateNamedVertexShader(Device(), "Broken.wvu", "void main() { gl_Position = oops; }\n");
    EXPECT_EQ(pBroken, nullptr);
    ASSERT_EQ(capture.Logs().size(), 1u);
    EXPECT_EQ(capture.Logs()[0].module, "D3D9GL");
    EXPECT_TRUE(capture.Logged("Broken.wvu"));
    EXPECT_TRUE(capture.Logged("oops"));
    EXPECT_EQ(capture.Logs()[0].message.find('\n'), std::string::npos) << "one line";

    // A `//! name` line names a shader when no name was given.
    capture.Clear();
    IDirect3DPixelShader9* pPixel = nullptr;
    const char* pBrokenPixel = "//! name Named.wpu\nvoid main() { oColor = nothing; }\n";
    EXPECT_EQ(Device()->CreatePixelShader(reinterpret_cast<const DWORD*>(pBrokenPixel), &pPixel),
              D3DERR_INVALIDCALL);
    EXPECT_TRUE(capture.Logged("Named.wpu"));

    ClearAll(BLACK);
    DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
    EXPECT_EQ(BackBufferPixel(10, 10), WHITE);
}

TEST_F(ShaderGLTest, LinkErrorLogsBothFilesAndSkipsTheDraw)
{
    IDirect3DVertexShader9* pVertex = CreateNamedVertexShader(Device(), "IntOut.wvu", R"(
layout(location = 0) in vec4 aPosition;
flat out int vValue;
void main() { gl_Position = aPosition; vValue = 1; }
)");
    ASSERT_NE(pVertex, nullptr);
    ASSERT_EQ(D3D9GL_SetNextShaderName(Device(), "FloatIn.wpu"), D3D_OK);
    IDirect3DPixelShader9* pPixel = CreatePixelShader(R"(
in vec4 vValue;
void main() { oColor = vValue; }
)");
    ASSERT_NE(pPixel, nullptr);
    ClearAll(BLACK);
    ASSERT_EQ(Device()->SetVertexShader(pVertex), D3D_OK);
    ASSERT_EQ(Device()->SetPixelShader(pPixel), D3D_OK);
    Halvex::Base::DiagnosticCapture capture;
    const std::vector<Vertex> quad = Quad(0, 0, 64, 64, 0.5f, WHITE);
    EXPECT_EQ(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)),
              D3DERR_INVALIDCALL);
    ASSERT_EQ(capture.Logs().size(), 1u) << "a failed pair is linked and reported once";
    EXPECT_TRUE(capture.Logged("IntOut.wvu"));
    EXPECT_TRUE(capture.Logged("FloatIn.wpu"));
    EXPECT_EQ(BackBufferPixel(10, 10), BLACK);
    UseColorShaders();
    pPixel->Release();
    pVertex->Release();
}

TEST_F(ShaderGLTest, APairMadeVertexShaderFirstIsLinkedBeforeItsFirstDraw)
{
    const char* pVertexBody = R"(
layout(location = 0) in vec4 aPosition;
layout(location = 5) in vec4 aColor;
SHADE out vec4 vColor;
void main() { gl_Position = aPosition; vColor = aColor; }
)";
    IDirect3DVertexShader9* pVertex = CreateVertexShader(pVertexBody);
    ASSERT_EQ(D3D9GL_ResetCounters(Device()), D3D_OK);
    IDirect3DPixelShader9* pPixel = CreatePixelShader("SHADE in vec4 vColor;\n"
                                                      "void main() { oColor = vColor; }\n");
    ASSERT_NE(pPixel, nullptr);
    D3D9GL_COUNTERS counters = {};
    D3D9GL_GetCounters(Device(), &counters, nullptr);
    EXPECT_EQ(counters.ProgramLinks, 2u) << "smooth and flat shading";

    UseColorShaders(); // and its vertex declaration
    ClearAll(BLACK);
    ASSERT_EQ(D3D9GL_ResetCounters(Device()), D3D_OK);
    ASSERT_EQ(Device()->SetVertexShader(pVertex), D3D_OK);
    ASSERT_EQ(Device()->SetPixelShader(pPixel), D3D_OK);
    const std::vector<Vertex> quad = Quad(0, 0, 64, 64, 0.5f, WHITE);
    for (const DWORD shade : {D3DSHADE_GOURAUD, D3DSHADE_FLAT})
    {
        Device()->SetRenderState(D3DRS_SHADEMODE, shade);
        EXPECT_EQ(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)),
                  D3D_OK);
    }
    Device()->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    D3D9GL_GetCounters(Device(), &counters, nullptr);
    EXPECT_EQ(counters.ProgramLinks, 0u);
    EXPECT_EQ(BackBufferPixel(10, 10), WHITE);
    UseColorShaders();
    pPixel->Release();
    pVertex->Release();
}

TEST_F(ShaderGLTest, MatrixRegistersMultiplyRowVectors)
{
    IDirect3DVertexShader9* pShader = CreateVertexShader(MATRIX_VS);
    ASSERT_EQ(Device()->SetVertexShader(pShader), D3D_OK);
    ASSERT_EQ(Device()->SetPixelShader(s_pColorPS), D3D_OK);
    // Row-major, row vectors: the translation sits in the fourth row.
    const float translate[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5f, 0, 0, 1};
    ASSERT_EQ(Device()->SetVertexShaderConstantF(0, translate, 4), D3D_OK);
    const float green[4] = {0, 1, 0, 1};
    ASSERT_EQ(Device()->SetVertexShaderConstantF(4, green, 1), D3D_OK);
    ClearAll(BLACK);
    DrawQuad(0, 0, 32, 64, 0.5f, WHITE); // moved right by a quarter of the target
    EXPECT_EQ(BackBufferPixel(4, 10), BLACK);
    EXPECT_EQ(BackBufferPixel(20, 10), 0xFF00FF00u);
    EXPECT_EQ(BackBufferPixel(47, 10), 0xFF00FF00u);
    EXPECT_EQ(BackBufferPixel(50, 10), BLACK);
    pShader->Release();
}

TEST_F(ShaderGLTest, ConstantTableSetsRegistersOfItsStage)
{
    IDirect3DVertexShader9* pShader = CreateVertexShader(MATRIX_VS);
    UINT size = 0;
    ASSERT_EQ(pShader->GetFunction(nullptr, &size), D3D_OK);
    std::vector<DWORD> function(size / sizeof(DWORD));
    ASSERT_EQ(pShader->GetFunction(function.data(), &size), D3D_OK);
    ID3DXConstantTable* pTable = nullptr;
    ASSERT_EQ(D3DXGetShaderConstantTable(function.data(), &pTable), D3D_OK);

    D3DXMATRIX matrix = {};
    for (int i = 0; i < 16; ++i)
        matrix.m[i / 4][i % 4] = float(i + 1);
    D3DXHANDLE hTransform = pTable->GetConstantByName(nullptr, "g_Transform");
    ASSERT_NE(hTransform, nullptr);
    ASSERT_EQ(pTable->SetMatrix(Device(), hTransform, &matrix), D3D_OK);
    const D3DXVECTOR4 color = {0.25f, 0.5f, 0.75f, 1.0f};
    ASSERT_EQ(pTable->SetVector(Device(), pTable->GetConstantByName(nullptr, "g_Color"), &color),
              D3D_OK);
    float registers[20] = {};
    ASSERT_EQ(Device()->GetVertexShaderConstantF(0, registers, 5), D3D_OK);
    EXPECT_EQ(registers[0], 1.0f);
    EXPECT_EQ(registers[4], 5.0f) << "rows go to consecutive registers";
    EXPECT_EQ(registers[15], 16.0f);
    EXPECT_EQ(registers[17], 0.5f);

    // The pixel stage is untouched.
    float pixel[4] = {1, 1, 1, 1};
    ASSERT_EQ(Device()->GetPixelShaderConstantF(4, pixel, 1), D3D_OK);
    EXPECT_EQ(pixel[1], 0.0f);

    // SetFloat on a vector writes x and clears the rest.
    ASSERT_EQ(pTable->SetFloat(Device(), "g_Color", 3.0f), D3D_OK);
    ASSERT_EQ(Device()->GetVertexShaderConstantF(4, registers, 1), D3D_OK);
    EXPECT_EQ(registers[0], 3.0f);
    EXPECT_EQ(registers[1], 0.0f);
    pTable->Release();
    pShader->Release();
}

TEST_F(ShaderGLTest, IntegerAndBoolRegistersReachThePixelShader)
{
    IDirect3DPixelShader9* pShader = CreatePixelShader(REGISTER_PS);
    ASSERT_EQ(Device()->SetVertexShader(s_pColorVS), D3D_OK);
    ASSERT_EQ(Device()->SetPixelShader(pShader), D3D_OK);
    const int select[4] = {0x40, 0x80, 0, 0};
    ASSERT_EQ(Device()->SetPixelShaderConstantI(2, select, 1), D3D_OK);
    const BOOL on = TRUE;
    ASSERT_EQ(Device()->SetPixelShaderConstantB(3, &on, 1), D3D_OK);
    ClearAll(BLACK);
    DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
    EXPECT_TRUE(ColorNear(0xFF408000, BackBufferPixel(10, 10)));
    const BOOL off = FALSE;
    ASSERT_EQ(Device()->SetPixelShaderConstantB(3, &off, 1), D3D_OK);
    DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
    EXPECT_EQ(BackBufferPixel(10, 10), 0xFF0000FFu);

    // The same registers through the constant table's names.
    UINT size = 0;
    ASSERT_EQ(pShader->GetFunction(nullptr, &size), D3D_OK);
    std::vector<DWORD> function(size / sizeof(DWORD));
    ASSERT_EQ(pShader->GetFunction(function.data(), &size), D3D_OK);
    ID3DXConstantTable* pTable = nullptr;
    ASSERT_EQ(D3DXGetShaderConstantTable(function.data(), &pTable), D3D_OK);
    const INT other[2] = {0x20, 0x10};
    ASSERT_EQ(pTable->SetIntArray(Device(), "g_Select", other, 2), D3D_OK);
    ASSERT_EQ(pTable->SetBool(Device(), "g_Flag", TRUE), D3D_OK);
    EXPECT_EQ(pTable->SetBool(Device(), "g_Missing", TRUE), D3DERR_INVALIDCALL);
    DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
    EXPECT_TRUE(ColorNear(0xFF201000, BackBufferPixel(10, 10)));
    pTable->Release();
    pShader->Release();
}

TEST_F(ShaderGLTest, InputsTheDeclarationLacksReadZeroZeroZeroOne)
{
    IDirect3DVertexShader9* pShader = CreateVertexShader(MISSING_INPUT_VS);
    ASSERT_EQ(Device()->SetVertexShader(pShader), D3D_OK);
    ASSERT_EQ(Device()->SetPixelShader(s_pColorPS), D3D_OK);
    ClearAll(0xFF00FF00);
    DrawQuad(0, 0, 64, 64, 0.5f, WHITE);
    EXPECT_EQ(BackBufferPixel(10, 10), 0xFFFF0000u);
    pShader->Release();
}

TEST_F(ShaderGLTest, DrawWithoutShadersFailsWithADiagnostic)
{
    Halvex::Base::DiagnosticCapture capture;
    ClearAll(BLACK);
    const std::vector<Vertex> quad = Quad(0, 0, 64, 64, 0.5f, WHITE);
    EXPECT_EQ(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(capture.Logs().size(), 1u);
}

} // namespace
} // namespace D3D9GLTest
