#pragma once
// What the program says when it can not start: one line on standard error naming what
// failed and what is needed, the same text in a message box where a display exists, and
// a failing exit code for the caller to return. The reason in each line is SDL's error,
// which the device layer also sets when it turns a driver down.

#include <string>

// The exit code of a program that could not start.
inline constexpr int EXIT_STARTUP_FAILED = 1;

// SDL_Init of the video subsystem failed.
int ReportVideoFailure();
// The main window could not be opened.
int ReportWindowFailure();
// The window opened but no render device could be made for it.
int ReportDeviceFailure();

// `what` names the step that failed, `reason` says why and what is needed. Returns
// EXIT_STARTUP_FAILED.
int ReportStartupFailure(const std::string& what, const std::string& reason);
