#pragma once
// The "function" of a d3d9gl shader: the GLSL text of a shader file wrapped in Direct3D's
// token layout (version token, the NUL-terminated text padded to DWORDs, end token), so the
// stage travels with the code to D3DXGetShaderConstantTable.

#include "d3d9gl/shadersource.h"

#include <string>
#include <string_view>
#include <vector>

namespace d3d9gl
{

constexpr DWORD VERTEX_SHADER_VERSION_TOKEN = 0xFFFE0300u; // vs_3_0
constexpr DWORD PIXEL_SHADER_VERSION_TOKEN = 0xFFFF0300u;  // ps_3_0
constexpr DWORD SHADER_END_TOKEN = 0x0000FFFFu;

std::vector<DWORD> MakeShaderFunction(ShaderStage stage, std::string_view text);

// Reads a function blob, or plain NUL-terminated text (stage SHADER_STAGE_MAX).
void ReadShaderFunction(const DWORD* pFunction, ShaderStage& stage, std::string& text);

} // namespace d3d9gl
