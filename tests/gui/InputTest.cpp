#include "GuiTestSupport.h"

#include "base/source/system/logger.h"
#include "gui/hmsghandler.h"
#include "gui/hmsghandler_web.h"

#include <cstring>
#include <memory>

using namespace GuiTest;

namespace
{
struct MouseRecord
{
    uint32_t type, button, buttons;
    HVec2F pos;
    uint32_t modifiers;
    bool operator==(const MouseRecord&) const = default;
};
using Touch = std::pair<uint32_t, std::vector<HVec2F>>;

// Logs the input it receives as "name what"; keeps the details of mouse, key, wheel and
// touch events.
class Probe : public HWidget
{
public:
    Probe(HObject* pParent, std::string name, Strings* pLog)
        : HWidget(pParent), m_Name(std::move(name)), m_pLog(pLog)
    {
    }
    ~Probe() override { Log("deleted"); }

    void MousePressEvent(HMouseEvent* e) override { Mouse("press", e); }
    void MouseReleaseEvent(HMouseEvent* e) override { Mouse("release", e); }
    void MouseMoveEvent(HMouseEvent* e) override { Mouse("move", e); }
    void EnterEvent(HEnterEvent*) override { Log("enter"); }
    void LeaveEvent(HLeaveEvent*) override { Log("leave"); }
    void UserEvent(HEvent*) override { Log("user"); }
    void WheelEvent(HWheelEvent* e) override { deltas.push_back(e->GetDelta()); }
    void KeyPressEvent(HKeyEvent* e) override { Key("key", e); }
    void KeyReleaseEvent(HKeyEvent* e) override { Key("keyup", e); }
    void TouchBeginEvent(HTouchEvent* e) override
    {
        touches.emplace_back(e->GetType(), e->GetPoints());
    }
    void TouchMoveEvent(HTouchEvent* e) override { TouchBeginEvent(e); }
    void TouchEndEvent(HTouchEvent* e) override { TouchBeginEvent(e); }

    std::vector<MouseRecord> mouse;
    std::vector<int32_t> deltas;
    std::vector<uint32_t> keys, keyModifiers;
    std::vector<Touch> touches;

private:
    void Log(const char* what) { m_pLog->push_back(m_Name + " " + what); }
    void Mouse(const char* what, HMouseEvent* e)
    {
        Log(what);
        mouse.push_back(
            {e->GetType(), e->GetButton(), e->GetButtons(), e->GetPos(), e->GetModifiers()});
    }
    void Key(const char* what, HKeyEvent* e)
    {
        Log(what);
        keys.push_back(e->GetKey());
        keyModifiers.push_back(e->GetModifiers());
    }

    std::string m_Name;
    Strings* m_pLog;
};

class Input : public GuiFixture
{
protected:
    Input()
    {
        // Only the probes take the mouse, so the manager answers for empty places.
        m_Manager.SetAcceptMouse(false);
        Frame();
    }
    Strings TakeLog() { return std::exchange(m_Log, {}); }

    Probe* m_pA = Make<Probe>(&m_Manager, 0, 0, 100, 100, "A", &m_Log);
    Probe* m_pB = Make<Probe>(&m_Manager, 100, 0, 100, 100, "B", &m_Log);
};

// Logs the manager's capture calls.
class LoggingHandler : public HMsgHandler
{
public:
    LoggingHandler(HManager* pManager, Strings* pLog) : HMsgHandler(pManager), m_pLog(pLog) {}
    void CaptureMouse() override { m_pLog->push_back("capture"); }
    void ReleaseMouse() override { m_pLog->push_back("release"); }

private:
    Strings* m_pLog;
};

// Logs its freeing.
struct LoggedEvent : HEvent
{
    explicit LoggedEvent(Strings* pLog) : HEvent(EVENT_USER), pLog(pLog) {}
    ~LoggedEvent() override { pLog->push_back("freed"); }
    Strings* pLog;
};
} // namespace

TEST_F(Input, ButtonsReportTheChangedButtonAndTheHeldSetAtPositionsDividedByTheInputScale)
{
    MoveTo(50, 50);
    const auto down = [&](uint8_t button)
    { return Handle(MouseButton(SDL_MOUSEBUTTONDOWN, button, 50, 50)); };
    // Braced lists run in order.
    const std::vector<int> handled = {
        down(SDL_BUTTON_LEFT), down(SDL_BUTTON_RIGHT),
        Handle(MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 50, 50)), down(SDL_BUTTON_MIDDLE),
        down(SDL_BUTTON_X1)};
    EXPECT_EQ(handled, (std::vector<int>{1, 1, 1, 1, 0}));
    m_Manager.SetInputScale({2.0f, 2.0f});
    MoveTo(190, 60);
    EXPECT_EQ(m_pA->mouse, (std::vector<MouseRecord>{{EVENT_MOUSE_MOVE, 0, 0, {50, 50}, 0},
                                                     {EVENT_MOUSE_PRESS, 1, 1, {50, 50}, 0},
                                                     {EVENT_MOUSE_PRESS, 2, 3, {50, 50}, 0},
                                                     {EVENT_MOUSE_RELEASE, 1, 2, {50, 50}, 0},
                                                     {EVENT_MOUSE_PRESS, 4, 6, {50, 50}, 0},
                                                     {EVENT_MOUSE_MOVE, 0, 0, {95, 30}, 0}}));
    EXPECT_TRUE(m_pB->mouse.empty());
}

TEST_F(Input, KeysBecomeVirtualKeyCodesTextCharactersModifiersFromEventOrKeyboard)
{
    MoveTo(50, 50);
    SDL_Event text{SDL_TEXTINPUT};
    std::strcpy(text.text.text, "a\xC3\xA9\xF0\x9F\x98\x80");
    const auto down = [&](SDL_Keycode key) { return Handle(Key(SDL_KEYDOWN, key)); };
    const std::vector<int> handled = {down(SDLK_q),  down(SDLK_7),           down(SDLK_LEFT),
                                      down(SDLK_F2), down(SDLK_APPLICATION), Handle(text)};
    EXPECT_EQ(handled, (std::vector<int>{1, 1, 1, 1, 0, 1}));
    EXPECT_EQ(m_pA->keys, (std::vector<uint32_t>{'Q', '7', 0x25, 0x71, 'a', 0xE9, 0xD83D, 0xDE00}));
    m_pA->keyModifiers.clear();
    TakeLog();
    Handle(Key(SDL_KEYDOWN, SDLK_a, KMOD_LSHIFT | KMOD_RCTRL));
    Handle(Key(SDL_KEYUP, SDLK_a, KMOD_LALT));
    SDL_SetModState(KMOD_LALT);
    PressLeft(50, 50);
    SDL_SetModState(KMOD_NONE);
    EXPECT_EQ(m_pA->keyModifiers, (std::vector<uint32_t>{0x03000000u, 0x04000000u}));
    EXPECT_EQ(m_pA->mouse.back().modifiers, 0x04000000u);
    EXPECT_EQ(TakeLog(), (Strings{"A key", "A keyup", "A press"}));
}

TEST_F(Input, CrossingSendsLeaveEnterMoveButNotToDeletedWidgetsAndADragStaysWhereItStarted)
{
    MoveTo(50, 50);
    MoveTo(150, 50);
    EXPECT_EQ(TakeLog(), (Strings{"A enter", "A move", "A leave", "B enter", "B move"}));
    EXPECT_TRUE(m_pB->IsHovered() && !m_pA->IsHovered());
    // A deleted hover widget gets no leave and is not used.
    m_pB->SetAlive(false);
    Frame();
    MoveTo(50, 50);
    EXPECT_EQ(TakeLog(), (Strings{"B deleted", "A enter", "A move"}));

    Make<Probe>(&m_Manager, 100, 0, 100, 100, "C", &m_Log);
    Frame();
    PressLeft(50, 50);
    MoveTo(150, 50);
    MoveTo(350, 250);
    EXPECT_EQ(m_pA->mouse.back().pos, HVec2F(350.0f, 250.0f));
    // The release is not a move: it goes to what lies under the cursor.
    ReleaseLeft(150, 50);
    EXPECT_EQ(TakeLog(),
              (Strings{"A press", "A move", "A move", "A leave", "C enter", "C release"}));
}

TEST_F(Input, WheelNotchesGoToTheWidgetOrWithNothingHoveredWheelAndKeysToTheManager)
{
    SignalLog manager;
    m_Manager.Connect("MouseWheel", &manager, &SignalLog::Wheel);
    m_Manager.Connect("KeyPress", &manager, &SignalLog::Key);
    m_Manager.Connect("MousePress", &manager, &SignalLog::Pressed);
    MoveTo(300, 200);
    PressLeft(300, 200);
    Handle(MouseWheel(1, 300, 200));
    Handle(Key(SDL_KEYDOWN, SDLK_SPACE));
    EXPECT_EQ(manager.entries, (Strings{"wheel", "key"}));

    ReleaseLeft(300, 200);
    // Over a widget, notches are multiples of 120, towards the user negative.
    Handle(MouseWheel(-1, 50, 50));
    Handle(MouseWheel(2, 50, 50));
    Handle(MouseWheel(1, 50, 50, true));
    EXPECT_EQ(m_pA->deltas, (std::vector<int32_t>{-120, 240, -120}));
    EXPECT_EQ(Handle(MouseWheel(0, 50, 50)), 0);
}

TEST_F(Input, TouchGestureGoesToTheWidgetUnderTheFirstFingerWithWindowPixels)
{
    const auto finger = [&](uint32_t type, SDL_FingerID id, float x, float y)
    {
        SDL_Event event{type};
        std::tie(event.tfinger.fingerId, event.tfinger.x, event.tfinger.y) = std::tuple(id, x, y);
        return Handle(event);
    };
    EXPECT_EQ(finger(SDL_FINGERDOWN, 7, 0.125f, 0.25f), 1);
    finger(SDL_FINGERDOWN, 9, 0.75f, 0.5f);
    finger(SDL_FINGERMOTION, 7, 0.5f, 0.5f);
    finger(SDL_FINGERUP, 7, 0.5f, 0.5f);
    finger(SDL_FINGERUP, 9, 0.75f, 0.5f);
    EXPECT_EQ(finger(SDL_FINGERMOTION, 3, 0.1f, 0.1f), 0);
    const HVec2F first(50, 75), moved(200, 150), second(300, 150);
    EXPECT_EQ(m_pA->touches, (std::vector<Touch>{{EVENT_TOUCH_BEGIN, {first}},
                                                 {EVENT_TOUCH_MOVE, {first, second}},
                                                 {EVENT_TOUCH_MOVE, {moved, second}},
                                                 {EVENT_TOUCH_MOVE, {second}},
                                                 {EVENT_TOUCH_END, {}}}));
    EXPECT_TRUE(m_pB->touches.empty());
}

// The browser's handler in place of the SDL one: the same toolkit input from DOM values.
class WebInput : public Input
{
protected:
    WebInput() { m_Manager.SetMsgHandler(m_pWeb); }
    HMsgHandler_Web* m_pWeb = new HMsgHandler_Web(&m_Manager);
};

TEST(WebKeys, DomKeysBecomeTheDesktopsVirtualKeyCodes)
{
    const struct
    {
        const char *key, *code;
        uint32_t virtualKey;
    } cases[] = {{"a", "KeyQ", 'A'},     {"Q", "KeyQ", 'Q'},       {"!", "Digit1", '1'},
                 {"7", "Digit7", '7'},   {":", "Semicolon", 0xBA}, {"'", "Quote", 0xDE},
                 {" ", "Space", 0x20},   {"End", "Numpad1", 0x61}, {"+", "NumpadAdd", 0x6B},
                 {"F1", "F1", 0x70},     {"F12", "F12", 0x7B},     {"F13", "F13", 0},
                 {"PageDown", "", 0x22}, {"Escape", "", 0x1B},     {"ArrowLeft", "", 0x25},
                 {"ContextMenu", "", 0}, {nullptr, nullptr, 0}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(VirtualKeyFromDom(c.key, c.code), c.virtualKey) << (c.key ? c.key : "null");
    }
}

TEST_F(WebInput, ButtonsWheelAndKeysArriveAsFromTheDesktopHandler)
{
    const std::vector<int> handled = {
        m_pWeb->HandleMouseMove(0, 0, {50, 50}),
        m_pWeb->HandleMouseButton(EVENT_MOUSE_PRESS, 0, 0, {50, 50}),
        m_pWeb->HandleMouseButton(EVENT_MOUSE_PRESS, 2, MODIFIER_SHIFT, {50, 50}),
        m_pWeb->HandleMouseButton(EVENT_MOUSE_RELEASE, 0, 0, {50, 50}),
        m_pWeb->HandleMouseButton(EVENT_MOUSE_PRESS, 1, 0, {50, 50}),
        m_pWeb->HandleMouseButton(EVENT_MOUSE_PRESS, 3, 0, {50, 50})};
    EXPECT_EQ(handled, (std::vector<int>{1, 1, 1, 1, 1, 0}));
    m_Manager.SetInputScale({2.0f, 2.0f});
    m_pWeb->HandleMouseMove(4 | 1, 0, {190, 60});
    EXPECT_EQ(m_pA->mouse,
              (std::vector<MouseRecord>{{EVENT_MOUSE_MOVE, 0, 0, {50, 50}, 0},
                                        {EVENT_MOUSE_PRESS, 1, 1, {50, 50}, 0},
                                        {EVENT_MOUSE_PRESS, 2, 3, {50, 50}, 0x01000000},
                                        {EVENT_MOUSE_RELEASE, 1, 2, {50, 50}, 0},
                                        {EVENT_MOUSE_PRESS, 4, 6, {50, 50}, 0},
                                        {EVENT_MOUSE_MOVE, 0, 5, {95, 30}, 0}}));
    // Pixels, lines and pages; a fraction of a notch waits for the rest of the turn.
    m_pWeb->HandleWheel(0.0, -100.0, 0, 0, {20, 20});
    m_pWeb->HandleWheel(0.0, 150.0, 0, 0, {20, 20});
    m_pWeb->HandleWheel(0.0, 50.0, 0, 0, {20, 20});
    m_pWeb->HandleWheel(0.0, 6.0, 1, 0, {20, 20});
    m_pWeb->HandleWheel(1.0, -1.0, 2, 0, {20, 20});
    EXPECT_EQ(m_pWeb->HandleWheel(0.0, 1.0, 3, 0, {20, 20}), 0);
    EXPECT_EQ(m_pA->deltas, (std::vector<int32_t>{120, -120, -120, -240, 120, 120}));

    const std::vector<int> keys = {
        m_pWeb->HandleKey(EVENT_KEY_PRESS, "a", "KeyA", 0),
        m_pWeb->HandleKey(EVENT_KEY_PRESS, "c", "KeyC", MODIFIER_CONTROL),
        m_pWeb->HandleKey(EVENT_KEY_PRESS, "\xC3\xA9", "Digit2", 0),
        m_pWeb->HandleKey(EVENT_KEY_RELEASE, "a", "KeyA", 0),
        m_pWeb->HandleKey(EVENT_KEY_PRESS, "Enter", "Enter", 0),
        m_pWeb->HandleKey(EVENT_KEY_PRESS, "Dead", "", 0)};
    EXPECT_EQ(keys, (std::vector<int>{1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(m_pA->keys, (std::vector<uint32_t>{'A', 'a', 'C', '2', 0xE9, 'A', 0x0D}));
}

TEST_F(WebInput, TouchesHeldMakeOneGestureForTheWidgetUnderTheFirst)
{
    const HVec2F first(50, 75), second(300, 150);
    EXPECT_EQ(m_pWeb->HandleTouch(TouchPhase::Move, {first}, 0), 0);
    m_pWeb->HandleTouch(TouchPhase::Start, {first}, 0);
    m_pWeb->HandleTouch(TouchPhase::Start, {first, second}, 0);
    m_pWeb->HandleTouch(TouchPhase::End, {second}, 0);
    m_pWeb->HandleTouch(TouchPhase::End, {}, 0);
    EXPECT_EQ(m_pA->touches, (std::vector<Touch>{{EVENT_TOUCH_BEGIN, {first}},
                                                 {EVENT_TOUCH_MOVE, {first, second}},
                                                 {EVENT_TOUCH_MOVE, {second}},
                                                 {EVENT_TOUCH_END, {}}}));
}

TEST(Manager, CaptureDrivesTheHandlerPostedEventsArriveAtUpdateAndNoManagerHandlesNothing)
{
    Strings log;
    HManager manager;
    manager.SetMsgHandler(new LoggingHandler(&manager, &log));
    // Destroyed before the manager: it leaves its parent on the way.
    Probe living(&manager, "living", &log);
    living.SetCapture(true);
    EXPECT_TRUE(living.IsCapture());
    living.SetCapture(false);
    auto* pRetired = new Probe(&manager, "retired", &log);
    manager.PostEvent(&living, std::make_unique<LoggedEvent>(&log));
    manager.PostEvent(pRetired, std::make_unique<LoggedEvent>(&log));
    pRetired->SetAlive(false);
    EXPECT_EQ(log, (Strings{"capture", "release"}));
    manager.Update(0.01f);
    EXPECT_EQ(log,
              (Strings{"capture", "release", "retired deleted", "living user", "freed", "freed"}));
    manager.Update(0.01f);
    EXPECT_EQ(log.size(), 6u) << "delivered once";

    Halvex::Base::DiagnosticCapture capture;
    HMsgHandler_SDL handler(nullptr, nullptr);
    EXPECT_EQ(capture.Asserts().size(), 1u);
    EXPECT_EQ(handler.HandleEvent(MouseMotion(1, 1)), 0);
}
