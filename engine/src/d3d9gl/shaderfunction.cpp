#include "d3d9gl/shaderfunction.h"

#include <cstring>

namespace d3d9gl
{

std::vector<DWORD> MakeShaderFunction(ShaderStage stage, std::string_view text)
{
    const size_t textDwords = (text.size() + 1 + 3) / 4; // the NUL is always there
    std::vector<DWORD> function(textDwords + 2, 0);
    function.front() =
        stage == SHADER_STAGE_VERTEX ? VERTEX_SHADER_VERSION_TOKEN : PIXEL_SHADER_VERSION_TOKEN;
    std::memcpy(&function[1], text.data(), text.size());
    function.back() = SHADER_END_TOKEN;
    return function;
}

void ReadShaderFunction(const DWORD* pFunction, ShaderStage& stage, std::string& text)
{
    const char* pBytes = reinterpret_cast<const char*>(pFunction);
    // Text never starts with a NUL, and a version token's first byte is one; only then are
    // the next three bytes read.
    DWORD token = 0;
    if (pBytes[0] == '\0')
    {
        std::memcpy(&token, pBytes, sizeof(token));
    }
    if (token == VERTEX_SHADER_VERSION_TOKEN || token == PIXEL_SHADER_VERSION_TOKEN)
    {
        stage = token == VERTEX_SHADER_VERSION_TOKEN ? SHADER_STAGE_VERTEX : SHADER_STAGE_PIXEL;
        text = pBytes + sizeof(DWORD);
        return;
    }
    stage = SHADER_STAGE_MAX;
    text = pBytes;
}

} // namespace d3d9gl
