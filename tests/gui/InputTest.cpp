#include "GuiTestSupport.h"

#include "base/source/system/logger.h"
#include "gui/hmsghandler.h"

#include <cstring>
#include <memory>

using namespace GuiTest;
using Strings = std::vector<std::string>;

namespace
{
struct MouseRecord
{
    uint32_t type;
    uint32_t button;
    uint32_t buttons;
    HVec2F pos;
    uint32_t modifiers;
};

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
    void WheelEvent(HWheelEvent* e) override { deltas.push_back(e->GetDelta()); }
    void KeyPressEvent(HKeyEvent* e) override { Key("key", e); }
    void KeyReleaseEvent(HKeyEvent* e) override { Key("keyup", e); }
    void TouchBeginEvent(HTouchEvent* e) override { Touch(e); }
    void TouchMoveEvent(HTouchEvent* e) override { Touch(e); }
    void TouchEndEvent(HTouchEvent* e) override { Touch(e); }

    std::vector<MouseRecord> mouse;
    std::vector<int32_t> deltas;
    std::vector<uint32_t> keys;
    std::vector<uint32_t> keyModifiers;
    std::vector<uint32_t> touchTypes;
    std::vector<std::vector<HVec2F>> touchPoints;

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
    void Touch(HTouchEvent* e)
    {
        touchTypes.push_back(e->GetType());
        touchPoints.push_back(e->GetPoints());
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
        m_pA = new Probe(&m_Manager, "A", &m_Log);
        m_pA->SetGeometry(0, 0, 100, 100);
        m_pB = new Probe(&m_Manager, "B", &m_Log);
        m_pB->SetGeometry(100, 0, 100, 100);
        Frame();
    }
    Strings TakeLog() { return std::exchange(m_Log, {}); }

    Probe* m_pA;
    Probe* m_pB;
};
} // namespace

TEST_F(Input, ButtonsReportTheChangedButtonAndTheHeldSetAtPositionsDividedByTheInputScale)
{
    MoveTo(50, 50);
    EXPECT_EQ(Handle(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 50, 50)), 1);
    EXPECT_EQ(Handle(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 50, 50)), 1);
    EXPECT_EQ(Handle(MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 50, 50)), 1);
    EXPECT_EQ(Handle(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 50, 50)), 1);
    EXPECT_EQ(Handle(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 50, 50)), 0);
    const uint32_t expected[][3] = {{EVENT_MOUSE_MOVE, 0, 0},
                                    {EVENT_MOUSE_PRESS, 1, 1},
                                    {EVENT_MOUSE_PRESS, 2, 3},
                                    {EVENT_MOUSE_RELEASE, 1, 2},
                                    {EVENT_MOUSE_PRESS, 4, 6}};
    ASSERT_EQ(m_pA->mouse.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i)
    {
        EXPECT_EQ(m_pA->mouse[i].type, expected[i][0]) << i;
        EXPECT_EQ(m_pA->mouse[i].button, expected[i][1]) << i;
        EXPECT_EQ(m_pA->mouse[i].buttons, expected[i][2]) << i;
    }
    m_Manager.SetInputScale({2.0f, 2.0f});
    MoveTo(190, 60);
    EXPECT_EQ(m_pA->mouse.back().pos, HVec2F(95.0f, 30.0f));
    EXPECT_TRUE(m_pB->mouse.empty());
}

TEST_F(Input, KeysBecomeVirtualKeyCodesTextCharactersModifiersFromEventOrKeyboard)
{
    MoveTo(50, 50);
    EXPECT_EQ(Handle(Key(SDL_KEYDOWN, SDLK_q)), 1);
    EXPECT_EQ(Handle(Key(SDL_KEYDOWN, SDLK_7)), 1);
    EXPECT_EQ(Handle(Key(SDL_KEYDOWN, SDLK_LEFT)), 1);
    EXPECT_EQ(Handle(Key(SDL_KEYDOWN, SDLK_F2)), 1);
    EXPECT_EQ(Handle(Key(SDL_KEYDOWN, SDLK_APPLICATION)), 0);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "a\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(Handle(text), 1);
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
    EXPECT_TRUE(m_pB->IsHovered());
    EXPECT_FALSE(m_pA->IsHovered());
    // A deleted hover widget gets no leave and is not used.
    m_pB->SetAlive(false);
    Frame();
    MoveTo(50, 50);
    EXPECT_EQ(TakeLog(), (Strings{"B deleted", "A enter", "A move"}));

    auto* pC = new Probe(&m_Manager, "C", &m_Log);
    pC->SetGeometry(100, 0, 100, 100);
    Frame();
    PressLeft(50, 50);
    MoveTo(150, 50);
    MoveTo(350, 250);
    EXPECT_EQ(TakeLog(), (Strings{"A press", "A move", "A move"}));
    EXPECT_EQ(m_pA->mouse.back().pos, HVec2F(350.0f, 250.0f));
    // The release is not a move: it goes to what lies under the cursor.
    ReleaseLeft(150, 50);
    EXPECT_EQ(m_Log.back(), "C release");
}

TEST_F(Input, WheelNotchesGoToTheWidgetOrWithNothingHoveredWheelAndKeysToTheManager)
{
    Strings managerLog;
    struct Sink
    {
        Strings* pLog;
        void Wheel() { pLog->push_back("wheel"); }
        void Key() { pLog->push_back("key"); }
        void Press() { pLog->push_back("press"); }
    } sink{&managerLog};
    m_Manager.Connect("MouseWheel", &sink, &Sink::Wheel);
    m_Manager.Connect("KeyPress", &sink, &Sink::Key);
    m_Manager.Connect("MousePress", &sink, &Sink::Press);
    MoveTo(300, 200);
    PressLeft(300, 200);
    Handle(MouseWheel(1, 300, 200));
    Handle(Key(SDL_KEYDOWN, SDLK_SPACE));
    EXPECT_EQ(managerLog, (Strings{"wheel", "key"}));

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
        SDL_Event event{};
        event.type = type;
        event.tfinger.fingerId = id;
        event.tfinger.x = x;
        event.tfinger.y = y;
        return Handle(event);
    };
    EXPECT_EQ(finger(SDL_FINGERDOWN, 7, 0.125f, 0.25f), 1);
    finger(SDL_FINGERDOWN, 9, 0.75f, 0.5f);
    finger(SDL_FINGERMOTION, 7, 0.5f, 0.5f);
    finger(SDL_FINGERUP, 7, 0.5f, 0.5f);
    finger(SDL_FINGERUP, 9, 0.75f, 0.5f);
    EXPECT_EQ(finger(SDL_FINGERMOTION, 3, 0.1f, 0.1f), 0);
    EXPECT_EQ(m_pA->touchTypes, (std::vector<uint32_t>{200, 201, 201, 201, 202}));
    ASSERT_EQ(m_pA->touchPoints.size(), 5u);
    EXPECT_EQ(m_pA->touchPoints[0], std::vector<HVec2F>{HVec2F(50.0f, 75.0f)});
    EXPECT_EQ(m_pA->touchPoints[2],
              (std::vector<HVec2F>{HVec2F(200.0f, 150.0f), HVec2F(300.0f, 150.0f)}));
    EXPECT_EQ(m_pA->touchPoints[3], std::vector<HVec2F>{HVec2F(300.0f, 150.0f)});
    EXPECT_TRUE(m_pA->touchPoints[4].empty());
    EXPECT_TRUE(m_pB->touchTypes.empty());
}

namespace
{
class CountingHandler : public HMsgHandler
{
public:
    CountingHandler(HManager* pManager, int* pCalls) : HMsgHandler(pManager), m_pCalls(pCalls) {}
    void CaptureMouse() override { *m_pCalls += 1; }
    void ReleaseMouse() override { *m_pCalls += 10; }

private:
    int* m_pCalls;
};

class FlaggedEvent : public HEvent
{
public:
    explicit FlaggedEvent(bool* pFreed) : HEvent(EVENT_USER), m_pFreed(pFreed) {}
    ~FlaggedEvent() override { *m_pFreed = true; }

private:
    bool* m_pFreed;
};

struct UserProbe : HWidget
{
    using HWidget::HWidget;
    void UserEvent(HEvent*) override { ++received; }
    int received = 0;
};
} // namespace

TEST(Manager, CaptureDrivesTheHandlerPostedEventsArriveAtUpdateAndNoManagerHandlesNothing)
{
    int calls = 0;
    HManager manager;
    manager.SetMsgHandler(new CountingHandler(&manager, &calls));
    // Destroyed before the manager: it leaves its parent on the way.
    UserProbe living(&manager);
    UserProbe* pLiving = &living;
    pLiving->SetCapture(true);
    EXPECT_TRUE(pLiving->IsCapture());
    pLiving->SetCapture(false);
    EXPECT_EQ(calls, 11);

    auto* pRetired = new UserProbe(&manager);
    bool firstFreed = false;
    bool secondFreed = false;
    manager.PostEvent(pLiving, std::make_unique<FlaggedEvent>(&firstFreed));
    manager.PostEvent(pRetired, std::make_unique<FlaggedEvent>(&secondFreed));
    pRetired->SetAlive(false);
    EXPECT_EQ(pLiving->received, 0);
    manager.Update(0.01f);
    EXPECT_EQ(pLiving->received, 1);
    EXPECT_TRUE(firstFreed);
    EXPECT_TRUE(secondFreed);
    manager.Update(0.01f);
    EXPECT_EQ(pLiving->received, 1);

    Halvex::Base::DiagnosticCapture capture;
    HMsgHandler_SDL handler(nullptr, nullptr);
    EXPECT_EQ(capture.Asserts().size(), 1u);
    EXPECT_EQ(handler.HandleEvent(MouseMotion(1, 1)), 0);
}
