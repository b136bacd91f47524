#pragma once
// The keyboard shortcuts: Esc quits, F1 notes, F2 statistics, F5 reloads the shaders, F12
// saves a screenshot, Page Down / Page Up run the next / previous lesson, Space pauses.

#include <SDL.h>

class Lumivia;

// Acts on a key press (not its repeats); other events are left alone.
void HandleShortcut(Lumivia& app, const SDL_Event& event);
