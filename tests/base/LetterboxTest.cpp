#include "base/source/utility/letterbox.h"

#include <gtest/gtest.h>

using namespace Halvex::Base;

TEST(Letterbox, A1280x720PictureFitsCentredAndPositionsMapBothWaysWithTheBarsOutside)
{
    const struct
    {
        int width, height;
        Letterbox box;
    } cases[] = {
        {1280, 720, {0, 0, 1280, 720}},
        {1920, 1080, {0, 0, 1920, 1080}},
        {1000, 1000, {0, 218, 1000, 563}},
        {2560, 720, {640, 0, 1280, 720}},
        {1281, 720, {0, 0, 1280, 720}},
        {0, 720, {}},
        {1280, 0, {}},
    };
    for (const auto& c : cases)
    {
        const Letterbox box = FitLetterbox(1280, 720, c.width, c.height);
        EXPECT_EQ(std::tie(box.x, box.y, box.width, box.height),
                  std::tie(c.box.x, c.box.y, c.box.width, c.box.height))
            << c.width << "x" << c.height;
    }
    EXPECT_TRUE(FitLetterbox(1280, 720, 0, 0).IsEmpty());

    const Letterbox box = FitLetterbox(1280, 720, 1000, 1000);
    float x = 0.0f;
    float y = 0.0f;
    PictureToTarget(box, 1280, 720, 640.0f, 360.0f, &x, &y);
    EXPECT_FLOAT_EQ(x, 500.0f);
    EXPECT_FLOAT_EQ(y, 218.0f + 281.5f);
    float px = 0.0f;
    float py = 0.0f;
    EXPECT_TRUE(TargetToPicture(box, 1280, 720, x, y, &px, &py));
    EXPECT_FLOAT_EQ(px, 640.0f);
    EXPECT_FLOAT_EQ(py, 360.0f);
    EXPECT_FALSE(TargetToPicture(box, 1280, 720, 500.0f, 100.0f, &px, &py));
    EXPECT_LT(py, 0.0f);
    EXPECT_FALSE(TargetToPicture(box, 1280, 720, 500.0f, 900.0f, &px, &py));
    EXPECT_GT(py, 720.0f);
}
