#include "goldenimage.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace HalvexTest
{

namespace
{
struct Image
{
    int width = 0;
    int height = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels{nullptr, stbi_image_free};
};

Image Read(const std::filesystem::path& path)
{
    Image image;
    int channels = 0;
    image.pixels.reset(stbi_load(path.string().c_str(), &image.width, &image.height, &channels, 4));
    return image;
}

bool Inside(const IgnoredRect& rect, int x, int y)
{
    return x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
}

// Calls `visit` with the RGBA bytes of every pixel of `region` (all when empty) not in `ignored`.
template <typename Visit>
void ForEachPixel(const Image& image, IgnoredRect region, const std::vector<IgnoredRect>& ignored,
                  Visit visit)
{
    region = region.width > 0 ? region : IgnoredRect{0, 0, image.width, image.height};
    for (int y = std::max(region.y, 0); y < std::min(region.y + region.height, image.height); ++y)
    {
        for (int x = std::max(region.x, 0); x < std::min(region.x + region.width, image.width); ++x)
        {
            if (std::none_of(ignored.begin(), ignored.end(),
                             [x, y](const IgnoredRect& rect) { return Inside(rect, x, y); }))
            {
                visit(y * image.width + x);
            }
        }
    }
}

int Differing(const Image& a, const Image& b, const IgnoredRect& region,
              const std::vector<IgnoredRect>& ignored, int tolerance)
{
    int differing = 0;
    ForEachPixel(a, region, ignored,
                 [&](int i)
                 {
                     const stbi_uc* p = a.pixels.get() + 4 * i;
                     const stbi_uc* q = b.pixels.get() + 4 * i;
                     differing +=
                         std::abs(p[0] - q[0]) > tolerance || std::abs(p[1] - q[1]) > tolerance ||
                         std::abs(p[2] - q[2]) > tolerance || std::abs(p[3] - q[3]) > tolerance;
                 });
    return differing;
}
} // namespace

GoldenResult CompareWithGolden(const std::filesystem::path& screenshot,
                               const std::filesystem::path& goldenDir, const std::string& name,
                               const IgnoredRect& ignored, int tolerance, int allowedPixels)
{
    return CompareWithGolden(screenshot, goldenDir, name, std::vector<IgnoredRect>{ignored},
                             tolerance, allowedPixels);
}

GoldenResult CompareWithGolden(const std::filesystem::path& screenshot,
                               const std::filesystem::path& goldenDir, const std::string& name,
                               const std::vector<IgnoredRect>& ignored, int tolerance,
                               int allowedPixels)
{
    const std::filesystem::path golden = goldenDir / (name + ".png");
    const char* pUpdate = std::getenv("HALVEX_UPDATE_GOLDENS");
    if (pUpdate && std::strcmp(pUpdate, "1") == 0)
    {
        std::filesystem::create_directories(golden.parent_path());
        std::filesystem::copy_file(screenshot, golden,
                                   std::filesystem::copy_options::overwrite_existing);
        return {true, "updated " + golden.string()};
    }
    const Image actual = Read(screenshot);
    const Image expected = Read(golden);
    if (!actual.pixels || !expected.pixels)
    {
        return {false, "cannot read " + (actual.pixels ? golden : screenshot).string()};
    }
    if (actual.width != expected.width || actual.height != expected.height)
    {
        return {false, "size " + std::to_string(actual.width) + "x" +
                           std::to_string(actual.height) + " differs from the golden's " +
                           std::to_string(expected.width) + "x" + std::to_string(expected.height)};
    }
    const int differing = Differing(actual, expected, {}, ignored, tolerance);
    return {differing <= allowedPixels, std::to_string(differing) + " pixels differ from " +
                                            golden.string() + " (" + screenshot.string() + ")"};
}

uint32_t PixelAt(const std::filesystem::path& png, int x, int y)
{
    const Image image = Read(png);
    if (!image.pixels || x < 0 || y < 0 || x >= image.width || y >= image.height)
    {
        return 0xFFFFFFFFu;
    }
    const stbi_uc* p = image.pixels.get() + (y * image.width + x) * 4;
    return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
}

int CountDiffering(const std::filesystem::path& a, const std::filesystem::path& b,
                   const IgnoredRect& region, const std::vector<IgnoredRect>& ignored,
                   int tolerance)
{
    const Image imageA = Read(a);
    const Image imageB = Read(b);
    if (!imageA.pixels || !imageB.pixels || imageA.width != imageB.width ||
        imageA.height != imageB.height)
    {
        return -1;
    }
    return Differing(imageA, imageB, region, ignored, tolerance);
}

int CountLit(const std::filesystem::path& png, const IgnoredRect& region)
{
    const Image image = Read(png);
    if (!image.pixels)
    {
        return -1;
    }
    int lit = 0;
    ForEachPixel(image, region, {},
                 [&](int i)
                 {
                     const stbi_uc* p = image.pixels.get() + 4 * i;
                     lit += (p[0] | p[1] | p[2]) != 0 ? 1 : 0;
                 });
    return lit;
}

} // namespace HalvexTest
