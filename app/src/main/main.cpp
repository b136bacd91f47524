// Lumivia: the entry point. A program that can not start says why and exits with a
// failing code.

#include "main/lumivia.h"
#include "main/mainwindow.h"
#include "main/startupfailure.h"

#include "base/source/system/directory.h"

int main(int, char**)
{
    // Data and shaders are found relative to the executable's folder.
    Halvex::Base::SetCurrentDirectory(Halvex::Base::GetModuleDirectory());
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
    {
        return ReportVideoFailure();
    }
    SDL_Window* pWindow = CreateMainWindow();
    if (!pWindow)
    {
        const int failed = ReportWindowFailure();
        SDL_Quit();
        return failed;
    }
    int exitCode = 0;
    {
        Lumivia app;
        SDL_ClearError();
        app.Init(pWindow, CLIENT_WIDTH, CLIENT_HEIGHT);
        exitCode = app.GetRenderer()->GetDevice() ? RunMainLoop(app) : ReportDeviceFailure();
    }
    SDL_DestroyWindow(pWindow);
    SDL_Quit();
    return exitCode;
}
