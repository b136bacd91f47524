#include "d3d9gl/glformat.h"

#include <algorithm>
#include <iterator>
#include <span>

namespace d3d9gl
{
namespace
{

// Direct3D reads missing colour channels of float and 16-bit formats as 1 and of A8 as 0.
// clang-format off
constexpr GLFormat_t FORMATS[] = {
    {D3DFMT_A8R8G8B8,      GL_RGBA8,    GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,     {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_X8R8G8B8,      GL_RGB8,     GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,     {GL_RED, GL_GREEN, GL_BLUE, GL_ONE},   D3DFMT_UNKNOWN, true},
    {D3DFMT_A8B8G8R8,      GL_RGBA8,    GL_RGBA, GL_UNSIGNED_INT_8_8_8_8_REV,     {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_X8B8G8R8,      GL_RGB8,     GL_RGBA, GL_UNSIGNED_INT_8_8_8_8_REV,     {GL_RED, GL_GREEN, GL_BLUE, GL_ONE},   D3DFMT_UNKNOWN, true},
    {D3DFMT_R8G8B8,        GL_RGB8,     GL_BGR,  GL_UNSIGNED_BYTE,                {GL_RED, GL_GREEN, GL_BLUE, GL_ONE},   D3DFMT_UNKNOWN, false},
    {D3DFMT_R5G6B5,        GL_RGB565,   GL_RGB,  GL_UNSIGNED_SHORT_5_6_5,         {GL_RED, GL_GREEN, GL_BLUE, GL_ONE},   D3DFMT_UNKNOWN, true},
    {D3DFMT_X1R5G5B5,      GL_RGB5_A1,  GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV,   {GL_RED, GL_GREEN, GL_BLUE, GL_ONE},   D3DFMT_UNKNOWN, true},
    {D3DFMT_A1R5G5B5,      GL_RGB5_A1,  GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV,   {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_A4R4G4B4,      GL_RGBA4,    GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV,   {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_A2B10G10R10,   GL_RGB10_A2, GL_RGBA, GL_UNSIGNED_INT_2_10_10_10_REV,  {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_A2R10G10B10,   GL_RGB10_A2, GL_BGRA, GL_UNSIGNED_INT_2_10_10_10_REV,  {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_A8,            GL_R8,       GL_RED,  GL_UNSIGNED_BYTE,                {GL_ZERO, GL_ZERO, GL_ZERO, GL_RED},   D3DFMT_UNKNOWN, false},
    {D3DFMT_L8,            GL_R8,       GL_RED,  GL_UNSIGNED_BYTE,                {GL_RED, GL_RED, GL_RED, GL_ONE},      D3DFMT_UNKNOWN, false},
    {D3DFMT_A8L8,          GL_RG8,      GL_RG,   GL_UNSIGNED_BYTE,                {GL_RED, GL_RED, GL_RED, GL_GREEN},    D3DFMT_UNKNOWN, false},
    {D3DFMT_L16,           GL_R16,      GL_RED,  GL_UNSIGNED_SHORT,               {GL_RED, GL_RED, GL_RED, GL_ONE},      D3DFMT_UNKNOWN, false},
    {D3DFMT_G16R16,        GL_RG16,     GL_RG,   GL_UNSIGNED_SHORT,               {GL_RED, GL_GREEN, GL_ONE, GL_ONE},    D3DFMT_UNKNOWN, true},
    {D3DFMT_A16B16G16R16,  GL_RGBA16,   GL_RGBA, GL_UNSIGNED_SHORT,               {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_R16F,          GL_R16F,     GL_RED,  GL_HALF_FLOAT,                   {GL_RED, GL_ONE, GL_ONE, GL_ONE},      D3DFMT_UNKNOWN, true},
    {D3DFMT_G16R16F,       GL_RG16F,    GL_RG,   GL_HALF_FLOAT,                   {GL_RED, GL_GREEN, GL_ONE, GL_ONE},    D3DFMT_UNKNOWN, true},
    {D3DFMT_A16B16G16R16F, GL_RGBA16F,  GL_RGBA, GL_HALF_FLOAT,                   {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_R32F,          GL_R32F,     GL_RED,  GL_FLOAT,                        {GL_RED, GL_ONE, GL_ONE, GL_ONE},      D3DFMT_UNKNOWN, true},
    {D3DFMT_G32R32F,       GL_RG32F,    GL_RG,   GL_FLOAT,                        {GL_RED, GL_GREEN, GL_ONE, GL_ONE},    D3DFMT_UNKNOWN, true},
    {D3DFMT_A32B32G32R32F, GL_RGBA32F,  GL_RGBA, GL_FLOAT,                        {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_DXT1,          GL_RGBA8,    GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,     {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_A8R8G8B8, false},
    {D3DFMT_DXT2,          GL_RGBA8,    GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,     {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_A8R8G8B8, false},
    {D3DFMT_DXT3,          GL_RGBA8,    GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,     {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_A8R8G8B8, false},
    {D3DFMT_DXT4,          GL_RGBA8,    GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,     {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_A8R8G8B8, false},
    {D3DFMT_DXT5,          GL_RGBA8,    GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,     {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_A8R8G8B8, false},
};

// OpenGL ES and WebGL 2 have no GL_BGRA layouts, no 16-bit normalised formats and no
// texture swizzles: texels go up in a layout GL takes as it is, converted on the CPU, with
// Direct3D's values for missing channels written out (the float formats excepted, which
// render targets need as they are: their missing channels read 0).
constexpr GLFormat_t EsRgba8(D3DFORMAT format, bool renderable)
{
    return {format, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_A8B8G8R8, renderable};
}
constexpr GLFormat_t EsRgba16F(D3DFORMAT format, bool renderable)
{
    return {format, GL_RGBA16F, GL_RGBA, GL_HALF_FLOAT, {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_A16B16G16R16F, renderable};
}
constexpr GLFormat_t EsFloat4(D3DFORMAT format)
{
    if (format == D3DFMT_R16F || format == D3DFMT_G16R16F)
        return EsRgba16F(format, false);
    return {format, GL_RGBA32F, GL_RGBA, GL_FLOAT, {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_A32B32G32R32F, false};
}
constexpr GLFormat_t ES_FORMATS[] = {
    EsRgba8(D3DFMT_A8R8G8B8, true),
    EsRgba8(D3DFMT_X8R8G8B8, true),
    EsRgba8(D3DFMT_A8B8G8R8, true),
    EsRgba8(D3DFMT_X8B8G8R8, true),
    EsRgba8(D3DFMT_R8G8B8, false),
    EsRgba8(D3DFMT_R5G6B5, true),
    EsRgba8(D3DFMT_X1R5G5B5, true),
    EsRgba8(D3DFMT_A1R5G5B5, true),
    EsRgba8(D3DFMT_A4R4G4B4, true),
    {D3DFMT_A2B10G10R10,   GL_RGB10_A2, GL_RGBA, GL_UNSIGNED_INT_2_10_10_10_REV,  {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_A2R10G10B10,   GL_RGB10_A2, GL_RGBA, GL_UNSIGNED_INT_2_10_10_10_REV,  {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_A2B10G10R10, true},
    EsRgba8(D3DFMT_A8, false),
    EsRgba8(D3DFMT_L8, false),
    EsRgba8(D3DFMT_A8L8, false),
    EsRgba16F(D3DFMT_L16, false),
    EsRgba16F(D3DFMT_G16R16, true),
    EsRgba16F(D3DFMT_A16B16G16R16, true),
    // Sampled float textures with missing channels hold all four, so those read 1; render
    // targets (next entries) keep their own format.
    EsFloat4(D3DFMT_R16F),
    EsFloat4(D3DFMT_G16R16F),
    EsFloat4(D3DFMT_R32F),
    EsFloat4(D3DFMT_G32R32F),
    {D3DFMT_R16F,          GL_R16F,     GL_RED,  GL_HALF_FLOAT,                   {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_G16R16F,       GL_RG16F,    GL_RG,   GL_HALF_FLOAT,                   {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_A16B16G16R16F, GL_RGBA16F,  GL_RGBA, GL_HALF_FLOAT,                   {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_R32F,          GL_R32F,     GL_RED,  GL_FLOAT,                        {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_G32R32F,       GL_RG32F,    GL_RG,   GL_FLOAT,                        {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    {D3DFMT_A32B32G32R32F, GL_RGBA32F,  GL_RGBA, GL_FLOAT,                        {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, D3DFMT_UNKNOWN, true},
    EsRgba8(D3DFMT_DXT1, false),
    EsRgba8(D3DFMT_DXT2, false),
    EsRgba8(D3DFMT_DXT3, false),
    EsRgba8(D3DFMT_DXT4, false),
    EsRgba8(D3DFMT_DXT5, false),
};

constexpr GLDepthFormat_t DEPTH_FORMATS[] = {
    {D3DFMT_D24S8,          GL_DEPTH24_STENCIL8,     true},
    {D3DFMT_D24X8,          GL_DEPTH_COMPONENT24,    false},
    {D3DFMT_D24X4S4,        GL_DEPTH24_STENCIL8,     true},
    {D3DFMT_D24FS8,         GL_DEPTH32F_STENCIL8,    true},
    {D3DFMT_D16,            GL_DEPTH_COMPONENT16,    false},
    {D3DFMT_D16_LOCKABLE,   GL_DEPTH_COMPONENT16,    false},
    {D3DFMT_D32,            GL_DEPTH_COMPONENT32,    false},
    // OpenGL ES has no 32-bit integer depth: D32 is a float depth buffer there.
    {D3DFMT_D32,            GL_DEPTH_COMPONENT32F,   false},
    {D3DFMT_D32F_LOCKABLE,  GL_DEPTH_COMPONENT32F,   false},
};
// clang-format on

} // namespace

const GLFormat_t* GetGLFormat(D3DFORMAT format, bool es, bool renderTarget)
{
    const std::span<const GLFormat_t> table =
        es ? std::span<const GLFormat_t>(ES_FORMATS) : std::span<const GLFormat_t>(FORMATS);
    const GLFormat_t* pFound = nullptr;
    for (const GLFormat_t& entry : table)
    {
        if (entry.format != format)
            continue;
        if (!renderTarget || entry.renderable)
            return &entry;
        pFound = pFound ? pFound : &entry;
    }
    return pFound;
}

const GLDepthFormat_t* GetGLDepthFormat(D3DFORMAT format, bool es)
{
    auto it =
        std::find_if(std::begin(DEPTH_FORMATS), std::end(DEPTH_FORMATS),
                     [format](const GLDepthFormat_t& entry) { return entry.format == format; });
    // The ES entry of a format follows its desktop entry, where the two differ.
    if (es && it != std::end(DEPTH_FORMATS) && it + 1 != std::end(DEPTH_FORMATS) &&
        (it + 1)->format == format)
        ++it;
    return it == std::end(DEPTH_FORMATS) ? nullptr : &*it;
}

} // namespace d3d9gl
