#include "main/appdriver.h"

#include "main/mainwindow.h"
#include "main/startupfailure.h"

#include "d3d9gl/d3d9gl.h"
#include "gui/hdragbutton.h"
#include "gui/hmsghandler_sdl.h"
#include "gui/hscrollarea.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

AppDriver::AppDriver(Halvex::Base::HighResolutionTimer clock) : m_Clock(std::move(clock)) {}

AppDriver::~AppDriver()
{
    Stop();
}

void AppDriver::Stop()
{
    m_pApp.reset();
    if (m_pWindow)
    {
        SDL_DestroyWindow(m_pWindow);
        m_pWindow = nullptr;
    }
    if (m_SdlStarted)
    {
        SDL_Quit();
        m_SdlStarted = false;
    }
}

bool AppDriver::Start(int windowWidth, int windowHeight)
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
    {
        ReportVideoFailure();
        return false;
    }
    m_SdlStarted = true;
    m_pWindow = CreateMainWindow(windowWidth, windowHeight);
    if (!m_pWindow)
    {
        ReportWindowFailure();
        return false;
    }
    m_pApp = std::make_unique<Lumivia>(std::move(m_Clock));
    SDL_ClearError();
    m_pApp->Init(
        std::make_unique<Halvex::HGui::HMsgHandler_SDL>(m_pApp->GetGuiManager(), m_pWindow),
        m_pWindow, CLIENT_WIDTH, CLIENT_HEIGHT);
    // Pictures compare the lessons' own screens; a test that looks at the notes shows them.
    m_pApp->SetNotesAvailable(false);
    if (!m_pApp->GetRenderer()->GetDevice())
    {
        ReportDeviceFailure();
        return false;
    }
    return true;
}

void AppDriver::RunFrames(int count)
{
    for (int i = 0; i < count; ++i)
    {
        DispatchEvents();
        m_pApp->Update();
        m_pApp->Render();
        ++m_Frames;
    }
}

void AppDriver::DispatchEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
        DispatchEvent(*m_pApp, event);
    }
}

void AppDriver::Push(SDL_Event& event)
{
    SDL_PushEvent(&event);
}

void AppDriver::MoveMouse(int x, int y, bool leftHeld)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(m_pWindow);
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = x - m_MouseX;
    event.motion.yrel = y - m_MouseY;
    event.motion.state = leftHeld ? SDL_BUTTON_LMASK : 0;
    m_MouseX = x;
    m_MouseY = y;
    Push(event);
}

void AppDriver::PushLeftButton(Uint32 type, int x, int y)
{
    SDL_Event event{};
    event.type = type;
    event.button.windowID = SDL_GetWindowID(m_pWindow);
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    Push(event);
}

void AppDriver::PressLeft(int x, int y)
{
    PushLeftButton(SDL_MOUSEBUTTONDOWN, x, y);
}

void AppDriver::ReleaseLeft(int x, int y)
{
    PushLeftButton(SDL_MOUSEBUTTONUP, x, y);
}

void AppDriver::Click(int x, int y)
{
    MoveMouse(x, y, false);
    RunFrames(1);
    PressLeft(x, y);
    RunFrames(1);
    ReleaseLeft(x, y);
    RunFrames(1);
}

void AppDriver::Drag(int fromX, int fromY, int toX, int toY, int steps)
{
    MoveMouse(fromX, fromY, false);
    RunFrames(1);
    PressLeft(fromX, fromY);
    RunFrames(1);
    for (int i = 1; i <= steps; ++i)
    {
        MoveMouse(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps, true);
        RunFrames(1);
    }
    ReleaseLeft(toX, toY);
    RunFrames(1);
}

void AppDriver::Scroll(int x, int y, int notches)
{
    MoveMouse(x, y, false);
    RunFrames(1);
    for (int i = 0; i < std::abs(notches); ++i)
    {
        SDL_Event event{};
        event.type = SDL_MOUSEWHEEL;
        event.wheel.windowID = SDL_GetWindowID(m_pWindow);
        event.wheel.y = notches > 0 ? 1 : -1;
        event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
        event.wheel.mouseX = x;
        event.wheel.mouseY = y;
        Push(event);
        RunFrames(1);
    }
}

void AppDriver::PressKey(SDL_Keycode key)
{
    for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP})
    {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = SDL_GetWindowID(m_pWindow);
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
        Push(event);
    }
    RunFrames(1);
}

namespace
{
constexpr int SETTLE_FRAMES = 60;
constexpr int DRAG_STEP = 8;
// Pixels of the last row that stay below the list area.
constexpr float LAST_ROW_CLIP = 4.0f;

Halvex::HGui::HDragButton* FindRow(Lumivia& app, const std::string& name)
{
    for (Halvex::HGui::HObject* pChild : app.GetListContent()->GetChildren())
    {
        auto* pRow = dynamic_cast<Halvex::HGui::HDragButton*>(pChild);
        if (pRow && pRow->GetText() == name)
        {
            return pRow;
        }
    }
    return nullptr;
}

bool IsWhollyVisible(const Halvex::HGui::HWidget* pRow)
{
    // Rows are a little wider than the list; only the vertical extent matters. The list ends
    // a few pixels above the last row's bottom edge even when dragged as far as it goes, so a
    // row that shows all but those pixels counts as in view.
    const Halvex::HGui::HRectF& visible = pRow->GetVisibleRect();
    const Halvex::HGui::HRectF& rect = pRow->GetRect();
    return visible.IsValid() && visible.y == rect.y &&
           visible.height >= rect.height - LAST_ROW_CLIP;
}
} // namespace

bool AppDriver::RevealLesson(const std::string& name, int* pX, int* pY)
{
    Halvex::HGui::HDragButton* pRow = FindRow(*m_pApp, name);
    if (!pRow)
    {
        return false;
    }
    RunFrames(1);
    if (!IsWhollyVisible(pRow))
    {
        // Drag the list so that the row's centre moves to the middle of the list area, in
        // small steps, and hold still before releasing so the list does not coast.
        const Halvex::HGui::HRectF area = m_pApp->GetListArea()->GetVisibleRect();
        const Halvex::HGui::HRectF row = pRow->GetRect();
        const int fromX = static_cast<int>(area.x + area.width / 2.0f);
        const int fromY = static_cast<int>(area.y + area.height / 2.0f);
        const int toY = fromY - static_cast<int>(row.y + row.height / 2.0f - fromY);
        MoveMouse(fromX, fromY, false);
        RunFrames(1);
        PressLeft(fromX, fromY);
        RunFrames(1);
        const int steps = std::max(1, std::abs(toY - fromY) / DRAG_STEP);
        for (int i = 1; i <= steps; ++i)
        {
            MoveMouse(fromX, fromY + (toY - fromY) * i / steps, true);
            RunFrames(1);
        }
        MoveMouse(fromX, toY, true);
        RunFrames(1);
        ReleaseLeft(fromX, toY);
        RunFrames(SETTLE_FRAMES);
        if (!IsWhollyVisible(pRow))
        {
            return false;
        }
    }
    const Halvex::HGui::HRectF rect = pRow->GetVisibleRect();
    *pX = static_cast<int>(rect.x + rect.width / 2.0f);
    *pY = static_cast<int>(rect.y + rect.height / 2.0f);
    return true;
}

bool AppDriver::SelectLesson(const std::string& name)
{
    int x = 0;
    int y = 0;
    if (!RevealLesson(name, &x, &y))
    {
        return false;
    }
    Click(x, y);
    return true;
}

bool AppDriver::SaveScreenshot(const std::string& path)
{
    Halvex::RenderCore::RenderDevice* pDevice = m_pApp->GetRenderer()->GetDevice();
    if (!pDevice)
    {
        return false;
    }
    pDevice->SaveBackBufferToFile(path, Halvex::RenderCore::IFF_PNG);
    return true;
}

unsigned AppDriver::GetGLErrorCount()
{
    Halvex::RenderCore::RenderDevice* pDevice =
        m_pApp ? m_pApp->GetRenderer()->GetDevice() : nullptr;
    D3D9GL_COUNTERS current = {};
    if (!pDevice ||
        FAILED(D3D9GL_GetCounters(static_cast<IDirect3DDevice9*>(pDevice->GetNativeDevice()),
                                  &current, nullptr)))
    {
        return 0;
    }
    return current.GLErrors;
}
