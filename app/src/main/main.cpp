// Lumivia: the entry point. A program that can not start says why and exits with a
// failing code.

#include "main/commandline.h"
#include "main/lumivia.h"
#include "main/mainwindow.h"
#include "main/startupfailure.h"

#include "base/source/system/directory.h"
#include "gui/hmsghandler_sdl.h"

#include <memory>

int main(int argc, char** argv)
{
    const CommandLine_t command = ParseCommandLine(argc, argv, stdout, stderr);
    if (command.m_Exit)
    {
        return command.m_ExitCode;
    }
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
        app.Init(std::make_unique<Halvex::HGui::HMsgHandler_SDL>(app.GetGuiManager(), pWindow),
                 pWindow, CLIENT_WIDTH, CLIENT_HEIGHT);
        if (!app.GetRenderer()->GetDevice())
        {
            exitCode = ReportDeviceFailure();
        }
        else
        {
            app.RunLesson(command.m_LessonIndex);
            exitCode = RunMainLoop(app);
        }
    }
    SDL_DestroyWindow(pWindow);
    SDL_Quit();
    return exitCode;
}
