#include "main/shortcuts.h"

#include "main/lumivia.h"
#include "main/screenshot.h"

void HandleShortcut(Lumivia& app, const SDL_Event& event)
{
    if (event.type != SDL_KEYDOWN || event.key.repeat != 0)
    {
        return;
    }
    switch (event.key.keysym.sym)
    {
    case SDLK_ESCAPE:
        app.RequestQuit();
        break;
    case SDLK_F1:
        app.ToggleNotes();
        break;
    case SDLK_F2:
        app.ToggleStats();
        break;
    case SDLK_F5:
        app.ReloadShaders();
        break;
    case SDLK_F12:
        SaveScreenshot(app.GetRenderer()->GetDevice());
        break;
    case SDLK_PAGEDOWN:
        app.StepLesson(1);
        break;
    case SDLK_PAGEUP:
        app.StepLesson(-1);
        break;
    case SDLK_SPACE:
        app.TogglePause();
        break;
    default:
        break;
    }
}
