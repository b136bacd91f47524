#include "web/webinput.h"

#include "main/clientmapping.h"
#include "main/lumivia.h"
#include "main/shortcuts.h"
#include "main/virtualkeys.h"

#include "gui/hevent.h"
#include "gui/hmsghandler_web.h"

#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Halvex::HGui;

namespace
{
// The shortcuts a page claims from the browser.
constexpr uint32_t PAGE_SHORTCUTS[] = {KEY_F1,      KEY_F2,        KEY_F3,
                                       KEY_PAGE_UP, KEY_PAGE_DOWN, KEY_SPACE};

// The touches that went down on the picture, by identifier; ones that went down on a bar are
// not followed.
std::vector<long> g_Followed;

HMsgHandler_Web* Handler(void* pUserData)
{
    return dynamic_cast<HMsgHandler_Web*>(
        static_cast<Lumivia*>(pUserData)->GetGuiManager()->GetMsgHandler());
}

WindowGeometry CanvasGeometry()
{
    double cssWidth = 0.0;
    double cssHeight = 0.0;
    emscripten_get_element_css_size(CANVAS_SELECTOR, &cssWidth, &cssHeight);
    WindowGeometry geometry;
    geometry.windowWidth = static_cast<int>(std::lround(cssWidth));
    geometry.windowHeight = static_cast<int>(std::lround(cssHeight));
    emscripten_get_canvas_element_size(CANVAS_SELECTOR, &geometry.drawableWidth,
                                       &geometry.drawableHeight);
    return geometry;
}

// The canvas fills the page from its top left corner, so viewport positions are canvas
// positions. False on a bar.
bool ToClient(long x, long y, HVec2F* pClient)
{
    return WindowToClient(CanvasGeometry(), static_cast<float>(x), static_cast<float>(y),
                          &pClient->x, &pClient->y);
}

EM_BOOL OnMouse(int eventType, const EmscriptenMouseEvent* pEvent, void* pUserData)
{
    HMsgHandler_Web* pHandler = Handler(pUserData);
    HVec2F pos;
    const bool inside = ToClient(pEvent->clientX, pEvent->clientY, &pos);
    if (!pHandler)
    {
        return EM_FALSE;
    }
    const uint32_t modifiers = ModifiersFromDom(pEvent->shiftKey, pEvent->ctrlKey, pEvent->altKey);
    pos = {std::floor(pos.x), std::floor(pos.y)};
    switch (eventType)
    {
    case EMSCRIPTEN_EVENT_MOUSEMOVE:
        return pHandler->HandleMouseMove(pEvent->buttons, modifiers, pos) != 0;
    case EMSCRIPTEN_EVENT_MOUSEDOWN:
        return inside &&
               pHandler->HandleMouseButton(EVENT_MOUSE_PRESS, pEvent->button, modifiers, pos) != 0;
    default:
        pHandler->HandleMouseButton(EVENT_MOUSE_RELEASE, pEvent->button, modifiers, pos);
        return EM_FALSE; // the page's other elements see their releases too
    }
}

EM_BOOL OnWheel(int, const EmscriptenWheelEvent* pEvent, void* pUserData)
{
    HMsgHandler_Web* pHandler = Handler(pUserData);
    HVec2F pos;
    if (!pHandler || !ToClient(pEvent->mouse.clientX, pEvent->mouse.clientY, &pos))
    {
        return EM_FALSE;
    }
    const EmscriptenMouseEvent& mouse = pEvent->mouse;
    pHandler->HandleWheel(pEvent->deltaX, pEvent->deltaY, pEvent->deltaMode,
                          ModifiersFromDom(mouse.shiftKey, mouse.ctrlKey, mouse.altKey),
                          {std::floor(pos.x), std::floor(pos.y)});
    return EM_TRUE; // the page does not scroll
}

// Follows touches that go down on the picture; gives the followed ones still held, in client
// pixels.
std::vector<HVec2F> HeldTouches(int eventType, const EmscriptenTouchEvent& event)
{
    std::vector<HVec2F> held;
    for (int i = 0; i < std::min(event.numTouches, 32); ++i)
    {
        const EmscriptenTouchPoint& touch = event.touches[i];
        HVec2F pos;
        const bool inside = ToClient(touch.clientX, touch.clientY, &pos);
        auto it = std::find(g_Followed.begin(), g_Followed.end(), touch.identifier);
        if (it == g_Followed.end() && eventType == EMSCRIPTEN_EVENT_TOUCHSTART && touch.isChanged &&
            inside)
        {
            it = g_Followed.insert(g_Followed.end(), touch.identifier);
        }
        const bool ended = touch.isChanged && (eventType == EMSCRIPTEN_EVENT_TOUCHEND ||
                                               eventType == EMSCRIPTEN_EVENT_TOUCHCANCEL);
        if (it != g_Followed.end() && ended)
        {
            g_Followed.erase(it);
        }
        else if (it != g_Followed.end())
        {
            held.push_back(pos);
        }
    }
    return held;
}

EM_BOOL OnTouch(int eventType, const EmscriptenTouchEvent* pEvent, void* pUserData)
{
    HMsgHandler_Web* pHandler = Handler(pUserData);
    if (!pHandler)
    {
        return EM_FALSE;
    }
    const TouchPhase phase = eventType == EMSCRIPTEN_EVENT_TOUCHSTART  ? TouchPhase::Start
                             : eventType == EMSCRIPTEN_EVENT_TOUCHMOVE ? TouchPhase::Move
                                                                       : TouchPhase::End;
    pHandler->HandleTouch(phase, HeldTouches(eventType, *pEvent),
                          ModifiersFromDom(pEvent->shiftKey, pEvent->ctrlKey, pEvent->altKey));
    return EM_TRUE; // no scrolling, zooming or emulated mouse events
}

EM_BOOL OnKey(int eventType, const EmscriptenKeyboardEvent* pEvent, void* pUserData)
{
    auto* pApp = static_cast<Lumivia*>(pUserData);
    HMsgHandler_Web* pHandler = Handler(pUserData);
    if (!pHandler)
    {
        return EM_FALSE;
    }
    const bool press = eventType == EMSCRIPTEN_EVENT_KEYDOWN;
    pHandler->HandleKey(press ? EVENT_KEY_PRESS : EVENT_KEY_RELEASE, pEvent->key, pEvent->code,
                        ModifiersFromDom(pEvent->shiftKey, pEvent->ctrlKey, pEvent->altKey));
    const uint32_t key = VirtualKeyFromDom(pEvent->key, pEvent->code);
    const bool claimed = std::find(std::begin(PAGE_SHORTCUTS), std::end(PAGE_SHORTCUTS), key) !=
                             std::end(PAGE_SHORTCUTS) &&
                         !pEvent->ctrlKey && !pEvent->altKey && !pEvent->metaKey;
    if (claimed && press && !pEvent->repeat)
    {
        HandleShortcut(*pApp, key);
    }
    return claimed;
}
} // namespace

void InstallWebInput(Lumivia& app)
{
    void* pApp = &app;
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_mousedown_callback(CANVAS_SELECTOR, pApp, EM_TRUE, OnMouse);
    emscripten_set_mousemove_callback(window, pApp, EM_TRUE, OnMouse);
    emscripten_set_mouseup_callback(window, pApp, EM_TRUE, OnMouse);
    emscripten_set_wheel_callback(CANVAS_SELECTOR, pApp, EM_TRUE, OnWheel);
    emscripten_set_touchstart_callback(CANVAS_SELECTOR, pApp, EM_TRUE, OnTouch);
    emscripten_set_touchmove_callback(CANVAS_SELECTOR, pApp, EM_TRUE, OnTouch);
    emscripten_set_touchend_callback(CANVAS_SELECTOR, pApp, EM_TRUE, OnTouch);
    emscripten_set_touchcancel_callback(CANVAS_SELECTOR, pApp, EM_TRUE, OnTouch);
    emscripten_set_keydown_callback(window, pApp, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(window, pApp, EM_TRUE, OnKey);
}

void FitCanvasToPage()
{
    double cssWidth = 0.0;
    double cssHeight = 0.0;
    emscripten_get_element_css_size(CANVAS_SELECTOR, &cssWidth, &cssHeight);
    const double ratio = emscripten_get_device_pixel_ratio();
    const int width = static_cast<int>(std::lround(cssWidth * ratio));
    const int height = static_cast<int>(std::lround(cssHeight * ratio));
    int current[2] = {0, 0};
    emscripten_get_canvas_element_size(CANVAS_SELECTOR, &current[0], &current[1]);
    if (width > 0 && height > 0 && (width != current[0] || height != current[1]))
    {
        emscripten_set_canvas_element_size(CANVAS_SELECTOR, width, height);
    }
}
