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
    int differing = 0;
    const int count = actual.width * actual.height;
    for (int i = 0; i < count; ++i)
    {
        const int x = i % actual.width;
        const int y = i / actual.width;
        const bool skipped = std::any_of(ignored.begin(), ignored.end(),
                                         [x, y](const IgnoredRect& rect) {
                                             return x >= rect.x && x < rect.x + rect.width &&
                                                    y >= rect.y && y < rect.y + rect.height;
                                         });
        if (skipped)
        {
            continue;
        }
        for (int c = 0; c < 4; ++c)
        {
            if (std::abs(actual.pixels.get()[4 * i + c] - expected.pixels.get()[4 * i + c]) >
                tolerance)
            {
                ++differing;
                break;
            }
        }
    }
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

} // namespace HalvexTest
