// The program that can not start says what failed and what it needs, and exits non-zero.
// Each failure is forced from outside: a video driver SDL does not have, a driver without
// OpenGL windows, and a driver that offers only an old OpenGL.

#include "ProcessRun.h"

#include <gtest/gtest.h>

TEST(StartupFailure, PrintsWhatFailedAndExitsNonZero)
{
    const std::pair<const char*, const char*> cases[] = {
        {"SDL_VIDEODRIVER=nosuch",
         "Lumivia can not start: SDL could not start its video system: nosuch"},
        {"SDL_VIDEODRIVER=dummy", "Lumivia can not start: the window could not be opened"},
        {"SDL_VIDEODRIVER=offscreen MESA_GL_VERSION_OVERRIDE=2.1",
         "Lumivia can not start: the render device could not be created: OpenGL 3.3 core profile "
         "is required; this driver offers 2.1"},
    };
    for (const auto& [environment, expected] : cases)
    {
        // No display server is named, so no message box can wait for a click; a driver that
        // ignores the version override would start the program, which the time limit ends.
        const ProcessResult run = RunCommand(std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") +
                                             environment + " timeout 20 " + LUMIVIA_EXE);
        EXPECT_EQ(run.exitCode, 1) << environment << run.output;
        EXPECT_NE(run.output.find(expected), std::string::npos) << run.output;
    }
}
