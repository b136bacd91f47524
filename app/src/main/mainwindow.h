#pragma once
// The program's window and message loop on SDL: the window is a fixed 1280 x 720 client
// area, centred; every waiting event goes to the GUI's input handler first, and whenever
// none is waiting the application runs one update and one render.

#include <SDL.h>

class Lumivia;

inline constexpr int CLIENT_WIDTH = 1280;
inline constexpr int CLIENT_HEIGHT = 720;

// Shows "Window Creation Error." in a message box and writes it, with SDL's reason, to
// standard error (where no message box can be shown).
void ReportWindowCreationError();

// Null (after ReportWindowCreationError) when the window can not be created. The caller
// has initialised SDL video.
SDL_Window* CreateMainWindow();

// Hands one event to the application's input handler, then to its keyboard shortcuts. False
// when the event ends the program (quit, the window closing, or Esc).
bool DispatchEvent(Lumivia& app, const SDL_Event& event);

// Polls one waiting event and dispatches it, or, when none is waiting, runs one update and
// one render. False once the program is to end.
bool RunIdleTurn(Lumivia& app);

// Runs turns until the program ends; returns the exit code.
int RunMainLoop(Lumivia& app);
