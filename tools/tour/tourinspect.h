#pragma once
// lumivia-tour --inspect: one captured frame of a lesson, written as the list of its events
// (events.txt) and the picture after each event (event_01.png, ...), so that a frame can be
// shown built step by step.

#include <filesystem>
#include <string>

// Starts the application, opens the lesson, lets `frames` frames pass, captures the next one
// and writes its events and pictures into outDir; 0 on success, else 1 with a message.
int RunInspect(const std::string& lesson, int frames, const std::filesystem::path& outDir);
