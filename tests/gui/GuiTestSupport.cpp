#include "GuiTestSupport.h"

namespace GuiTest
{

SDL_Event MouseMotion(int x, int y, uint32_t sdlState)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    event.motion.state = sdlState;
    return event;
}

SDL_Event MouseButton(uint32_t type, uint8_t button, int x, int y)
{
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event MouseWheel(int notchesY, int x, int y, bool flipped)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = notchesY;
    event.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    event.wheel.mouseX = x;
    event.wheel.mouseY = y;
    return event;
}

SDL_Event Key(uint32_t type, SDL_Keycode sym, uint16_t mod)
{
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    return event;
}

GuiFixture::GuiFixture() : m_pHandler(new HMsgHandler_SDL(&m_Manager, nullptr))
{
    m_Manager.SetMsgHandler(m_pHandler);
    m_Manager.SetGeometry(0.0f, 0.0f, 400.0f, 300.0f);
    m_Manager.SetRenderProxy(new RecordingProxy(&m_Draws));
}

void GuiFixture::Frame(float seconds)
{
    m_Draws.clear();
    m_Manager.Update(seconds);
    m_Manager.Render(&m_Context);
}

void GuiFixture::PressLeft(int x, int y)
{
    m_LeftHeld = true;
    Handle(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y));
}

void GuiFixture::ReleaseLeft(int x, int y)
{
    m_LeftHeld = false;
    Handle(MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y));
}

void GuiFixture::ClickLeft(int x, int y)
{
    MoveTo(x, y);
    PressLeft(x, y);
    ReleaseLeft(x, y);
}

std::vector<DrawRecord> GuiFixture::Draws(const HWidget* pWidget) const
{
    std::vector<DrawRecord> draws;
    std::copy_if(m_Draws.begin(), m_Draws.end(), std::back_inserter(draws),
                 [&](const DrawRecord& record) { return record.pWidget == pWidget; });
    return draws;
}

} // namespace GuiTest
