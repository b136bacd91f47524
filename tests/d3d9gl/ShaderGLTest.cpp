// Shaders from GLSL text: compile and link failures, constant registers and the constant
// table, inputs the declaration lacks.

#include "D3D9GLFixture.h"

#include <algorithm>

namespace D3D9GLTest
{
namespace
{

using ShaderGLTest = DeviceFixture;

std::string LastShaderError(IDirect3DDevice9* pDevice, UINT* pCount)
{
    char log[512] = {};
    EXPECT_EQ(D3D9GL_GetLastShaderError(pDevice, log, sizeof(log), pCount), D3D_OK);
    return log;
}

template <class Shader> ID3DXConstantTable* ConstantTable(Shader* pShader)
{
    UINT size = 0;
    EXPECT_EQ(pShader->GetFunction(nullptr, &size), D3D_OK);
    std::vector<DWORD> function(size / sizeof(DWORD));
    EXPECT_EQ(pShader->GetFunction(function.data(), &size), D3D_OK);
    ID3DXConstantTable* pTable = nullptr;
    EXPECT_EQ(D3DXGetShaderConstantTable(function.data(), &pTable), D3D_OK);
    return pTable;
}

TEST_F(ShaderGLTest, CompileFailureLogsOneLineKeepsTheLogAndLeavesTheOldShaderWorking)
{
    UseColorShaders();
    UINT before = 0;
    HR_OK(D3D9GL_GetLastShaderError(Device(), nullptr, 0, &before));
    Halvex::Base::DiagnosticCapture capture;
    HR_OK(D3D9GL_SetNextShaderName(Device(), "Broken.wvu"));
    // The error is on the second line of the text.
    const char* pBody = "void main()\n{ gl_Position = oops; }\n";
    IDirect3DVertexShader9* pBroken = nullptr;
    EXPECT_EQ(Device()->CreateVertexShader(reinterpret_cast<const DWORD*>(pBody), &pBroken),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(pBroken, nullptr);
    ASSERT_EQ(capture.Logs().size(), 1u);
    EXPECT_EQ(capture.Logs()[0].module, "D3D9GL");
    EXPECT_TRUE(capture.Logged("Broken.wvu"));
    EXPECT_TRUE(capture.Logged("oops"));
    EXPECT_EQ(capture.Logs()[0].message.find('\n'), std::string::npos) << "one line";

    // The latest failure's log, lines numbered as in the shader's own text.
    UINT after = 0;
    const std::string log = LastShaderError(Device(), &after);
    EXPECT_EQ(after, before + 1);
    EXPECT_NE(log.find("oops"), std::string::npos) << log;
    // Line 2 of source 0: Mesa writes "0:2(column)", the browser's ANGLE "0:2:".
    EXPECT_TRUE(log.find("0:2(") != std::string::npos || log.find("0:2:") != std::string::npos)
        << log;
    char tiny[4] = {'x', 'x', 'x', 'x'};
    HR_OK(D3D9GL_GetLastShaderError(Device(), tiny, sizeof(tiny), nullptr));
    EXPECT_EQ(std::string(tiny), log.substr(0, 3));
    EXPECT_EQ(D3D9GL_GetLastShaderError(nullptr, tiny, sizeof(tiny), &after), D3DERR_INVALIDCALL);

    // A `//! name` line names a shader when no name was given.
    capture.Clear();
    IDirect3DPixelShader9* pPixel = nullptr;
    const char* pBrokenPixel = "//! name Named.wpu\nvoid main() { oColor = nothing; }\n";
    EXPECT_EQ(Device()->CreatePixelShader(reinterpret_cast<const DWORD*>(pBrokenPixel), &pPixel),
              D3DERR_INVALIDCALL);
    EXPECT_TRUE(capture.Logged("Named.wpu"));

    EXPECT_EQ(DrawFullQuad(), WHITE);
}

TEST_F(ShaderGLTest, LinkFailureNamesBothShadersOnceAndSkipsTheDraw)
{
    HR_OK(D3D9GL_SetNextShaderName(Device(), "Out3.wvu"));
    IDirect3DVertexShader9* pVertex =
        CreateVertexShader("layout(location = 0) in vec4 aPosition; out vec3 vValue;\n"
                           "void main() { gl_Position = aPosition; vValue = vec3(1.0); }\n");
    HR_OK(D3D9GL_SetNextShaderName(Device(), "In4.wpu"));
    IDirect3DPixelShader9* pPixel =
        CreatePixelShader("in vec4 vValue; void main() { oColor = vValue; }\n");
    ASSERT_NE(pVertex, nullptr);
    ASSERT_NE(pPixel, nullptr);
    ClearAll(BLACK);
    const std::vector<Vertex> quad = Quad(0, 0, 64, 64, 0.5f, WHITE);
    HR_OK(Device()->SetPixelShader(nullptr));
    Halvex::Base::DiagnosticCapture capture;
    EXPECT_EQ(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)),
              D3DERR_INVALIDCALL)
        << "no shaders";
    EXPECT_EQ(capture.Logs().size(), 1u);
    capture.Clear();

    HR_OK(Device()->SetVertexShader(pVertex));
    HR_OK(Device()->SetPixelShader(pPixel));
    UINT before = 0;
    HR_OK(D3D9GL_GetLastShaderError(Device(), nullptr, 0, &before));
    for (int draw = 0; draw < 2; ++draw)
    {
        EXPECT_EQ(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex)),
                  D3DERR_INVALIDCALL);
    }
    ASSERT_EQ(capture.Logs().size(), 1u) << "a failed pair is linked and reported once";
    EXPECT_TRUE(capture.Logged("Out3.wvu"));
    EXPECT_TRUE(capture.Logged("In4.wpu"));
    UINT after = 0;
    const std::string log = LastShaderError(Device(), &after);
    EXPECT_EQ(after, before + 1);
    EXPECT_EQ(log.rfind("Shaders \"Out3.wvu\" and \"In4.wpu\" do not link:\n", 0), 0u) << log;
    EXPECT_NE(log.find("vValue"), std::string::npos) << log;
    EXPECT_EQ(BackBufferPixel(10, 10), BLACK);
    Release(pPixel, pVertex);
}

TEST_F(ShaderGLTest, APairMadeVertexShaderFirstIsLinkedBeforeItsFirstDraw)
{
    IDirect3DVertexShader9* pVertex = CreateVertexShader(
        "layout(location = 0) in vec4 aPosition; layout(location = 5) in vec4 aColor;\n"
        "SHADE out vec4 vColor; void main() { gl_Position = aPosition; vColor = aColor; }\n");
    HR_OK(D3D9GL_ResetCounters(Device()));
    IDirect3DPixelShader9* pPixel =
        CreatePixelShader("SHADE in vec4 vColor; void main() { oColor = vColor; }\n");
    ASSERT_NE(pPixel, nullptr);
    EXPECT_EQ(Counters().ProgramLinks, 2u) << "smooth and flat shading";

    HR_OK(D3D9GL_ResetCounters(Device()));
    HR_OK(Device()->SetVertexShader(pVertex));
    HR_OK(Device()->SetPixelShader(pPixel));
    for (const DWORD shade : {D3DSHADE_GOURAUD, D3DSHADE_FLAT})
    {
        SetStates({{D3DRS_SHADEMODE, shade}});
        EXPECT_EQ(DrawFullQuad(), WHITE);
    }
    EXPECT_EQ(Counters().ProgramLinks, 0u);
    Release(pPixel, pVertex);
}

// Transforms the position by the matrix in c0-c3 and colours by c4.
const char* MATRIX_VS = "//! const g_Transform c0 4\n//! const g_Color c4\n"
                        "layout(location = 0) in vec4 aPosition; SHADE out vec4 vColor;\n"
                        "void main() { gl_Position = VC_MATRIX(0) * aPosition; vColor = vc[4]; }\n";

TEST_F(ShaderGLTest, ConstantTableSetsRegistersOfItsStageAndMatricesRowByRow)
{
    IDirect3DVertexShader9* pShader = CreateVertexShader(MATRIX_VS);
    ID3DXConstantTable* pTable = ConstantTable(pShader);
    ASSERT_NE(pTable, nullptr);
    D3DXMATRIX matrix = {};
    for (int i = 0; i < 16; ++i)
        matrix.m[i / 4][i % 4] = float(i + 1);
    D3DXHANDLE hTransform = pTable->GetConstantByName(nullptr, "g_Transform");
    ASSERT_NE(hTransform, nullptr);
    HR_OK(pTable->SetMatrix(Device(), hTransform, &matrix));
    float registers[20] = {};
    HR_OK(Device()->GetVertexShaderConstantF(0, registers, 5));
    EXPECT_TRUE(std::equal(registers, registers + 16, &matrix.m[0][0]))
        << "rows go to consecutive registers";
    // SetFloat on a vector writes x and clears the rest; the pixel stage is untouched.
    HR_OK(pTable->SetFloat(Device(), "g_Color", 3.0f));
    HR_OK(Device()->GetVertexShaderConstantF(4, registers, 1));
    EXPECT_EQ(std::vector<float>(registers, registers + 4), (std::vector<float>{3, 0, 0, 0}));
    float pixel[4] = {1, 1, 1, 1};
    HR_OK(Device()->GetPixelShaderConstantF(4, pixel, 1));
    EXPECT_EQ(pixel[0], 0.0f);
    Release(pTable, pShader);
}

TEST_F(ShaderGLTest, ConstantTableSetsIntegerAndBoolRegisters)
{
    // Integer and bool registers, set through the table's names, pick the colour.
    IDirect3DPixelShader9* pShader =
        CreatePixelShader("//! const g_Select i2\n//! const g_Flag b3\n"
                          "void main() { oColor = pcb[3] ? vec4(vec2(pci[2].xy) / 255.0, 0, 1) : "
                          "vec4(0, 0, 1, 1); }\n");
    HR_OK(Device()->SetVertexShader(s_pColorVS));
    HR_OK(Device()->SetPixelShader(pShader));
    ID3DXConstantTable* pTable = ConstantTable(pShader);
    ASSERT_NE(pTable, nullptr);
    const INT other[2] = {0x20, 0x10};
    HR_OK(pTable->SetIntArray(Device(), "g_Select", other, 2));
    HR_OK(pTable->SetBool(Device(), "g_Flag", TRUE));
    EXPECT_EQ(pTable->SetBool(Device(), "g_Missing", TRUE), D3DERR_INVALIDCALL);
    EXPECT_TRUE(ColorNear(0xFF201000, DrawFullQuad()));
    Release(pTable, pShader);
}

TEST_F(ShaderGLTest, InputsTheDeclarationLacksReadZeroZeroZeroOne)
{
    // Reads NORMAL, which the test declaration lacks.
    IDirect3DVertexShader9* pShader = CreateVertexShader(
        "layout(location = 0) in vec4 aPosition; layout(location = 3) in vec4 aNormal;\n"
        "SHADE out vec4 vColor; void main() { gl_Position = aPosition;\n"
        "vColor = vec4(aNormal.w, aNormal.x + aNormal.y + aNormal.z, 0.0, 1.0); }\n");
    HR_OK(Device()->SetVertexShader(pShader));
    HR_OK(Device()->SetPixelShader(s_pColorPS));
    EXPECT_EQ(DrawFullQuad(10, 10, GREEN), RED);
    pShader->Release();
}

} // namespace
} // namespace D3D9GLTest
