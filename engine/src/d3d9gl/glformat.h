#pragma once
// How each Direct3D texture format is stored in GL: internal format, the client layout
// that matches Direct3D's memory bytes, and the swizzle that gives missing channels
// Direct3D's values.

#include "d3d9gl/d3d9types.h"

#include "d3d9gl/glapi.h"

namespace d3d9gl
{

struct GLFormat_t
{
    D3DFORMAT format;
    GLenum internalFormat;
    GLenum clientFormat; // layout of Direct3D's bytes for glTexImage / glGetTexImage
    GLenum clientType;
    GLint swizzle[4];
    // The layout of the texels GL receives: D3DFMT_UNKNOWN for the format's own, else the
    // format the CPU converts them to first (DXT decoded, BGRA reordered on ES, ...).
    D3DFORMAT upload;
    bool renderable; // usable as a colour render target
};

// The GL storage of a texture (renderTarget false) or render-target format on desktop GL or
// on OpenGL ES, or null when it is not supported. A format that cannot render still has an
// entry for render targets, which says so.
const GLFormat_t* GetGLFormat(D3DFORMAT format, bool es, bool renderTarget);

struct GLDepthFormat_t
{
    D3DFORMAT format;
    GLenum internalFormat;
    bool stencil;
};

// The renderbuffer format of a depth-stencil format, or null.
const GLDepthFormat_t* GetGLDepthFormat(D3DFORMAT format, bool es);

} // namespace d3d9gl
