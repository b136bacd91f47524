// The desktop's GL context: SDL on the application's window. D3D9GL_PROFILE=es asks for
// OpenGL ES 3.0 instead of desktop GL 3.3 core, to run the web's GL path natively.

#include "d3d9gl/glapi.h"
#include "d3d9gl/glsurface.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <cstring>

namespace d3d9gl
{
namespace
{

bool WantsES()
{
    const char* pProfile = std::getenv("D3D9GL_PROFILE");
    return pProfile && std::strcmp(pProfile, "es") == 0;
}

void RequestContext()
{
    const bool es = WantsES();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK,
                        es ? SDL_GL_CONTEXT_PROFILE_ES : SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, es ? 0 : 3);
}

const char* RequiredContext()
{
    return WantsES() ? "OpenGL ES 3.0 is required; " : "OpenGL 3.3 core profile is required; ";
}

bool Sufficient()
{
    return WantsES() ? !epoxy_is_desktop_gl() && epoxy_gl_version() >= 30
                     : epoxy_is_desktop_gl() && epoxy_gl_version() >= 33;
}

// The version a context of the driver's own choosing reports ("2.1 Mesa ..."), for a message
// that says what the driver offers; empty when it offers no context at all.
std::string OfferedVersion(SDL_Window* pWindow)
{
    SDL_GL_ResetAttributes();
    std::string version;
    if (SDL_GLContext context = SDL_GL_CreateContext(pWindow))
    {
        if (const GLubyte* pVersion = glGetString(GL_VERSION))
            version = reinterpret_cast<const char*>(pVersion);
        SDL_GL_DeleteContext(context);
    }
    RequestContext();
    return version;
}

class SDLSurface final : public GLSurface
{
public:
    SDLSurface(SDL_Window* pWindow, SDL_GLContext context) : m_pWindow(pWindow), m_Context(context)
    {
    }
    ~SDLSurface() override { SDL_GL_DeleteContext(m_Context); }
    void MakeCurrent() override
    {
        if (SDL_GL_GetCurrentContext() != m_Context)
            SDL_GL_MakeCurrent(m_pWindow, m_Context);
    }
    void Swap() override { SDL_GL_SwapWindow(m_pWindow); }
    void DrawableSize(int& width, int& height) override
    {
        SDL_GL_GetDrawableSize(m_pWindow, &width, &height);
    }
    void SetSwapInterval(int interval) override { SDL_GL_SetSwapInterval(interval); }

private:
    SDL_Window* m_pWindow;
    SDL_GLContext m_Context;
};

} // namespace

std::unique_ptr<GLSurface> CreateGLSurface(HWND window, std::string& error)
{
    auto* pWindow = reinterpret_cast<SDL_Window*>(window);
    RequestContext();
    SDL_GLContext context = SDL_GL_CreateContext(pWindow);
    if (!context)
    {
        const std::string reason = SDL_GetError();
        const std::string offered = OfferedVersion(pWindow);
        error = RequiredContext() + (offered.empty()
                                         ? "the driver offers no OpenGL context (" + reason + ")"
                                         : "this driver offers " + offered);
        return nullptr;
    }
    if (!Sufficient())
    {
        const auto* pVersion = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        SDL_GL_DeleteContext(context);
        error = std::string(RequiredContext()) + "this driver offers " +
                (pVersion ? pVersion : "an unknown version");
        return nullptr;
    }
    return std::make_unique<SDLSurface>(pWindow, context);
}

void ReportStartFailure(const std::string& reason)
{
    SDL_SetError("%s", reason.c_str());
}

void QueryRendererNames(std::string& renderer, std::string& vendor)
{
    const bool startedVideo = !SDL_WasInit(SDL_INIT_VIDEO);
    if (startedVideo && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return;
    SDL_Window* pPreviousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    RequestContext();
    SDL_Window* pWindow = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (pWindow)
    {
        if (SDL_GLContext context = SDL_GL_CreateContext(pWindow))
        {
            ReadContextRendererNames(renderer, vendor);
            SDL_GL_DeleteContext(context);
        }
        SDL_DestroyWindow(pWindow);
    }
    if (previousContext)
        SDL_GL_MakeCurrent(pPreviousWindow, previousContext);
    if (startedVideo)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace d3d9gl
