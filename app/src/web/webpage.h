#pragma once
// What the program and its page (lumivia.html) tell each other: the address's query and hash,
// the state a test harness waits for (document.body.dataset.state), the failure message, the
// first frame's time and the bench results.
//   lumivia.html                 the start screen
//   lumivia.html#LessonName      that lesson; the hash follows the running lesson as history
//                                entries, and back/forward switch lessons
//   ?frames=N                    test mode: fixed 1/60 s clock, notes hidden, the lesson opened
//                                directly; after N frames the loop stops, state "done"
//   ?bench=N                     N frames per screen timed, results in window.lumiviaBench

#include <string>
#include <vector>

struct PageOptions_t
{
    int m_TestFrames = 0;  // ?frames=N, 0 when absent
    int m_BenchFrames = 0; // ?bench=N, 0 when absent
};

PageOptions_t ReadPageOptions();

// The lesson the hash names (empty for none); starts following its changes.
std::string ReadLessonHash();
// The lesson the address asked for since the last call, through back/forward or an edited
// hash; false when it asked for none.
bool TakeRequestedLesson(std::string* pLesson);
// Makes the hash name `lesson` as a new history entry, unless it already does.
void ShowLessonInHash(const std::string& lesson);

// state "done" after `frames` frames, with a console line.
void SetPageDone(int frames);
// The message in #failure, state "failed".
void ShowPageFailure(const std::string& message);
// Records the time from navigation to the first presented frame (window.lumiviaFirstFrameMs
// and a console line).
void MarkFirstFrame();

// One screen's measured frame times and its first frame's time, in milliseconds.
void AddBenchScreen(const std::string& name, const std::vector<double>& frameMs,
                    double firstFrameMs);
// window.lumiviaBench = [{lesson, median_ms, p95_ms, first_frame_ms}] (percentiles by nearest
// rank, as the desktop tour computes them), one console line with the JSON, state "done".
void FinishBench();
