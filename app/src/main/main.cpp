// Lumivia: the entry point.

#include "main/commandline.h"
#include "main/lumivia.h"
#include "main/mainwindow.h"

#include "base/source/system/directory.h"

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
        app.RunLesson(command.m_LessonIndex);
        exitCode = RunMainLoop(app);
    }
    SDL_DestroyWindow(pWindow);
    SDL_Quit();
    return exitCode;
}
