#include "d3d9gl/shadersource.h"

#include <cctype>

namespace d3d9gl
{
namespace
{

// Samplers without a default precision in ES get full precision too (R32F maps need it).
constexpr const char* ES_HEADER = R"(#version 300 es
precision highp float;
precision highp int;
precision highp sampler2D;
precision highp samplerCube;
precision highp sampler3D;
)";

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

// ES sampler objects have neither border colours nor a LOD bias. Samples go through these
// functions instead: the bias is added to the sample's own, and on border axes the sampler
// clamps to the edge while the share of the filter's footprint beyond the edge (the texels
// GL would take from the border) takes the border colour. The share is measured at the top
// level, which is exact for magnified textures (where the border's edge is seen).
constexpr const char* ES_SAMPLING = R"(layout(std140) uniform D3D9GL_Samplers
{
    vec4 d3d9gl_Sampler[16];
    vec4 d3d9gl_BorderColor[16];
};
float d3d9gl_Inside(float coord, float size, bool linear)
{
    if (!linear)
        return coord >= 0.0 && coord < 1.0 ? 1.0 : 0.0;
    float texel = coord * size - 0.5;
    return clamp(texel + 1.0, 0.0, 1.0) * clamp(size - texel, 0.0, 1.0);
}
vec4 d3d9gl_Border(int unit, int axes, vec4 texel, vec3 coord, vec3 size)
{
    axes &= int(d3d9gl_Sampler[unit].y);
    if (axes == 0)
        return texel;
    bool linear = d3d9gl_Sampler[unit].z != 0.0;
    float inside = 1.0;
    for (int axis = 0; axis < 3; ++axis)
    {
        if (((axes >> axis) & 1) != 0)
            inside *= d3d9gl_Inside(coord[axis], size[axis], linear);
    }
    // mix() can round even where the whole footprint lies inside.
    return inside == 1.0 ? texel : mix(d3d9gl_BorderColor[unit], texel, inside);
}
vec4 d3d9gl_Texture(sampler2D s, int unit, vec2 uv, float bias)
{
    vec4 texel = texture(s, uv, d3d9gl_Sampler[unit].x + bias);
    return d3d9gl_Border(unit, 3, texel, vec3(uv, 0.0), vec3(textureSize(s, 0), 1.0));
}
vec4 d3d9gl_Texture(sampler3D s, int unit, vec3 uvw, float bias)
{
    vec4 texel = texture(s, uvw, d3d9gl_Sampler[unit].x + bias);
    return d3d9gl_Border(unit, 7, texel, uvw, vec3(textureSize(s, 0)));
}
vec4 d3d9gl_Texture(samplerCube s, int unit, vec3 direction, float bias)
{
    return texture(s, direction, d3d9gl_Sampler[unit].x + bias);
}
vec4 d3d9gl_Texture(sampler2D s, int unit, vec2 uv) { return d3d9gl_Texture(s, unit, uv, 0.0); }
vec4 d3d9gl_Texture(sampler3D s, int unit, vec3 uvw) { return d3d9gl_Texture(s, unit, uvw, 0.0); }
vec4 d3d9gl_Texture(samplerCube s, int unit, vec3 direction)
{
    return d3d9gl_Texture(s, unit, direction, 0.0);
}
)";

// ES reads D3DCOLOR elements as bytes B, G, R, A in r, g, b, a: the locations that the state
// block marks take them in Direct3D's order.
constexpr const char* ES_INPUT_FUNCTION = R"(vec4 d3d9gl_Input(int location, vec4 value)
{
    return ((int(d3d9gl_State.w) >> location) & 1) != 0 ? value.bgra : value;
}
)";

constexpr const char* VERTEX_EPILOGUE = R"(    d3d9gl_UserMain();
    gl_PointSize = d3d9gl_State.x;
#ifdef D3D9GL_CLIP_FIXUP
    gl_Position.y = -gl_Position.y;
    gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;
#endif
}
)";

// Reads one word (letters, digits, underscores) or symbol at a time, skipping white space.
class Scanner
{
public:
    Scanner(std::string_view text, std::size_t at) : m_Text(text), m_At(at) {}
    std::size_t At() const { return m_At; }
    bool Symbol(char c)
    {
        SkipSpace();
        if (m_At >= m_Text.size() || m_Text[m_At] != c)
            return false;
        ++m_At;
        return true;
    }
    std::string_view Word()
    {
        SkipSpace();
        const std::size_t begin = m_At;
        while (m_At < m_Text.size() && IsWordChar(m_Text[m_At]))
            ++m_At;
        return m_Text.substr(begin, m_At - begin);
    }
    static bool IsWordChar(char c)
    {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    }

private:
    void SkipSpace()
    {
        while (m_At < m_Text.size() && std::isspace(static_cast<unsigned char>(m_Text[m_At])))
            ++m_At;
    }
    std::string_view m_Text;
    std::size_t m_At;
};

bool IsNumber(std::string_view word)
{
    return !word.empty() && word.size() <= 2 &&
           word.find_first_not_of("0123456789") == std::string_view::npos;
}

// Where `word` starts at `at` as a whole word.
bool WordAt(std::string_view text, std::size_t at, std::string_view word)
{
    return text.compare(at, word.size(), word) == 0 &&
           (at == 0 || !Scanner::IsWordChar(text[at - 1])) &&
           (at + word.size() == text.size() || !Scanner::IsWordChar(text[at + word.size()]));
}

// "layout(location = N) in <float type> <name>;" at `at`: the declaration becomes d3d9gl's own
// vec4 input d3d9gl_InputN and a plain global <name>, which `assignments` fills from it at the
// start of main. The text stays on its line.
bool RewriteInput(std::string_view body, std::size_t at, std::string& out, std::size_t& end,
                  std::string& assignments)
{
    Scanner scan(body, at + 6);
    if (!scan.Symbol('(') || scan.Word() != "location" || !scan.Symbol('='))
        return false;
    const std::string_view location = scan.Word();
    if (!IsNumber(location) || !scan.Symbol(')') || scan.Word() != "in")
        return false;
    const std::string_view type = scan.Word();
    const std::string_view name = scan.Word();
    if ((type != "float" && type != "vec2" && type != "vec3" && type != "vec4") || name.empty() ||
        !scan.Symbol(';'))
        return false;
    const std::string input = "d3d9gl_Input" + std::string(location);
    out += "layout(location = " + std::string(location) + ") in vec4 " + input + "; ";
    out += std::string(type) + " " + std::string(name) + ";";
    assignments += "    " + std::string(name) + " = " + std::string(type) + "(d3d9gl_Input(" +
                   std::string(location) + ", " + input + "));\n";
    end = scan.At();
    return true;
}

// "texture(sN," at `at` becomes "d3d9gl_Texture(sN, N,".
bool RewriteSample(std::string_view body, std::size_t at, std::string& out, std::size_t& end)
{
    Scanner scan(body, at + 7);
    if (!scan.Symbol('('))
        return false;
    const std::string_view sampler = scan.Word();
    if (sampler.size() < 2 || sampler[0] != 's' || !IsNumber(sampler.substr(1)))
        return false;
    const std::size_t afterName = scan.At();
    if (!scan.Symbol(','))
        return false;
    out += "d3d9gl_Texture";
    out += body.substr(at + 7, afterName - at - 7);
    out += ", " + std::string(sampler.substr(1));
    end = afterName;
    return true;
}

// The body with its vertex inputs (vertex stage) or its texture samples (pixel stage) routed
// through d3d9gl's functions, line for line.
std::string RewriteForEs(ShaderStage stage, std::string_view body, std::string& assignments)
{
    const char* pWord = stage == SHADER_STAGE_VERTEX ? "layout" : "texture";
    std::string out;
    out.reserve(body.size() + body.size() / 4);
    std::size_t copied = 0;
    for (std::size_t at = body.find(pWord); at != std::string_view::npos;
         at = body.find(pWord, at + 1))
    {
        if (at < copied || !WordAt(body, at, pWord))
            continue;
        std::string rewritten;
        std::size_t end = 0;
        const bool done = stage == SHADER_STAGE_VERTEX
                              ? RewriteInput(body, at, rewritten, end, assignments)
                              : RewriteSample(body, at, rewritten, end);
        if (!done)
            continue;
        out += body.substr(copied, at - copied);
        out += rewritten;
        copied = end;
    }
    out += body.substr(copied);
    return out;
}

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
    const bool vertex = stage == SHADER_STAGE_VERTEX;
    std::string source = variant.es ? ES_HEADER : "#version 330 core\n";
    source += variant.flat ? "#define SHADE flat\n" : "#define SHADE smooth\n";
    if (vertex && variant.clipFixup)
    {
        source += "#define D3D9GL_CLIP_FIXUP\n";
    }
    source += vertex ? VERTEX_PREAMBLE : PIXEL_PREAMBLE;
    if (variant.es && !vertex)
        source += ES_SAMPLING;
    source += STATE_DECLARATION;
    std::string assignments;
    source += variant.es ? RewriteForEs(stage, body, assignments) : std::string(body);
    if (!vertex)
        return source + PIXEL_EPILOGUE;
    source += "\n#undef main\n";
    if (variant.es)
        source += ES_INPUT_FUNCTION;
    return source + "void main()\n{\n" + assignments + VERTEX_EPILOGUE;
}

std::string SamplerUniformName(ShaderStage stage, UINT sampler)
{
    return (stage == SHADER_STAGE_VERTEX ? "vs" : "s") + std::to_string(sampler);
}

} // namespace d3d9gl
