#include "d3d9gl/constanttable.h"
#include "base/source/system/logger.h"
#include "d3d9gl/shaderfunction.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

using namespace d3d9gl;

const char* SHADER = R"(//! name Lighting.wvu
//! const g_WorldViewProj c0 4
//! const g_LightDir c4
//! const g_Count i2
//! const g_Enabled b3
//! sampler g_Diffuse s1
layout(location = 0) in vec4 aPosition;  //! const g_Inline c9 2
void main() { gl_Position = VC_MATRIX(0) * aPosition; }
)";

TEST(ConstantTableTest, AnnotationsGiveNameRegisterSetIndexAndCount)
{
    const std::vector<ConstantAnnotation_t> constants =
        ParseConstantAnnotations(SHADER_STAGE_VERTEX, SHADER);
    ASSERT_EQ(constants.size(), 6u);
    EXPECT_EQ(constants[0].name, "g_WorldViewProj");
    EXPECT_EQ(constants[0].registerSet, D3DXRS_FLOAT4);
    EXPECT_EQ(constants[0].registerIndex, 0u);
    EXPECT_EQ(constants[0].registerCount, 4u);
    EXPECT_EQ(constants[1].registerIndex, 4u);
    EXPECT_EQ(constants[1].registerCount, 1u);
    EXPECT_EQ(constants[2].registerSet, D3DXRS_INT4);
    EXPECT_EQ(constants[2].registerIndex, 2u);
    EXPECT_EQ(constants[3].registerSet, D3DXRS_BOOL);
    EXPECT_EQ(constants[4].registerSet, D3DXRS_SAMPLER);
    EXPECT_EQ(constants[4].registerIndex, 1u);
    EXPECT_EQ(constants[5].name, "g_Inline");
    EXPECT_EQ(constants[5].registerIndex, 9u);
    EXPECT_EQ(ParseShaderName(SHADER), "Lighting.wvu");
    EXPECT_EQ(ParseShaderName("void main() {}"), "");
}

TEST(ConstantTableTest, MalformedAnnotationsAreLoggedAndSkipped)
{
    Halvex::Base::DiagnosticCapture capture;
    const std::vector<ConstantAnnotation_t> constants =
        ParseConstantAnnotations(SHADER_STAGE_VERTEX,
                                 "//! const a c300\n"       // beyond the float registers
                                 "//! const b c254 4\n"     // runs past the last register
                                 "//! const c s0\n"         // a constant in a sampler register
                                 "//! sampler d c0\n"       // a sampler in a float register
                                 "//! const e\n"            // no register
                                 "//! const f cx\n"         // no register number
                                 "//! const g c1 2 extra\n" // trailing words
                                 "//! const h c255\n");
    ASSERT_EQ(constants.size(), 1u);
    EXPECT_EQ(constants[0].name, "h");
    EXPECT_EQ(capture.Logs().size(), 7u);
    EXPECT_TRUE(capture.Logged("//! const a c300"));
    EXPECT_EQ(capture.Logs()[0].module, "D3D9GL");

    // The pixel stage has 224 float registers and 16 samplers, the vertex stage 4 samplers.
    EXPECT_TRUE(ParseConstantAnnotations(SHADER_STAGE_PIXEL, "//! const p c224\n"
                                                             "//! const q c220 8\n")
                    .empty());
    EXPECT_EQ(ParseConstantAnnotations(SHADER_STAGE_PIXEL, "//! sampler s s15\n").size(), 1u);
    EXPECT_TRUE(ParseConstantAnnotations(SHADER_STAGE_VERTEX, "//! sampler s s4\n").empty());
}

TEST(ConstantTableTest, HandlesDescribeTheirConstants)
{
    const std::vector<DWORD> function = MakeShaderFunction(SHADER_STAGE_VERTEX, SHADER);
    ID3DXConstantTable* pTable = nullptr;
    ASSERT_EQ(D3DXGetShaderConstantTable(function.data(), &pTable), D3D_OK);

    D3DXCONSTANTTABLE_DESC tableDesc = {};
    ASSERT_EQ(pTable->GetDesc(&tableDesc), D3D_OK);
    EXPECT_EQ(tableDesc.Constants, 6u);
    EXPECT_EQ(tableDesc.Version, VERTEX_SHADER_VERSION_TOKEN);

    D3DXHANDLE hMatrix = pTable->GetConstantByName(nullptr, "g_WorldViewProj");
    ASSERT_NE(hMatrix, nullptr);
    D3DXCONSTANT_DESC desc = {};
    UINT count = 0;
    ASSERT_EQ(pTable->GetConstantDesc(hMatrix, &desc, &count), D3D_OK);
    EXPECT_EQ(count, 1u);
    EXPECT_STREQ(desc.Name, "g_WorldViewProj");
    EXPECT_EQ(desc.RegisterSet, D3DXRS_FLOAT4);
    EXPECT_EQ(desc.RegisterCount, 4u);

    D3DXHANDLE hSampler = pTable->GetConstantByName(nullptr, "g_Diffuse");
    ASSERT_EQ(pTable->GetConstantDesc(hSampler, &desc, &count), D3D_OK);
    EXPECT_EQ(desc.RegisterSet, D3DXRS_SAMPLER);
    EXPECT_EQ(desc.RegisterIndex, 1u);
    EXPECT_EQ(pTable->GetSamplerIndex(hSampler), 1u);
    EXPECT_EQ(pTable->GetSamplerIndex(hMatrix), UINT(-1));

    // A name works as a handle, as in D3DX.
    EXPECT_EQ(pTable->GetConstantDesc("g_LightDir", &desc, &count), D3D_OK);
    EXPECT_EQ(desc.RegisterIndex, 4u);
    EXPECT_EQ(pTable->GetConstantByName(nullptr, "g_Missing"), nullptr);
    EXPECT_EQ(pTable->GetConstantDesc("g_Missing", &desc, &count), D3DERR_INVALIDCALL);
    EXPECT_STREQ(pTable->GetConstant(nullptr, 1), "g_LightDir");
    EXPECT_EQ(pTable->GetConstant(nullptr, 6), nullptr);
    EXPECT_EQ(pTable->SetFloat(nullptr, hMatrix, 1.0f), D3DERR_INVALIDCALL);
    pTable->Release();
}

TEST(ConstantTableTest, PlainTextIsNotAShaderFunction)
{
    Halvex::Base::DiagnosticCapture capture;
    ID3DXConstantTable* pTable = nullptr;
    EXPECT_EQ(D3DXGetShaderConstantTable(reinterpret_cast<const DWORD*>(SHADER), &pTable),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(pTable, nullptr);
    EXPECT_EQ(capture.Logs().size(), 1u);
}

} // namespace
