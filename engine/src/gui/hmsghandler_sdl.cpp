#include "gui/hmsghandler_sdl.h"

#include "gui/hevent.h"
#include "gui/hmanager.h"

#include <SDL.h>
#include <algorithm>

namespace Halvex::HGui
{
namespace
{
uint32_t Modifiers(uint16_t sdlMod)
{
    uint32_t modifiers = 0;
    if (sdlMod & KMOD_SHIFT)
    {
        modifiers |= MODIFIER_SHIFT;
    }
    if (sdlMod & KMOD_CTRL)
    {
        modifiers |= MODIFIER_CONTROL;
    }
    if (sdlMod & KMOD_ALT)
    {
        modifiers |= MODIFIER_ALT;
    }
    return modifiers;
}

uint32_t ButtonBit(uint8_t sdlButton)
{
    switch (sdlButton)
    {
    case SDL_BUTTON_LEFT:
        return MOUSE_BUTTON_LEFT;
    case SDL_BUTTON_RIGHT:
        return MOUSE_BUTTON_RIGHT;
    case SDL_BUTTON_MIDDLE:
        return MOUSE_BUTTON_MIDDLE;
    default:
        return MOUSE_BUTTON_NONE;
    }
}

uint32_t ButtonBits(uint32_t sdlState)
{
    uint32_t buttons = 0;
    if (sdlState & SDL_BUTTON_LMASK)
    {
        buttons |= MOUSE_BUTTON_LEFT;
    }
    if (sdlState & SDL_BUTTON_RMASK)
    {
        buttons |= MOUSE_BUTTON_RIGHT;
    }
    if (sdlState & SDL_BUTTON_MMASK)
    {
        buttons |= MOUSE_BUTTON_MIDDLE;
    }
    return buttons;
}

struct KeyEntry
{
    SDL_Keycode sdl;
    uint32_t virtualKey;
};

constexpr KeyEntry KEY_TABLE[] = {
    {SDLK_BACKSPACE, 0x08},    // VK_BACK
    {SDLK_TAB, 0x09},          // VK_TAB
    {SDLK_RETURN, 0x0D},       // VK_RETURN
    {SDLK_KP_ENTER, 0x0D},     // VK_RETURN
    {SDLK_LSHIFT, 0x10},       // VK_SHIFT
    {SDLK_RSHIFT, 0x10},       // VK_SHIFT
    {SDLK_LCTRL, 0x11},        // VK_CONTROL
    {SDLK_RCTRL, 0x11},        // VK_CONTROL
    {SDLK_LALT, 0x12},         // VK_MENU
    {SDLK_RALT, 0x12},         // VK_MENU
    {SDLK_PAUSE, 0x13},        // VK_PAUSE
    {SDLK_CAPSLOCK, 0x14},     // VK_CAPITAL
    {SDLK_ESCAPE, 0x1B},       // VK_ESCAPE
    {SDLK_SPACE, 0x20},        // VK_SPACE
    {SDLK_PAGEUP, 0x21},       // VK_PRIOR
    {SDLK_PAGEDOWN, 0x22},     // VK_NEXT
    {SDLK_END, 0x23},          // VK_END
    {SDLK_HOME, 0x24},         // VK_HOME
    {SDLK_LEFT, 0x25},         // VK_LEFT
    {SDLK_UP, 0x26},           // VK_UP
    {SDLK_RIGHT, 0x27},        // VK_RIGHT
    {SDLK_DOWN, 0x28},         // VK_DOWN
    {SDLK_INSERT, 0x2D},       // VK_INSERT
    {SDLK_DELETE, 0x2E},       // VK_DELETE
    {SDLK_KP_MULTIPLY, 0x6A},  // VK_MULTIPLY
    {SDLK_KP_PLUS, 0x6B},      // VK_ADD
    {SDLK_KP_MINUS, 0x6D},     // VK_SUBTRACT
    {SDLK_KP_PERIOD, 0x6E},    // VK_DECIMAL
    {SDLK_KP_DIVIDE, 0x6F},    // VK_DIVIDE
    {SDLK_SEMICOLON, 0xBA},    // VK_OEM_1
    {SDLK_EQUALS, 0xBB},       // VK_OEM_PLUS
    {SDLK_COMMA, 0xBC},        // VK_OEM_COMMA
    {SDLK_MINUS, 0xBD},        // VK_OEM_MINUS
    {SDLK_PERIOD, 0xBE},       // VK_OEM_PERIOD
    {SDLK_SLASH, 0xBF},        // VK_OEM_2
    {SDLK_BACKQUOTE, 0xC0},    // VK_OEM_3
    {SDLK_LEFTBRACKET, 0xDB},  // VK_OEM_4
    {SDLK_BACKSLASH, 0xDC},    // VK_OEM_5
    {SDLK_RIGHTBRACKET, 0xDD}, // VK_OEM_6
    {SDLK_QUOTE, 0xDE},        // VK_OEM_7
};
} // namespace

uint32_t VirtualKeyFromSdl(int32_t sdlKey)
{
    if (sdlKey >= SDLK_a && sdlKey <= SDLK_z)
    {
        return 'A' + static_cast<uint32_t>(sdlKey - SDLK_a);
    }
    if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9)
    {
        return '0' + static_cast<uint32_t>(sdlKey - SDLK_0);
    }
    if (sdlKey >= SDLK_F1 && sdlKey <= SDLK_F12)
    {
        return 0x70 + static_cast<uint32_t>(sdlKey - SDLK_F1); // VK_F1..VK_F12
    }
    if (sdlKey >= SDLK_KP_1 && sdlKey <= SDLK_KP_9)
    {
        return 0x61 + static_cast<uint32_t>(sdlKey - SDLK_KP_1); // VK_NUMPAD1..VK_NUMPAD9
    }
    if (sdlKey == SDLK_KP_0)
    {
        return 0x60; // VK_NUMPAD0
    }
    for (const KeyEntry& entry : KEY_TABLE)
    {
        if (entry.sdl == sdlKey)
        {
            return entry.virtualKey;
        }
    }
    return 0;
}

HMsgHandler_SDL::HMsgHandler_SDL(HManager* pManager, SDL_Window* pWindow)
    : HMsgHandler_Common(pManager), m_pWindow(pWindow)
{
}

// Capture needs the video subsystem; without it (tests) the flag alone is kept.
void HMsgHandler_SDL::CaptureMouse()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
    {
        SDL_CaptureMouse(SDL_TRUE);
    }
}

void HMsgHandler_SDL::ReleaseMouse()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
    {
        SDL_CaptureMouse(SDL_FALSE);
    }
}

int HMsgHandler_SDL::HandleEvent(const SDL_Event& event)
{
    if (!m_pManager)
    {
        return 0;
    }
    switch (event.type)
    {
    case SDL_MOUSEMOTION:
        m_HeldButtons = ButtonBits(event.motion.state);
        PostMouseEvent(
            EVENT_MOUSE_MOVE, Modifiers(SDL_GetModState()), MOUSE_BUTTON_NONE, m_HeldButtons,
            ScaledPos(static_cast<float>(event.motion.x), static_cast<float>(event.motion.y)));
        return 1;
    case SDL_MOUSEBUTTONDOWN:
        return HandleMouseButton(event, EVENT_MOUSE_PRESS);
    case SDL_MOUSEBUTTONUP:
        return HandleMouseButton(event, EVENT_MOUSE_RELEASE);
    case SDL_MOUSEWHEEL:
        return HandleWheel(event);
    case SDL_KEYDOWN:
        return HandleKey(event, EVENT_KEY_PRESS);
    case SDL_KEYUP:
        return HandleKey(event, EVENT_KEY_RELEASE);
    case SDL_TEXTINPUT:
        return HandleText(event);
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP:
        return HandleFinger(event);
    default:
        return 0;
    }
}

// Every press is a press: the window asks for no double-click messages, so none are made.
int HMsgHandler_SDL::HandleMouseButton(const SDL_Event& event, uint32_t type)
{
    uint32_t button = ButtonBit(event.button.button);
    if (button == MOUSE_BUTTON_NONE)
    {
        return 0;
    }
    if (type == EVENT_MOUSE_PRESS)
    {
        m_HeldButtons |= button;
    }
    else
    {
        m_HeldButtons &= ~button;
    }
    PostMouseEvent(
        type, Modifiers(SDL_GetModState()), button, m_HeldButtons,
        ScaledPos(static_cast<float>(event.button.x), static_cast<float>(event.button.y)));
    return 1;
}

int HMsgHandler_SDL::HandleWheel(const SDL_Event& event)
{
    const SDL_MouseWheelEvent& wheel = event.wheel;
    const int sign = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
    const HVec2F pos =
        ScaledPos(static_cast<float>(wheel.mouseX), static_cast<float>(wheel.mouseY));
    const uint32_t modifiers = Modifiers(SDL_GetModState());
    int handled = 0;
    // SDL reports away from the user as positive, like the platform's wheel messages.
    for (int notches : {wheel.y, wheel.x})
    {
        handled |= PostWheel(sign * notches, modifiers, m_HeldButtons, pos);
    }
    return handled;
}

int HMsgHandler_SDL::HandleKey(const SDL_Event& event, uint32_t type)
{
    uint32_t key = VirtualKeyFromSdl(event.key.keysym.sym);
    if (key == 0)
    {
        return 0;
    }
    PostKeyEvent(type, Modifiers(event.key.keysym.mod), key);
    return 1;
}

int HMsgHandler_SDL::HandleText(const SDL_Event& event)
{
    return PostText(Modifiers(SDL_GetModState()), event.text.text);
}

int HMsgHandler_SDL::HandleFinger(const SDL_Event& event)
{
    const SDL_TouchFingerEvent& finger = event.tfinger;
    HVec2F windowSize;
    if (m_pWindow)
    {
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(m_pWindow, &w, &h);
        windowSize = {static_cast<float>(w), static_cast<float>(h)};
    }
    else
    {
        const HVec2F& scale = m_pManager->GetInputScale();
        windowSize = {m_pManager->GetWidth() * scale.x, m_pManager->GetHeight() * scale.y};
    }
    const HVec2F point(finger.x * windowSize.x, finger.y * windowSize.y);
    auto it = std::find_if(m_Touches.begin(), m_Touches.end(),
                           [&](const auto& touch) { return touch.first == finger.fingerId; });
    uint32_t type = EVENT_TOUCH_MOVE;
    if (event.type == SDL_FINGERDOWN)
    {
        if (it == m_Touches.end())
        {
            m_Touches.emplace_back(finger.fingerId, point);
        }
        else
        {
            it->second = point;
        }
        type = m_Touches.size() == 1 ? EVENT_TOUCH_BEGIN : EVENT_TOUCH_MOVE;
    }
    else if (it == m_Touches.end())
    {
        return 0; // a finger that went down before this handler existed
    }
    else if (event.type == SDL_FINGERMOTION)
    {
        it->second = point;
    }
    else
    {
        m_Touches.erase(it);
        type = m_Touches.empty() ? EVENT_TOUCH_END : EVENT_TOUCH_MOVE;
    }
    std::vector<HVec2F> points;
    points.reserve(m_Touches.size());
    for (const auto& touch : m_Touches)
    {
        points.push_back(touch.second);
    }
    PostTouchEvent(type, Modifiers(SDL_GetModState()), points);
    return 1;
}

} // namespace Halvex::HGui
