#pragma once
// The application object: it owns the renderer, the running lesson, the GUI with the lesson
// list, the notes, the shader error panel and the frame statistics, the texture cache and
// the frame counter. Lessons reach it through g_pApp.

#include "common/model/texturemanager.h"
#include "common/render/renderimpl.h"
#include "testcase/modemanager.h"
#include "testcase/shaderboard.h"

#include "base/source/system/framecounter.h"
#include "gui/hmanager.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Halvex::HGui
{
class HDragButton;
class HEvent;
class HLabel;
class HMsgHandler;
class HObject;
class HPushButton;
class HScrollArea;
class HWidget;
} // namespace Halvex::HGui

namespace Halvex::RenderCore
{
class RenderDevice;
class VideoDevice;
} // namespace Halvex::RenderCore

class ModeBase;
class StatsOverlay;
class TextPanel;

// Creates one lesson and hands it to the application's SetMode.
using LessonFactory = void (*)();

class Lumivia
{
public:
    // Sets g_pApp. The frame counter reads its time from `clock`, the steady clock unless
    // the caller drives time itself.
    explicit Lumivia(Halvex::Base::HighResolutionTimer clock = Halvex::Base::HighResolutionTimer());
    // Deletes the lessons while the GUI and the device still exist, then clears g_pApp.
    virtual ~Lumivia();
    Lumivia(const Lumivia&) = delete;
    Lumivia& operator=(const Lumivia&) = delete;

    // Input through `pInput`, the platform's handler made for this application's GUI manager
    // (null: no input), the devices through the back end for the platform's window, then the
    // GUI. Always true: a renderer that fails to start draws nothing.
    bool Init(std::unique_ptr<Halvex::HGui::HMsgHandler> pInput, void* pWindow, int width,
              int height);
    // The same with devices made by the caller.
    bool Init(std::unique_ptr<Halvex::HGui::HMsgHandler> pInput, int width, int height,
              std::unique_ptr<Halvex::RenderCore::VideoDevice> pVideoDevice,
              std::unique_ptr<Halvex::RenderCore::RenderDevice> pRenderDevice);

    // One frame of time: the pending lesson switch, the lesson and GUI updates (from the
    // second frame on), frame counting and the FPS text.
    void Update();
    // One frame of drawing: the lesson, then the GUI over it.
    void Render();

    void SetMode(ModeBase* pMode) { m_ModeManager.SetMode(pMode); }
    // Queues the lesson of list row `index` and shows its notes; a row out of range or
    // without a lesson does nothing.
    void RunLesson(int index);
    // The row of the running (or queued) lesson; -1 on the start screen.
    int GetLessonIndex() const { return m_LessonIndex; }
    // Runs the lesson `step` rows further down the list (up for a negative step), going
    // round at either end.
    void StepLesson(int step);

    // The lesson's shaders from their files again.
    void ReloadShaders();
    // Shows or hides the notes panel.
    void ToggleNotes();
    // The "?" button and the notes panel together; pictures of the lessons' own screens
    // are taken without them.
    void SetNotesAvailable(bool on);
    TextPanel* GetNotesPanel() const { return m_pNotesPanel; }
    Halvex::HGui::HPushButton* GetNotesButton() const { return m_pNotesButton; }

    // The lesson shaders alive now; their compile errors show in the red panel.
    ShaderBoard* GetShaderBoard() { return &m_ShaderBoard; }
    TextPanel* GetShaderErrorPanel() const { return m_pShaderErrorPanel; }

    // Shows or hides the frame statistics.
    void ToggleStats();
    StatsOverlay* GetStatsOverlay() const { return m_pStatsOverlay; }

    // While paused the lesson updates with no time passing; the GUI goes on.
    void TogglePause() { m_Paused = !m_Paused; }
    bool IsPaused() const { return m_Paused; }
    // Ends the program's loop after the current event.
    void RequestQuit() { m_QuitRequested = true; }
    bool IsQuitRequested() const { return m_QuitRequested; }

    Halvex::HGui::HManager* GetGuiManager() { return &m_GuiManager; }
    Halvex::HGui::HWidget* GetRootWidget() const { return m_pRootWidget; }
    Halvex::HGui::HWidget* GetInputWidget() const { return m_pInputWidget; }
    RenderImpl* GetRenderer() { return &m_Renderer; }
    ModeManager* GetModeManager() { return &m_ModeManager; }
    TextureManager* GetTextureManager() { return &m_TextureManager; }
    // x, y, width, height.
    std::array<float, 4> GetClientRect() const;
    float GetAspect() const { return static_cast<float>(m_Width) / static_cast<float>(m_Height); }
    int GetWidth() const { return m_Width; }
    int GetHeight() const { return m_Height; }
    int GetFps() const { return static_cast<int>(m_FrameCounter.GetFPS() + 0.5); }

    Halvex::HGui::HScrollArea* GetListArea() const { return m_pListArea; }
    Halvex::HGui::HWidget* GetListContent() const { return m_pListContent; }
    Halvex::HGui::HLabel* GetFpsLabel() const { return m_pFpsLabel; }
    Halvex::HGui::HPushButton* GetListButton() const { return m_pListButton; }
    Halvex::HGui::HPushButton* GetReloadButton() const { return m_pReloadButton; }

private:
    void InitInput(std::unique_ptr<Halvex::HGui::HMsgHandler> pInput, int width, int height);
    void InitGui();
    void BuildGui();
    // A null factory lists the lesson without connecting its button.
    void AddLesson(int index, const char* name, LessonFactory factory);
    void OnToggleList();
    void OnLessonRow(Halvex::HGui::HObject* pSender);
    void OnListWheel(Halvex::HGui::HEvent* pEvent);
    void ShowNotes(const std::string& name);

    int m_Width = 0;
    int m_Height = 0;
    RenderImpl m_Renderer;
    ModeManager m_ModeManager;
    Halvex::HGui::HManager m_GuiManager;
    TextureManager m_TextureManager;
    ShaderBoard m_ShaderBoard;
    // The widgets belong to the GUI tree.
    Halvex::HGui::HWidget* m_pRootWidget = nullptr;
    Halvex::HGui::HScrollArea* m_pListArea = nullptr;
    Halvex::HGui::HWidget* m_pListContent = nullptr;
    Halvex::HGui::HWidget* m_pInputWidget = nullptr;
    Halvex::HGui::HLabel* m_pFpsLabel = nullptr;
    Halvex::HGui::HPushButton* m_pListButton = nullptr;
    Halvex::HGui::HPushButton* m_pReloadButton = nullptr;
    Halvex::HGui::HPushButton* m_pNotesButton = nullptr;
    TextPanel* m_pNotesPanel = nullptr;
    TextPanel* m_pShaderErrorPanel = nullptr;
    StatsOverlay* m_pStatsOverlay = nullptr;
    // The list's rows in list order.
    std::vector<Halvex::HGui::HDragButton*> m_Rows;
    int m_LessonIndex = -1;
    bool m_Paused = false;
    bool m_QuitRequested = false;
    Halvex::Base::FrameCounter m_FrameCounter;
    // Seconds on the frame clock at the last Update; the clock stays in double precision
    // so that dt keeps its resolution however long the program runs.
    double m_LastTime = 0.0;
    bool m_HasLastTime = false;
};

// The one application object, null outside its lifetime.
extern Lumivia* g_pApp;
