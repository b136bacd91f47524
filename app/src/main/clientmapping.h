#pragma once
// The lessons' layout is a fixed 1280 x 720 client area, which the device shows letterboxed
// in a window of any size. Pointer positions arrive in window coordinates (points, which on
// a high-DPI display are fewer than the drawable's pixels) and are mapped back into the
// client area before the GUI sees them. The platform measures the window; the mapping is the
// same on every platform.

inline constexpr int CLIENT_WIDTH = 1280;
inline constexpr int CLIENT_HEIGHT = 720;

struct WindowGeometry
{
    int windowWidth = 0; // in window coordinates (points, CSS pixels)
    int windowHeight = 0;
    int drawableWidth = 0; // in pixels of the drawable
    int drawableHeight = 0;
};

// A window position in client pixels; false when it lies on a bar (the result then lies
// outside the client area).
bool WindowToClient(const WindowGeometry& geometry, float windowX, float windowY, float* pClientX,
                    float* pClientY);
// A client position in window coordinates.
void ClientToWindow(const WindowGeometry& geometry, float clientX, float clientY, float* pWindowX,
                    float* pWindowY);
