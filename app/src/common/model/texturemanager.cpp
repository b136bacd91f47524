#include "common/model/texturemanager.h"

#include "rendercore/source/resource/texture.h"

using Halvex::RenderCore::Texture;

TextureManager::TextureManager() = default;

TextureManager::~TextureManager()
{
    for (auto& entry : m_Textures)
    {
        entry.second.reset();
    }
    m_Textures.clear();
}

Texture* TextureManager::Find(const std::string& name) const
{
    const auto it = m_Textures.find(name);
    return it == m_Textures.end() ? nullptr : it->second.get();
}

Texture* TextureManager::Add(const std::string& name, std::unique_ptr<Texture> pTexture)
{
    std::unique_ptr<Texture>& slot = m_Textures[name];
    slot = std::move(pTexture);
    return slot.get();
}
