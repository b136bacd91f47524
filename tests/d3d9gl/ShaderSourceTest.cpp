#include "d3d9gl/shadersource.h"
#include "d3d9gl/shader.h"
#include "d3d9gl/shaderfunction.h"
#include "d3d9gl/vertexdeclaration.h"

#include <gtest/gtest.h>

namespace
{

using namespace d3d9gl;

const char* BODY = "SHADE out vec4 vColor;\nvoid main() { gl_Position = vec4(0.0); }\n";

TEST(ShaderSourceTest, VersionComesFirstAndTheBodyKeepsItsLineNumbers)
{
    const std::string source = AssembleShaderSource(SHADER_STAGE_VERTEX, BODY, {false, false});
    EXPECT_EQ(source.rfind("#version 330 core\n", 0), 0u);
    const size_t body = source.find(BODY);
    ASSERT_NE(body, std::string::npos);
    const std::string beforeBody = source.substr(0, body);
    EXPECT_EQ(beforeBody.substr(beforeBody.size() - 8), "#line 1\n");
    EXPECT_NE(beforeBody.find("#define main d3d9gl_UserMain"), std::string::npos);
    const std::string afterBody = source.substr(body + std::string(BODY).size());
    EXPECT_NE(afterBody.find("#undef main"), std::string::npos);
    EXPECT_NE(afterBody.find("d3d9gl_UserMain();"), std::string::npos);
}

TEST(ShaderSourceTest, ShadeVariantSelectsFlatOrSmoothInterpolation)
{
    for (ShaderStage stage : {SHADER_STAGE_VERTEX, SHADER_STAGE_PIXEL})
    {
        const std::string flat = AssembleShaderSource(stage, BODY, {true, false});
        const std::string smooth = AssembleShaderSource(stage, BODY, {false, false});
        EXPECT_NE(flat.find("#define SHADE flat\n"), std::string::npos);
        EXPECT_EQ(flat.find("#define SHADE smooth"), std::string::npos);
        EXPECT_NE(smooth.find("#define SHADE smooth\n"), std::string::npos);
    }
}

TEST(ShaderSourceTest, StagesDeclareTheirOwnRegistersAndEpilogues)
{
    const std::string vertex = AssembleShaderSource(SHADER_STAGE_VERTEX, BODY, {false, false});
    const std::string pixel = AssembleShaderSource(SHADER_STAGE_PIXEL, BODY, {false, false});
    EXPECT_NE(vertex.find("vec4 vc[256];"), std::string::npos);
    EXPECT_NE(vertex.find("#define VC_MATRIX(r)"), std::string::npos);
    EXPECT_NE(vertex.find("gl_PointSize"), std::string::npos);
    EXPECT_EQ(vertex.find("oColor"), std::string::npos);
    EXPECT_NE(pixel.find("vec4 pc[224];"), std::string::npos);
    EXPECT_NE(pixel.find("ivec4 pci[16];"), std::string::npos);
    EXPECT_NE(pixel.find("bool pcb[16];"), std::string::npos);
    EXPECT_NE(pixel.find("out vec4 oColor;"), std::string::npos);
    EXPECT_NE(pixel.find("discard"), std::string::npos);
    EXPECT_EQ(pixel.find("vec4 vc[256]"), std::string::npos);
}

TEST(ShaderSourceTest, ClipFixupOnlyWhenRequestedAndOnlyInTheVertexStage)
{
    const struct
    {
        ShaderStage stage;
        bool requested, expected;
    } cases[] = {{SHADER_STAGE_VERTEX, true, true},
                 {SHADER_STAGE_VERTEX, false, false},
                 {SHADER_STAGE_PIXEL, true, false}};
    for (const auto& c : cases)
    {
        const std::string source = AssembleShaderSource(c.stage, BODY, {false, c.requested});
        EXPECT_EQ(source.find("#define D3D9GL_CLIP_FIXUP") != std::string::npos, c.expected)
            << "stage " << c.stage << " requested " << c.requested;
    }
}

TEST(ShaderSourceTest, FunctionBlobCarriesStageAndText)
{
    const std::vector<DWORD> function = MakeShaderFunction(SHADER_STAGE_PIXEL, "abc");
    EXPECT_EQ(function.front(), PIXEL_SHADER_VERSION_TOKEN);
    EXPECT_EQ(function.back(), SHADER_END_TOKEN);
    EXPECT_EQ(function.size(), 3u); // token, "abc\0", end token
    ShaderStage stage = SHADER_STAGE_MAX;
    std::string text;
    ReadShaderFunction(function.data(), stage, text);
    EXPECT_EQ(stage, SHADER_STAGE_PIXEL);
    EXPECT_EQ(text, "abc");

    // Text of a length that fills whole DWORDs still gets its terminating NUL.
    const std::vector<DWORD> aligned = MakeShaderFunction(SHADER_STAGE_VERTEX, "abcd");
    ReadShaderFunction(aligned.data(), stage, text);
    EXPECT_EQ(stage, SHADER_STAGE_VERTEX);
    EXPECT_EQ(text, "abcd");

    const char plain[] = "void main() {}";
    ReadShaderFunction(reinterpret_cast<const DWORD*>(plain), stage, text);
    EXPECT_EQ(stage, SHADER_STAGE_MAX);
    EXPECT_EQ(text, plain);
}

TEST(ShaderSourceTest, CompilerLogBecomesOneLine)
{
    EXPECT_EQ(FlattenLog("0:3(1): error: x\n0:4(2): error: y\n"),
              "0:3(1): error: x; 0:4(2): error: y");
    EXPECT_EQ(FlattenLog(""), "");
}

TEST(VertexDeclarationTest, UsagesMapToTheFixedAttributeLocations)
{
    EXPECT_EQ(AttributeLocation(D3DDECLUSAGE_TEXCOORD, 6), 15);
    EXPECT_EQ(AttributeLocation(D3DDECLUSAGE_TEXCOORD, 7), -1);
    EXPECT_EQ(AttributeLocation(D3DDECLUSAGE_POSITIONT, 0), -1);

    const std::vector<D3DVERTEXELEMENT9> elements = {
        {0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0},
        {1, 4, D3DDECLTYPE_FLOAT2, 0, D3DDECLUSAGE_TEXCOORD, 2},
        {0, 12, D3DDECLTYPE_FLOAT1, 0, D3DDECLUSAGE_FOG, 0},
        D3DDECL_END()};
    VertexDeclaration* pDeclaration = new VertexDeclaration(elements);
    ASSERT_EQ(pDeclaration->Attributes().size(), 2u);
    EXPECT_EQ(pDeclaration->Attributes()[1].stream, 1u);
    EXPECT_EQ(pDeclaration->Attributes()[1].offset, 4u);
    EXPECT_EQ(pDeclaration->Attributes()[1].location, 11u);
    UINT count = 0;
    ASSERT_EQ(pDeclaration->GetDeclaration(nullptr, &count), D3D_OK);
    EXPECT_EQ(count, 4u);
    pDeclaration->Release();
}

} // namespace
