#pragma once
// The notes shown beside a lesson: plain UTF-8 text in Data/Notes/<name>.txt, one file per
// lesson and "Start" for the start screen, so that they can be edited without building.

#include <string>

inline constexpr const char* START_NOTES = "Start";

// The file's text; empty, after one diagnostic line, when it is missing or empty.
std::string LoadLessonNotes(const std::string& name);
