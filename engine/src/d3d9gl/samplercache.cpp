#include "d3d9gl/samplercache.h"

#include <cstring>

namespace d3d9gl
{

GLuint SamplerCache::Get(const SamplerKey_t& key, const GLProfile_t& profile, bool anisotropic,
                         UINT* pStateChanges)
{
    for (const auto& entry : m_Samplers)
    {
        if (std::memcmp(&entry.first, &key, sizeof(key)) == 0)
            return entry.second;
    }
    GLuint sampler = 0;
    glGenSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, key.minFilter);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, key.magFilter);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, key.wrap[0]);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, key.wrap[1]);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_R, key.wrap[2]);
    glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, key.minLod);
    *pStateChanges += 6;
    if (profile.samplerExtras)
    {
        const D3DCOLOR c = key.border;
        const GLfloat rgba[4] = {float((c >> 16) & 0xFF) / 255.0f, float((c >> 8) & 0xFF) / 255.0f,
                                 float(c & 0xFF) / 255.0f, float(c >> 24) / 255.0f};
        glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, rgba);
        glSamplerParameterf(sampler, GL_TEXTURE_LOD_BIAS, key.lodBias);
        *pStateChanges += 2;
    }
    if (anisotropic)
    {
        glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT, key.anisotropy);
        ++*pStateChanges;
    }
    m_Samplers.emplace_back(key, sampler);
    return sampler;
}

void SamplerCache::Release()
{
    for (const auto& entry : m_Samplers)
        glDeleteSamplers(1, &entry.second);
    m_Samplers.clear();
}

} // namespace d3d9gl
