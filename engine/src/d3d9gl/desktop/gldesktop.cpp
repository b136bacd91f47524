// Desktop GL calls that OpenGL ES 3.0 and WebGL 2 lack; the web build has its own versions
// of these functions.

#include "d3d9gl/glprofile.h"

#include <cstring>

namespace d3d9gl::glplatform
{
namespace
{

// The device's error handler; the context's debug callback passes the device along.
void (*g_pOnError)(void*, const char*) = nullptr;

void GLAPIENTRY OnDebugMessage(GLenum source, GLenum type, GLuint, GLenum, GLsizei,
                               const GLchar* pMessage, const void* pUserParam)
{
    // Compiler messages reach the log with the shader's name (ShaderCode::Compiled).
    if (type != GL_DEBUG_TYPE_ERROR || source == GL_DEBUG_SOURCE_SHADER_COMPILER)
        return;
    g_pOnError(const_cast<void*>(pUserParam), pMessage);
}

void PolygonMode(GLenum mode)
{
    glPolygonMode(GL_FRONT_AND_BACK, mode);
}

void DrawElementsBaseVertex(GLenum mode, GLsizei count, GLenum type, const void* pOffset,
                            GLsizei instances, GLint baseVertex)
{
    glDrawElementsInstancedBaseVertex(mode, count, type, pOffset, instances, baseVertex);
}

bool MapWrite(GLenum target, GLintptr offset, const void* pData, GLsizeiptr size)
{
    void* pTarget = glMapBufferRange(target, offset, size,
                                     GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT |
                                         GL_MAP_INVALIDATE_RANGE_BIT);
    if (!pTarget)
        return false;
    std::memcpy(pTarget, pData, std::size_t(size));
    glUnmapBuffer(target);
    return true;
}

void GetTexImage(GLenum target, GLint level, GLenum format, GLenum type, void* pPixels)
{
    glGetTexImage(target, level, format, type, pPixels);
}

} // namespace

GLProfile_t DetectProfile()
{
    GLProfile_t profile = {};
    profile.es = !epoxy_is_desktop_gl();
    const int version = epoxy_gl_version();
    profile.version = version;
    if (profile.es)
    {
        profile.version = 30;
        // WebGL 2's feature set: float colour targets through their extension only.
        profile.colorBufferFloat = HasExtension("GL_EXT_color_buffer_float");
        profile.anisotropy = HasExtension("GL_EXT_texture_filter_anisotropic");
        return profile;
    }
    profile.clipControl = version >= 45 || HasExtension("GL_ARB_clip_control");
    profile.mirrorClamp = version >= 44 || HasExtension("GL_ARB_texture_mirror_clamp_to_edge") ||
                          HasExtension("GL_EXT_texture_mirror_clamp");
    profile.polygonMode = PolygonMode;
    profile.pointFill = true;
    profile.drawElementsBaseVertex = DrawElementsBaseVertex;
    profile.getTexImage = GetTexImage;
    profile.mapWrite = MapWrite;
    profile.bgra = true;
    profile.samplerExtras = true;
    profile.anisotropy = version >= 46 || HasExtension("GL_EXT_texture_filter_anisotropic");
    profile.colorBufferFloat = true;
    profile.debugOutput = version >= 43 || HasExtension("GL_KHR_debug");
    return profile;
}

void SetUp(const GLProfile_t& profile, void (*pOnError)(void*, const char*), void* pUser)
{
    if (profile.es)
        return;
    if (profile.debugOutput)
    {
        g_pOnError = pOnError;
        glEnable(GL_DEBUG_OUTPUT);
        glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
        glDebugMessageCallback(OnDebugMessage, pUser);
        glDebugMessageControl(GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, 0, nullptr, GL_FALSE);
        glDebugMessageControl(GL_DONT_CARE, GL_DEBUG_TYPE_ERROR, GL_DONT_CARE, 0, nullptr, GL_TRUE);
    }
    if (profile.clipControl)
        glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    glEnable(GL_PROGRAM_POINT_SIZE);
}

void DepthRange(float nearZ, float farZ)
{
    if (epoxy_is_desktop_gl())
        glDepthRange(nearZ, farZ);
    else
        glDepthRangef(nearZ, farZ);
}

void ClearDepth(float depth)
{
    if (epoxy_is_desktop_gl())
        glClearDepth(depth);
    else
        glClearDepthf(depth);
}

bool ContextLost(const GLProfile_t& profile)
{
    if (profile.es)
        return false;
    GLenum status = GL_NO_ERROR;
    if (epoxy_gl_version() >= 45)
        status = glGetGraphicsResetStatus();
    else if (HasExtension("GL_ARB_robustness"))
        status = glGetGraphicsResetStatusARB();
    return status != GL_NO_ERROR;
}

std::size_t VideoMemoryBytes()
{
    GLint kilobytes[4] = {};
    if (HasExtension("GL_NVX_gpu_memory_info"))
        glGetIntegerv(GL_GPU_MEMORY_INFO_DEDICATED_VIDMEM_NVX, kilobytes);
    else if (HasExtension("GL_ATI_meminfo"))
        glGetIntegerv(GL_TEXTURE_FREE_MEMORY_ATI, kilobytes);
    return std::size_t(kilobytes[0] > 0 ? kilobytes[0] : 0) * 1024u;
}

bool HasExtension(const char* pName)
{
    return epoxy_has_gl_extension(pName);
}

} // namespace d3d9gl::glplatform
