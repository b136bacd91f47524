#pragma once
// The window side of a device: the GL context on an SDL window (desktop) or a canvas (web).

#include "d3d9gl/d3d9types.h"

#include <memory>
#include <string>

namespace d3d9gl
{

class GLSurface
{
public:
    virtual ~GLSurface() = default; // deletes the context
    // Makes the context current where another one is.
    virtual void MakeCurrent() = 0;
    // Shows the default framebuffer's contents (a swap on the desktop; the browser shows
    // the canvas after the frame's callback on its own).
    virtual void Swap() = 0;
    // The default framebuffer's size in pixels; 0 x 0 when nothing is shown.
    virtual void DrawableSize(int& width, int& height) = 0;
    // Direct3D's presentation interval as a swap interval (0 immediate, 1 every retrace).
    virtual void SetSwapInterval(int interval) = 0;
};

// Creates the context on `window` (an SDL_Window* with SDL_WINDOW_OPENGL on the desktop, the
// canvas's CSS selector as a const char* on the web) and makes it current. Null, with the
// reason in `error`, where none of the GL d3d9gl needs is offered.
std::unique_ptr<GLSurface> CreateGLSurface(HWND window, std::string& error);

// Leaves a start failure's reason where the program's start-up reads it.
void ReportStartFailure(const std::string& reason);

// The renderer and the vendor with its version, from a short-lived context where that
// costs a context of its own.
void QueryRendererNames(std::string& renderer, std::string& vendor);

// The same names read from the current context.
void ReadContextRendererNames(std::string& renderer, std::string& vendor);

} // namespace d3d9gl
