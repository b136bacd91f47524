// The browser's GL context: WebGL 2 on a canvas named by its CSS selector. The device draws
// into its own back buffer and Present blits it to the canvas's default framebuffer; the
// browser shows the canvas once the frame's callback returns, so there is no swap call. The
// canvas keeps the last presented frame (preserveDrawingBuffer), so a page can read it at
// any time.

#include "d3d9gl/glapi.h"
#include "d3d9gl/glsurface.h"

#include <emscripten/html5.h>

#include <cstdio>

namespace d3d9gl
{
namespace
{

// Extensions the ES profile uses where present; each is enabled before DetectProfile asks.
constexpr const char* OPTIONAL_EXTENSIONS[] = {
    "EXT_color_buffer_float",
    "WEBGL_polygon_mode",
    "WEBGL_compressed_texture_s3tc",
    "EXT_texture_filter_anisotropic",
};

class WebSurface final : public GLSurface
{
public:
    WebSurface(std::string canvas, EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context)
        : m_Canvas(std::move(canvas)), m_Context(context)
    {
    }
    ~WebSurface() override { emscripten_webgl_destroy_context(m_Context); }
    void MakeCurrent() override
    {
        if (emscripten_webgl_get_current_context() != m_Context)
            emscripten_webgl_make_context_current(m_Context);
    }
    void Swap() override {}
    void DrawableSize(int& width, int& height) override
    {
        if (emscripten_get_canvas_element_size(m_Canvas.c_str(), &width, &height) !=
            EMSCRIPTEN_RESULT_SUCCESS)
            width = height = 0;
    }
    // The browser paces frames by its animation-frame callback.
    void SetSwapInterval(int) override {}

private:
    std::string m_Canvas;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE m_Context;
};

} // namespace

std::unique_ptr<GLSurface> CreateGLSurface(HWND window, std::string& error)
{
    const std::string canvas = reinterpret_cast<const char*>(window);
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.alpha = false;
    attributes.depth = true;
    attributes.stencil = true;
    attributes.antialias = false;
    attributes.preserveDrawingBuffer = true;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context(canvas.c_str(), &attributes);
    if (context <= 0)
    {
        error = "WebGL 2 is required; this browser offers none on " + canvas;
        return nullptr;
    }
    emscripten_webgl_make_context_current(context);
    for (const char* pName : OPTIONAL_EXTENSIONS)
        emscripten_webgl_enable_extension(context, pName);
    return std::make_unique<WebSurface>(canvas, context);
}

void ReportStartFailure(const std::string& reason)
{
    std::fprintf(stderr, "%s\n", reason.c_str());
}

void QueryRendererNames(std::string& renderer, std::string& vendor)
{
    // A context of its own would cost a canvas: the names come from the device's context
    // once there is one.
    if (emscripten_webgl_get_current_context() <= 0)
        return;
    ReadContextRendererNames(renderer, vendor);
}

} // namespace d3d9gl
