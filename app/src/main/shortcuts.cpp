#include "main/shortcuts.h"

#include "main/lumivia.h"
#include "main/screenshot.h"

namespace
{
// Virtual-key codes.
constexpr uint32_t KEY_ESCAPE = 0x1B;
constexpr uint32_t KEY_SPACE = 0x20;
constexpr uint32_t KEY_PAGE_UP = 0x21;
constexpr uint32_t KEY_PAGE_DOWN = 0x22;
constexpr uint32_t KEY_F1 = 0x70;
constexpr uint32_t KEY_F2 = 0x71;
constexpr uint32_t KEY_F5 = 0x74;
constexpr uint32_t KEY_F12 = 0x7B;
} // namespace

void HandleShortcut(Lumivia& app, uint32_t virtualKey)
{
    switch (virtualKey)
    {
    case KEY_ESCAPE:
        app.RequestQuit();
        break;
    case KEY_F1:
        app.ToggleNotes();
        break;
    case KEY_F2:
        app.ToggleStats();
        break;
    case KEY_F5:
        app.ReloadShaders();
        break;
    case KEY_F12:
        SaveScreenshot(app.GetRenderer()->GetDevice());
        break;
    case KEY_PAGE_DOWN:
        app.StepLesson(1);
        break;
    case KEY_PAGE_UP:
        app.StepLesson(-1);
        break;
    case KEY_SPACE:
        app.TogglePause();
        break;
    default:
        break;
    }
}
