#pragma once
// The browser's input for the application: mouse and wheel on the canvas (moves and releases
// from the whole window, so a drag that leaves the canvas goes on and ends), touches on the
// canvas, keys from the whole window. Positions are mapped from the canvas's CSS pixels into
// the 1280 x 720 client area letterboxed in it, as the desktop maps window positions; a press,
// touch or wheel turn on a bar goes nowhere. Keys reach the GUI's handler, then the keyboard
// shortcuts that make sense in a page (F1 notes, F2 statistics, Page Up / Page Down lessons,
// Space pause); Esc, F5, F11 and F12 are left to the browser.

class Lumivia;

// The canvas's CSS selector.
inline constexpr const char* CANVAS_SELECTOR = "#canvas";

// Registers the callbacks; `app` must outlive the page.
void InstallWebInput(Lumivia& app);

// Sizes the canvas's backing store to its CSS size times the device pixel ratio, so the
// letterboxed picture is drawn at the display's resolution; nothing when it already is.
void FitCanvasToPage();
