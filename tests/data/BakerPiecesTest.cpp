// The baker's building blocks on small inputs.

#include "binmodel.h"
#include "canvas.h"
#include "meshbuilder.h"
#include "modelreader.h"
#include "texturefile.h"

#include <gtest/gtest.h>

namespace
{

using namespace Halvex::Bake;

Bin_Vertex At(float x, float y, float z, const Vector3f& normal)
{
    Bin_Vertex vertex;
    vertex.position = {x, y, z};
    vertex.normal = normal;
    return vertex;
}

TEST(BinModelWriter, WritesRecordsInFileOrderThatAnIndependentReaderAccepts)
{
    BinModel model;
    model.name = "tiny";
    Bin_Mesh& mesh = model.meshes.emplace_back();
    mesh.name = "mesh";
    Bin_Material& material = mesh.materials.emplace_back();
    material.name = "mat";
    material.textureName = "t.dds";
    material.colours[2] = Vector4f(0.5f, 0.25f, 0.125f, 8.0f);
    Bin_Vertex vertex = At(1, 2, 3, {0, 0, 1});
    vertex.colour = 0x80ff0010;
    vertex.u = 0.25f;
    vertex.v = 0.75f;
    material.vertices = {vertex, vertex, vertex};
    material.indices = {2, 1, 0};
    const std::vector<uint8_t> withoutEmpty = SerializeModel(model);
    model.meshes.emplace_back();

    const std::vector<uint8_t> bytes = SerializeModel(model);
    DataTest::Model read;
    std::string error;
    ASSERT_TRUE(DataTest::ReadModel(bytes, read, error)) << error;
    EXPECT_EQ(read.name, "tiny");
    ASSERT_EQ(read.meshes.size(), 2u);
    EXPECT_TRUE(read.meshes[1].materials.empty());
    const DataTest::Material& m = read.meshes[0].materials[0];
    EXPECT_EQ(m.name, "mat");
    EXPECT_EQ(m.texture, "t.dds");
    EXPECT_EQ(m.colours[2], (std::array<float, 4>{0.5f, 0.25f, 0.125f, 8.0f}));
    ASSERT_EQ(m.vertices.size(), 3u);
    EXPECT_EQ(m.vertices[0].position, (std::array<float, 3>{1, 2, 3}));
    EXPECT_EQ(m.vertices[0].colour, 0x80ff0010u);
    EXPECT_EQ(m.vertices[0].uv, (std::array<float, 2>{0.25f, 0.75f}));
    EXPECT_EQ(m.indices, (std::vector<int32_t>{2, 1, 0}));
    // An empty mesh is its empty name's 4-byte length and a zero count.
    EXPECT_EQ(bytes.size() - withoutEmpty.size(), 8u);
}

TEST(MeshBuilder, WindsTrianglesClockwiseSeenFromTheirNormalsAndDropsDegenerateOnes)
{
    Bin_Material material;
    MeshBuilder builder(material);
    // Counter-clockwise seen from +z, where the normals point.
    const uint32_t a = builder.AddVertex(At(0, 0, 0, {0, 0, 1}));
    const uint32_t b = builder.AddVertex(At(1, 0, 0, {0, 0, 1}));
    const uint32_t c = builder.AddVertex(At(0, 1, 0, {0, 0, 1}));
    builder.AddTriangle(a, b, c);
    EXPECT_EQ(material.indices, (std::vector<uint32_t>{a, c, b}));
    builder.AddTriangle(a, c, b);
    EXPECT_EQ(material.indices.size(), 6u);
    EXPECT_EQ(material.indices[3], a);
    EXPECT_EQ(material.indices[4], c) << "already clockwise: kept";
    const uint32_t d = builder.AddVertex(At(2, 0, 0, {0, 0, 1}));
    builder.AddTriangle(a, b, d); // collinear
    EXPECT_EQ(material.indices.size(), 6u);
}

TEST(MeshBuilder, QuadHalvesStartAtDifferentCorners)
{
    Bin_Material material;
    MeshBuilder builder(material);
    builder.AddGrid(1, 1, [](float s, float t) { return At(s, -t, 0, {0, 0, 1}); });
    ASSERT_EQ(material.indices.size(), 6u);
    EXPECT_NE(material.indices[0], material.indices[3]);
}

TEST(Canvas, FillCompositesStraightAlphaOverWhatIsThere)
{
    Canvas canvas(4, 1, Rgba{0.0f, 0.0f, 1.0f, 1.0f});
    canvas.Fill([](Point p) { return p.x - 0.5f; }, Rgba{1.0f, 0.0f, 0.0f, 0.5f});
    const Rgba left = canvas.Get(0, 0);
    EXPECT_FLOAT_EQ(left.r, 0.5f);
    EXPECT_FLOAT_EQ(left.b, 0.5f);
    EXPECT_FLOAT_EQ(left.a, 1.0f);
    EXPECT_FLOAT_EQ(canvas.Get(3, 0).r, 0.0f) << "outside the shape";

    const Rgba onClear = Over(Rgba{0, 0, 0, 0}, Rgba{0.2f, 0.4f, 0.6f, 0.5f}, 1.0f);
    EXPECT_FLOAT_EQ(onClear.g, 0.4f) << "colour is not darkened by a transparent ground";
    EXPECT_FLOAT_EQ(onClear.a, 0.5f);
}

TEST(TextureFile, RefusesPictureSetsThatAreNeitherATextureNorACubeMap)
{
    const Canvas small(8, 8, Rgba{});
    const Canvas other(4, 4, Rgba{});
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(EncodeDdsTexture({&small, &small}, D3DFMT_DXT1, true, bytes, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(EncodeDdsTexture({&small, &small, &small, &small, &small, &other}, D3DFMT_A8R8G8B8,
                                  false, bytes, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(EncodeDdsTexture({&small}, D3DFMT_DXT5, true, bytes, error)) << error;
    // The header, then four blocks for 8 x 8 and one each for 4 x 4, 2 x 2 and 1 x 1.
    EXPECT_EQ(bytes.size(), 128u + 16u * (4 + 1 + 1 + 1));
}

} // namespace
