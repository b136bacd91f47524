// Lumivia: the entry point.

#include "main/lumivia.h"
#include "main/mainwindow.h"

#include "base/source/system/directory.h"

#include <cstdio>

int main(int, char**)
{
    // Data and shaders are found relative to the executable's folder.
    Halvex::Base::SetCurrentDirectory(Halvex::Base::GetModuleDirectory());
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
    {
        std::fprintf(stderr, "Window Creation Error. (%s)\n", SDL_GetError());
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "ERROR", "Window Creation Error.",
                                 nullptr);
        return 0;
    }
    SDL_Window* pWindow = CreateMainWindow();
    if (!pWindow)
    {
        SDL_Quit();
        return 0;
    }
    int exitCode = 0;
    {
        Lumivia app;
        app.Init(pWindow, CLIENT_WIDTH, CLIENT_HEIGHT);
        exitCode = RunMainLoop(app);
    }
    SDL_DestroyWindow(pWindow);
    SDL_Quit();
    return exitCode;
}
