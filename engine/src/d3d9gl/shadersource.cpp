#include "d3d9gl/shadersource.h"

namespace d3d9gl
{
namespace
{

constexpr const char* VERTEX_PREAMBLE = R"(layout(std140) uniform D3D9GL_VertexConstants
{
    vec4 vc[256];
    ivec4 vci[16];
    bool vcb[16];
};
#define VC_MATRIX(r) mat4(vc[(r)], vc[(r) + 1], vc[(r) + 2], vc[(r) + 3])
)";

constexpr const char* PIXEL_PREAMBLE = R"(layout(std140) uniform D3D9GL_PixelConstants
{
    vec4 pc[224];
    ivec4 pci[16];
    bool pcb[16];
};
#define PC_MATRIX(r) mat4(pc[(r)], pc[(r) + 1], pc[(r) + 2], pc[(r) + 3])
layout(location = 0) out vec4 oColor;
)";

constexpr const char* STATE_DECLARATION = R"(layout(std140) uniform D3D9GL_State
{
    vec4 d3d9gl_State;
};
#define main d3d9gl_UserMain
#line 1
)";

constexpr const char* VERTEX_EPILOGUE = R"(
#undef main
void main()
{
    d3d9gl_UserMain();
    gl_PointSize = d3d9gl_State.x;
#ifdef D3D9GL_CLIP_FIXUP
    gl_Position.y = -gl_Position.y;
    gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;
#endif
}
)";

// Direct3D compares the 8-bit alpha with the reference value.
constexpr const char* PIXEL_EPILOGUE = R"(
#undef main
bool d3d9gl_AlphaTest(float alpha)
{
    float a = floor(clamp(alpha, 0.0, 1.0) * 255.0 + 0.5);
    float ref = d3d9gl_State.y;
    int func = int(d3d9gl_State.z);
    switch (func)
    {
    case 1: return false;
    case 2: return a < ref;
    case 3: return a == ref;
    case 4: return a <= ref;
    case 5: return a > ref;
    case 6: return a != ref;
    case 7: return a >= ref;
    default: return true;
    }
}
void main()
{
    d3d9gl_UserMain();
    if (!d3d9gl_AlphaTest(oColor.a))
        discard;
}
)";

} // namespace

UINT FloatConstantCount(ShaderStage stage)
{
    return stage == SHADER_STAGE_VERTEX ? VERTEX_FLOAT_CONSTANT_MAX : PIXEL_FLOAT_CONSTANT_MAX;
}

UINT IntConstantOffset(ShaderStage stage)
{
    return FloatConstantCount(stage) * 16;
}

UINT BoolConstantOffset(ShaderStage stage)
{
    return IntConstantOffset(stage) + INT_CONSTANT_MAX * 16;
}

UINT ConstantBlockSize(ShaderStage stage)
{
    return BoolConstantOffset(stage) + BOOL_CONSTANT_MAX * 16;
}

std::string AssembleShaderSource(ShaderStage stage, std::string_view body,
                                 const ShaderVariant_t& variant)
{
    std::string source = "#version 330 core\n";
    source += variant.flat ? "#define SHADE flat\n" : "#define SHADE smooth\n";
    if (stage == SHADER_STAGE_VERTEX && variant.clipFixup)
    {
        source += "#define D3D9GL_CLIP_FIXUP\n";
    }
    source += stage == SHADER_STAGE_VERTEX ? VERTEX_PREAMBLE : PIXEL_PREAMBLE;
    source += STATE_DECLARATION;
    source += body;
    source += stage == SHADER_STAGE_VERTEX ? VERTEX_EPILOGUE : PIXEL_EPILOGUE;
    return source;
}

std::string SamplerUniformName(ShaderStage stage, UINT sampler)
{
    return (stage == SHADER_STAGE_VERTEX ? "vs" : "s") + std::to_string(sampler);
}

} // namespace d3d9gl
