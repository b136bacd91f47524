// The browser's WebGL 2 in place of the desktop-only GL calls: the ES profile, with polygon
// modes where the browser offers WEBGL_polygon_mode (which emscripten reaches from
// JavaScript only).

#include "d3d9gl/glprofile.h"

#include <emscripten.h>
#include <emscripten/html5.h>

namespace d3d9gl::glplatform
{
namespace
{

// clang-format off
EM_JS(int, d3d9gl_has_extension, (const char* pName), {
    return GLctx.getExtension(UTF8ToString(pName)) ? 1 : 0;
});

EM_JS(void, d3d9gl_polygon_mode, (int mode), {
    GLctx.getExtension("WEBGL_polygon_mode").polygonModeWEBGL(GLctx.FRONT_AND_BACK, mode);
});
// clang-format on

void PolygonMode(GLenum mode)
{
    d3d9gl_polygon_mode(int(mode));
}

} // namespace

GLProfile_t DetectProfile()
{
    GLProfile_t profile = {};
    profile.es = true;
    profile.version = 30;
    profile.colorBufferFloat = HasExtension("EXT_color_buffer_float");
    profile.anisotropy = HasExtension("EXT_texture_filter_anisotropic");
    // Lines and fill only: WEBGL_polygon_mode has no point mode.
    if (HasExtension("WEBGL_polygon_mode"))
        profile.polygonMode = PolygonMode;
    return profile;
}

void SetUp(const GLProfile_t&, void (*)(void*, const char*), void*)
{
    // WebGL has no debug output (errors come from glGetError), always takes the point size
    // from the shader and has no clip control or provoking-vertex choice.
}

void DepthRange(float nearZ, float farZ)
{
    glDepthRangef(nearZ, farZ);
}

void ClearDepth(float depth)
{
    glClearDepthf(depth);
}

bool ContextLost(const GLProfile_t&)
{
    return emscripten_is_webgl_context_lost(emscripten_webgl_get_current_context()) != 0;
}

std::size_t VideoMemoryBytes()
{
    return 0; // browsers do not tell
}

bool HasExtension(const char* pName)
{
    return d3d9gl_has_extension(pName) != 0;
}

} // namespace d3d9gl::glplatform
