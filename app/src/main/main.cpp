// Lumivia: the entry point.

#include "main/lumivia.h"
#include "main/mainwindow.h"

#include "base/source/system/directory.h"

int main(int, char**)
{
    // Data and shaders are found relative to the executable's folder.
    Halvex::Base::SetCurrentDirectory(Halvex::Base::GetModuleDirectory());
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
    {
        ReportWindowCreationError();
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
