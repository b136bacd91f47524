#include "rendercoretest.h"

#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/vertexshader.h"

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

using ShaderTest = RenderCoreTest;

TEST_F(ShaderTest, EachKindLoadsThroughItsOwnDeviceOperationOnceAndWithCode)
{
    const char code[] = "void main() {}";
    VertexShader vs;
    PixelShader ps;
    ASSERT_TRUE(vs.Load(code, sizeof(code), 0));
    ASSERT_TRUE(ps.Load(code, 5, 0));
    EXPECT_EQ(m_Device.CallCount("LoadVertexShader") + m_Device.CallCount("LoadPixelShader"), 2);
    EXPECT_EQ(vs.GetCodeSize(), static_cast<int>(sizeof(code)));
    EXPECT_EQ(ps.GetSize(), 5u);

    DiagnosticCapture capture;
    EXPECT_FALSE(vs.Load(code, 8, 0));
    EXPECT_FALSE(ps.Load(code, 8, 0));
    EXPECT_EQ(vs.GetCodeSize(), static_cast<int>(sizeof(code)));
    PixelShader empty;
    EXPECT_FALSE(empty.Load(nullptr, 4, 0));
    EXPECT_FALSE(empty.Load(code, 0, 0));
    ASSERT_EQ(capture.Asserts().size(), 4u);
    EXPECT_EQ(capture.Asserts()[1].expression, "!\"Pixel Shader has been Loaded\"");
    EXPECT_EQ(capture.Asserts()[3].expression, "!\"Param Error\"");
    EXPECT_EQ(m_Device.CallCount("LoadPixelShader"), 1);

    ps.Unload();
    EXPECT_FALSE(ps.IsLoaded());
    EXPECT_EQ(ps.GetCodeSize(), 0);
    EXPECT_EQ(m_Device.CallCount("UnloadPixelShader"), 1);
}
