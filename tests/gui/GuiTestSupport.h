#pragma once
// Test doubles for the GUI toolkit: a render proxy that records what it is asked to draw,
// synthesized SDL input and a manager fixture fed through the SDL message handler.

#include "gui/hmanager.h"
#include "gui/hmsghandler_sdl.h"
#include "gui/hrenderproxy.h"
#include "gui/hwidget.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace GuiTest
{
using namespace Halvex::HGui;

struct DrawRecord
{
    const HWidget* pWidget = nullptr; // null for text
    HRectF rect;                      // the widget's visible rect, or the text rect
    HRectF clip;                      // text only
    HColor color;
    std::string text;
};

// Draws nothing; records every request. Text measures 10 x 10 pixels per character.
class RecordingProxy : public HRenderProxy
{
public:
    explicit RecordingProxy(std::vector<DrawRecord>* pLog, bool* pDestroyed = nullptr)
        : m_pLog(pLog), m_pDestroyed(pDestroyed ? pDestroyed : &m_Destroyed)
    {
    }
    ~RecordingProxy() override { *m_pDestroyed = true; }

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
    HVec2F MeasureText(void*, const std::string& text) override
    {
        return {10.0f * static_cast<float>(text.size()), 10.0f};
    }
    void Update(float seconds, HWidget*) override { updateSeconds.push_back(seconds); }

    std::vector<float> updateSeconds;

private:
    std::vector<DrawRecord>* m_pLog;
    bool m_Destroyed = false;
    bool* m_pDestroyed;
};

SDL_Event MouseMotion(int x, int y, uint32_t sdlState = 0);
SDL_Event MouseButton(uint32_t type, uint8_t button, int x, int y);
SDL_Event MouseWheel(int notchesY, int x, int y, bool flipped = false);
SDL_Event Key(uint32_t type, SDL_Keycode sym, uint16_t mod = KMOD_NONE);

// A 400 x 300 manager with an SDL message handler and a recording proxy on the manager,
// inherited by every widget that sets none of its own.
class GuiFixture : public testing::Test
{
protected:
    GuiFixture();

    // One update and one render, as the application's frame does.
    void Frame(float seconds = 0.016f);
    int Handle(const SDL_Event& event) { return m_pHandler->HandleEvent(event); }
    // The left button: press, move with it held, release; moves without it.
    void PressLeft(int x, int y);
    void ReleaseLeft(int x, int y);
    void MoveTo(int x, int y) { Handle(MouseMotion(x, y, m_LeftHeld ? SDL_BUTTON_LMASK : 0)); }
    void ClickLeft(int x, int y);
    // Since the last Frame: the rectangles drawn for this widget, or with null the texts.
    std::vector<DrawRecord> Draws(const HWidget* pWidget) const;

    std::vector<DrawRecord> m_Draws;
    // For widgets that log what happens to them; it outlives the tree.
    std::vector<std::string> m_Log;
    HManager m_Manager;
    HMsgHandler_SDL* m_pHandler;
    bool m_LeftHeld = false;
    int m_Context = 0;
};

} // namespace GuiTest
