#include "main/mainwindow.h"

#include "main/lumivia.h"
#include "main/shortcuts.h"

#include "gui/hmsghandler_sdl.h"

#include <cstdio>

void ReportWindowCreationError()
{
    std::fprintf(stderr, "Window Creation Error. (%s)\n", SDL_GetError());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "ERROR", "Window Creation Error.", nullptr);
}

SDL_Window* CreateMainWindow()
{
    SDL_Window* pWindow =
        SDL_CreateWindow("Lumivia", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, CLIENT_WIDTH,
                         CLIENT_HEIGHT, SDL_WINDOW_OPENGL);
    if (!pWindow)
    {
        ReportWindowCreationError();
    }
    return pWindow;
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
    if (auto* pHandler =
            dynamic_cast<Halvex::HGui::HMsgHandler_SDL*>(app.GetGuiManager()->GetMsgHandler()))
    {
        pHandler->HandleEvent(event);
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
