#pragma once
// Compares a screenshot with a golden PNG under tests/app/golden. With
// HALVEX_UPDATE_GOLDENS=1 in the environment the screenshot becomes the new golden instead
// (update_goldens.sh does this on purpose).

#include <filesystem>
#include <string>

struct GoldenResult
{
    bool m_Matches = false;
    std::string m_Message;
};

// A region left out of the comparison (x, y, width, height in pixels).
struct IgnoredRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Pixels whose channels all lie within `tolerance` of the golden count as equal; the
// images match when at most `allowedPixels` differ outside the ignored region.
GoldenResult CompareWithGolden(const std::filesystem::path& screenshot, const std::string& name,
                               const IgnoredRect& ignored = {}, int tolerance = 8,
                               int allowedPixels = 64);
