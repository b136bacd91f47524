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
    bool isText = false;
    const HWidget* pWidget = nullptr; // rectangles only
    HRectF rect;                      // the widget's visible rect, or the text rect
    HRectF clip;                      // text only
    HColor color;
    std::string text;
};

// Draws nothing; records every request. Text measures 10 x 10 pixels per character
// unless told otherwise.
class RecordingProxy : public HRenderProxy
{
public:
    explicit RecordingProxy(std::vector<DrawRecord>* pLog, HVec2F glyph = {10.0f, 10.0f})
        : m_pLog(pLog), m_Glyph(glyph)
    {
    }
    ~RecordingProxy() override
    {
        if (m_pDestroyed)
        {
            *m_pDestroyed = true;
        }
    }

    int Render(void*, HWidget* pWidget) override
    {
        DrawRecord record;
        record.pWidget = pWidget;
        record.rect = pWidget->GetVisibleRect();
        record.color = pWidget->GetBackgroundColor();
        m_pLog->push_back(record);
        return 1;
    }
    void RenderText(void*, const std::string& text, const HRectF& clipRect, const HRectF& textRect,
                    const HColor& color) override
    {
        DrawRecord record;
        record.isText = true;
        record.rect = textRect;
        record.clip = clipRect;
        record.color = color;
        record.text = text;
        m_pLog->push_back(record);
    }
    HVec2F MeasureText(void*, const std::string& text) override
    {
        return {m_Glyph.x * static_cast<float>(text.size()), m_Glyph.y};
    }
    void Update(float seconds, HWidget*) override { m_UpdateSeconds.push_back(seconds); }

    void WatchDestruction(bool* pDestroyed) { m_pDestroyed = pDestroyed; }
    const std::vector<float>& UpdateSeconds() const { return m_UpdateSeconds; }

private:
    std::vector<DrawRecord>* m_pLog;
    HVec2F m_Glyph;
    bool* m_pDestroyed = nullptr;
    std::vector<float> m_UpdateSeconds;
};

SDL_Event MouseMotion(int x, int y, uint32_t sdlState = 0);
SDL_Event MouseButton(uint32_t type, uint8_t button, int x, int y);
SDL_Event MouseWheel(int notchesY, int x, int y, bool flipped = false);
SDL_Event Key(uint32_t type, SDL_Keycode sym, uint16_t mod = KMOD_NONE);
SDL_Event TextInput(const char* text);
SDL_Event Finger(uint32_t type, SDL_FingerID finger, float x, float y);

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
    void MoveTo(int x, int y);
    void ClickLeft(int x, int y);
    // Draw records of this widget (rectangles) since the last Frame.
    std::vector<DrawRecord> RectsOf(const HWidget* pWidget) const;
    std::vector<DrawRecord> Texts() const;

    std::vector<DrawRecord> m_Draws;
    // For widgets that log what happens to them; it outlives the tree.
    std::vector<std::string> m_Log;
    HManager m_Manager;
    HMsgHandler_SDL* m_pHandler;
    bool m_LeftHeld = false;
    int m_Context = 0;
};

} // namespace GuiTest
