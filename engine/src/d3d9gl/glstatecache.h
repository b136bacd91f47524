#pragma once
// The GL state the device last set. Every setter compares before it calls GL and counts
// the calls it lets through, so redundant Direct3D state costs a compare, never a GL call.
// Code that changes GL state behind the cache's back must call Invalidate.

#include "d3d9gl/d3d9types.h"

#include "d3d9gl/glapi.h"

namespace d3d9gl
{

enum GLCap
{
    GL_CAP_DEPTH_TEST,
    GL_CAP_STENCIL_TEST,
    GL_CAP_BLEND,
    GL_CAP_CULL_FACE,
    GL_CAP_SCISSOR_TEST,
    GL_CAP_POLYGON_OFFSET_FILL,
    GL_CAP_POLYGON_OFFSET_LINE,
    GL_CAP_POLYGON_OFFSET_POINT,
    GL_CAP_MAX
};

enum GLBufferSlot
{
    GL_SLOT_ARRAY,
    GL_SLOT_ELEMENT_ARRAY,
    GL_SLOT_COPY_WRITE,
    GL_SLOT_UNIFORM,
    GL_SLOT_MAX
};

// Texture units: pixel samplers 0-15, vertex samplers 16-19, then one for uploads.
constexpr UINT GL_UNIT_VERTEX_SAMPLER0 = 16;
constexpr UINT GL_UNIT_UPLOAD = 20;
constexpr UINT GL_UNIT_MAX = 21;

struct GLStencilFace_t
{
    GLenum func;
    GLint ref;
    GLuint readMask;
    GLenum fail;
    GLenum depthFail;
    GLenum pass;
    GLuint writeMask;
};

class GLStateCache
{
public:
    // pCounter receives one count per GL call let through.
    explicit GLStateCache(UINT* pCounter) : m_pCounter(pCounter) { Invalidate(); }

    void Invalidate();

    void Enable(GLCap cap, bool enabled);
    void DepthFunc(GLenum func);
    void DepthMask(bool write);
    void DepthRange(float nearZ, float farZ);
    void BlendFunc(GLenum srcRgb, GLenum dstRgb, GLenum srcAlpha, GLenum dstAlpha);
    void BlendEquation(GLenum rgb, GLenum alpha);
    void BlendColor(D3DCOLOR color);
    void ColorMask(DWORD rgbaBits); // bit 0 red, 1 green, 2 blue, 3 alpha
    // face 0 = GL_FRONT, 1 = GL_BACK.
    void Stencil(int face, const GLStencilFace_t& state);
    void CullFace(GLenum face);
    // Where the profile has polygon modes: its call for them.
    void SetPolygonModeCall(void (*pPolygonMode)(GLenum)) { m_pPolygonMode = pPolygonMode; }
    void PolygonMode(GLenum mode);
    void PolygonOffset(float factor, float units);
    void Viewport(GLint x, GLint y, GLsizei width, GLsizei height);
    void Scissor(GLint x, GLint y, GLsizei width, GLsizei height);
    void ClearColor(D3DCOLOR color);
    void ClearDepth(float depth);
    void ClearStencil(GLint stencil);
    void UseProgram(GLuint program);
    void BindTexture(UINT unit, GLenum target, GLuint texture);
    // Binds on the upload unit and makes it active, for calls that act on the binding.
    void SelectTextureForUpdate(GLenum target, GLuint texture);
    void BindSampler(UINT unit, GLuint sampler);
    void BindBuffer(GLBufferSlot slot, GLuint buffer);
    void BindDrawFramebuffer(GLuint framebuffer);
    void BindReadFramebuffer(GLuint framebuffer);

    // Forgets a deleted object so that a later one with the same name is bound again.
    void ForgetTexture(GLuint texture);
    void ForgetBuffer(GLuint buffer);
    void ForgetProgram(GLuint program);

private:
    void Count() { ++*m_pCounter; }
    void ActiveTexture(UINT unit);

    UINT* m_pCounter;
    void (*m_pPolygonMode)(GLenum) = nullptr;
    int m_Caps[GL_CAP_MAX];
    GLenum m_DepthFunc;
    int m_DepthMask;
    float m_DepthRange[2];
    GLenum m_Blend[4];
    GLenum m_BlendEquation[2];
    D3DCOLOR m_BlendColor;
    int m_BlendColorKnown;
    DWORD m_ColorMask;
    GLStencilFace_t m_Stencil[2];
    GLenum m_CullFace;
    GLenum m_PolygonMode;
    float m_PolygonOffset[2];
    GLint m_Viewport[4];
    GLint m_Scissor[4];
    D3DCOLOR m_ClearColor;
    int m_ClearColorKnown;
    float m_ClearDepth;
    GLint m_ClearStencil;
    GLuint m_Program;
    UINT m_ActiveUnit;
    GLenum m_TextureTarget[GL_UNIT_MAX];
    GLuint m_Texture[GL_UNIT_MAX];
    GLuint m_Sampler[GL_UNIT_MAX];
    GLuint m_Buffer[GL_SLOT_MAX];
    GLuint m_DrawFramebuffer;
    GLuint m_ReadFramebuffer;
};

} // namespace d3d9gl
