#include "common/model/simplemodel.h"

#include "common/model/binmodel.h"

#include "base/source/system/logger.h"
#include "base/source/utility/fileloader.h"
#include "base/source/utility/path.h"
#include "datastream/binstream.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace Halvex;
using namespace Halvex::RenderCore;

namespace
{
constexpr const char* MODULE = "MODEL";
// 16-bit indices address this many vertices; larger pieces get 32-bit indices.
constexpr std::size_t MAX_16BIT_VERTICES = 65536;

std::unique_ptr<Texture> LoadTexture(const std::string& path)
{
    Base::FileLoader loader;
    if (!loader.Load(path))
    {
        return nullptr;
    }
    auto pTexture = std::make_unique<Texture>();
    pTexture->SetName(path);
    if (!pTexture->LoadFromMemory(loader.GetData(), TEX_2D, static_cast<int>(loader.GetSize()),
                                  FMT_UNKNOWN, 0, 0))
    {
        return nullptr;
    }
    return pTexture;
}

std::unique_ptr<VertexBuffer> CreateVertexBuffer(const std::vector<Bin_Vertex>& vertices)
{
    auto pBuffer = std::make_unique<VertexBuffer>();
    const int count = static_cast<int>(vertices.size());
    const int size = static_cast<int>(sizeof(Bin_Vertex));
    if (!pBuffer->Load(PT_TRIANGLE_LIST, nullptr, count, size, POOL_DEFAULT))
    {
        HX_RAISE("0");
        return nullptr;
    }
    void* pData = nullptr;
    if (pBuffer->Lock(&pData, 0, count * size, LOCK_NONE))
    {
        std::memcpy(pData, vertices.data(), vertices.size() * sizeof(Bin_Vertex));
        pBuffer->Unlock();
    }
    return pBuffer;
}

template <typename Index> void CopyIndices(const std::vector<int32_t>& indices, void* pData)
{
    auto* pOut = static_cast<Index*>(pData);
    for (int32_t index : indices)
    {
        *pOut++ = static_cast<Index>(index);
    }
}

std::unique_ptr<IndexBuffer> CreateIndexBuffer(const std::vector<int32_t>& indices,
                                               std::size_t vertexCount)
{
    const bool wide = vertexCount > MAX_16BIT_VERTICES;
    const int indexSize = wide ? 4 : 2;
    const int count = static_cast<int>(indices.size());
    auto pBuffer = std::make_unique<IndexBuffer>();
    if (!pBuffer->Load(nullptr, count, indexSize, POOL_DEFAULT))
    {
        HX_RAISE("0");
        return nullptr;
    }
    void* pData = nullptr;
    if (pBuffer->Lock(&pData, 0, count * indexSize, LOCK_NONE))
    {
        if (wide)
        {
            CopyIndices<uint32_t>(indices, pData);
        }
        else
        {
            CopyIndices<uint16_t>(indices, pData);
        }
        pBuffer->Unlock();
    }
    return pBuffer;
}
float BoundingRadius(const Bin_Model& model)
{
    float squared = 0.0f;
    for (const Bin_Mesh& mesh : model.m_Meshes)
    {
        for (const Bin_Material& material : mesh.m_Materials)
        {
            for (const Bin_Vertex& vertex : material.m_Vertices)
            {
                const float* p = vertex.m_Position;
                // A position that is not a number is left out.
                squared = std::max(squared, p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
            }
        }
    }
    return std::sqrt(squared);
}
} // namespace

Render_Mesh::Render_Mesh() = default;
Render_Mesh::~Render_Mesh() = default;
Render_Mesh::Render_Mesh(Render_Mesh&&) noexcept = default;
Render_Mesh& Render_Mesh::operator=(Render_Mesh&&) noexcept = default;

SimpleModel::SimpleModel() = default;
SimpleModel::~SimpleModel() = default;

bool SimpleModel::Load(const std::string& path)
{
    Bin_Model model;
    std::string error = "the file can not be opened";
    bool read = false;
    if (auto pStream = DataStream::CreateBinStream(path, false))
    {
        read = ReadBinModel(*pStream, &model, &error);
    }
    if (!read)
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "Can not load model \"%s\": %s\n", path.c_str(),
                  error.c_str());
        return false;
    }
    Build(model, Base::GetDirectory(path) + "/_Tex_/");
    return true;
}

void SimpleModel::Build(const Bin_Model& model, const std::string& textureFolder)
{
    // The old resources go before the new ones are made.
    m_Materials.clear();
    m_Name = model.m_Name;
    m_Radius = BoundingRadius(model);
    for (const Bin_Mesh& binMesh : model.m_Meshes)
    {
        Render_Mat& material = m_Materials.emplace_back();
        material.m_Name = binMesh.m_Name;
        for (const Bin_Material& binMaterial : binMesh.m_Materials)
        {
            Render_Mesh& mesh = material.m_Meshes.emplace_back();
            mesh.m_Name = binMaterial.m_Name;
            std::memcpy(mesh.m_Color1, binMaterial.m_Color[0], sizeof(mesh.m_Color1));
            std::memcpy(mesh.m_Color2, binMaterial.m_Color[1], sizeof(mesh.m_Color2));
            std::memcpy(mesh.m_Color3, binMaterial.m_Color[2], sizeof(mesh.m_Color3));
            std::memcpy(mesh.m_Color4, binMaterial.m_Color[3], sizeof(mesh.m_Color4));
            if (!binMaterial.m_TextureName.empty())
            {
                mesh.m_pTexture = LoadTexture(textureFolder + binMaterial.m_TextureName);
            }
            if (!binMaterial.m_Vertices.empty())
            {
                mesh.m_pVertexBuffer = CreateVertexBuffer(binMaterial.m_Vertices);
            }
            if (!binMaterial.m_Indices.empty())
            {
                mesh.m_pIndexBuffer =
                    CreateIndexBuffer(binMaterial.m_Indices, binMaterial.m_Vertices.size());
            }
        }
    }
}
