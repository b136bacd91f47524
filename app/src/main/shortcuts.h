#pragma once
// The keyboard shortcuts, by virtual-key code: Esc quits, F1 notes, F2 statistics, F5 reloads
// the shaders, F12 saves a screenshot, Page Down / Page Up run the next / previous lesson,
// Space pauses. The platform calls this for a key press (not its repeats).

#include <cstdint>

class Lumivia;

// Other keys are left alone.
void HandleShortcut(Lumivia& app, uint32_t virtualKey);
