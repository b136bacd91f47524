#include "main/shortcuts.h"

#include "main/inspectorpanel.h"
#include "main/lumivia.h"
#include "main/screenshot.h"
#include "main/virtualkeys.h"

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
    case KEY_F3:
        app.ToggleInspector();
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
        // Up, Down, Home and End select in the open inspector.
        if (app.GetInspector())
        {
            app.GetInspector()->HandleKey(virtualKey);
        }
        break;
    }
}
