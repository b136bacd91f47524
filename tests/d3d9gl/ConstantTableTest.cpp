// Shader text without a device: constant annotations, the constant table over them, the
// function blob that carries the text, and what only a device without clip control sees.

#include "d3d9gl/constanttable.h"
#include "base/source/system/logger.h"
#include "d3d9gl/shader.h"
#include "d3d9gl/shaderfunction.h"
#include "d3d9gl/shadersource.h"
#include "d3d9gl/vertexdeclaration.h"

#include <gtest/gtest.h>

#include <tuple>

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

TEST(ConstantTableTest, AnnotationsBecomeConstantsWithRegisterSetIndexAndCount)
{
    EXPECT_EQ(ParseShaderName(SHADER), "Lighting.wvu");
    EXPECT_EQ(ParseShaderName("void main() {}"), "");
    const std::vector<DWORD> function = MakeShaderFunction(SHADER_STAGE_VERTEX, SHADER);
    ID3DXConstantTable* pTable = nullptr;
    ASSERT_EQ(D3DXGetShaderConstantTable(function.data(), &pTable), D3D_OK);
    D3DXCONSTANTTABLE_DESC tableDesc = {};
    ASSERT_EQ(pTable->GetDesc(&tableDesc), D3D_OK);
    EXPECT_EQ(std::make_pair(tableDesc.Constants, tableDesc.Version),
              std::make_pair(6u, VERTEX_SHADER_VERSION_TOKEN));
    // Name, register set, first register and register count, in annotation order.
    const std::tuple<std::string, D3DXREGISTER_SET, UINT, UINT> expected[] = {
        {"g_WorldViewProj", D3DXRS_FLOAT4, 0, 4}, {"g_LightDir", D3DXRS_FLOAT4, 4, 1},
        {"g_Count", D3DXRS_INT4, 2, 1},           {"g_Enabled", D3DXRS_BOOL, 3, 1},
        {"g_Diffuse", D3DXRS_SAMPLER, 1, 1},      {"g_Inline", D3DXRS_FLOAT4, 9, 2},
    };
    for (UINT i = 0; i < 6; ++i)
    {
        // By index, then by name as a handle, as in D3DX.
        const char* pName = pTable->GetConstant(nullptr, i);
        ASSERT_NE(pName, nullptr) << i;
        const std::string name = pName;
        D3DXCONSTANT_DESC desc = {};
        UINT count = 0;
        ASSERT_EQ(pTable->GetConstantDesc(name.c_str(), &desc, &count), D3D_OK);
        EXPECT_EQ(count, 1u);
        EXPECT_EQ(std::make_tuple(std::string(desc.Name), desc.RegisterSet, desc.RegisterIndex,
                                  desc.RegisterCount),
                  expected[i]);
    }
    D3DXHANDLE hMatrix = pTable->GetConstantByName(nullptr, "g_WorldViewProj");
    EXPECT_EQ(pTable->GetSamplerIndex(pTable->GetConstantByName(nullptr, "g_Diffuse")), 1u);
    EXPECT_EQ(pTable->GetSamplerIndex(hMatrix), UINT(-1));
    EXPECT_EQ(pTable->GetConstant(nullptr, 6), nullptr);
    EXPECT_EQ(pTable->GetConstantByName(nullptr, "g_Missing"), nullptr);
    D3DXCONSTANT_DESC desc = {};
    UINT count = 0;
    EXPECT_EQ(pTable->GetConstantDesc("g_Missing", &desc, &count), D3DERR_INVALIDCALL);
    EXPECT_EQ(pTable->SetFloat(nullptr, hMatrix, 1.0f), D3DERR_INVALIDCALL);
    pTable->Release();

    // Plain text is not a shader function.
    Halvex::Base::DiagnosticCapture capture;
    EXPECT_EQ(D3DXGetShaderConstantTable(reinterpret_cast<const DWORD*>(SHADER), &pTable),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(capture.Logs().size(), 1u);
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

TEST(ShaderSourceTest, ClipFixupOnlyWhenRequestedAndOnlyInTheVertexStage)
{
    const std::tuple<ShaderStage, bool, bool> cases[] = {{SHADER_STAGE_VERTEX, true, true},
                                                         {SHADER_STAGE_VERTEX, false, false},
                                                         {SHADER_STAGE_PIXEL, true, false}};
    for (const auto& [stage, requested, expected] : cases)
    {
        const std::string source =
            AssembleShaderSource(stage, "void main() {}", {false, requested, false});
        EXPECT_EQ(source.find("#define D3D9GL_CLIP_FIXUP") != std::string::npos, expected)
            << "stage " << stage << " requested " << requested;
    }
}

TEST(ShaderSourceTest, FunctionBlobsOfEveryTextLengthCarryStageAndText)
{
    ShaderStage stage = SHADER_STAGE_MAX;
    std::string text;
    // Lengths that fill whole DWORDs still get their terminating NUL.
    for (const char* pText : {"abc", "abcd", "abcde"})
    {
        const std::vector<DWORD> function = MakeShaderFunction(SHADER_STAGE_PIXEL, pText);
        EXPECT_EQ(function.front(), PIXEL_SHADER_VERSION_TOKEN);
        EXPECT_EQ(function.back(), SHADER_END_TOKEN);
        ReadShaderFunction(function.data(), stage, text);
        EXPECT_EQ(stage, SHADER_STAGE_PIXEL);
        EXPECT_EQ(text, pText);
    }
    // Compiler logs become one line for the diagnostic.
    EXPECT_EQ(FlattenLog("0:3(1): error: x\n0:4(2): error: y\n"),
              "0:3(1): error: x; 0:4(2): error: y");
    EXPECT_EQ(FlattenLog(""), "");
    // Texture coordinates 0 to 6 take locations 9 to 15; others have none.
    EXPECT_EQ(AttributeLocation(D3DDECLUSAGE_TEXCOORD, 6), 15);
    EXPECT_EQ(AttributeLocation(D3DDECLUSAGE_TEXCOORD, 7), -1);
    EXPECT_EQ(AttributeLocation(D3DDECLUSAGE_POSITIONT, 0), -1);
}

} // namespace
