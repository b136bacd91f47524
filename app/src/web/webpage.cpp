#include "web/webpage.h"

#include <emscripten/emscripten.h>

#include <array>

namespace
{
constexpr int NAME_BYTES = 128;

// clang-format off
EM_JS(int, QueryNumber, (const char* name), {
    const value = new URLSearchParams(location.search).get(UTF8ToString(name));
    const number = value === null ? 0 : parseInt(value, 10);
    return number > 0 ? Math.min(number, 1000000) : 0;
});

EM_JS(void, FollowHash, (char* buffer, int size), {
    Module.lumiviaRequested = null;
    const current = () => decodeURIComponent(location.hash.slice(1));
    window.addEventListener("hashchange", () => {
        // The start screen has no lesson to switch to: the page starts again.
        if (!current()) location.reload();
        Module.lumiviaRequested = current();
    });
    stringToUTF8(current(), buffer, size);
});

EM_JS(int, TakeRequest, (char* buffer, int size), {
    const name = Module.lumiviaRequested;
    Module.lumiviaRequested = null;
    if (name === null) return 0;
    stringToUTF8(name, buffer, size);
    return 1;
});

EM_JS(void, PushHash, (const char* name), {
    const hash = "#" + encodeURIComponent(UTF8ToString(name));
    if (location.hash !== hash) history.pushState(null, "", hash);
});

EM_JS(void, SetState, (const char* state, int frames), {
    document.body.dataset.state = UTF8ToString(state);
    console.log("lumivia: " + document.body.dataset.state + " after " + frames + " frames");
});

EM_JS(void, ShowFailure, (const char* message), {
    const text = UTF8ToString(message);
    const failure = document.getElementById("failure");
    if (failure) {
        failure.textContent = text;
        failure.hidden = false;
    }
    console.error(text);
    document.body.dataset.state = "failed";
});

EM_JS(void, FirstFrame, (), {
    window.lumiviaFirstFrameMs = Math.round(performance.now());
    console.log("lumivia: first frame " + window.lumiviaFirstFrameMs + " ms after navigation");
    if (Module.lumiviaFirstFrame) Module.lumiviaFirstFrame();
});

EM_JS(void, AddScreen, (const char* name, const double* times, int count, double first), {
    const sorted = Array.from(HEAPF64.subarray(times >> 3, (times >> 3) + count)).sort((a, b) => a - b);
    const rank = (share) => sorted.length ? sorted[Math.min(Math.max(Math.ceil(share * sorted.length), 1), sorted.length) - 1] : 0;
    window.lumiviaBench = window.lumiviaBench || [];
    window.lumiviaBench.push({ lesson: UTF8ToString(name), median_ms: rank(0.5), p95_ms: rank(0.95), first_frame_ms: first });
});

EM_JS(void, PublishBench, (), {
    console.log("lumivia-bench " + JSON.stringify(window.lumiviaBench || []));
    document.body.dataset.state = "done";
});
// clang-format on
} // namespace

PageOptions_t ReadPageOptions()
{
    PageOptions_t options;
    options.m_TestFrames = QueryNumber("frames");
    options.m_BenchFrames = QueryNumber("bench");
    return options;
}

std::string ReadLessonHash()
{
    std::array<char, NAME_BYTES> name{};
    FollowHash(name.data(), NAME_BYTES);
    return name.data();
}

bool TakeRequestedLesson(std::string* pLesson)
{
    std::array<char, NAME_BYTES> name{};
    if (!TakeRequest(name.data(), NAME_BYTES))
    {
        return false;
    }
    *pLesson = name.data();
    return true;
}

void ShowLessonInHash(const std::string& lesson)
{
    PushHash(lesson.c_str());
}

void SetPageDone(int frames)
{
    SetState("done", frames);
}

void ShowPageFailure(const std::string& message)
{
    ShowFailure(message.c_str());
}

void MarkFirstFrame()
{
    FirstFrame();
}

void AddBenchScreen(const std::string& name, const std::vector<double>& frameMs,
                    double firstFrameMs)
{
    AddScreen(name.c_str(), frameMs.data(), static_cast<int>(frameMs.size()), firstFrameMs);
}

void FinishBench()
{
    PublishBench();
}
