#include "rendercoretest.h"

#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/vertexshader.h"

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

namespace
{
const char CODE[] = "void main() {}";
}

using ShaderTest = RenderCoreTest;

TEST_F(ShaderTest, EachKindLoadsThroughItsOwnDeviceOperation)
{
    VertexShader vs;
    PixelShader ps;
    EXPECT_EQ(vs.GetShaderType(), SHADER_VERTEX);
    EXPECT_EQ(ps.GetShaderType(), SHADER_PIXEL);
    ASSERT_TRUE(vs.Load(CODE, sizeof(CODE), 0));
    ASSERT_TRUE(ps.Load(CODE, 5, 0));
    EXPECT_EQ(m_Device.CallCount("LoadVertexShader"), 1);
    EXPECT_EQ(m_Device.CallCount("LoadPixelShader"), 1);
    EXPECT_EQ(vs.GetCodeSize(), static_cast<int>(sizeof(CODE)));
    EXPECT_EQ(ps.GetSize(), 5u);

    ps.Unload();
    EXPECT_FALSE(ps.IsLoaded());
    EXPECT_EQ(ps.GetCodeSize(), 0);
    EXPECT_EQ(ps.GetShaderType(), SHADER_PIXEL);
    EXPECT_EQ(m_Device.CallCount("UnloadPixelShader"), 1);
}

TEST_F(ShaderTest, SecondLoadReportsTheSharedTextUnderTheShadersOwnSource)
{
    VertexShader vs;
    PixelShader ps;
    ASSERT_TRUE(vs.Load(CODE, 4, 0));
    ASSERT_TRUE(ps.Load(CODE, 4, 0));
    DiagnosticCapture capture;
    EXPECT_FALSE(vs.Load(CODE, 8, 0));
    EXPECT_FALSE(ps.Load(CODE, 8, 0));
    ASSERT_EQ(capture.Asserts().size(), 2u);
    EXPECT_EQ(capture.Asserts()[0].expression, "!\"Pixel Shader has been Loaded\"");
    EXPECT_EQ(capture.Asserts()[0].source, "src/rendercore/source/resource/vertexshader");
    EXPECT_EQ(capture.Asserts()[1].expression, "!\"Pixel Shader has been Loaded\"");
    EXPECT_EQ(capture.Asserts()[1].source, "src/rendercore/source/resource/pixelshader");
    EXPECT_EQ(vs.GetCodeSize(), 4);
}

TEST_F(ShaderTest, MissingCodeIsAParamErrorAndDestructionReleases)
{
    {
        PixelShader ps;
        DiagnosticCapture capture;
        EXPECT_FALSE(ps.Load(nullptr, 4, 0));
        EXPECT_FALSE(ps.Load(CODE, 0, 0));
        ASSERT_EQ(capture.Asserts().size(), 2u);
        EXPECT_EQ(capture.Asserts()[1].expression, "!\"Param Error\"");
        EXPECT_EQ(capture.Asserts()[1].source, "src/rendercore/source/resource/pixelshader");
        EXPECT_EQ(m_Device.CallCount("LoadPixelShader"), 0);
        VertexShader vs;
        ASSERT_TRUE(vs.Load(CODE, 4, 0));
    }
    EXPECT_EQ(m_Device.CallCount("UnloadVertexShader"), 1);
    EXPECT_EQ(m_Device.CallCount("UnloadPixelShader"), 0);
}
