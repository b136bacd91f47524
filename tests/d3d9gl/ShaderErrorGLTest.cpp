// The latest compile failure's log, with lines numbered as in the shader's own text.

#include "D3D9GLFixture.h"

#include <string>

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
} // namespace
