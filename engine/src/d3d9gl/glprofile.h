#pragma once
// What the current GL context offers d3d9gl, decided once per device. Desktop GL 3.3 core
// has everything below that its version or extensions give; the ES profile (OpenGL ES 3.0,
// held to WebGL 2's feature set) has none of the desktop-only features, whatever the driver
// would also offer, so the native ES run behaves as a browser does.

#include "d3d9gl/d3d9types.h"
#include "d3d9gl/glapi.h"

#include <cstddef>

namespace d3d9gl
{

struct GLProfile_t
{
    bool es;               // OpenGL ES 3.0 / WebGL 2
    int version;           // 33 for 3.3, 45 for 4.5, ...; 30 on ES
    bool clipControl;      // glClipControl: Direct3D's clip space without the vertex epilogue
    bool mirrorClamp;      // GL_MIRROR_CLAMP_TO_EDGE
    bool bgra;             // GL_BGRA texel and vertex layouts, texture swizzles
    bool samplerExtras;    // CLAMP_TO_BORDER and the LOD bias sampler parameter
    bool anisotropy;       // GL_TEXTURE_MAX_ANISOTROPY_EXT
    bool colorBufferFloat; // float colour targets (always on the desktop)
    bool debugOutput;      // KHR_debug
    bool pointFill;        // point fill mode by the rasteriser (with polygonMode)
    // Calls the context may lack, null where it does.
    // Fill mode GL_LINE, GL_FILL (or GL_POINT where pointFill) for both faces.
    void (*polygonMode)(GLenum mode);
    void (*drawElementsBaseVertex)(GLenum mode, GLsizei count, GLenum type, const void* pOffset,
                                   GLsizei instances, GLint baseVertex);
    // Copies `size` bytes to `offset` of the buffer bound at `target` through an
    // unsynchronised range map; false when the map fails. (WebGL maps only whole buffers.)
    bool (*mapWrite)(GLenum target, GLintptr offset, const void* pData, GLsizeiptr size);
    // A whole texture level (of a cube face) into pPixels.
    void (*getTexImage)(GLenum target, GLint level, GLenum format, GLenum type, void* pPixels);
};

// The desktop-only or web-only GL calls, one implementation per platform
// (desktop/gldesktop.cpp, web/glweb.cpp).
namespace glplatform
{

// The profile of the current context.
GLProfile_t DetectProfile();
// Turns on what the profile offers: debug output (reported through pOnError(pUser, text)),
// Direct3D's clip space, first-vertex flat shading, shader-written point sizes.
void SetUp(const GLProfile_t& profile, void (*pOnError)(void*, const char*), void* pUser);
// glDepthRange / glClearDepth, or their float forms on ES.
void DepthRange(float nearZ, float farZ);
void ClearDepth(float depth);
// True once the context reports a reset.
bool ContextLost(const GLProfile_t& profile);
// Dedicated video memory in bytes where the driver tells it, else 0.
std::size_t VideoMemoryBytes();
bool HasExtension(const char* pName);

} // namespace glplatform

} // namespace d3d9gl
