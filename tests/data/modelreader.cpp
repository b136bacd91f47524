#include "modelreader.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace DataTest
{
namespace
{

class Cursor
{
public:
    explicit Cursor(const std::vector<uint8_t>& bytes) : m_Bytes(bytes) {}

    bool Take(void* pOut, size_t size)
    {
        if (m_Bytes.size() - m_Offset < size)
        {
            return false;
        }
        std::memcpy(pOut, m_Bytes.data() + m_Offset, size);
        m_Offset += size;
        return true;
    }
    // A count whose records, at least recordSize bytes each, fit in what is left.
    bool Count(size_t recordSize, int32_t& count)
    {
        return Take(&count, 4) && count >= 0 &&
               static_cast<size_t>(count) * recordSize <= m_Bytes.size() - m_Offset;
    }
    bool String(std::string& text)
    {
        int32_t length = 0;
        if (!Take(&length, 4))
        {
            return false;
        }
        if (length <= 0)
        {
            text.clear();
            return true;
        }
        text.resize(static_cast<size_t>(length));
        return Take(text.data(), text.size());
    }
    bool AtEnd() const { return m_Offset == m_Bytes.size(); }

private:
    const std::vector<uint8_t>& m_Bytes;
    size_t m_Offset = 0;
};

bool ReadMaterial(Cursor& in, Material& material)
{
    int32_t count = 0;
    if (!in.String(material.name) || !in.Take(material.colours.data(), 64) ||
        !in.String(material.texture) || !in.Count(36, count))
    {
        return false;
    }
    material.vertices.resize(static_cast<size_t>(count));
    for (Vertex& vertex : material.vertices)
    {
        if (!in.Take(vertex.position.data(), 12) || !in.Take(vertex.normal.data(), 12) ||
            !in.Take(&vertex.colour, 4) || !in.Take(vertex.uv.data(), 8))
        {
            return false;
        }
    }
    if (!in.Count(4, count))
    {
        return false;
    }
    material.indices.resize(static_cast<size_t>(count));
    return count == 0 || in.Take(material.indices.data(), material.indices.size() * 4);
}

} // namespace

bool ReadModel(const std::vector<uint8_t>& bytes, Model& out, std::string& error)
{
    Cursor in(bytes);
    int32_t meshCount = 0;
    if (!in.String(out.header) || !in.String(out.name) || !in.Count(8, meshCount))
    {
        error = "bad file header";
        return false;
    }
    out.meshes.resize(static_cast<size_t>(meshCount));
    for (Mesh& mesh : out.meshes)
    {
        int32_t materialCount = 0;
        if (!in.String(mesh.name) || !in.Count(80, materialCount))
        {
            error = "bad mesh record";
            return false;
        }
        mesh.materials.resize(static_cast<size_t>(materialCount));
        for (Material& material : mesh.materials)
        {
            if (!ReadMaterial(in, material))
            {
                error = "bad material record in mesh " + mesh.name;
                return false;
            }
        }
    }
    if (!in.AtEnd())
    {
        error = "bytes after the last mesh";
        return false;
    }
    return true;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace DataTest
