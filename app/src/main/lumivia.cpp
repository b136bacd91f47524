#include "main/lumivia.h"

#include "main/lessonlist.h"
#include "main/lessonnotes.h"
#include "main/statsoverlay.h"

#include "common/render/shaderlog.h"
#include "common/render/texrenderproxy.h"
#include "common/render/texrenderproxybtn.h"
#include "common/render/textpanel.h"
#include "testcase/testbase.h"

#include "base/source/system/logger.h"
#include "gui/hdragbutton.h"
#include "gui/hdragwrapper.h"
#include "gui/hevent.h"
#include "gui/hlabel.h"
#include "gui/hmsghandler.h"
#include "gui/hpushbutton.h"
#include "gui/hscrollarea.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <algorithm>
#include <utility>

using namespace Halvex::HGui;

Lumivia* g_pApp = nullptr;

namespace
{
const HColor BUTTON_NORMAL(0xFFFFFFFF);
const HColor BUTTON_HOVER(0xFFFFFF00);
const HColor BUTTON_PRESSED(0xFFA0A0A4);
constexpr float ROW_HEIGHT = 24.0f;
constexpr float ROW_PITCH = 26.0f;
constexpr float LIST_WIDTH = 180.0f;
// Wheel delta of one notch.
constexpr float WHEEL_NOTCH = 120.0f;
// Bottom centre, above the lessons' bottom-left sliders and clear of their other controls.
constexpr float NOTES_WIDTH = 660.0f;
constexpr float NOTES_BOTTOM = -40.0f;
const HColor NOTES_BACKGROUND(0xC0202020);
// Top centre, below the row of the lessons' top controls.
constexpr float ERROR_TOP = 50.0f;
const HColor ERROR_BACKGROUND(0xE0A01818);
constexpr int LINK_ERROR_LINES = 5;

HPushButton* AddCornerButton(HWidget* pRoot, float x, const char* pText)
{
    auto* pButton = new HPushButton(pRoot);
    pButton->SetGeometry(x, -10.0f, 24.0f, 24.0f);
    pButton->SetAlignment(ALIGN_LEFT | ALIGN_BOTTOM);
    pButton->SetText(std::string(pText));
    pButton->SetRenderProxy(
        new TexRenderProxyBtn(BUTTON_NORMAL, BUTTON_HOVER, BUTTON_PRESSED, nullptr));
    return pButton;
}
} // namespace

Lumivia::Lumivia(Halvex::Base::HighResolutionTimer clock) : m_FrameCounter(std::move(clock))
{
    g_pApp = this;
}

Lumivia::~Lumivia()
{
    m_ModeManager.Clear();
    g_pApp = nullptr;
}

bool Lumivia::Init(std::unique_ptr<HMsgHandler> pInput, int width, int height,
                   std::unique_ptr<Halvex::RenderCore::VideoDevice> pVideoDevice,
                   std::unique_ptr<Halvex::RenderCore::RenderDevice> pRenderDevice)
{
    InitInput(std::move(pInput), width, height);
    m_Renderer.Init(std::move(pVideoDevice), std::move(pRenderDevice));
    InitGui();
    return true;
}

void Lumivia::InitInput(std::unique_ptr<HMsgHandler> pInput, int width, int height)
{
    m_Width = width;
    m_Height = height;
    m_GuiManager.SetMsgHandler(pInput.release());
}

void Lumivia::InitGui()
{
    m_GuiManager.SetGeometry(0.0f, 0.0f, static_cast<float>(m_Width), static_cast<float>(m_Height));
    BuildGui();
}

void Lumivia::BuildGui()
{
    m_pRootWidget = new HWidget(&m_GuiManager);
    m_pRootWidget->SetAcceptMouse(false);

    m_pInputWidget = new HWidget(m_pRootWidget);

    m_pListButton = AddCornerButton(m_pRootWidget, 10.0f, "i");
    m_pListButton->Connect("Clicked", this, &Lumivia::OnToggleList);
    m_pReloadButton = AddCornerButton(m_pRootWidget, 40.0f, "R");
    m_pReloadButton->Connect("Clicked", this, &Lumivia::ReloadShaders);
    m_pNotesButton = AddCornerButton(m_pRootWidget, 70.0f, "?");
    m_pNotesButton->Connect("Clicked", this, &Lumivia::ToggleNotes);

    m_pNotesPanel = new TextPanel(m_pRootWidget, m_Renderer.GetTextManager(), 0.0f, NOTES_BOTTOM,
                                  NOTES_WIDTH, NOTES_BACKGROUND, ALIGN_HCENTER | ALIGN_BOTTOM);
    ShowNotes(START_NOTES);
    m_pShaderErrorPanel = new TextPanel(m_pRootWidget, m_Renderer.GetTextManager(), 0.0f, ERROR_TOP,
                                        NOTES_WIDTH, ERROR_BACKGROUND, ALIGN_HCENTER | ALIGN_TOP);
    m_pStatsOverlay = new StatsOverlay(m_pRootWidget);

    m_pFpsLabel = new HLabel(m_pRootWidget);
    m_pFpsLabel->SetGeometry(0.0f, 0.0f, 72.0f, 20.0f);
    m_pFpsLabel->SetAlignment(ALIGN_RIGHT | ALIGN_BOTTOM);
    m_pFpsLabel->SetTextColor(HColor(0xFFFFFFFF));
    m_pFpsLabel->SetTextAlignment(ALIGN_RIGHT | ALIGN_VCENTER);
    m_pFpsLabel->SetBackgroundColor(HColor(0xFF000000));
    m_pFpsLabel->SetRenderProxy(new TexRenderProxy(nullptr, 1.0f));

    m_pListArea = new HScrollArea(m_pRootWidget);
    m_pListArea->SetGeometry(4.0f, 4.0f, LIST_WIDTH, 280.0f);
    m_pListArea->SetBackgroundColor(HColor(0xFFFFFFFF));
    m_pListArea->SetRenderProxy(new TexRenderProxy(nullptr, 1.0f));

    m_pListContent = new HWidget(m_pListArea);
    m_pListContent->SetBackgroundColor(HColor(0xFF000000));
    m_pListContent->SetMargins(1.0f, 1.0f, 1.0f, 1.0f);
    m_pListContent->SetRenderProxy(new TexRenderProxy(nullptr, 1.0f));
    m_pListArea->SetContent(m_pListContent);

    // Owned by the list content; it lets the list be dragged up and down.
    new HDragWrapper(m_pListContent, DRAG_AXIS_VERTICAL);
    m_pListContent->Connect("MouseWheel", this, &Lumivia::OnListWheel);

    for (int i = 0; i < LESSON_COUNT; ++i)
    {
        AddLesson(i, LESSONS[i].m_pName, LESSONS[i].m_Factory);
    }
}

void Lumivia::AddLesson(int index, const char* name, LessonFactory factory)
{
    auto* pButton = new HDragButton(m_pListContent);
    pButton->SetGeometry(0.0f, static_cast<float>(index) * ROW_PITCH, LIST_WIDTH, ROW_HEIGHT);
    pButton->SetText(std::string(name));
    pButton->SetTextAlignment(ALIGN_LEFT | ALIGN_VCENTER);
    pButton->SetRenderProxy(
        new TexRenderProxyBtn(BUTTON_NORMAL, BUTTON_HOVER, BUTTON_PRESSED, nullptr));
    pButton->SetMargins(2.0f, 2.0f, 2.0f, 2.0f);
    if (factory)
    {
        pButton->Connect("Clicked", this, &Lumivia::OnLessonRow);
    }
    m_Rows.push_back(pButton);
    m_pListContent->Resize(LIST_WIDTH - 2.0f, static_cast<float>(index + 1) * ROW_PITCH - 2.0f);
}

void Lumivia::Update()
{
    const double now = m_FrameCounter.GetTime() / 1000.0;
    if (m_HasLastTime)
    {
        const auto dt = static_cast<float>(now - m_LastTime);
        m_ModeManager.Update(m_Paused ? 0.0f : dt);
        m_GuiManager.Update(dt);
        if (m_pStatsOverlay)
        {
            m_pStatsOverlay->AddFrame(ReadLastFrameStats(m_Renderer.GetDevice(), dt * 1000.0f));
        }
    }
    if (m_pShaderErrorPanel)
    {
        m_pShaderErrorPanel->SetText(m_ShaderBoard.GetErrors());
    }
    m_LastTime = now;
    m_HasLastTime = true;

    m_FrameCounter.Tick();
    m_FrameCounter.Update();
    if (m_pFpsLabel)
    {
        m_pFpsLabel->SetText("FPS: %d", GetFps());
    }
}

void Lumivia::Render()
{
    if (!m_Renderer.GetDevice())
    {
        return;
    }
    m_Renderer.BeginFrame();
    // Shaders link when they first draw: a failure during the lesson's drawing is a pair
    // that does not fit together.
    const unsigned failures = GetShaderFailures(m_Renderer.GetDevice(), nullptr);
    m_ModeManager.Render(&m_Renderer);
    if (GetShaderFailures(m_Renderer.GetDevice(), nullptr) != failures)
    {
        std::string log;
        GetShaderFailures(m_Renderer.GetDevice(), &log);
        m_ShaderBoard.SetLinkError(FormatShaderLog("Link", log, LINK_ERROR_LINES));
    }
    m_Renderer.BeginGui();
    m_GuiManager.Render(&m_Renderer);
    m_Renderer.EndGui();
    m_Renderer.EndFrame();
}

std::array<float, 4> Lumivia::GetClientRect() const
{
    return {0.0f, 0.0f, static_cast<float>(m_Width), static_cast<float>(m_Height)};
}

void Lumivia::OnToggleList()
{
    if (m_pListArea)
    {
        m_pListArea->SetVisible(!m_pListArea->IsVisible());
    }
}

void Lumivia::ReloadShaders()
{
    if (auto* pLesson = dynamic_cast<TestBase*>(m_ModeManager.GetCurrent()))
    {
        pLesson->ReloadShaders();
    }
}

void Lumivia::OnLessonRow(HObject* pSender)
{
    const auto it = std::find(m_Rows.begin(), m_Rows.end(), pSender);
    if (it != m_Rows.end())
    {
        RunLesson(static_cast<int>(it - m_Rows.begin()));
    }
}

void Lumivia::OnListWheel(HEvent* pEvent)
{
    auto* pWheel = dynamic_cast<HWheelEvent*>(pEvent);
    if (!pWheel)
    {
        return;
    }
    // A notch away from the user shows the rows above; past either end the list's drag
    // wrapper springs it back as after a drag.
    const float notches = static_cast<float>(pWheel->GetDelta()) / WHEEL_NOTCH;
    m_pListContent->MoveBy({0.0f, notches * ROW_PITCH});
    pEvent->Accept();
}

void Lumivia::RunLesson(int index)
{
    if (index < 0 || index >= LESSON_COUNT || !LESSONS[index].m_Factory)
    {
        return;
    }
    m_LessonIndex = index;
    Halvex::Base::Log("APP", Halvex::Base::LOG_LEVEL_TRACE, "Running the lesson %s\n",
                      LESSONS[index].m_pName);
    LESSONS[index].m_Factory();
    ShowNotes(LESSONS[index].m_pName);
}

void Lumivia::StepLesson(int step)
{
    const int from = m_LessonIndex < 0 ? (step > 0 ? -1 : 0) : m_LessonIndex;
    RunLesson(((from + step) % LESSON_COUNT + LESSON_COUNT) % LESSON_COUNT);
}

void Lumivia::ShowNotes(const std::string& name)
{
    if (m_pNotesPanel)
    {
        m_pNotesPanel->SetText(LoadLessonNotes(name));
    }
}

void Lumivia::ToggleNotes()
{
    if (m_pNotesPanel)
    {
        m_pNotesPanel->SetVisible(!m_pNotesPanel->IsVisible());
    }
}

void Lumivia::ToggleStats()
{
    if (m_pStatsOverlay)
    {
        m_pStatsOverlay->SetVisible(!m_pStatsOverlay->IsVisible());
    }
}

void Lumivia::SetNotesAvailable(bool on)
{
    if (m_pNotesPanel && m_pNotesButton)
    {
        m_pNotesPanel->SetVisible(on);
        m_pNotesButton->SetVisible(on);
    }
}
