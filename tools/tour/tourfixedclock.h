#pragma once
// Pictures on a fixed clock: every screen from a fresh start of the application, the lesson
// opened directly (not through the list), the notes hidden and each frame 1/60 s of lesson
// time. The web build's test pages render the same frames, so their pictures and these
// compare pixel for pixel.

#include "touroptions.h"

#include <filesystem>
#include <string>
#include <vector>

// Writes DIR/start.png and DIR/<lesson>.png, each after options.m_FixedFrames frames and
// then the clicks of options.m_Clicks (a frame after each move, press and release, two
// more after the last). 1 when the application does not start or a picture is not written.
int RunFixedClockTour(const std::vector<std::string>& lessons, const TourOptions_t& options,
                      const std::filesystem::path& outDir);
