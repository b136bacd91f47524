#include "main/mainwindow.h"

#include "main/lumivia.h"
#include "main/shortcuts.h"

#include "gui/hmsghandler_sdl.h"

#include <cmath>

namespace
{
// Maps an integer position in place; false when it lies on a bar.
bool MapPoint(const WindowGeometry& geometry, Sint32* pX, Sint32* pY)
{
    float x = 0.0f;
    float y = 0.0f;
    const bool inside =
        WindowToClient(geometry, static_cast<float>(*pX), static_cast<float>(*pY), &x, &y);
    *pX = static_cast<Sint32>(std::floor(x));
    *pY = static_cast<Sint32>(std::floor(y));
    return inside;
}

// Touch positions are fractions of the window; the GUI's handler scales them by the window
// size, so the client position is handed over as a fraction of the window too.
bool MapFinger(const WindowGeometry& geometry, SDL_TouchFingerEvent& finger)
{
    float x = 0.0f;
    float y = 0.0f;
    const bool inside =
        WindowToClient(geometry, finger.x * static_cast<float>(geometry.windowWidth),
                       finger.y * static_cast<float>(geometry.windowHeight), &x, &y);
    finger.x = x / static_cast<float>(geometry.windowWidth);
    finger.y = y / static_cast<float>(geometry.windowHeight);
    return inside || finger.type != SDL_FINGERDOWN;
}

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

WindowGeometry GetWindowGeometry(SDL_Window* pWindow)
{
    WindowGeometry geometry;
    SDL_GetWindowSize(pWindow, &geometry.windowWidth, &geometry.windowHeight);
    SDL_GL_GetDrawableSize(pWindow, &geometry.drawableWidth, &geometry.drawableHeight);
    return geometry;
}

bool MapEventToClient(SDL_Event& event)
{
    Uint32 windowId = 0;
    switch (event.type)
    {
    case SDL_MOUSEMOTION:
        windowId = event.motion.windowID;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        windowId = event.button.windowID;
        break;
    case SDL_MOUSEWHEEL:
        windowId = event.wheel.windowID;
        break;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP:
        windowId = event.tfinger.windowID;
        break;
    default:
        return true;
    }
    SDL_Window* pWindow = SDL_GetWindowFromID(windowId);
    if (!pWindow)
    {
        return true; // not one of ours: nothing to map against
    }
    const WindowGeometry geometry = GetWindowGeometry(pWindow);
    switch (event.type)
    {
    case SDL_MOUSEMOTION:
        MapPoint(geometry, &event.motion.x, &event.motion.y);
        return true;
    case SDL_MOUSEBUTTONDOWN:
        return MapPoint(geometry, &event.button.x, &event.button.y);
    case SDL_MOUSEBUTTONUP:
        MapPoint(geometry, &event.button.x, &event.button.y);
        return true;
    case SDL_MOUSEWHEEL:
        return MapPoint(geometry, &event.wheel.mouseX, &event.wheel.mouseY);
    default:
        return MapFinger(geometry, event.tfinger);
    }
}

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
    if (event.type == SDL_KEYDOWN && event.key.repeat == 0)
    {
        HandleShortcut(app, Halvex::HGui::VirtualKeyFromSdl(event.key.keysym.sym));
    }
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
