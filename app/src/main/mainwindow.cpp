#include "main/mainwindow.h"

#include "main/clientmapping.h"
#include "main/lumivia.h"
#include "main/shortcuts.h"

#include "gui/hmsghandler_sdl.h"

namespace
{
void ToggleFullscreen(SDL_Window* pWindow)
{
    if (pWindow)
    {
        const bool full = SDL_GetWindowFlags(pWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP;
        SDL_SetWindowFullscreen(pWindow, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
}

// Minimised, the window has nothing to show; the loop then sleeps until an event comes.
bool IsMinimised()
{
    SDL_Window* pWindow = SDL_GL_GetCurrentWindow(); // the window the device draws into
    if (!pWindow)
    {
        return false;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(pWindow, &width, &height);
    return (SDL_GetWindowFlags(pWindow) & SDL_WINDOW_MINIMIZED) || width <= 0 || height <= 0;
}
} // namespace

SDL_Window* CreateMainWindow(int width, int height)
{
    return SDL_CreateWindow("Lumivia", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                            height,
                            SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
}

bool DispatchEvent(Lumivia& app, const SDL_Event& event)
{
    if (event.type == SDL_QUIT)
    {
        return false;
    }
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)
    {
        return false;
    }
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_F11 && !event.key.repeat)
    {
        ToggleFullscreen(SDL_GetWindowFromID(event.key.windowID));
        return true;
    }
    SDL_Event mapped = event;
    if (!MapEventToClient(mapped))
    {
        return true; // on the black bars around the picture
    }
    if (auto* pHandler =
            dynamic_cast<Halvex::HGui::HMsgHandler_SDL*>(app.GetGuiManager()->GetMsgHandler()))
    {
        pHandler->HandleEvent(mapped);
    }
    HandleShortcut(app, event);
    return !app.IsQuitRequested();
}

bool RunIdleTurn(Lumivia& app)
{
    SDL_Event event;
    if (SDL_PollEvent(&event))
    {
        return DispatchEvent(app, event);
    }
    if (IsMinimised())
    {
        return !SDL_WaitEvent(&event) || DispatchEvent(app, event);
    }
    app.Update();
    app.Render();
    return true;
}

int RunMainLoop(Lumivia& app)
{
    while (RunIdleTurn(app))
    {
    }
    return 0;
}
