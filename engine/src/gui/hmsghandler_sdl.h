#pragma once
// Translation of SDL input into toolkit events.

#include "gui/hmsghandler.h"

#include <cstdint>
#include <utility>
#include <vector>

union SDL_Event;
struct SDL_Window;

namespace Halvex::HGui
{

class HMsgHandler_SDL : public HMsgHandler_Common
{
public:
    // `pWindow` may be null; touch positions then scale by the manager's size.
    HMsgHandler_SDL(HManager* pManager, SDL_Window* pWindow);

    void CaptureMouse() override;
    void ReleaseMouse() override;

    // Returns 1 when the event became toolkit input, 0 when it is left to the caller.
    int HandleEvent(const SDL_Event& event);

private:
    int HandleMouseButton(const SDL_Event& event, uint32_t type);
    int HandleWheel(const SDL_Event& event);
    int HandleKey(const SDL_Event& event, uint32_t type);
    int HandleText(const SDL_Event& event);
    int HandleFinger(const SDL_Event& event);

    SDL_Window* m_pWindow;
    // Buttons held, in toolkit bits; mouse motion reports the authoritative set.
    uint32_t m_HeldButtons = 0;
    // Fingers on the surface in the order they went down, positions in window pixels.
    std::vector<std::pair<int64_t, HVec2F>> m_Touches;
};

// The virtual-key code of an SDL key (letters as upper case, digits as themselves), or 0.
uint32_t VirtualKeyFromSdl(int32_t sdlKey);

} // namespace Halvex::HGui
