// The latest compile failure's log, with lines numbered as in the shader's own text.

#include "D3D9GLFixture.h"

#include <string>
#include <vector>

using D3D9GLTest::DeviceFixture;

namespace
{
class ShaderErrorGLTest : public DeviceFixture
{
};

TEST_F(ShaderErrorGLTest, LatestCompileFailureKeepsItsLogAndCountsUp)
{
    UINT before = 0;
    ASSERT_EQ(D3D9GL_GetLastShaderError(Device(), nullptr, 0, &before), D3D_OK);
    Halvex::Base::DiagnosticCapture capture;
    // The error is on the third line of the text.
    const char* pBody = "//! name Broken.wvu\nvoid main()\n{ gl_Position = oops; }\n";
    IDirect3DVertexShader9* pShader = nullptr;
    EXPECT_NE(Device()->CreateVertexShader(reinterpret_cast<const DWORD*>(pBody), &pShader),
              D3D_OK);

    char log[512] = {};
    UINT after = 0;
    ASSERT_EQ(D3D9GL_GetLastShaderError(Device(), log, sizeof(log), &after), D3D_OK);
    EXPECT_EQ(after, before + 1);
    EXPECT_NE(std::string(log).find("oops"), std::string::npos) << log;
    EXPECT_NE(std::string(log).find("0:3("), std::string::npos) << log;

    char tiny[4] = {'x', 'x', 'x', 'x'};
    ASSERT_EQ(D3D9GL_GetLastShaderError(Device(), tiny, sizeof(tiny), nullptr), D3D_OK);
    EXPECT_EQ(std::string(tiny), std::string(log).substr(0, 3));
    EXPECT_EQ(D3D9GL_GetLastShaderError(nullptr, tiny, sizeof(tiny), &after), D3DERR_INVALIDCALL);
}

TEST_F(ShaderErrorGLTest, ALinkFailureNamesBothShadersAboveTheLinkersLog)
{
    ASSERT_EQ(D3D9GL_SetNextShaderName(Device(), "Out3.wvu"), D3D_OK);
    IDirect3DVertexShader9* pVertex = CreateVertexShader(R"(
layout(location = 0) in vec4 aPosition;
out vec3 vValue;
void main() { gl_Position = aPosition; vValue = vec3(1.0); }
)");
    ASSERT_EQ(D3D9GL_SetNextShaderName(Device(), "In4.wpu"), D3D_OK);
    IDirect3DPixelShader9* pPixel = CreatePixelShader(R"(
in vec4 vValue;
void main() { oColor = vValue; }
)");
    ASSERT_NE(pVertex, nullptr);
    ASSERT_NE(pPixel, nullptr);
    ASSERT_EQ(Device()->SetVertexShader(pVertex), D3D_OK);
    ASSERT_EQ(Device()->SetPixelShader(pPixel), D3D_OK);
    UINT before = 0;
    ASSERT_EQ(D3D9GL_GetLastShaderError(Device(), nullptr, 0, &before), D3D_OK);
    Halvex::Base::DiagnosticCapture capture;
    const std::vector<D3D9GLTest::Vertex> quad = Quad(0, 0, 64, 64, 0.5f, 0xFFFFFFFF);
    EXPECT_EQ(Device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(quad[0])),
              D3DERR_INVALIDCALL);

    char log[512] = {};
    UINT after = 0;
    ASSERT_EQ(D3D9GL_GetLastShaderError(Device(), log, sizeof(log), &after), D3D_OK);
    EXPECT_EQ(after, before + 1);
    EXPECT_EQ(std::string(log).rfind("Shaders \"Out3.wvu\" and \"In4.wpu\" do not link:\n", 0), 0u)
        << log;
    EXPECT_NE(std::string(log).find("vValue"), std::string::npos) << log;
    UseColorShaders();
    pPixel->Release();
    pVertex->Release();
}
} // namespace
