#include "base/source/utility/letterbox.h"

#include <gtest/gtest.h>

using Halvex::Base::FitLetterbox;
using Halvex::Base::Letterbox;

namespace
{

struct FitCase
{
    int targetWidth;
    int targetHeight;
    Letterbox expected;
};

TEST(Letterbox, A1280x720PictureFitsCentredWithItsAspectRatio)
{
    const FitCase cases[] = {
        {1280, 720, {0, 0, 1280, 720}},
        {1920, 1080, {0, 0, 1920, 1080}},
        {1000, 1000, {0, 218, 1000, 563}},
        {2560, 720, {640, 0, 1280, 720}},
        {1281, 720, {0, 0, 1280, 720}},
        {0, 720, {}},
        {1280, 0, {}},
    };
    for (const FitCase& c : cases)
    {
        const Letterbox box = FitLetterbox(1280, 720, c.targetWidth, c.targetHeight);
        EXPECT_EQ(box.x, c.expected.x) << c.targetWidth << "x" << c.targetHeight;
        EXPECT_EQ(box.y, c.expected.y) << c.targetWidth << "x" << c.targetHeight;
        EXPECT_EQ(box.width, c.expected.width) << c.targetWidth << "x" << c.targetHeight;
        EXPECT_EQ(box.height, c.expected.height) << c.targetWidth << "x" << c.targetHeight;
    }
    EXPECT_TRUE(FitLetterbox(1280, 720, 0, 0).IsEmpty());
}

TEST(Letterbox, PositionsMapBothWaysAndTheBarsAreOutside)
{
    const Letterbox box = FitLetterbox(1280, 720, 1000, 1000);
    float x = 0.0f;
    float y = 0.0f;
    Halvex::Base::PictureToTarget(box, 1280, 720, 640.0f, 360.0f, &x, &y);
    EXPECT_FLOAT_EQ(x, 500.0f);
    EXPECT_FLOAT_EQ(y, 218.0f + 281.5f);
    float px = 0.0f;
    float py = 0.0f;
    EXPECT_TRUE(Halvex::Base::TargetToPicture(box, 1280, 720, x, y, &px, &py));
    EXPECT_FLOAT_EQ(px, 640.0f);
    EXPECT_FLOAT_EQ(py, 360.0f);
    EXPECT_FALSE(Halvex::Base::TargetToPicture(box, 1280, 720, 500.0f, 100.0f, &px, &py));
    EXPECT_LT(py, 0.0f);
    EXPECT_FALSE(Halvex::Base::TargetToPicture(box, 1280, 720, 500.0f, 900.0f, &px, &py));
    EXPECT_GT(py, 720.0f);
}

} // namespace
