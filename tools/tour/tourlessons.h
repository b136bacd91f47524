#pragma once
// What the tour does to the running application: finds lessons in the list, opens them the
// way a user does, and reads the device's counters.

#include "main/lessonlist.h"

#include "d3d9gl/d3d9gl.h"

#include <string>

class AppDriver;

// Opens the lesson from the list; the switch time runs from the button's release to the
// first presented frame of the new lesson. False when its row can not be reached.
bool OpenLesson(AppDriver& driver, const std::string& name, double* pSwitchMs);

// The counters of the frame that the last Present ended.
D3D9GL_COUNTERS LastFrameCounters(AppDriver& driver);
// d3d9gl's live objects.
unsigned LiveObjectCount(AppDriver& driver);
// Turns d3d9gl's merging of user-pointer draws on or off.
void SetDrawMerging(AppDriver& driver, bool enabled);
// Resources registered with the rendering core's profiler, all types together.
std::size_t LiveResourceCount(AppDriver& driver);
