#pragma once
// The ".bin" model records as the baker writes them: little-endian int32 counts, float
// fields, length-prefixed strings, 36-byte vertices.

#include "math/vector.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Halvex::Bake
{

using MATH::Vector3f;
using MATH::Vector4f;

struct Bin_Vertex
{
    Vector3f position;
    Vector3f normal;
    uint32_t colour = 0xffffffff; // 0xAARRGGBB
    float u = 0.0f;
    float v = 0.0f;
};

struct Bin_Material
{
    std::string name;
    // Diffuse, ambient, specular (w: power) and emissive; the program copies them unread.
    std::array<Vector4f, 4> colours{Vector4f(1, 1, 1, 1), Vector4f(0.2f, 0.2f, 0.2f, 1),
                                    Vector4f(1, 1, 1, 20), Vector4f(0, 0, 0, 1)};
    std::string textureName; // inside the model's _Tex_ folder; empty: untextured
    std::vector<Bin_Vertex> vertices;
    std::vector<uint32_t> indices; // triangle list; front faces wind clockwise
};

struct Bin_Mesh
{
    std::string name;
    std::vector<Bin_Material> materials;
};

struct BinModel
{
    std::string name;
    std::vector<Bin_Mesh> meshes;
};

// The file's bytes. The header string names the format's writer.
std::vector<uint8_t> SerializeModel(const BinModel& model);

} // namespace Halvex::Bake
