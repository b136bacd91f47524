#pragma once
// Builds model files byte by byte for the loader tests.

#include "common/model/binmodel.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class ModelFile
{
public:
    ModelFile& Int(int32_t value) { return Append(&value, sizeof(value)); }
    ModelFile& Float(float value) { return Append(&value, sizeof(value)); }
    ModelFile& Text(const std::string& text)
    {
        Int(static_cast<int32_t>(text.size()));
        return Append(text.data(), text.size());
    }
    // A material's name, sixteen zero colour floats and texture name.
    ModelFile& MaterialHead(const std::string& name, const std::string& texture)
    {
        Text(name);
        for (int i = 0; i < 16; ++i)
        {
            Float(0.0f);
        }
        return Text(texture);
    }
    ModelFile& Material(const std::string& name, const std::string& texture,
                        const std::vector<Bin_Vertex>& vertices,
                        const std::vector<int32_t>& indices)
    {
        MaterialHead(name, texture).Int(static_cast<int32_t>(vertices.size()));
        Append(vertices.data(), vertices.size() * sizeof(Bin_Vertex));
        Int(static_cast<int32_t>(indices.size()));
        for (int32_t index : indices)
        {
            Int(index);
        }
        return *this;
    }

    const std::string& Bytes() const { return m_Bytes; }

    static Bin_Vertex MakeVertex(float x, float y, float z)
    {
        return Bin_Vertex{{x, y, z}, {0.0f, 0.0f, 1.0f}, 0xFF102030u, {x * 0.5f, y * 0.5f}};
    }
    static std::vector<Bin_Vertex> Triangle()
    {
        return {MakeVertex(0, 0, 0), MakeVertex(1, 0, 0), MakeVertex(0, 1, 0)};
    }
    // One mesh "body" of the model "box": a textured, indexed triangle "front" and an
    // unindexed, untextured one "back".
    static std::string TwoMaterials()
    {
        ModelFile file;
        file.Text("HEADER").Text("box").Int(1).Text("body").Int(2);
        file.Material("front", "wood.dds", Triangle(), {0, 1, 2, 2, 1, 0});
        return file.Material("back", "", Triangle(), {}).Bytes();
    }

private:
    ModelFile& Append(const void* pData, std::size_t size)
    {
        m_Bytes.append(static_cast<const char*>(pData), size);
        return *this;
    }

    std::string m_Bytes;
};
