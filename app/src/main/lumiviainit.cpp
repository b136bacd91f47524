// The application's start on the back end linked into the program: the one place that
// asks the back end's factory for devices.

#include "main/lumivia.h"

bool Lumivia::Init(SDL_Window* pWindow, int width, int height)
{
    InitInput(pWindow, width, height);
    m_Renderer.Init(pWindow, width, height);
    InitGui();
    return true;
}
