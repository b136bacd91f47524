#pragma once
// A name-keyed cache of textures that owns what it holds.

#include <map>
#include <memory>
#include <string>

namespace Halvex::RenderCore
{
class Texture;
}

class TextureManager
{
public:
    TextureManager();
    virtual ~TextureManager();
    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    // Null when the name is not cached.
    Halvex::RenderCore::Texture* Find(const std::string& name) const;
    // Takes ownership; a texture cached under the same name before is released.
    Halvex::RenderCore::Texture* Add(const std::string& name,
                                     std::unique_ptr<Halvex::RenderCore::Texture> pTexture);
    std::size_t GetCount() const { return m_Textures.size(); }

private:
    std::map<std::string, std::unique_ptr<Halvex::RenderCore::Texture>> m_Textures;
};
