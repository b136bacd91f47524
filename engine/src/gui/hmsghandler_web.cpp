#include "gui/hmsghandler_web.h"

#include "gui/hevent.h"
#include "gui/hmanager.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

namespace Halvex::HGui
{
namespace
{
// Wheel units of one notch for deltaMode pixels, lines and pages.
constexpr double UNITS_PER_NOTCH[] = {100.0, 3.0, 1.0};

struct NamedKey
{
    std::string_view name;
    uint32_t virtualKey;
};

// KeyboardEvent.key names of keys that type nothing.
constexpr NamedKey KEY_NAMES[] = {
    {"Backspace", 0x08}, {"Tab", 0x09},       {"Enter", 0x0D},    {"Shift", 0x10},
    {"Control", 0x11},   {"Alt", 0x12},       {"Pause", 0x13},    {"CapsLock", 0x14},
    {"Escape", 0x1B},    {"PageUp", 0x21},    {"PageDown", 0x22}, {"End", 0x23},
    {"Home", 0x24},      {"ArrowLeft", 0x25}, {"ArrowUp", 0x26},  {"ArrowRight", 0x27},
    {"ArrowDown", 0x28}, {"Insert", 0x2D},    {"Delete", 0x2E},
};

// KeyboardEvent.code names of the keypad's keys (whatever NumLock makes them type) and of
// the punctuation keys, which a shifted symbol is known by.
constexpr NamedKey CODE_NAMES[] = {
    {"NumpadMultiply", 0x6A}, {"NumpadAdd", 0x6B},    {"NumpadSubtract", 0x6D},
    {"NumpadDecimal", 0x6E},  {"NumpadDivide", 0x6F}, {"NumpadEnter", 0x0D},
    {"Semicolon", 0xBA},      {"Equal", 0xBB},        {"Comma", 0xBC},
    {"Minus", 0xBD},          {"Period", 0xBE},       {"Slash", 0xBF},
    {"Backquote", 0xC0},      {"BracketLeft", 0xDB},  {"Backslash", 0xDC},
    {"BracketRight", 0xDD},   {"Quote", 0xDE},        {"Space", 0x20},
};

// The unshifted punctuation characters, in the order of their codes above.
constexpr std::string_view PUNCTUATION = ";=,-./`[\\]' ";

uint32_t Lookup(const NamedKey* pBegin, const NamedKey* pEnd, std::string_view name)
{
    const NamedKey* pFound =
        std::find_if(pBegin, pEnd, [&](const NamedKey& entry) { return entry.name == name; });
    return pFound == pEnd ? 0 : pFound->virtualKey;
}

// Letters, digits and unshifted punctuation by the character typed.
uint32_t VirtualKeyFromCharacter(char c)
{
    if (c >= 'a' && c <= 'z')
    {
        return static_cast<uint32_t>(c - 'a' + 'A');
    }
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
    {
        return static_cast<uint32_t>(c);
    }
    const std::size_t at = PUNCTUATION.find(c);
    return at == std::string_view::npos ? 0 : CODE_NAMES[6 + at].virtualKey;
}

// "KeyA", "Digit1", "Numpad1", "F1" and the names of the tables, by the physical key.
uint32_t VirtualKeyFromCode(std::string_view code)
{
    const auto suffix = [&](std::string_view prefix, char low, char high) -> int
    {
        return code.size() == prefix.size() + 1 && code.starts_with(prefix) && code.back() >= low &&
                       code.back() <= high
                   ? code.back() - low
                   : -1;
    };
    if (const int letter = suffix("Key", 'A', 'Z'); letter >= 0)
    {
        return static_cast<uint32_t>('A' + letter);
    }
    if (const int digit = suffix("Digit", '0', '9'); digit >= 0)
    {
        return static_cast<uint32_t>('0' + digit);
    }
    if (const int digit = suffix("Numpad", '0', '9'); digit >= 0)
    {
        return static_cast<uint32_t>(0x60 + digit); // VK_NUMPAD0..VK_NUMPAD9
    }
    return Lookup(std::begin(CODE_NAMES), std::end(CODE_NAMES), code);
}

// The function keys F1..F12; 0 for anything else.
uint32_t FunctionKey(std::string_view key)
{
    if (key.size() < 2 || key.size() > 3 || key[0] != 'F')
    {
        return 0;
    }
    int number = 0;
    for (char c : key.substr(1))
    {
        if (c < '0' || c > '9')
        {
            return 0;
        }
        number = number * 10 + (c - '0');
    }
    return number >= 1 && number <= 12 ? 0x6F + static_cast<uint32_t>(number) : 0;
}

// A key that types one character: a single byte, or a multi-byte UTF-8 sequence; named keys
// ("Enter", "Dead") are ASCII words.
bool TypesCharacter(std::string_view key)
{
    return key.size() == 1 || (!key.empty() && static_cast<unsigned char>(key[0]) >= 0x80);
}
} // namespace

uint32_t VirtualKeyFromDom(const char* key, const char* code)
{
    const std::string_view keyName = key ? key : "";
    const std::string_view codeName = code ? code : "";
    if (codeName.starts_with("Numpad"))
    {
        return VirtualKeyFromCode(codeName);
    }
    if (const uint32_t named = Lookup(std::begin(KEY_NAMES), std::end(KEY_NAMES), keyName))
    {
        return named;
    }
    if (const uint32_t function = FunctionKey(keyName))
    {
        return function;
    }
    const uint32_t typed = keyName.size() == 1 ? VirtualKeyFromCharacter(keyName[0]) : 0;
    return typed ? typed : VirtualKeyFromCode(codeName);
}

uint32_t ModifiersFromDom(bool shift, bool ctrl, bool alt)
{
    return (shift ? MODIFIER_SHIFT : 0u) | (ctrl ? MODIFIER_CONTROL : 0u) |
           (alt ? MODIFIER_ALT : 0u);
}

HMsgHandler_Web::HMsgHandler_Web(HManager* pManager) : HMsgHandler_Common(pManager) {}

int HMsgHandler_Web::HandleMouseMove(uint32_t domButtons, uint32_t modifiers, const HVec2F& pos)
{
    if (!m_pManager)
    {
        return 0;
    }
    // MouseEvent.buttons numbers right 2 and middle 4, as the toolkit does.
    m_HeldButtons = domButtons & (MOUSE_BUTTON_LEFT | MOUSE_BUTTON_RIGHT | MOUSE_BUTTON_MIDDLE);
    PostMouseEvent(EVENT_MOUSE_MOVE, modifiers, MOUSE_BUTTON_NONE, m_HeldButtons,
                   ScaledPos(pos.x, pos.y));
    return 1;
}

// Every press is a press: no double-click messages are made, as on the desktop.
int HMsgHandler_Web::HandleMouseButton(uint32_t type, int domButton, uint32_t modifiers,
                                       const HVec2F& pos)
{
    constexpr uint32_t BUTTONS[] = {MOUSE_BUTTON_LEFT, MOUSE_BUTTON_MIDDLE, MOUSE_BUTTON_RIGHT};
    if (!m_pManager || domButton < 0 || domButton > 2)
    {
        return 0;
    }
    const uint32_t button = BUTTONS[domButton];
    m_HeldButtons = type == EVENT_MOUSE_PRESS ? m_HeldButtons | button : m_HeldButtons & ~button;
    PostMouseEvent(type, modifiers, button, m_HeldButtons, ScaledPos(pos.x, pos.y));
    return 1;
}

int HMsgHandler_Web::HandleWheel(double deltaX, double deltaY, uint32_t deltaMode,
                                 uint32_t modifiers, const HVec2F& pos)
{
    if (!m_pManager || deltaMode > 2 || !std::isfinite(deltaX) || !std::isfinite(deltaY))
    {
        return 0;
    }
    // Towards the user is positive in the browser and negative on the desktop; to the right
    // is positive in both. Vertical first, as the SDL handler posts them.
    const double turns[2] = {-deltaY, deltaX};
    int handled = 0;
    for (int axis = 0; axis < 2; ++axis)
    {
        m_WheelRest[axis] += turns[axis] / UNITS_PER_NOTCH[deltaMode];
        const double notches = std::trunc(m_WheelRest[axis]);
        m_WheelRest[axis] -= notches;
        handled |= PostWheel(static_cast<int>(std::clamp(notches, -1e6, 1e6)), modifiers,
                             m_HeldButtons, ScaledPos(pos.x, pos.y));
    }
    return handled;
}

int HMsgHandler_Web::HandleKey(uint32_t type, const char* key, const char* code, uint32_t modifiers)
{
    if (!m_pManager)
    {
        return 0;
    }
    const uint32_t virtualKey = VirtualKeyFromDom(key, code);
    if (virtualKey != 0)
    {
        PostKeyEvent(type, modifiers, virtualKey);
    }
    const bool typed = type == EVENT_KEY_PRESS && key && TypesCharacter(key) &&
                       !(modifiers & (MODIFIER_CONTROL | MODIFIER_ALT));
    return (typed && PostText(modifiers, key)) || virtualKey != 0 ? 1 : 0;
}

int HMsgHandler_Web::HandleTouch(TouchPhase phase, const std::vector<HVec2F>& held,
                                 uint32_t modifiers)
{
    if (!m_pManager || (phase != TouchPhase::Start && m_HeldTouches == 0))
    {
        return 0; // fingers that went down before this handler existed
    }
    uint32_t type = EVENT_TOUCH_MOVE;
    if (phase == TouchPhase::Start && m_HeldTouches == 0)
    {
        type = EVENT_TOUCH_BEGIN;
    }
    else if (phase == TouchPhase::End && held.empty())
    {
        type = EVENT_TOUCH_END;
    }
    m_HeldTouches = held.size();
    PostTouchEvent(type, modifiers, held);
    return 1;
}

} // namespace Halvex::HGui
