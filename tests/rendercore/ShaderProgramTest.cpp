// Shaders and the program that binds a pair and commits its named parameters.

#include "rendercoretest.h"

#include "rendercore/source/resource/resourceprofiler.h"
#include "rendercore/source/resource/shaderprogram.h"

#include <memory>

using namespace HalvexTest;
using Halvex::Base::DiagnosticCapture;

namespace
{
const char CODE[] = "code";
constexpr float MATRIX[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
} // namespace

TEST_F(RenderCoreTest, EachShaderKindLoadsThroughItsOwnDeviceOperationOnceAndWithCode)
{
    const char code[] = "void main() {}";
    VertexShader vs;
    PixelShader ps;
    ASSERT_TRUE(vs.Load(code, sizeof(code), 0));
    ASSERT_TRUE(ps.Load(code, 5, 0));
    DiagnosticCapture capture;
    EXPECT_FALSE(vs.Load(code, 8, 0));
    EXPECT_FALSE(ps.Load(code, 8, 0));
    PixelShader empty;
    EXPECT_FALSE(empty.Load(nullptr, 4, 0));
    EXPECT_FALSE(empty.Load(code, 0, 0));
    const Strings raised = Raised(capture);
    ASSERT_EQ(raised.size(), 4u);
    EXPECT_EQ(Strings(raised.begin() + 1, raised.end()),
              (Strings{"!\"Pixel Shader has been Loaded\"", PARAM_ERROR, PARAM_ERROR}));
    EXPECT_EQ((std::tuple{vs.GetCodeSize(), ps.GetSize()}), (std::tuple{int(sizeof(code)), 5u}));
    ps.Unload();
    EXPECT_EQ((std::tuple{ps.IsLoaded(), ps.GetCodeSize()}), (std::tuple{false, 0}));
    EXPECT_EQ(m_Device.m_Counts, (Counts{{"Initialize", 1},
                                         {"LoadPixelShader", 1},
                                         {"LoadVertexShader", 1},
                                         {"UnloadPixelShader", 1}}));
}

class ShaderProgramTest : public RenderCoreTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_VS.Load(CODE, 4, 0));
        ASSERT_TRUE(m_PS.Load(CODE, 4, 0));
        m_Device.m_KnownNames = {{"gWorld", 0x10}, {"gDiffuse", 0x20}};
        m_pProgram->SetShaders(&m_VS, &m_PS, false);
    }
    // Commits the parameters; the by-name calls it made: stage, kind, name and handle given.
    Strings Commit()
    {
        m_pProgram->CommitParameters();
        Strings calls;
        for (const auto& call : m_Device.m_ByNameCalls)
        {
            calls.push_back((dynamic_cast<PixelShader*>(call.m_pShader) ? "ps " : "vs ") +
                            call.m_Kind + " " + call.m_Name + " " +
                            std::to_string(call.m_HandleIn));
        }
        m_Device.m_ByNameCalls.clear();
        return calls;
    }

    VertexShader m_VS;
    PixelShader m_PS;
    std::unique_ptr<ShaderProgram> m_pProgram = std::make_unique<ShaderProgram>();
};

TEST_F(ShaderProgramTest, ParametersResolveOncePerNativeShaderAndUnresolvedOnesStopTrying)
{
    TextureSampler sampler;
    ASSERT_TRUE(m_pProgram->SetMatrixParameter(SHADER_VERTEX, "gWorld", MATRIX));
    ASSERT_TRUE(m_pProgram->SetFloatParameter(SHADER_VERTEX, "gMissing", 1.0f));
    ASSERT_TRUE(m_pProgram->SetTextureParameter(SHADER_PIXEL, "gDiffuse", &sampler));
    m_pProgram->Bind();
    EXPECT_EQ(Commit(),
              (Strings{"vs Matrix gWorld 0", "vs Float gMissing 0", "ps Texture gDiffuse 0"}));
    EXPECT_EQ(Commit(), (Strings{"vs Matrix gWorld 16", "ps Texture gDiffuse 32"}));

    // Another native shader at the vertex stage starts resolution over for that stage.
    VertexShader otherVS;
    ASSERT_TRUE(otherVS.Load(CODE, 4, 0));
    m_Device.SetVertexShader(&otherVS);
    EXPECT_EQ(Commit(),
              (Strings{"vs Matrix gWorld 0", "vs Float gMissing 0", "ps Texture gDiffuse 32"}));
    m_Device.ResetShaders();
}

TEST_F(ShaderProgramTest, BindGoesThroughTheDeviceAndNothingIsCommittedWhileLockedOrUnloaded)
{
    m_pProgram->SetIntParameter(SHADER_VERTEX, "gWorld", 1);
    m_pProgram->SetBoolParameter(SHADER_PIXEL, "gDiffuse", true);
    ShaderPair pair{&m_VS, &m_PS};
    m_Device.LockShader(&pair);
    EXPECT_EQ(Commit(), Strings{});
    m_Device.UnlockShader();

    m_pProgram->Bind();
    EXPECT_EQ(m_Device.GetPixelShader(), &m_PS);
    m_PS.Unload();
    EXPECT_EQ(Commit(), Strings{"vs Int gWorld 0"});
    m_pProgram->Unbind();
    EXPECT_EQ(m_Device.GetVertexShader(), nullptr);
}

TEST_F(ShaderProgramTest, ChangingAStageShaderDropsOnlyThatStagesParametersNamesStayUnique)
{
    const float vector[4] = {1, 2, 3, 4};
    m_pProgram->SetVectorParameter(SHADER_VERTEX, "gWorld", vector);
    m_pProgram->SetFloatParameter(SHADER_PIXEL, "gDiffuse", 0.5f);
    VertexShader otherVS;
    ASSERT_TRUE(otherVS.Load(CODE, 4, 0));
    m_pProgram->SetShaders(&otherVS, &m_PS, false);
    m_pProgram->Bind();
    EXPECT_EQ(Commit(), Strings{"ps Float gDiffuse 0"});
    // Setting a name again changes its value only; bad names and stages are refused.
    m_pProgram->SetFloatParameter(SHADER_VERTEX, "g", 1.0f);
    m_pProgram->SetFloatParameter(SHADER_VERTEX, "gWorld", 1.0f);
    m_pProgram->SetFloatParameter(SHADER_VERTEX, "g", 2.0f);
    EXPECT_FALSE(m_pProgram->SetFloatParameter(SHADER_VERTEX, "", 1.0f));
    EXPECT_FALSE(m_pProgram->SetFloatParameter(SHADER_VERTEX, "g\xc3\xa9", 1.0f));
    EXPECT_FALSE(m_pProgram->SetFloatParameter(static_cast<ShaderType>(2), "g", 1.0f));
    EXPECT_EQ(Commit(), (Strings{"vs Float g 0", "vs Float gWorld 0", "ps Float gDiffuse 32"}));
    m_Device.ResetShaders();
}

TEST_F(ShaderProgramTest, OwnedShadersAreDeletedWhenReplacedOrWithTheProgram)
{
    ResourceProfiler& profiler = *m_Device.GetResourceProfiler();
    auto* pOwnedPS = new PixelShader();
    m_pProgram->SetShaders(new VertexShader(), pOwnedPS, true);
    EXPECT_EQ(profiler.GetResources(RES_TYPE_VERTEX_SHADER).size(), 2u);
    m_pProgram->SetShaders(&m_VS, pOwnedPS, false);
    EXPECT_EQ(profiler.GetResources(RES_TYPE_VERTEX_SHADER), std::vector<Resource*>{&m_VS});
    EXPECT_EQ(profiler.GetResources(RES_TYPE_PIXEL_SHADER).size(), 2u);
    m_pProgram.reset();
    EXPECT_EQ(profiler.GetResources(RES_TYPE_PIXEL_SHADER), std::vector<Resource*>{&m_PS});
}

TEST_F(ShaderProgramTest, SizeAndLoadStateCoverShadersAndParameterTextures)
{
    Texture tex;
    TextureSampler sampler(&tex, SamplerDesc{});
    m_pProgram->SetTextureParameter(SHADER_PIXEL, "gDiffuse", &sampler);
    EXPECT_FALSE(m_pProgram->IsLoaded());
    ASSERT_TRUE(tex.Create(TEX_2D, 4, 4, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
    EXPECT_TRUE(m_pProgram->IsLoaded());
    EXPECT_EQ(m_pProgram->GetSize(), 64u + 4u + 4u);
    m_VS.Unload();
    EXPECT_FALSE(m_pProgram->IsLoaded());
    m_pProgram->SetShaders(nullptr, nullptr, false);
    EXPECT_EQ(m_pProgram->GetSize(), 0u);
}
