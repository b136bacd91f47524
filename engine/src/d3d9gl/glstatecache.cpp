#include "d3d9gl/glstatecache.h"

#include "d3d9gl/glprofile.h"

#include <cstring>
#include <initializer_list>

namespace d3d9gl
{
namespace
{

constexpr GLenum CAP_NAMES[] = {
    GL_DEPTH_TEST,          // GL_CAP_DEPTH_TEST
    GL_STENCIL_TEST,        // GL_CAP_STENCIL_TEST
    GL_BLEND,               // GL_CAP_BLEND
    GL_CULL_FACE,           // GL_CAP_CULL_FACE
    GL_SCISSOR_TEST,        // GL_CAP_SCISSOR_TEST
    GL_POLYGON_OFFSET_FILL, // GL_CAP_POLYGON_OFFSET_FILL
    GL_POLYGON_OFFSET_LINE, // GL_CAP_POLYGON_OFFSET_LINE
    GL_POLYGON_OFFSET_POINT // GL_CAP_POLYGON_OFFSET_POINT
};
static_assert(sizeof(CAP_NAMES) / sizeof(CAP_NAMES[0]) == GL_CAP_MAX);

constexpr GLenum BUFFER_TARGETS[] = {
    GL_ARRAY_BUFFER,         // GL_SLOT_ARRAY
    GL_ELEMENT_ARRAY_BUFFER, // GL_SLOT_ELEMENT_ARRAY
    GL_COPY_WRITE_BUFFER,    // GL_SLOT_COPY_WRITE
    GL_UNIFORM_BUFFER        // GL_SLOT_UNIFORM
};
static_assert(sizeof(BUFFER_TARGETS) / sizeof(BUFFER_TARGETS[0]) == GL_SLOT_MAX);

constexpr GLenum UNKNOWN_ENUM = 0xFFFFFFFFu;
constexpr GLuint UNKNOWN_NAME = 0xFFFFFFFFu;

} // namespace

void GLStateCache::Invalidate()
{
    for (int& cap : m_Caps)
        cap = -1;
    m_DepthFunc = UNKNOWN_ENUM;
    m_DepthMask = -1;
    m_DepthRange[0] = m_DepthRange[1] = -1.0f;
    for (GLenum& factor : m_Blend)
        factor = UNKNOWN_ENUM;
    m_BlendEquation[0] = m_BlendEquation[1] = UNKNOWN_ENUM;
    m_BlendColor = 0;
    m_BlendColorKnown = 0;
    m_ColorMask = 0xFFFFFFFFu;
    for (GLStencilFace_t& face : m_Stencil)
        face = {UNKNOWN_ENUM, -1, 0, UNKNOWN_ENUM, UNKNOWN_ENUM, UNKNOWN_ENUM, 0};
    m_CullFace = UNKNOWN_ENUM;
    m_PolygonMode = UNKNOWN_ENUM;
    m_PolygonOffset[0] = m_PolygonOffset[1] = -1.0e30f;
    for (int i = 0; i < 4; ++i)
        m_Viewport[i] = m_Scissor[i] = -1;
    m_ClearColor = 0;
    m_ClearColorKnown = 0;
    m_ClearDepth = -1.0f;
    m_ClearStencil = -1;
    m_Program = UNKNOWN_NAME;
    m_ActiveUnit = UNKNOWN_NAME;
    for (UINT unit = 0; unit < GL_UNIT_MAX; ++unit)
    {
        m_TextureTarget[unit] = UNKNOWN_ENUM;
        m_Texture[unit] = UNKNOWN_NAME;
        m_Sampler[unit] = UNKNOWN_NAME;
    }
    for (GLuint& buffer : m_Buffer)
        buffer = UNKNOWN_NAME;
    m_DrawFramebuffer = UNKNOWN_NAME;
    m_ReadFramebuffer = UNKNOWN_NAME;
}

void GLStateCache::Enable(GLCap cap, bool enabled)
{
    if (m_Caps[cap] == int(enabled))
        return;
    m_Caps[cap] = int(enabled);
    if (enabled)
        glEnable(CAP_NAMES[cap]);
    else
        glDisable(CAP_NAMES[cap]);
    Count();
}

void GLStateCache::DepthFunc(GLenum func)
{
    if (m_DepthFunc == func)
        return;
    m_DepthFunc = func;
    glDepthFunc(func);
    Count();
}

void GLStateCache::DepthMask(bool write)
{
    if (m_DepthMask == int(write))
        return;
    m_DepthMask = int(write);
    glDepthMask(write ? GL_TRUE : GL_FALSE);
    Count();
}

void GLStateCache::DepthRange(float nearZ, float farZ)
{
    if (m_DepthRange[0] == nearZ && m_DepthRange[1] == farZ)
        return;
    m_DepthRange[0] = nearZ;
    m_DepthRange[1] = farZ;
    glplatform::DepthRange(nearZ, farZ);
    Count();
}

void GLStateCache::BlendFunc(GLenum srcRgb, GLenum dstRgb, GLenum srcAlpha, GLenum dstAlpha)
{
    const GLenum factors[4] = {srcRgb, dstRgb, srcAlpha, dstAlpha};
    if (std::memcmp(factors, m_Blend, sizeof(factors)) == 0)
        return;
    std::memcpy(m_Blend, factors, sizeof(factors));
    glBlendFuncSeparate(srcRgb, dstRgb, srcAlpha, dstAlpha);
    Count();
}

void GLStateCache::BlendEquation(GLenum rgb, GLenum alpha)
{
    if (m_BlendEquation[0] == rgb && m_BlendEquation[1] == alpha)
        return;
    m_BlendEquation[0] = rgb;
    m_BlendEquation[1] = alpha;
    glBlendEquationSeparate(rgb, alpha);
    Count();
}

namespace
{
void ToFloats(D3DCOLOR color, float rgba[4])
{
    rgba[0] = float((color >> 16) & 0xFF) / 255.0f;
    rgba[1] = float((color >> 8) & 0xFF) / 255.0f;
    rgba[2] = float(color & 0xFF) / 255.0f;
    rgba[3] = float(color >> 24) / 255.0f;
}
} // namespace

void GLStateCache::BlendColor(D3DCOLOR color)
{
    if (m_BlendColorKnown && m_BlendColor == color)
        return;
    m_BlendColorKnown = 1;
    m_BlendColor = color;
    float rgba[4];
    ToFloats(color, rgba);
    glBlendColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    Count();
}

void GLStateCache::ColorMask(DWORD rgbaBits)
{
    rgbaBits &= 0xF;
    if (m_ColorMask == rgbaBits)
        return;
    m_ColorMask = rgbaBits;
    glColorMask((rgbaBits & 1) != 0, (rgbaBits & 2) != 0, (rgbaBits & 4) != 0, (rgbaBits & 8) != 0);
    Count();
}

void GLStateCache::Stencil(int face, const GLStencilFace_t& state)
{
    GLStencilFace_t& current = m_Stencil[face];
    GLenum glFace = face == 0 ? GL_FRONT : GL_BACK;
    if (current.func != state.func || current.ref != state.ref ||
        current.readMask != state.readMask)
    {
        glStencilFuncSeparate(glFace, state.func, state.ref, state.readMask);
        Count();
    }
    if (current.fail != state.fail || current.depthFail != state.depthFail ||
        current.pass != state.pass)
    {
        glStencilOpSeparate(glFace, state.fail, state.depthFail, state.pass);
        Count();
    }
    if (current.writeMask != state.writeMask || current.func == UNKNOWN_ENUM)
    {
        glStencilMaskSeparate(glFace, state.writeMask);
        Count();
    }
    current = state;
}

void GLStateCache::CullFace(GLenum face)
{
    if (m_CullFace == face)
        return;
    m_CullFace = face;
    glCullFace(face);
    Count();
}

void GLStateCache::PolygonMode(GLenum mode)
{
    if (m_PolygonMode == mode)
        return;
    m_PolygonMode = mode;
    m_pPolygonMode(mode);
    Count();
}

void GLStateCache::PolygonOffset(float factor, float units)
{
    if (m_PolygonOffset[0] == factor && m_PolygonOffset[1] == units)
        return;
    m_PolygonOffset[0] = factor;
    m_PolygonOffset[1] = units;
    glPolygonOffset(factor, units);
    Count();
}

void GLStateCache::Viewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    const GLint rect[4] = {x, y, width, height};
    if (std::memcmp(rect, m_Viewport, sizeof(rect)) == 0)
        return;
    std::memcpy(m_Viewport, rect, sizeof(rect));
    glViewport(x, y, width, height);
    Count();
}

void GLStateCache::Scissor(GLint x, GLint y, GLsizei width, GLsizei height)
{
    const GLint rect[4] = {x, y, width, height};
    if (std::memcmp(rect, m_Scissor, sizeof(rect)) == 0)
        return;
    std::memcpy(m_Scissor, rect, sizeof(rect));
    glScissor(x, y, width, height);
    Count();
}

void GLStateCache::ClearColor(D3DCOLOR color)
{
    if (m_ClearColorKnown && m_ClearColor == color)
        return;
    m_ClearColorKnown = 1;
    m_ClearColor = color;
    float rgba[4];
    ToFloats(color, rgba);
    glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    Count();
}

void GLStateCache::ClearDepth(float depth)
{
    if (m_ClearDepth == depth)
        return;
    m_ClearDepth = depth;
    glplatform::ClearDepth(depth);
    Count();
}

void GLStateCache::ClearStencil(GLint stencil)
{
    if (m_ClearStencil == stencil)
        return;
    m_ClearStencil = stencil;
    glClearStencil(stencil);
    Count();
}

void GLStateCache::UseProgram(GLuint program)
{
    if (m_Program == program)
        return;
    m_Program = program;
    glUseProgram(program);
    Count();
}

void GLStateCache::ActiveTexture(UINT unit)
{
    if (m_ActiveUnit == unit)
        return;
    m_ActiveUnit = unit;
    glActiveTexture(GL_TEXTURE0 + unit);
    Count();
}

void GLStateCache::BindTexture(UINT unit, GLenum target, GLuint texture)
{
    if (m_TextureTarget[unit] == target && m_Texture[unit] == texture)
        return;
    ActiveTexture(unit);
    // A unit holds one texture per target; the previous target is cleared (every other one
    // when it is not known) so that a sampler of the wrong type reads nothing instead of a
    // stale texture.
    for (GLenum other : {GLenum(GL_TEXTURE_2D), GLenum(GL_TEXTURE_CUBE_MAP), GLenum(GL_TEXTURE_3D)})
    {
        const GLenum previous = m_TextureTarget[unit];
        if (other != target && (previous == UNKNOWN_ENUM || (previous == other && m_Texture[unit])))
        {
            glBindTexture(other, 0);
            Count();
        }
    }
    m_TextureTarget[unit] = target;
    m_Texture[unit] = texture;
    glBindTexture(target, texture);
    Count();
}

void GLStateCache::SelectTextureForUpdate(GLenum target, GLuint texture)
{
    BindTexture(GL_UNIT_UPLOAD, target, texture);
    ActiveTexture(GL_UNIT_UPLOAD);
}

void GLStateCache::BindSampler(UINT unit, GLuint sampler)
{
    if (m_Sampler[unit] == sampler)
        return;
    m_Sampler[unit] = sampler;
    glBindSampler(unit, sampler);
    Count();
}

void GLStateCache::BindBuffer(GLBufferSlot slot, GLuint buffer)
{
    if (m_Buffer[slot] == buffer)
        return;
    m_Buffer[slot] = buffer;
    glBindBuffer(BUFFER_TARGETS[slot], buffer);
    Count();
}

void GLStateCache::BindDrawFramebuffer(GLuint framebuffer)
{
    if (m_DrawFramebuffer == framebuffer)
        return;
    m_DrawFramebuffer = framebuffer;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    Count();
}

void GLStateCache::BindReadFramebuffer(GLuint framebuffer)
{
    if (m_ReadFramebuffer == framebuffer)
        return;
    m_ReadFramebuffer = framebuffer;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    Count();
}

void GLStateCache::ForgetTexture(GLuint texture)
{
    for (UINT unit = 0; unit < GL_UNIT_MAX; ++unit)
    {
        if (m_Texture[unit] == texture)
            m_Texture[unit] = UNKNOWN_NAME;
    }
}

void GLStateCache::ForgetBuffer(GLuint buffer)
{
    for (GLuint& bound : m_Buffer)
    {
        if (bound == buffer)
            bound = UNKNOWN_NAME;
    }
}

void GLStateCache::ForgetProgram(GLuint program)
{
    if (m_Program == program)
        m_Program = UNKNOWN_NAME;
}

} // namespace d3d9gl
