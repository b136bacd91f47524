#pragma once
// Compares a screenshot with a golden PNG in the folder a test names. With
// HALVEX_UPDATE_GOLDENS=1 in the environment the screenshot becomes the new golden instead
// (tests/app/update_goldens.sh does this on purpose).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace HalvexTest
{

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

// Several regions left out, for pictures with more than one changing part.
GoldenResult CompareWithGolden(const std::filesystem::path& screenshot,
                               const std::filesystem::path& goldenDir, const std::string& name,
                               const std::vector<IgnoredRect>& ignored, int tolerance = 8,
                               int allowedPixels = 64);

// Pixels whose channels all lie within `tolerance` of the golden count as equal; the
// images match when at most `allowedPixels` differ outside the ignored region.
// The golden is goldenDir/name.png.
GoldenResult CompareWithGolden(const std::filesystem::path& screenshot,
                               const std::filesystem::path& goldenDir, const std::string& name,
                               const IgnoredRect& ignored = {}, int tolerance = 8,
                               int allowedPixels = 64);

// Pixels of `region` (the whole picture when it is empty) where a channel of two PNGs
// differs by more than `tolerance`, leaving out `ignored`; -1 when either file cannot be
// read or their sizes differ.
int CountDiffering(const std::filesystem::path& a, const std::filesystem::path& b,
                   const IgnoredRect& region = {}, const std::vector<IgnoredRect>& ignored = {},
                   int tolerance = 8);

// Pixels of `region` that are not black; -1 for an unreadable file.
int CountLit(const std::filesystem::path& png, const IgnoredRect& region);

// The colour of one pixel of a PNG as 0xRRGGBB; 0xFFFFFFFF for an unreadable file or a
// pixel outside the picture.
uint32_t PixelAt(const std::filesystem::path& png, int x, int y);

} // namespace HalvexTest
