#include "common/model/binmodel.h"

#include "datastream/binstream.h"
#include "datastream/readstring.h"

#include <cstdarg>
#include <cstdio>

using namespace Halvex::DataStream;

namespace
{
// The fewest bytes one record can take, so that a count can be checked against the rest of
// the file before anything is allocated for it.
constexpr std::size_t MIN_MESH_BYTES = 4 + 4;                  // name, material count
constexpr std::size_t MIN_MATERIAL_BYTES = 4 + 64 + 4 + 4 + 4; // name, colours, texture, counts
constexpr std::size_t INDEX_BYTES = sizeof(int32_t);

class ModelReader
{
public:
    ModelReader(BinStreamFastBase& stream, std::string* pError) : m_Stream(stream), m_pError(pError)
    {
    }

    bool ReadModel(Bin_Model& model)
    {
        uint32_t meshCount = 0;
        if (!ReadText(model.m_Header, "header") || !ReadText(model.m_Name, "model name") ||
            !ReadCount(meshCount, MIN_MESH_BYTES, "mesh count"))
        {
            return false;
        }
        model.m_Meshes.resize(meshCount);
        for (Bin_Mesh& mesh : model.m_Meshes)
        {
            if (!ReadMesh(mesh))
            {
                return false;
            }
        }
        return true;
    }

private:
    bool ReadMesh(Bin_Mesh& mesh)
    {
        uint32_t materialCount = 0;
        if (!ReadText(mesh.m_Name, "mesh name") ||
            !ReadCount(materialCount, MIN_MATERIAL_BYTES, "material count"))
        {
            return false;
        }
        mesh.m_Materials.resize(materialCount);
        for (Bin_Material& material : mesh.m_Materials)
        {
            if (!ReadMaterial(material))
            {
                return false;
            }
        }
        return true;
    }

    bool ReadMaterial(Bin_Material& material)
    {
        uint32_t vertexCount = 0;
        if (!ReadText(material.m_Name, "material name") ||
            !ReadBytes(material.m_Color, sizeof(material.m_Color), "material colours") ||
            !ReadText(material.m_TextureName, "texture name") ||
            !ReadCount(vertexCount, sizeof(Bin_Vertex), "vertex count"))
        {
            return false;
        }
        material.m_Vertices.resize(vertexCount);
        for (Bin_Vertex& vertex : material.m_Vertices)
        {
            if (!ReadBytes(&vertex, sizeof(vertex), "vertex"))
            {
                return false;
            }
        }
        uint32_t indexCount = 0;
        if (!ReadCount(indexCount, INDEX_BYTES, "index count"))
        {
            return false;
        }
        material.m_Indices.resize(indexCount);
        for (int32_t& index : material.m_Indices)
        {
            if (!ReadBytes(&index, sizeof(index), "index"))
            {
                return false;
            }
            if (index < 0 || static_cast<uint32_t>(index) >= vertexCount)
            {
                return Fail("index %d of material \"%s\" is not below its %u vertices", index,
                            material.m_Name.c_str(), vertexCount);
            }
        }
        return true;
    }

    bool ReadText(std::string& text, const char* what)
    {
        uint32_t bits = 0;
        if (!ReadUInt32(m_Stream, &bits))
        {
            return Fail("the file ends inside the %s", what);
        }
        text.clear();
        const auto length = static_cast<int32_t>(bits);
        if (length < 1)
        {
            return true;
        }
        if (static_cast<uint64_t>(length) > m_Stream.GetRemaining())
        {
            return Fail("the %s is longer (%d bytes) than the rest of the file", what, length);
        }
        text.resize(static_cast<std::size_t>(length));
        return ReadBytes(text.data(), text.size(), what);
    }

    bool ReadCount(uint32_t& count, std::size_t elementSize, const char* what)
    {
        uint32_t bits = 0;
        if (!ReadUInt32(m_Stream, &bits))
        {
            return Fail("the file ends inside the %s", what);
        }
        const auto value = static_cast<int32_t>(bits);
        if (value < 0)
        {
            return Fail("the %s is negative (%d)", what, value);
        }
        if (static_cast<uint64_t>(value) > m_Stream.GetRemaining() / elementSize)
        {
            return Fail("the %s (%d) needs more bytes than the rest of the file", what, value);
        }
        count = static_cast<uint32_t>(value);
        return true;
    }

    bool ReadBytes(void* pData, std::size_t size, const char* what)
    {
        if (!m_Stream.Read(pData, size))
        {
            return Fail("the file ends inside a %s", what);
        }
        return true;
    }

    bool Fail(const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        if (m_pError)
        {
            char text[256];
            va_list args;
            va_start(args, format);
            std::vsnprintf(text, sizeof(text), format, args);
            va_end(args);
            *m_pError = text;
        }
        return false;
    }

    BinStreamFastBase& m_Stream;
    std::string* m_pError;
};
} // namespace

bool ReadBinModel(BinStreamFastBase& stream, Bin_Model* pModel, std::string* pError)
{
    return ModelReader(stream, pError).ReadModel(*pModel);
}
