#include "modelreader.h"

#include <algorithm>
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
        std::copy_n(m_Bytes.data() + m_Offset, size, static_cast<uint8_t*>(pOut));
        m_Offset += size;
        return true;
    }
    // A count whose records, at least recordSize bytes each, fit in what is left.
    template <typename T> bool Records(size_t recordSize, std::vector<T>& records)
    {
        int32_t count = 0;
        const bool fits = Take(&count, 4) && count >= 0 &&
                          static_cast<size_t>(count) * recordSize <= m_Bytes.size() - m_Offset;
        records.resize(fits ? static_cast<size_t>(count) : 0);
        return fits;
    }
    bool String(std::string& text)
    {
        int32_t length = 0;
        if (!Take(&length, 4))
        {
            return false;
        }
        text.resize(static_cast<size_t>(std::max(length, 0)));
        return Take(text.data(), text.size());
    }
    bool AtEnd() const { return m_Offset == m_Bytes.size(); }

private:
    const std::vector<uint8_t>& m_Bytes;
    size_t m_Offset = 0;
};

bool ReadMaterial(Cursor& in, Material& material)
{
    if (!in.String(material.name) || !in.Take(material.colours.data(), 64) ||
        !in.String(material.texture) || !in.Records(36, material.vertices))
    {
        return false;
    }
    for (Vertex& vertex : material.vertices)
    {
        if (!in.Take(vertex.position.data(), 12) || !in.Take(vertex.normal.data(), 12) ||
            !in.Take(&vertex.colour, 4) || !in.Take(vertex.uv.data(), 8))
        {
            return false;
        }
    }
    return in.Records(4, material.indices) &&
           in.Take(material.indices.data(), material.indices.size() * 4);
}

} // namespace

bool ReadModel(const std::vector<uint8_t>& bytes, Model& out)
{
    Cursor in(bytes);
    std::string meshName;
    if (!in.String(out.header) || !in.String(out.name) || !in.Records(8, out.meshes))
    {
        return false;
    }
    for (std::vector<Material>& mesh : out.meshes)
    {
        if (!in.String(meshName) || !in.Records(80, mesh))
        {
            return false;
        }
        for (Material& material : mesh)
        {
            if (!ReadMaterial(in, material))
            {
                return false;
            }
        }
    }
    return in.AtEnd();
}

std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace DataTest
