#pragma once
// The lessons' layout is a fixed 1280 x 720 client area, which the device shows letterboxed
// in a window of any size. Pointer positions arrive in window coordinates (points, which on
// a high-DPI display are fewer than the drawable's pixels) and are mapped back into the
// client area before the GUI sees them.

#include <SDL.h>

struct WindowGeometry
{
    int windowWidth = 0; // SDL_GetWindowSize
    int windowHeight = 0;
    int drawableWidth = 0; // SDL_GL_GetDrawableSize
    int drawableHeight = 0;
};

WindowGeometry GetWindowGeometry(SDL_Window* pWindow);

// A window position in client pixels; false when it lies on a bar (the result then lies
// outside the client area).
bool WindowToClient(const WindowGeometry& geometry, float windowX, float windowY, float* pClientX,
                    float* pClientY);
// A client position in window coordinates.
void ClientToWindow(const WindowGeometry& geometry, float clientX, float clientY, float* pWindowX,
                    float* pWindowY);

// Rewrites the event's pointer position into the client area. False when the event is to go
// nowhere: a press, a touch or a wheel turn on a bar. Moves and releases on a bar are kept
// (outside the client area), so that a drag that leaves the picture goes on and ends.
bool MapEventToClient(SDL_Event& event);
