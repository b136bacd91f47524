#include "binmodel.h"

#include <bit>

namespace Halvex::Bake
{
namespace
{

static_assert(std::endian::native == std::endian::little, "the model format is little-endian");

class Writer
{
public:
    explicit Writer(std::vector<uint8_t>& out) : m_Out(out) {}

    void Int(int32_t value) { Raw(&value, sizeof(value)); }
    void Float(float value) { Raw(&value, sizeof(value)); }
    void Count(size_t count) { Int(static_cast<int32_t>(count)); }
    void String(const std::string& text)
    {
        Count(text.size());
        Raw(text.data(), text.size());
    }
    void Vector(const Vector3f& v)
    {
        Float(v.x);
        Float(v.y);
        Float(v.z);
    }
    void Colour(const Vector4f& c)
    {
        Float(c.x);
        Float(c.y);
        Float(c.z);
        Float(c.w);
    }

private:
    void Raw(const void* pData, size_t size)
    {
        const auto* pBytes = static_cast<const uint8_t*>(pData);
        m_Out.insert(m_Out.end(), pBytes, pBytes + size);
    }

    std::vector<uint8_t>& m_Out;
};

} // namespace

std::vector<uint8_t> SerializeModel(const BinModel& model)
{
    std::vector<uint8_t> bytes;
    Writer out(bytes);
    out.String("Lumivia model 1.0");
    out.String(model.name);
    out.Count(model.meshes.size());
    for (const Bin_Mesh& mesh : model.meshes)
    {
        out.String(mesh.name);
        out.Count(mesh.materials.size());
        for (const Bin_Material& material : mesh.materials)
        {
            out.String(material.name);
            for (const Vector4f& colour : material.colours)
            {
                out.Colour(colour);
            }
            out.String(material.textureName);
            out.Count(material.vertices.size());
            for (const Bin_Vertex& vertex : material.vertices)
            {
                out.Vector(vertex.position);
                out.Vector(vertex.normal);
                out.Int(static_cast<int32_t>(vertex.colour));
                out.Float(vertex.u);
                out.Float(vertex.v);
            }
            out.Count(material.indices.size());
            for (uint32_t index : material.indices)
            {
                out.Int(static_cast<int32_t>(index));
            }
        }
    }
    return bytes;
}

} // namespace Halvex::Bake
