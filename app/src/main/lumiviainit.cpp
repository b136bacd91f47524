// The application's start on the back end linked into the program: the one place that
// asks the back end's factory for devices.

#include "main/lumivia.h"

#include "gui/hmsghandler.h"

#include <utility>

bool Lumivia::Init(std::unique_ptr<Halvex::HGui::HMsgHandler> pInput, void* pWindow, int width,
                   int height)
{
    InitInput(std::move(pInput), width, height);
    m_Renderer.Init(pWindow, width, height);
    InitGui();
    return true;
}
