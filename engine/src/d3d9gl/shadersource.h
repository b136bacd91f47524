#pragma once
// Shader files hold a GLSL body valid as both GLSL 3.30 and GLSL ES 3.00; d3d9gl wraps it in a
// preamble that declares the Direct3D register model and an epilogue that runs the
// fixed-function steps GL lacks. For OpenGL ES (WebGL2) the body's vertex inputs and texture
// samples are also routed through d3d9gl's own functions, which make up for what ES lacks.

#include "d3d9gl/d3d9types.h"

#include <string>
#include <string_view>

namespace d3d9gl
{

enum ShaderStage
{
    SHADER_STAGE_VERTEX,
    SHADER_STAGE_PIXEL,
    SHADER_STAGE_MAX
};

constexpr UINT VERTEX_FLOAT_CONSTANT_MAX = 256;
constexpr UINT PIXEL_FLOAT_CONSTANT_MAX = 224;
constexpr UINT INT_CONSTANT_MAX = 16;
constexpr UINT BOOL_CONSTANT_MAX = 16;
constexpr UINT PIXEL_SAMPLER_MAX = 16;
constexpr UINT VERTEX_SAMPLER_MAX = 4;

// Uniform blocks shared by every program, bound once to these binding points. Layout
// std140: float registers, then integer registers, then bools one per 16 bytes.
constexpr const char* VERTEX_CONSTANT_BLOCK = "D3D9GL_VertexConstants";
constexpr const char* PIXEL_CONSTANT_BLOCK = "D3D9GL_PixelConstants";
constexpr const char* STATE_BLOCK = "D3D9GL_State";
constexpr const char* SAMPLER_BLOCK = "D3D9GL_Samplers"; // OpenGL ES pixel stage only
constexpr UINT VERTEX_CONSTANT_BINDING = 0;
constexpr UINT PIXEL_CONSTANT_BINDING = 1;
constexpr UINT STATE_BINDING = 2;
constexpr UINT SAMPLER_BINDING = 3;

UINT FloatConstantCount(ShaderStage stage);
// Byte offsets inside a stage's constant block.
UINT IntConstantOffset(ShaderStage stage);
UINT BoolConstantOffset(ShaderStage stage);
UINT ConstantBlockSize(ShaderStage stage);

// The state block: point size, alpha reference (0-255), alpha function (D3DCMPFUNC), and
// the attribute locations (a bit each) that read D3DCOLOR bytes in memory order B, G, R, A
// and take them in Direct3D's order (OpenGL ES only: it has no GL_BGRA attribute size).
struct ShaderState_t
{
    float pointSize;
    float alphaRef;
    float alphaFunc;
    float colorSwizzle;
};

// The sampler block of the OpenGL ES pixel stage, which samples through d3d9gl's functions:
// per sampler the LOD bias, the axes with border addressing (1 u, 2 v, 4 w) and whether the
// filter is linear (1) or point (0); then each sampler's border colour (r, g, b, a).
struct SamplerEmulation_t
{
    float state[PIXEL_SAMPLER_MAX][4];
    float borderColor[PIXEL_SAMPLER_MAX][4];
};

struct ShaderVariant_t
{
    bool flat;      // SHADE interpolants use the first vertex of each primitive
    bool clipFixup; // no clip control: the vertex epilogue maps depth and flips y itself
    bool es;        // GLSL ES 3.00 for OpenGL ES 3.0 / WebGL2
};

// The complete GLSL source of one stage: preamble, the file's body (its line numbers kept
// for compiler messages), epilogue.
std::string AssembleShaderSource(ShaderStage stage, std::string_view body,
                                 const ShaderVariant_t& variant);

// Name of the sampler uniform bound to texture unit `unit` of the stage (s0-s15, vs0-vs3).
std::string SamplerUniformName(ShaderStage stage, UINT sampler);

} // namespace d3d9gl
