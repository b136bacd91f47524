#include "rendercoretest.h"

#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/resourceprofiler.h"
#include "rendercore/source/resource/shaderprogram.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexshader.h"

#include <memory>

using namespace HalvexTest;

namespace
{
const char CODE[] = "code";
constexpr float MATRIX[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

std::vector<std::string> Describe(const std::vector<FakeRenderDevice::ByNameCall>& calls)
{
    std::vector<std::string> out;
    for (const auto& call : calls)
    {
        out.push_back(call.m_Kind + " " + call.m_Name + " " + std::to_string(call.m_HandleIn));
    }
    return out;
}
} // namespace

class ShaderProgramTest : public RenderCoreTest
{
protected:
    void SetUp() override
    {
        RenderCoreTest::SetUp();
        m_pVS = std::make_unique<VertexShader>();
        m_pPS = std::make_unique<PixelShader>();
        ASSERT_TRUE(m_pVS->Load(CODE, 4, 0));
        ASSERT_TRUE(m_pPS->Load(CODE, 4, 0));
        m_Device.m_KnownNames = {{"gWorld", {0x10, -1}}, {"gDiffuse", {0x20, 3}}};
    }
    void TearDown() override
    {
        m_pProgram.reset();
        m_pVS.reset();
        m_pPS.reset();
        RenderCoreTest::TearDown();
    }

    std::unique_ptr<VertexShader> m_pVS;
    std::unique_ptr<PixelShader> m_pPS;
    std::unique_ptr<ShaderProgram> m_pProgram = std::make_unique<ShaderProgram>();
};

TEST_F(ShaderProgramTest, ParametersResolveOncePerNativeShaderAndUnresolvedOnesStopTrying)
{
    TextureSampler sampler;
    m_pProgram->SetShaders(m_pVS.get(), m_pPS.get(), false);
    ASSERT_TRUE(m_pProgram->SetMatrixParameter(SHADER_VERTEX, "gWorld", MATRIX));
    ASSERT_TRUE(m_pProgram->SetFloatParameter(SHADER_VERTEX, "gMissing", 1.0f));
    ASSERT_TRUE(m_pProgram->SetTextureParameter(SHADER_PIXEL, "gDiffuse", &sampler));
    m_pProgram->Bind();

    m_pProgram->CommitParameters();
    EXPECT_EQ(
        Describe(m_Device.m_ByNameCalls),
        (std::vector<std::string>{"Matrix gWorld 0", "Float gMissing 0", "Texture gDiffuse 0"}));
    EXPECT_EQ(m_Device.m_ByNameCalls[0].m_pShader, m_pVS.get());
    EXPECT_EQ(m_Device.m_ByNameCalls[2].m_pShader, m_pPS.get());

    m_Device.m_ByNameCalls.clear();
    m_pProgram->CommitParameters();
    EXPECT_EQ(Describe(m_Device.m_ByNameCalls),
              (std::vector<std::string>{"Matrix gWorld 16", "Texture gDiffuse 32"}));

    // Another native shader at the vertex stage starts resolution over for that stage.
    VertexShader otherVS;
    ASSERT_TRUE(otherVS.Load(CODE, 4, 0));
    m_Device.SetVertexShader(&otherVS);
    m_Device.m_ByNameCalls.clear();
    m_pProgram->CommitParameters();
    EXPECT_EQ(
        Describe(m_Device.m_ByNameCalls),
        (std::vector<std::string>{"Matrix gWorld 0", "Float gMissing 0", "Texture gDiffuse 32"}));
    m_Device.ResetShaders();
}

TEST_F(ShaderProgramTest, BindGoesThroughTheDeviceAndNothingIsCommittedWhileLockedOrUnloaded)
{
    m_pProgram->SetShaders(m_pVS.get(), m_pPS.get(), false);
    m_pProgram->SetIntParameter(SHADER_VERTEX, "gWorld", 1);
    m_pProgram->SetBoolParameter(SHADER_PIXEL, "gDiffuse", true);
    ShaderPair pair{m_pVS.get(), m_pPS.get()};
    m_Device.LockShader(&pair);
    m_pProgram->CommitParameters();
    EXPECT_TRUE(m_Device.m_ByNameCalls.empty());
    m_Device.UnlockShader();

    m_pProgram->Bind();
    EXPECT_EQ(m_Device.GetPixelShader(), m_pPS.get());
    m_pPS->Unload();
    m_pProgram->CommitParameters();
    EXPECT_EQ(Describe(m_Device.m_ByNameCalls), std::vector<std::string>{"Int gWorld 0"});
    m_pProgram->Unbind();
    EXPECT_EQ(m_Device.GetVertexShader(), nullptr);
}

TEST_F(ShaderProgramTest, ChangingAStageShaderDropsOnlyThatStagesParametersNamesStayUnique)
{
    const float vector[4] = {1, 2, 3, 4};
    m_pProgram->SetShaders(m_pVS.get(), m_pPS.get(), false);
    m_pProgram->SetVectorParameter(SHADER_VERTEX, "gWorld", vector);
    m_pProgram->SetFloatParameter(SHADER_PIXEL, "gDiffuse", 0.5f);
    VertexShader otherVS;
    ASSERT_TRUE(otherVS.Load(CODE, 4, 0));
    m_pProgram->SetShaders(&otherVS, m_pPS.get(), false);
    m_pProgram->Bind();
    m_pProgram->CommitParameters();
    EXPECT_EQ(Describe(m_Device.m_ByNameCalls), std::vector<std::string>{"Float gDiffuse 0"});
    m_Device.m_ByNameCalls.clear();
    // Setting a name again changes its value only; bad names and stages are refused.
    m_pProgram->SetFloatParameter(SHADER_VERTEX, "g", 1.0f);
    m_pProgram->SetFloatParameter(SHADER_VERTEX, "gWorld", 1.0f);
    m_pProgram->SetFloatParameter(SHADER_VERTEX, "g", 2.0f);
    EXPECT_FALSE(m_pProgram->SetFloatParameter(SHADER_VERTEX, "", 1.0f));
    EXPECT_FALSE(m_pProgram->SetFloatParameter(SHADER_VERTEX, "g\xc3\xa9", 1.0f));
    EXPECT_FALSE(m_pProgram->SetFloatParameter(static_cast<ShaderType>(2), "g", 1.0f));
    m_pProgram->CommitParameters();
    EXPECT_EQ(Describe(m_Device.m_ByNameCalls),
              (std::vector<std::string>{"Float g 0", "Float gWorld 0", "Float gDiffuse 32"}));
    m_Device.ResetShaders();
}

TEST_F(ShaderProgramTest, OwnedShadersAreDeletedWhenReplacedOrWithTheProgram)
{
    ResourceProfiler& profiler = *m_Device.GetResourceProfiler();
    auto* pOwnedVS = new VertexShader();
    auto* pOwnedPS = new PixelShader();
    m_pProgram->SetShaders(pOwnedVS, pOwnedPS, true);
    EXPECT_EQ(profiler.GetResources(RES_TYPE_VERTEX_SHADER).size(), 2u);

    m_pProgram->SetShaders(m_pVS.get(), pOwnedPS, false);
    EXPECT_EQ(profiler.GetResources(RES_TYPE_VERTEX_SHADER), std::vector<Resource*>{m_pVS.get()});
    EXPECT_EQ(profiler.GetResources(RES_TYPE_PIXEL_SHADER).size(), 2u);

    m_pProgram.reset();
    EXPECT_EQ(profiler.GetResources(RES_TYPE_PIXEL_SHADER), std::vector<Resource*>{m_pPS.get()});
    EXPECT_EQ(profiler.GetResources(RES_TYPE_VERTEX_SHADER).size(), 1u);
}

TEST_F(ShaderProgramTest, SizeAndLoadStateCoverShadersAndParameterTextures)
{
    Texture tex;
    TextureSampler sampler(&tex, SamplerDesc{});
    m_pProgram->SetShaders(m_pVS.get(), m_pPS.get(), false);
    m_pProgram->SetTextureParameter(SHADER_PIXEL, "gDiffuse", &sampler);
    EXPECT_FALSE(m_pProgram->IsLoaded());
    ASSERT_TRUE(tex.Create(TEX_2D, 4, 4, 1, FMT_A8R8G8B8, 1, POOL_MANAGED, 0));
    EXPECT_TRUE(m_pProgram->IsLoaded());
    EXPECT_EQ(m_pProgram->GetSize(), 64u + 4u + 4u);
    m_pVS->Unload();
    EXPECT_FALSE(m_pProgram->IsLoaded());
    m_pProgram->SetShaders(nullptr, nullptr, false);
    EXPECT_EQ(m_pProgram->GetSize(), 0u);
}
