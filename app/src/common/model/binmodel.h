#pragma once
// The model file (".bin") as it is stored: a header string, the model name and a list of
// meshes, each a list of materials with their own vertices and 32-bit indices. All values
// are 32-bit little endian; strings are an int32 length and that many bytes.
//
// The records mirror the file only while a model loads; SimpleModel turns them into
// device resources.

#include <cstdint>
#include <string>
#include <vector>

namespace Halvex::DataStream
{
class BinStreamFastBase;
}

// 36 bytes, the vertex of the lesson input layout.
struct Bin_Vertex
{
    float m_Position[3];
    float m_Normal[3];
    uint32_t m_Color; // 0xAARRGGBB
    float m_TexCoord[2];
};
static_assert(sizeof(Bin_Vertex) == 36, "Bin_Vertex is read as one 36-byte block");

struct Bin_Material
{
    std::string m_Name;
    float m_Color[4][4];
    std::string m_TextureName;
    std::vector<Bin_Vertex> m_Vertices;
    std::vector<int32_t> m_Indices;
};

struct Bin_Mesh
{
    std::string m_Name;
    std::vector<Bin_Material> m_Materials;
};

struct Bin_Model
{
    std::string m_Header;
    std::string m_Name;
    std::vector<Bin_Mesh> m_Meshes;
};

// Reads a whole model. Fails on a short file, a negative count, a count larger than the
// rest of the file could hold, or an index not below its material's vertex count; pError
// (optional) then says what was wrong and pModel holds a partial read.
bool ReadBinModel(Halvex::DataStream::BinStreamFastBase& stream, Bin_Model* pModel,
                  std::string* pError);
