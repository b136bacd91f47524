// The committed models, read back with the program's own reader of the ".bin" format.

#include "common/model/binmodel.h"
#include "datastream/binstream.h"
#include "math/vector.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace
{

using Material = Bin_Material;
using Model = Bin_Model;
using Vertex = Bin_Vertex;
using Vec = Halvex::MATH::Vector3f;

Vec V(const float (&v)[3])
{
    return {v[0], v[1], v[2]};
}

const std::filesystem::path DATA_DIR = HalvexTest::SourceDir() / "Data";

Model Load(const std::string& name)
{
    Model model;
    std::string error;
    const auto stream = Halvex::DataStream::CreateBinStream((DATA_DIR / name).string(), false);
    EXPECT_TRUE(stream && ReadBinModel(*stream, &model, &error)) << name << ": " << error;
    return model;
}

std::vector<const Material*> Materials(const Model& model)
{
    std::vector<const Material*> materials;
    for (const auto& mesh : model.m_Meshes)
    {
        for (const auto& material : mesh.m_Materials)
        {
            materials.push_back(&material);
        }
    }
    return materials;
}

constexpr double ANY = 1e9;

struct Expectation
{
    const char* file;
    size_t materials, textured; // all, and those that name a texture
    size_t vertices, indices;   // 0: not checked
    float extent;               // half the largest axis-aligned size
    // Sum over triangles of a . (b x c) / 6: minus the enclosed volume for clockwise fronts.
    double minVolume, maxVolume;
};

const Expectation MODELS[] = {
    {"plane.bin", 1, 1, 4, 6, 1.0f, -ANY, ANY},
    {"cube.bin", 1, 0, 24, 36, 1.0f, -8.001, -7.999},
    {"cube_panda.bin", 1, 1, 24, 36, 1.0f, -ANY, ANY},
    {"cube_panda_vc.bin", 1, 1, 24, 36, 1.0f, -ANY, ANY},
    {"cube_20.bin", 1, 0, 6 * 21 * 21, 6 * 20 * 20 * 6, 1.0f, -8.001, -7.999},
    // A 20 x 20 UV sphere, the quads at the poles halved, holds a little less than 4.19.
    {"sphere_20.bin", 1, 1, 21 * 21, (20 * 18 * 2 + 2 * 20) * 3, 1.0f, -4.15, -3.85},
    // The teapot's pieces are not sealed to each other, but they enclose its body.
    {"nights.bin", 4, 2, 0, 0, 2.1f, -ANY, -2.0},
    {"camera.bin", 2, 0, 0, 0, 0.6f, -ANY, ANY},
    {"light.bin", 2, 0, 0, 0, 0.75f, -ANY, ANY},
};

void CheckTriangles(const Material& m, double& volume)
{
    EXPECT_EQ(m.m_Indices.size() % 3, 0u);
    for (size_t i = 0; i + 2 < m.m_Indices.size(); i += 3)
    {
        Vec normal{};
        std::array<Vec, 3> corner;
        for (size_t k = 0; k < 3; ++k)
        {
            const int32_t index = m.m_Indices[i + k];
            ASSERT_TRUE(index >= 0 && static_cast<size_t>(index) < m.m_Vertices.size()) << index;
            const Vertex& vertex = m.m_Vertices[static_cast<size_t>(index)];
            corner[k] = V(vertex.m_Position);
            normal += V(vertex.m_Normal);
        }
        const Vec area = Cross(corner[1] - corner[0], corner[2] - corner[0]);
        ASSERT_LT(Dot(area, normal), 0.0f) << m.m_Name << " triangle " << i / 3;
        volume += Dot(corner[0], Cross(corner[1], corner[2])) / 6.0;
    }
}

TEST(ModelFiles, EveryModelIsWellFormedWindsClockwiseAroundItsNormalsAndClosedOnesFaceOutwards)
{
    for (const Expectation& expected : MODELS)
    {
        SCOPED_TRACE(expected.file);
        const Model model = Load(expected.file);
        const auto materials = Materials(model);
        ASSERT_EQ(materials.size(), expected.materials);
        float extent = 0.0f;
        double volume = 0.0;
        size_t textured = 0;
        for (const Material* pMaterial : materials)
        {
            const Material& m = *pMaterial;
            EXPECT_LE(m.m_Vertices.size(), 65536u) << "16-bit index buffers";
            CheckTriangles(m, volume);
            for (const Vertex& vertex : m.m_Vertices)
            {
                EXPECT_NEAR(Length(V(vertex.m_Normal)), 1.0f, 1e-3f);
                EXPECT_TRUE(vertex.m_TexCoord[0] >= 0.0f && vertex.m_TexCoord[0] <= 1.0f &&
                            vertex.m_TexCoord[1] >= 0.0f && vertex.m_TexCoord[1] <= 1.0f)
                    << "lessons sample with clamp addressing";
                for (float c : vertex.m_Position)
                {
                    extent = std::max(extent, std::abs(c));
                }
            }
            if (!m.m_TextureName.empty())
            {
                ++textured;
                EXPECT_TRUE(std::filesystem::exists(DATA_DIR / "_Tex_" / m.m_TextureName))
                    << m.m_TextureName;
            }
        }
        EXPECT_EQ(textured, expected.textured);
        EXPECT_NEAR(extent, expected.extent, expected.extent * 0.1f);
        EXPECT_TRUE(volume >= expected.minVolume && volume <= expected.maxVolume) << volume;
        if (expected.vertices != 0)
        {
            EXPECT_EQ(materials[0]->m_Vertices.size(), expected.vertices);
            EXPECT_EQ(materials[0]->m_Indices.size(), expected.indices);
        }
    }
}

TEST(ModelFiles, MarkersPointAlongPlusZAndTheLightIsTranslucent)
{
    const Model camera = Load("camera.bin");
    const Material& lens = camera.m_Meshes[0].m_Materials[1];
    ASSERT_EQ(lens.m_Name, "Lens");
    float lensFront = -1e9f;
    for (const Vertex& vertex : lens.m_Vertices)
    {
        lensFront = std::max(lensFront, vertex.m_Position[2]);
    }
    for (const Vertex& vertex : camera.m_Meshes[0].m_Materials[0].m_Vertices)
    {
        EXPECT_LT(vertex.m_Position[2], lensFront) << "the lens is the front";
    }

    float tip = -1e9f;
    const Model light = Load("light.bin");
    for (const Material* pMaterial : Materials(light))
    {
        for (const Vertex& vertex : pMaterial->m_Vertices)
        {
            EXPECT_LT(vertex.m_Color >> 24, 255u) << pMaterial->m_Name;
            if (std::abs(vertex.m_Position[0]) < 1e-4f && std::abs(vertex.m_Position[1]) < 1e-4f)
            {
                tip = std::max(tip, vertex.m_Position[2]);
            }
        }
    }
    EXPECT_GT(tip, 0.5f);
}

} // namespace
