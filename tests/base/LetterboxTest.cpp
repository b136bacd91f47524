#include "base/source/utility/letterbox.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace Halvex::Base;

TEST(Letterbox, A1280x720PictureFitsCentredAndPositionsMapBothWaysWithTheBarsOutside)
{
    const std::tuple<int, int, Letterbox> cases[] = {
        {1280, 720, {0, 0, 1280, 720}},
        {1920, 1080, {0, 0, 1920, 1080}},
        {1000, 1000, {0, 218, 1000, 563}},
        {2560, 720, {640, 0, 1280, 720}},
        {1281, 720, {0, 0, 1280, 720}},
        {0, 720, {}},
        {1280, 0, {}},
    };
    for (const auto& [width, height, expected] : cases)
    {
        const Letterbox box = FitLetterbox(1280, 720, width, height);
        EXPECT_EQ(std::tie(box.x, box.y, box.width, box.height),
                  std::tie(expected.x, expected.y, expected.width, expected.height))
            << width << "x" << height;
    }
    EXPECT_TRUE(FitLetterbox(1280, 720, 0, 0).IsEmpty());

    const Letterbox box = FitLetterbox(1280, 720, 1000, 1000);
    float x = 0.0f, y = 0.0f, px = 0.0f, py = 0.0f;
    PictureToTarget(box, 1280, 720, 640.0f, 360.0f, &x, &y);
    EXPECT_EQ(std::tuple(x, y), std::tuple(500.0f, 218.0f + 281.5f));
    EXPECT_TRUE(TargetToPicture(box, 1280, 720, x, y, &px, &py));
    EXPECT_EQ(std::tuple(px, py), std::tuple(640.0f, 360.0f));
    EXPECT_FALSE(TargetToPicture(box, 1280, 720, 500.0f, 100.0f, &px, &py));
    EXPECT_LT(py, 0.0f);
    EXPECT_FALSE(TargetToPicture(box, 1280, 720, 500.0f, 900.0f, &px, &py));
    EXPECT_GT(py, 720.0f);
}
