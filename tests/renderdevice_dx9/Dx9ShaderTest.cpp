#include "dx9testfixture.h"

#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/vertexshader.h"

#include <cstring>

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;

namespace Dx9Test
{
namespace
{
constexpr char SHADER_TEXT[] = "//! const World c4 4\n"
                               "//! sampler DiffuseMap s2\n"
                               "void main() {}\n";
} // namespace

class Dx9ShaderTest : public Dx9DeviceTest
{
protected:
    void SetUp() override
    {
        Dx9DeviceTest::SetUp();
        const int size = static_cast<int>(std::strlen(SHADER_TEXT));
        for (int i = 0; i < 2; ++i)
        {
            m_pVertexShaders[i] = Make<VertexShader>();
            ASSERT_TRUE(m_pVertexShaders[i]->Load(SHADER_TEXT, size, 0));
            m_pPixelShaders[i] = Make<PixelShader>();
            ASSERT_TRUE(m_pPixelShaders[i]->Load(SHADER_TEXT, size, 0));
        }
        m_Log.Clear();
    }

    std::string Bound(const char* call, Shader& shader)
    {
        return std::string(call) + "(" + Name(FakeOf<IUnknown>(shader)) + ")";
    }

    VertexShader* m_pVertexShaders[2] = {};
    PixelShader* m_pPixelShaders[2] = {};
};

TEST_F(Dx9ShaderTest, ShaderCodeReachesTheDeviceAsTerminatedText)
{
    auto* pNative = FakeOf<FakeVertexShader>(*m_pVertexShaders[0]);
    ASSERT_NE(pNative, nullptr);
    EXPECT_EQ(pNative->m_Text, SHADER_TEXT);
    EXPECT_EQ(m_pVertexShaders[0]->GetCodeSize(), static_cast<int>(std::strlen(SHADER_TEXT)));
    EXPECT_NE(m_pVertexShaders[0]->GetConstantTable(), nullptr);
}

TEST_F(Dx9ShaderTest, FailedShaderCreationNamesTheShaderKind)
{
    Native().m_FailCreate = true;
    DiagnosticCapture capture;
    PixelShader pixel;
    EXPECT_FALSE(pixel.Load(SHADER_TEXT, 10, 0));
    EXPECT_TRUE(capture.Logged("Can not Create PixelShader"));
    VertexShader vertex;
    EXPECT_FALSE(vertex.Load(SHADER_TEXT, 10, 0));
    EXPECT_TRUE(capture.Logged("Can not Create VertexShader"));
    EXPECT_EQ(capture.Asserts().back().source, "src/renderdevice_dx9/source/dx9_resourceloader");
}

TEST_F(Dx9ShaderTest, RedundantShaderBindsMakeNoNativeCall)
{
    Device().SetShaders(m_pVertexShaders[0], m_pPixelShaders[0]);
    Device().SetShaders(m_pVertexShaders[0], m_pPixelShaders[0]);
    Device().SetVertexShader(nullptr); // ignored: unbinding is ResetVertexShader's job
    EXPECT_EQ(m_Log.Calls(),
              (std::vector<std::string>{Bound("SetVertexShader", *m_pVertexShaders[0]),
                                        Bound("SetPixelShader", *m_pPixelShaders[0])}));
    EXPECT_EQ(Device().GetVertexShader(), m_pVertexShaders[0]);
    Device().ResetShaders();
    Device().ResetShaders();
    EXPECT_EQ(m_Log.Count("SetVertexShader(null)"), 1u);
    EXPECT_EQ(m_Log.Count("SetPixelShader(null)"), 1u);
    EXPECT_EQ(Device().GetPixelShader(), nullptr);
}

TEST_F(Dx9ShaderTest, LockedPairStaysBoundUntilTheLastUnlock)
{
    ShaderPair pair = {m_pVertexShaders[0], m_pPixelShaders[0]};
    Device().LockShader(&pair);
    Device().LockShader(&pair);
    Device().SetShaders(m_pVertexShaders[1], m_pPixelShaders[1]);
    Device().ResetShaders();
    Device().UnlockShader();
    EXPECT_EQ(Device().GetVertexShader(), m_pVertexShaders[0]);
    EXPECT_EQ(m_Log.Count("SetVertexShader("), 1u);
    Device().UnlockShader();
    EXPECT_EQ(Device().GetVertexShader(), nullptr);
    EXPECT_TRUE(m_Log.Has("SetVertexShader(null)"));
}

TEST_F(Dx9ShaderTest, ShaderBoundAgainAfterADeviceResetReachesTheDevice)
{
    Device().SetShaders(m_pVertexShaders[0], m_pPixelShaders[0]);
    DeviceSetting setting;
    Device().GetDeviceSetting(&setting);
    ASSERT_TRUE(Device().ResetDevice(&setting, nullptr, nullptr));
    EXPECT_EQ(Device().GetVertexShader(), m_pVertexShaders[0]);
    m_Log.Clear();
    Device().SetShaders(m_pVertexShaders[0], m_pPixelShaders[0]);
    EXPECT_EQ(m_Log.Count("SetVertexShader(#"), 1u);
    EXPECT_EQ(m_Log.Count("SetPixelShader(#"), 1u);
}

TEST_F(Dx9ShaderTest, UnloadingTheBoundShaderUnbindsIt)
{
    Device().SetVertexShader(m_pVertexShaders[0]);
    m_Log.Clear();
    m_pVertexShaders[0]->Unload();
    EXPECT_EQ(m_Log.Calls(), std::vector<std::string>{"SetVertexShader(null)"});
    ASSERT_TRUE(m_pVertexShaders[0]->Load(SHADER_TEXT, 8, 0));
    m_Log.Clear();
    Device().SetVertexShader(m_pVertexShaders[0]);
    EXPECT_EQ(m_Log.Count("SetVertexShader(#"), 1u);
}

TEST_F(Dx9ShaderTest, ConstantsByRegisterGoToTheStageInWholeRegisters)
{
    const float values[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    Device().SetShaderConstantMatrix(SHADER_VERTEX, 8, values);
    EXPECT_EQ(m_Log.Calls().back(), "SetVertexShaderConstantF(8,4)");
    Device().SetShaderConstantVector(SHADER_PIXEL, 3, values);
    EXPECT_EQ(m_Log.Calls().back(), "SetPixelShaderConstantF(3,1)");

    // Six values fill two registers; nothing past the sixth value is read.
    m_Log.Clear();
    Device().SetShaderConstantFloatArray(SHADER_VERTEX, 0, values, 6);
    EXPECT_EQ(m_Log.Calls(), (std::vector<std::string>{"SetVertexShaderConstantF(0,1)",
                                                       "SetVertexShaderConstantF(1,1)"}));
    EXPECT_EQ(Native().m_FloatConstants, (std::vector<float>{5, 6, 0, 0}));

    const int ints[4] = {1, 2, 3, 4};
    Device().SetShaderConstantIntArray(SHADER_PIXEL, 2, ints, 4);
    EXPECT_EQ(m_Log.Calls().back(), "SetPixelShaderConstantI(2,1)");

    const bool flags[3] = {true, false, false};
    Device().SetShaderConstantBoolArray(SHADER_VERTEX, 1, flags, 3);
    EXPECT_EQ(m_Log.Calls().back(), "SetVertexShaderConstantB(1,1)");
    EXPECT_EQ(Native().m_BoolConstants, std::vector<BOOL>{TRUE});

    DiagnosticCapture capture;
    m_Log.Clear();
    Device().SetShaderConstantVector(static_cast<ShaderType>(2), 0, values);
    EXPECT_TRUE(capture.Raised(""));
    EXPECT_TRUE(m_Log.Calls().empty());
}

TEST_F(Dx9ShaderTest, ConstantsByNameResolveTheHandleOnceIntoTheCallersCache)
{
    const float matrix[16] = {};
    uintptr_t cache = 0;
    Device().SetShaderConstantMatrixByName(m_pVertexShaders[0], "World", matrix, &cache);
    EXPECT_NE(cache, 0u);
    EXPECT_EQ(m_Log.Calls(), std::vector<std::string>{"SetVertexShaderConstantF(4,4)"});
    // A filled cache is used as it stands, whatever the name.
    m_Log.Clear();
    Device().SetShaderConstantMatrixByName(m_pVertexShaders[0], "Missing", matrix, &cache);
    EXPECT_EQ(m_Log.Calls(), std::vector<std::string>{"SetVertexShaderConstantF(4,4)"});

    uintptr_t unknown = 0;
    m_Log.Clear();
    Device().SetShaderConstantFloatByName(m_pVertexShaders[0], "Missing", 1.0f, &unknown);
    EXPECT_EQ(unknown, 0u);
    EXPECT_TRUE(m_Log.Calls().empty());

    m_pVertexShaders[1]->Unload();
    DiagnosticCapture capture;
    Device().SetShaderConstantIntByName(m_pVertexShaders[1], "World", 1, &unknown);
    EXPECT_TRUE(capture.Raised("pConstTable"));
}

} // namespace Dx9Test
