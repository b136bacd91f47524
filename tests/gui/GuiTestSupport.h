#pragma once
// Test doubles for the GUI toolkit: a render proxy that records what it is asked to draw, a
// receiver that logs the signals it gets, synthesized SDL input and a manager fixture fed
// through the SDL message handler.

#include "gui/hmanager.h"
#include "gui/hmsghandler_sdl.h"
#include "gui/hrenderproxy.h"
#include "gui/hwidget.h"

#include <SDL.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace GuiTest
{
using namespace Halvex::HGui;
using Strings = std::vector<std::string>;

struct DrawRecord
{
    const HWidget* pWidget = nullptr; // null for text
    HRectF rect;                      // the widget's visible rect, or the text rect
    HRectF clip;                      // text only
    HColor color;
    std::string text;
    bool operator==(const DrawRecord&) const = default;
};

// Draws nothing; records every request, and last a text "destroyed". Text measures 10 x 10
// pixels per character.
class RecordingProxy : public HRenderProxy
{
public:
    explicit RecordingProxy(std::vector<DrawRecord>* pLog) : m_pLog(pLog) {}
    ~RecordingProxy() override { m_pLog->push_back({nullptr, {}, {}, {}, "destroyed"}); }

    int Render(void*, HWidget* pWidget) override
    {
        m_pLog->push_back(
            {pWidget, pWidget->GetVisibleRect(), {}, pWidget->GetBackgroundColor(), {}});
        return 1;
    }
    void RenderText(void*, const std::string& text, const HRectF& clipRect, const HRectF& textRect,
                    const HColor& color) override
    {
        m_pLog->push_back({nullptr, textRect, clipRect, color, text});
    }
    HVec2F MeasureText(void*, const std::string& s) override { return {10.0f * s.size(), 10.0f}; }
    void Update(float seconds, HWidget*) override { updateSeconds.push_back(seconds); }

    std::vector<float> updateSeconds;

private:
    std::vector<DrawRecord>* m_pLog;
};

// Logs the signals it receives in the order they arrive: names as text, values and senders
// or items apart.
struct SignalLog
{
    Strings entries;
    std::vector<float> values;
    std::vector<const HObject*> objects;
    void Add(std::string entry) { entries.push_back(std::move(entry)); }
    void State(int state) { Add("state " + std::to_string(state)); }
    void Pressed() { Add("pressed"); }
    void Clicked() { Add("clicked"); }
    void Checked(bool checked) { Add(checked ? "checked" : "unchecked"); }
    void Wheel() { Add("wheel"); }
    void Key() { Add("key"); }
    void Updated() { Add("update"); }
    void Value(float value) { values.push_back(value); }
    void Item(HWidget* pItem) { objects.push_back(pItem); }
    Strings Take() { return std::exchange(entries, {}); }
};

inline SDL_Event MouseMotion(int x, int y, uint32_t sdlState = 0)
{
    SDL_Event event{SDL_MOUSEMOTION};
    std::tie(event.motion.x, event.motion.y, event.motion.state) = std::tuple(x, y, sdlState);
    return event;
}
inline SDL_Event MouseButton(uint32_t type, uint8_t button, int x, int y)
{
    SDL_Event event{type};
    std::tie(event.button.button, event.button.x, event.button.y) = std::tuple(button, x, y);
    return event;
}
inline SDL_Event MouseWheel(int notchesY, int x, int y, bool flipped = false)
{
    SDL_Event event{SDL_MOUSEWHEEL};
    const uint32_t direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    std::tie(event.wheel.y, event.wheel.direction, event.wheel.mouseX, event.wheel.mouseY) =
        std::tuple(notchesY, direction, x, y);
    return event;
}
inline SDL_Event Key(uint32_t type, SDL_Keycode sym, uint16_t mod = KMOD_NONE)
{
    SDL_Event event{type};
    std::tie(event.key.keysym.sym, event.key.keysym.mod) = std::tuple(sym, mod);
    return event;
}

// A 400 x 300 manager with an SDL message handler and a recording proxy on the manager,
// inherited by every widget that sets none of its own.
class GuiFixture : public testing::Test
{
protected:
    GuiFixture() : m_pHandler(new HMsgHandler_SDL(&m_Manager, nullptr))
    {
        m_Manager.SetMsgHandler(m_pHandler);
        m_Manager.SetGeometry(0.0f, 0.0f, 400.0f, 300.0f);
        m_Manager.SetRenderProxy(new RecordingProxy(&m_Draws));
    }

    // One update and one render, as the application's frame does, `count` times.
    void Frame(float seconds = 0.016f, int count = 1)
    {
        for (int i = 0; i < count; ++i)
        {
            m_Draws.clear();
            m_Manager.Update(seconds);
            m_Manager.Render(&m_Context);
        }
    }
    // A widget of type W under the parent, placed at (x, y) with size (w, h).
    template <class W = HWidget, class... Args>
    W* Make(HObject* pParent, float x, float y, float w, float h, Args&&... args)
    {
        auto* pWidget = new W(pParent, std::forward<Args>(args)...);
        pWidget->SetGeometry(x, y, w, h);
        return pWidget;
    }
    int Handle(const SDL_Event& event) { return m_pHandler->HandleEvent(event); }
    // The left button: press, move with it held, release; moves without it.
    void PressLeft(int x, int y) { Left(true, x, y); }
    void ReleaseLeft(int x, int y) { Left(false, x, y); }
    void MoveTo(int x, int y) { Handle(MouseMotion(x, y, m_LeftHeld ? SDL_BUTTON_LMASK : 0)); }
    void ClickLeft(int x, int y) { Drag(x, y, {}); }
    // Presses at (x, y), moves to each point with the button held, and releases there.
    void Drag(int x, int y, std::initializer_list<std::pair<int, int>> points)
    {
        MoveTo(x, y);
        PressLeft(x, y);
        for (const auto& point : points)
        {
            std::tie(x, y) = point;
            MoveTo(x, y);
        }
        ReleaseLeft(x, y);
    }
    // Since the last Frame: the rectangles drawn for this widget, or with null the texts.
    std::vector<DrawRecord> Draws(const HWidget* pWidget) const
    {
        std::vector<DrawRecord> draws;
        std::copy_if(m_Draws.begin(), m_Draws.end(), std::back_inserter(draws),
                     [&](const DrawRecord& record) { return record.pWidget == pWidget; });
        return draws;
    }

    std::vector<DrawRecord> m_Draws;
    // For widgets that log what happens to them; it outlives the tree.
    Strings m_Log;
    HManager m_Manager;
    HMsgHandler_SDL* m_pHandler;
    bool m_LeftHeld = false;
    int m_Context = 0;

private:
    void Left(bool down, int x, int y)
    {
        m_LeftHeld = down;
        Handle(MouseButton(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y));
    }
};

} // namespace GuiTest
