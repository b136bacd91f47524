#include "main/clientmapping.h"

#include "base/source/utility/letterbox.h"

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
} // namespace

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
