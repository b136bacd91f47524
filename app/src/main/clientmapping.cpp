#include "main/clientmapping.h"

#include "main/mainwindow.h"

#include "base/source/utility/letterbox.h"

#include <cmath>

namespace
{
using Halvex::Base::FitLetterbox;
using Halvex::Base::Letterbox;

Letterbox ClientBox(const WindowGeometry& geometry)
{
    return FitLetterbox(CLIENT_WIDTH, CLIENT_HEIGHT, geometry.drawableWidth,
                        geometry.drawableHeight);
}

// Drawable pixels per window coordinate along one axis.
float PixelsPerPoint(int drawable, int window)
{
    return window > 0 ? static_cast<float>(drawable) / static_cast<float>(window) : 1.0f;
}

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
} // namespace

WindowGeometry GetWindowGeometry(SDL_Window* pWindow)
{
    WindowGeometry geometry;
    SDL_GetWindowSize(pWindow, &geometry.windowWidth, &geometry.windowHeight);
    SDL_GL_GetDrawableSize(pWindow, &geometry.drawableWidth, &geometry.drawableHeight);
    return geometry;
}

bool WindowToClient(const WindowGeometry& geometry, float windowX, float windowY, float* pClientX,
                    float* pClientY)
{
    return Halvex::Base::TargetToPicture(
        ClientBox(geometry), CLIENT_WIDTH, CLIENT_HEIGHT,
        windowX * PixelsPerPoint(geometry.drawableWidth, geometry.windowWidth),
        windowY * PixelsPerPoint(geometry.drawableHeight, geometry.windowHeight), pClientX,
        pClientY);
}

void ClientToWindow(const WindowGeometry& geometry, float clientX, float clientY, float* pWindowX,
                    float* pWindowY)
{
    float x = 0.0f;
    float y = 0.0f;
    Halvex::Base::PictureToTarget(ClientBox(geometry), CLIENT_WIDTH, CLIENT_HEIGHT, clientX,
                                  clientY, &x, &y);
    *pWindowX = x / PixelsPerPoint(geometry.drawableWidth, geometry.windowWidth);
    *pWindowY = y / PixelsPerPoint(geometry.drawableHeight, geometry.windowHeight);
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
