// Lumivia in the browser: the page's canvas is the window, the browser's animation frame the
// loop. The application is the desktop's; only its window, input and start-up differ.

#include "web/webinput.h"
#include "web/webpage.h"

#include "main/clientmapping.h"
#include "main/lessonlist.h"
#include "main/lumivia.h"

#include "gui/hmsghandler_web.h"

#include <GLES3/gl3.h>
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr std::int64_t FRAMES_PER_SECOND = 60;
// Frames a bench screen runs before it is measured, the first (the switch) included.
constexpr int BENCH_WARM_UP_FRAMES = 10;

// The list row of a lesson this build has; -1 for any other name.
int FindLesson(const std::string& name)
{
    const int row = FindLessonRow(name.c_str());
    return row >= 0 && LESSONS[row].m_Factory ? row : -1;
}

// The test and bench modes run on a clock that moves one frame's time per frame.
Halvex::Base::HighResolutionTimer MakeClock(const PageOptions_t& options,
                                            const std::shared_ptr<std::int64_t>& pTicks)
{
    if (options.m_TestFrames == 0 && options.m_BenchFrames == 0)
    {
        return Halvex::Base::HighResolutionTimer();
    }
    return Halvex::Base::HighResolutionTimer([pTicks] { return *pTicks; }, FRAMES_PER_SECOND);
}

class WebApp
{
public:
    explicit WebApp(const PageOptions_t& options)
        : m_Options(options), m_App(MakeClock(options, m_pTicks))
    {
    }

    // False, with the reason on the page, when the program can not run.
    bool Start();
    void Frame();

private:
    bool Fixed() const { return m_Options.m_TestFrames > 0 || m_Options.m_BenchFrames > 0; }
    void FollowAddress();
    void MeasureBench(double frameMs);

    PageOptions_t m_Options;
    std::shared_ptr<std::int64_t> m_pTicks = std::make_shared<std::int64_t>(0);
    Lumivia m_App;
    int m_Frames = 0;
    // The lesson the hash names.
    int m_HashLesson = -1;
    // The bench's screen (-1 the start screen, then list rows) and its frames so far.
    int m_BenchScreen = -1;
    int m_ScreenFrames = 0;
    double m_FirstFrameMs = 0.0;
    std::vector<double> m_FrameMs;
};

bool WebApp::Start()
{
    m_FrameMs.reserve(static_cast<std::size_t>(m_Options.m_BenchFrames));
    FitCanvasToPage();
    m_App.Init(std::make_unique<Halvex::HGui::HMsgHandler_Web>(m_App.GetGuiManager()),
               const_cast<char*>(CANVAS_SELECTOR), CLIENT_WIDTH, CLIENT_HEIGHT);
    if (!m_App.GetRenderer()->GetDevice())
    {
        ShowPageFailure("Lumivia can not start: this browser gives the page no WebGL 2 context "
                        "(OpenGL ES 3.0), which the lessons need. The log below says more.");
        return false;
    }
    // Pictures and timings are of the lessons' own screens, as the desktop tour takes them.
    m_App.SetNotesAvailable(!Fixed());
    InstallWebInput(m_App);
    const std::string lesson = ReadLessonHash();
    if (m_Options.m_BenchFrames > 0 || lesson.empty())
    {
        return true;
    }
    m_HashLesson = FindLesson(lesson);
    if (m_HashLesson < 0)
    {
        std::fprintf(stderr, "Lumivia: there is no lesson \"%s\"; the start screen opens\n",
                     lesson.c_str());
        if (m_Options.m_TestFrames > 0)
        {
            ShowPageFailure("Lumivia: there is no lesson \"" + lesson + "\"");
            return false;
        }
        return true;
    }
    m_App.RunLesson(m_HashLesson);
    return true;
}

// Back/forward and edited hashes switch lessons; a lesson switched in the page becomes a
// history entry.
void WebApp::FollowAddress()
{
    std::string requested;
    if (TakeRequestedLesson(&requested))
    {
        const int index = FindLesson(requested);
        if (index >= 0 && index != m_App.GetLessonIndex())
        {
            m_App.RunLesson(index);
        }
        m_HashLesson = index;
    }
    const int running = m_App.GetLessonIndex();
    if (running >= 0 && running != m_HashLesson)
    {
        ShowLessonInHash(LESSONS[running].m_pName);
        m_HashLesson = running;
    }
}

void WebApp::Frame()
{
    FitCanvasToPage();
    if (Fixed())
    {
        ++*m_pTicks;
    }
    if (m_Options.m_BenchFrames == 0)
    {
        FollowAddress();
    }
    const double start = emscripten_get_now();
    m_App.Update();
    m_App.Render();
    if (m_Options.m_BenchFrames > 0)
    {
        glFinish(); // the frame's GPU work counts too
        MeasureBench(emscripten_get_now() - start);
    }
    if (++m_Frames == 1)
    {
        MarkFirstFrame();
    }
    if (m_Options.m_TestFrames > 0 && m_Frames >= m_Options.m_TestFrames)
    {
        emscripten_cancel_main_loop();
        SetPageDone(m_Frames);
    }
}

// The start screen, then every lesson: one switch frame, warm-up frames, then the measured
// ones; then the next screen.
void WebApp::MeasureBench(double frameMs)
{
    if (m_ScreenFrames++ == 0)
    {
        m_FirstFrameMs = frameMs;
    }
    else if (m_ScreenFrames > BENCH_WARM_UP_FRAMES)
    {
        m_FrameMs.push_back(frameMs);
    }
    if (static_cast<int>(m_FrameMs.size()) < m_Options.m_BenchFrames)
    {
        return;
    }
    AddBenchScreen(m_BenchScreen < 0 ? "start" : LESSONS[m_BenchScreen].m_pName, m_FrameMs,
                   m_FirstFrameMs);
    m_FrameMs.clear();
    m_ScreenFrames = 0;
    do
    {
        ++m_BenchScreen;
    } while (m_BenchScreen < LESSON_COUNT && !LESSONS[m_BenchScreen].m_Factory);
    if (m_BenchScreen < LESSON_COUNT)
    {
        m_App.RunLesson(m_BenchScreen);
        return;
    }
    emscripten_cancel_main_loop();
    FinishBench();
}

// The application lives as long as the page.
std::unique_ptr<WebApp> g_pWebApp;
} // namespace

int main()
{
    g_pWebApp = std::make_unique<WebApp>(ReadPageOptions());
    if (!g_pWebApp->Start())
    {
        return 1;
    }
    emscripten_set_main_loop([] { g_pWebApp->Frame(); }, 0, false);
    return 0;
}
