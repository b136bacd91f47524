// What the lessons need to see in the committed textures, decoded with the image code.

#include "testsupport.h"

#include "d3d9gl/image/dds.h"
#include "d3d9gl/image/surfacecodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace
{

struct Picture
{
    int width = 0, height = 0;
    std::vector<float> rgba;

    const float* At(int x, int y) const { return &rgba[static_cast<size_t>(y * width + x) * 4]; }
};

Picture Decode(const std::string& file, UINT face = 0)
{
    const std::string bytes = HalvexTest::ReadFile(HalvexTest::SourceDir() / "Data" / file);
    d3d9gl::Image image;
    std::string error;
    Picture picture;
    EXPECT_TRUE(d3d9gl::ParseDds(bytes.data(), bytes.size(), image, error))
        << file << ": " << error;
    if (image.surfaces.empty())
    {
        return picture;
    }
    const auto& surface = image.Surface(face, 0);
    EXPECT_TRUE(d3d9gl::DecodeSurface(image.format, surface, picture.rgba)) << file;
    picture.width = static_cast<int>(surface.width);
    picture.height = static_cast<int>(surface.height);
    return picture;
}

// Mean absolute difference over RGB of `count` pairs of texels.
template <class Pair> float MeanDifference(int count, Pair pair)
{
    double sum = 0.0;
    for (int i = 0; i < count; ++i)
    {
        const auto [p, q] = pair(i);
        sum += std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]);
    }
    return static_cast<float>(sum / (3.0 * count));
}

// Between two same-sized pictures, the second optionally read mirrored.
float Difference(const Picture& a, const Picture& b, bool mirrorX, bool mirrorY)
{
    return MeanDifference(a.width * a.height,
                          [&](int i)
                          {
                              const int x = i % a.width;
                              const int y = i / a.width;
                              return std::pair(a.At(x, y), b.At(mirrorX ? a.width - 1 - x : x,
                                                                mirrorY ? a.height - 1 - y : y));
                          });
}

TEST(TextureContent, PandaLooksDifferentMirroredEitherWayAndTheFourEarthMapsDiffer)
{
    const Picture panda = Decode("_Tex_/panda.dds");
    ASSERT_EQ(panda.width, 256);
    EXPECT_GT(Difference(panda, panda, true, false), 0.1f);
    EXPECT_GT(Difference(panda, panda, false, true), 0.1f);

    const char* const names[4] = {"_Tex_/Earth_Color.dds", "_Tex_/Earth_Night.dds",
                                  "_Tex_/Earth_Normal.dds", "_Tex_/Earth_Cloud.dds"};
    std::vector<Picture> maps;
    for (const char* name : names)
    {
        maps.push_back(Decode(name));
        ASSERT_EQ(maps.back().width, 512) << name;
    }
    for (size_t i = 0; i < maps.size(); ++i)
    {
        for (size_t j = i + 1; j < maps.size(); ++j)
        {
            EXPECT_GT(Difference(maps[i], maps[j], false, false), 0.1f)
                << names[i] << " " << names[j];
        }
    }
}

// How many texels have an alpha, in 255ths, from lo up to but not including hi.
int CountAlpha(const Picture& picture, float lo, float hi = 256.0f)
{
    int count = 0;
    for (size_t i = 3; i < picture.rgba.size(); i += 4)
    {
        count += picture.rgba[i] * 255.0f >= lo && picture.rgba[i] * 255.0f < hi;
    }
    return count;
}

TEST(TextureContent, TreeAlphaReferencesCutDifferentShapes)
{
    const Picture tree = Decode("_Tex_/tree01.dds");
    ASSERT_EQ(tree.width, 256);
    EXPECT_GT(CountAlpha(tree, 254.5f), 5000) << "opaque";
    EXPECT_GT(CountAlpha(tree, 0.0f, 0.5f), 5000) << "clear";
    for (int reference = 20; reference <= 100; reference += 20)
    {
        // Each step of 20 must move the outline by a clearly visible band of texels.
        const auto step = static_cast<float>(reference);
        EXPECT_GT(CountAlpha(tree, step - 19.5f, step + 0.5f), 400) << "reference " << reference;
    }
}

TEST(TextureContent, SnowflakeHasSoftAlphaOnTransparentGround)
{
    const Picture snow = Decode("_Tex_/snow.dds");
    EXPECT_GT(CountAlpha(snow, 0.05f * 255.0f, 0.95f * 255.0f), 3000) << "soft";
    EXPECT_GT(CountAlpha(snow, 0.95f * 255.0f), 1000) << "solid";
    EXPECT_EQ(snow.At(0, 0)[3], 0.0f);
}

// Between a row or column of one face and one of another, the second read forwards or
// backwards.
float EdgeDifference(const Picture& a, bool aColumn, int aIndex, const Picture& b, bool bColumn,
                     int bIndex, bool reversed)
{
    return MeanDifference(a.width,
                          [&](int i)
                          {
                              const int j = reversed ? a.width - 1 - i : i;
                              return std::pair(aColumn ? a.At(aIndex, i) : a.At(i, aIndex),
                                               bColumn ? b.At(bIndex, j) : b.At(j, bIndex));
                          });
}

// The mean colour of rows y0 to y1.
std::array<double, 3> Mean(const Picture& p, int y0, int y1)
{
    std::array<double, 3> sum{};
    for (int y = y0; y < y1; ++y)
    {
        for (int x = 0; x < p.width; ++x)
        {
            for (size_t c = 0; c < 3; ++c)
            {
                sum[c] += p.At(x, y)[c] / ((y1 - y0) * p.width);
            }
        }
    }
    return sum;
}

TEST(TextureContent, CubemapHasSkyAboveGroundBelowDistinctSidesAndFacesThatMeetInD3DOrientation)
{
    constexpr int PX = 0, NX = 1, PY = 2, NY = 3, PZ = 4, NZ = 5;
    std::vector<Picture> faces;
    for (UINT face = 0; face < 6; ++face)
    {
        faces.push_back(Decode("_Tex_/Cubemap.dds", face));
        ASSERT_EQ(faces.back().width, 256);
    }
    EXPECT_GT(Mean(faces[PY], 0, 256)[2], Mean(faces[PY], 0, 256)[1]) << "+Y is sky blue";
    EXPECT_GT(Mean(faces[NY], 0, 256)[1], Mean(faces[NY], 0, 256)[2]) << "-Y is green ground";
    const int sides[] = {PX, NX, PZ, NZ};
    for (int side : sides)
    {
        const Picture& face = faces[static_cast<size_t>(side)];
        EXPECT_GT(Mean(face, 0, 100)[2], Mean(face, 0, 100)[1]) << side << " has sky on top";
        EXPECT_GT(Mean(face, 156, 256)[1], Mean(face, 156, 256)[2]) << side << " has ground";
        for (int other : sides)
        {
            if (other > side)
            {
                EXPECT_GT(Difference(face, faces[static_cast<size_t>(other)], false, false), 0.03f)
                    << side << " " << other;
            }
        }
    }
    // Face, column or row, and which, of both faces.
    const std::tuple<int, bool, int, int, bool, int> seams[] = {
        {PZ, true, 255, PX, true, 0},   {PX, true, 255, NZ, true, 0},
        {NZ, true, 255, NX, true, 0},   {NX, true, 255, PZ, true, 0},
        {PY, false, 255, PZ, false, 0}, {NY, false, 0, PZ, false, 255},
    };
    for (const auto& [a, aColumn, aIndex, b, bColumn, bIndex] : seams)
    {
        SCOPED_TRACE(testing::Message() << "faces " << a << " and " << b);
        const Picture& faceA = faces[static_cast<size_t>(a)];
        const Picture& faceB = faces[static_cast<size_t>(b)];
        const float along = EdgeDifference(faceA, aColumn, aIndex, faceB, bColumn, bIndex, false);
        const float flipped = EdgeDifference(faceA, aColumn, aIndex, faceB, bColumn, bIndex, true);
        EXPECT_LT(along, 0.04f);
        EXPECT_GT(flipped, along * 2.0f) << "a mirrored face would meet as well";
    }
}

} // namespace
