#include "main/startupfailure.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace
{
// The headless drivers have no screen to show a box on.
bool HasDisplay()
{
    const char* pDriver = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return !pDriver ||
           (std::strcmp(pDriver, "offscreen") != 0 && std::strcmp(pDriver, "dummy") != 0);
}

std::string SdlReason()
{
    const std::string error = SDL_GetError();
    return error.empty() ? "no reason given, see the diagnostics above" : error;
}
} // namespace

int ReportVideoFailure()
{
    return ReportStartupFailure("SDL could not start its video system",
                                SdlReason() + "; a display (X11 or Wayland) is needed, or "
                                              "SDL_VIDEODRIVER=offscreen for the lesson tour");
}

int ReportWindowFailure()
{
    return ReportStartupFailure("the window could not be opened",
                                SdlReason() + "; a display with OpenGL support is needed");
}

int ReportDeviceFailure()
{
    return ReportStartupFailure("the render device could not be created", SdlReason());
}

int ReportStartupFailure(const std::string& what, const std::string& reason)
{
    const std::string line = "Lumivia can not start: " + what + ": " + reason;
    std::fprintf(stderr, "%s\n", line.c_str());
    if (HasDisplay())
    {
        // Fails quietly where no display server answers.
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Lumivia", line.c_str(), nullptr);
    }
    return EXIT_STARTUP_FAILED;
}
