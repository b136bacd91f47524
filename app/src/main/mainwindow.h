#pragma once
// The program's window and message loop on SDL: the window opens centred with a 1280 x 720
// client area and may be resized, maximised or made fullscreen (F11); the lessons keep
// their 1280 x 720 layout, which the device shows letterboxed. Every waiting event goes to
// the GUI's input handler first, its pointer position mapped into the client area, and
// whenever none is waiting the application runs one update and one render (none while the
// window is minimised: the loop then waits for events).

#include "main/clientmapping.h"

#include <SDL.h>

class Lumivia;

// Null when the window can not be created; SDL's error says why. The caller has
// initialised SDL video. The size is the window's in window coordinates; a high-DPI display
// gives it a larger drawable.
SDL_Window* CreateMainWindow(int width = CLIENT_WIDTH, int height = CLIENT_HEIGHT);

WindowGeometry GetWindowGeometry(SDL_Window* pWindow);

// Rewrites the event's pointer position into the client area. False when the event is to go
// nowhere: a press, a touch or a wheel turn on a bar. Moves and releases on a bar are kept
// (outside the client area), so that a drag that leaves the picture goes on and ends.
bool MapEventToClient(SDL_Event& event);

// Hands one event to the application's input handler, then to its keyboard shortcuts. False
// when the event ends the program (quit, the window closing, or Esc).
bool DispatchEvent(Lumivia& app, const SDL_Event& event);

// Polls one waiting event and dispatches it, or, when none is waiting, runs one update and
// one render. False once the program is to end.
bool RunIdleTurn(Lumivia& app);

// Runs turns until the program ends; returns the exit code.
int RunMainLoop(Lumivia& app);
