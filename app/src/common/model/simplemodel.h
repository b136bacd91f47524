#pragma once
// A model loaded from a ".bin" file as device resources: materials (one per file mesh),
// each a list of meshes (one per file material) with a vertex buffer, an optional index
// buffer and an optional texture.

#include <list>
#include <memory>
#include <string>

namespace Halvex::RenderCore
{
class IndexBuffer;
class Texture;
class VertexBuffer;
} // namespace Halvex::RenderCore

struct Bin_Model;

// One separately drawn piece of geometry. It owns its buffers and texture, so it can be
// moved but not copied.
struct Render_Mesh
{
    Render_Mesh();
    ~Render_Mesh();
    Render_Mesh(Render_Mesh&&) noexcept;
    Render_Mesh& operator=(Render_Mesh&&) noexcept;
    Render_Mesh(const Render_Mesh&) = delete;
    Render_Mesh& operator=(const Render_Mesh&) = delete;

    std::string m_Name;
    float m_Color1[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float m_Color2[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float m_Color3[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float m_Color4[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    // Null when the texture file is missing or could not be decoded.
    std::unique_ptr<Halvex::RenderCore::Texture> m_pTexture;
    // Null when creation failed or the piece has no vertices; such a mesh is not drawn.
    std::unique_ptr<Halvex::RenderCore::VertexBuffer> m_pVertexBuffer;
    // Null for an unindexed piece (drawn as a plain triangle list).
    std::unique_ptr<Halvex::RenderCore::IndexBuffer> m_pIndexBuffer;
};

struct Render_Mat
{
    std::string m_Name;
    std::list<Render_Mesh> m_Meshes;
};

class SimpleModel
{
public:
    SimpleModel();
    virtual ~SimpleModel();
    SimpleModel(const SimpleModel&) = delete;
    SimpleModel& operator=(const SimpleModel&) = delete;

    // Reads the model file at path (already resolved by GetDataPath) and replaces the
    // content. A missing, short or malformed file logs one line, returns false and keeps
    // the previous content.
    bool Load(const std::string& path);

    const std::string& GetName() const { return m_Name; }
    const std::list<Render_Mat>& GetMaterials() const { return m_Materials; }
    // The largest distance of a vertex from the model's origin; 0 for an empty model.
    float GetRadius() const { return m_Radius; }

private:
    void Build(const Bin_Model& model, const std::string& textureFolder);

    std::string m_Name;
    std::list<Render_Mat> m_Materials;
    float m_Radius = 0.0f;
};
