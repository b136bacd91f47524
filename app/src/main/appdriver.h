#pragma once
// Runs the real application in its own window and feeds it input as SDL events, the way a
// user's mouse would: the lesson tour and the application tests drive it through this.
// Under SDL_VIDEODRIVER=offscreen it needs no display.

#include "main/lumivia.h"
#include "main/mainwindow.h"

#include <SDL.h>

#include <memory>
#include <string>

class AppDriver
{
public:
    // The application's frame counter reads `clock`: the steady clock (started now) unless
    // the caller drives time itself.
    explicit AppDriver(
        Halvex::Base::HighResolutionTimer clock = Halvex::Base::HighResolutionTimer());
    // Calls Stop.
    ~AppDriver();
    AppDriver(const AppDriver&) = delete;
    AppDriver& operator=(const AppDriver&) = delete;

    // Initialises SDL video, opens the window (at the client size unless told otherwise; the
    // application keeps its 1280 x 720 layout, letterboxed) and starts the application with
    // the notes and their "?" button hidden, so that pictures show the lessons' own screens.
    // False (with a diagnostic line) when the window or the render device can not be created.
    bool Start(int windowWidth = CLIENT_WIDTH, int windowHeight = CLIENT_HEIGHT);
    // Ends the application (releasing its device), then the window and SDL; nothing once
    // stopped.
    void Stop();

    // Runs idle turns until `count` frames have been updated and rendered; waiting events
    // are dispatched first, as in the program's own loop.
    void RunFrames(int count);
    // Hands every waiting event to the application without running a frame, as the
    // program's loop does before its next idle turn.
    void DispatchEvents();

    // Mouse input in window coordinates (client pixels while the window has the client
    // size); each is one SDL event queued for the next turn.
    void MoveMouse(int x, int y, bool leftHeld);
    void PressLeft(int x, int y);
    void ReleaseLeft(int x, int y);
    // Move, press and release, each followed by a frame so that hover and state follow.
    void Click(int x, int y);
    // Presses at `from`, moves to `to` in `steps` moves of one frame each, releases.
    void Drag(int fromX, int fromY, int toX, int toY, int steps);
    // Moves to (x, y), then turns the wheel one notch a frame: `notches` above 0 away from
    // the user, below 0 towards the user.
    void Scroll(int x, int y, int notches);

    // Presses and releases a key, then runs a frame.
    void PressKey(SDL_Keycode key);

    // Brings the lesson's row into view, dragging the list (and letting it settle) when the
    // row lies outside its visible part, and gives the row's centre in client pixels. False when no
    // row has that name or the row can not be brought into view.
    bool RevealLesson(const std::string& name, int* pX, int* pY);
    // RevealLesson, then a click on the row.
    bool SelectLesson(const std::string& name);

    // Writes the presented picture as a PNG file.
    bool SaveScreenshot(const std::string& path);
    // Errors the GL debug output has reported since the device was made (0 before Start).
    unsigned GetGLErrorCount();

    Lumivia& GetApp() { return *m_pApp; }
    SDL_Window* GetWindow() const { return m_pWindow; }
    // Frames rendered since Start.
    int GetFrameCount() const { return m_Frames; }

private:
    void Push(SDL_Event& event);
    void PushLeftButton(Uint32 type, int x, int y);

    Halvex::Base::HighResolutionTimer m_Clock;
    bool m_SdlStarted = false;
    SDL_Window* m_pWindow = nullptr;
    std::unique_ptr<Lumivia> m_pApp;
    int m_MouseX = 0;
    int m_MouseY = 0;
    int m_Frames = 0;
};
