#pragma once
// Translation of the browser's input into toolkit events. The page's platform layer hands
// over the DOM events' own values (MouseEvent.button and .buttons, the wheel's deltas and
// deltaMode, KeyboardEvent.key and .code, the touches still held) with positions already in
// client pixels; the toolkit receives what the SDL handler makes of the same input.

#include "gui/hmsghandler.h"

#include <cstdint>
#include <vector>

namespace Halvex::HGui
{

// The phase of a DOM touch event; touchcancel ends like touchend.
enum class TouchPhase
{
    Start,
    Move,
    End,
};

class HMsgHandler_Web : public HMsgHandler_Common
{
public:
    explicit HMsgHandler_Web(HManager* pManager);

    // `domButtons`: MouseEvent.buttons (1 left, 2 right, 4 middle), the authoritative set.
    // Each returns 1 when the event became toolkit input, 0 when it is left to the page.
    int HandleMouseMove(uint32_t domButtons, uint32_t modifiers, const HVec2F& pos);
    // `type` is EVENT_MOUSE_PRESS or EVENT_MOUSE_RELEASE; `domButton` MouseEvent.button
    // (0 left, 1 middle, 2 right).
    int HandleMouseButton(uint32_t type, int domButton, uint32_t modifiers, const HVec2F& pos);
    // Deltas as the wheel event gives them (positive: towards the user, to the right) in the
    // unit of `deltaMode` (0 pixels, 1 lines, 2 pages). Whole notches reach the toolkit, 120
    // each, away from the user positive; a fraction waits for the next turn.
    int HandleWheel(double deltaX, double deltaY, uint32_t deltaMode, uint32_t modifiers,
                    const HVec2F& pos);
    // `type` is EVENT_KEY_PRESS or EVENT_KEY_RELEASE. A press of a key that types a
    // character also posts the character, as text input does on the desktop.
    int HandleKey(uint32_t type, const char* key, const char* code, uint32_t modifiers);
    // `held`: the points on the surface after the event, in the order they went down.
    int HandleTouch(TouchPhase phase, const std::vector<HVec2F>& held, uint32_t modifiers);

private:
    uint32_t m_HeldButtons = 0;
    // Wheel turns not yet a whole notch: vertical, horizontal.
    double m_WheelRest[2] = {0.0, 0.0};
    std::size_t m_HeldTouches = 0;
};

// The virtual-key code of a DOM key (letters as upper case, digits as themselves), or 0.
// `key` is KeyboardEvent.key; `code` (the physical key) tells the numeric keypad apart and
// names the key when `key` is a shifted symbol.
uint32_t VirtualKeyFromDom(const char* key, const char* code);

// MODIFIER_* bits of a DOM event's shiftKey, ctrlKey and altKey.
uint32_t ModifiersFromDom(bool shift, bool ctrl, bool alt);

} // namespace Halvex::HGui
