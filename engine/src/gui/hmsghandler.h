#pragma once
// Input routing: a platform handler turns window input into toolkit events, and the common
// part decides which widget receives each one.

#include "gui/htypes.h"

#include <cstdint>
#include <vector>

namespace Halvex::HGui
{

class HManager;
class HObject;

class HMsgHandler
{
public:
    explicit HMsgHandler(HManager* pManager) : m_pManager(pManager) {}
    virtual ~HMsgHandler() = default;
    HMsgHandler(const HMsgHandler&) = delete;
    HMsgHandler& operator=(const HMsgHandler&) = delete;

    // Called when a widget sets or clears its capture flag.
    virtual void CaptureMouse() {}
    virtual void ReleaseMouse() {}

    HManager* GetManager() const { return m_pManager; }

protected:
    HManager* m_pManager;
};

class HMsgHandler_Common : public HMsgHandler
{
public:
    // A null manager raises an assertion; the handler then delivers nothing.
    explicit HMsgHandler_Common(HManager* pManager);

    // Updates the hover (leave, then enter) and sends the event to the hovered widget. A
    // move with buttons held stays with the widget where the drag started; wheel turns go
    // to the manager when nothing is hovered, presses and moves are then dropped. For the
    // wheel (type 31) `button` carries the delta as a signed 16-bit value.
    void PostMouseEvent(uint32_t type, uint32_t modifiers, uint32_t button, uint32_t buttons,
                        const HVec2F& pos);
    // Keys follow the mouse: the hovered widget, else the manager.
    void PostKeyEvent(uint32_t type, uint32_t modifiers, uint32_t key);
    // `points` are the touch points held, in window pixels. The widget under the first point
    // of a begin (else the manager) receives the whole gesture up to its end.
    void PostTouchEvent(uint32_t type, uint32_t modifiers, const std::vector<HVec2F>& points);
    // Typed text (UTF-8) as key presses of its UTF-16 code units, as character messages carry
    // them; malformed sequences are skipped byte by byte. 1 when a unit was posted, else 0.
    int PostText(uint32_t modifiers, const char* pUtf8);
    // A wheel turn of `notches` whole notches (away from the user positive) as one wheel
    // event; 0 when there is no turn, else 1.
    int PostWheel(int notches, uint32_t modifiers, uint32_t buttons, const HVec2F& pos);
    // A window position in the toolkit's units, by the manager's input scale.
    HVec2F ScaledPos(float x, float y) const;

private:
    HObject* m_pTouchTarget = nullptr;
};

} // namespace Halvex::HGui
