#pragma once
// A reader of ".bin" model files written for the tests from the format's description alone,
// so that it shares no code with the baker that writes them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace DataTest
{

struct Vertex
{
    std::array<float, 3> position;
    std::array<float, 3> normal;
    uint32_t colour;
    std::array<float, 2> uv;
};

struct Material
{
    std::string name;
    std::array<std::array<float, 4>, 4> colours;
    std::string texture;
    std::vector<Vertex> vertices;
    std::vector<int32_t> indices;
};

struct Model
{
    std::string header;
    std::string name;
    std::vector<std::vector<Material>> meshes; // each mesh's materials; mesh names are skipped
};

// Reads the whole file; false for a negative count, a count the rest of the file cannot
// hold, or bytes left over at the end.
bool ReadModel(const std::vector<uint8_t>& bytes, Model& out);

std::vector<uint8_t> ReadFileBytes(const std::string& path);

} // namespace DataTest
