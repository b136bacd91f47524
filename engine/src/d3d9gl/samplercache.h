#pragma once
// GL sampler objects by the parameters they hold. A Direct3D sampler state set maps to one
// key; each distinct key is made once and then only bound, so a slot that goes back and
// forth between two states costs one glBindSampler, not a round of parameter calls.

#include "d3d9gl/d3d9types.h"
#include "d3d9gl/glprofile.h"

#include <utility>
#include <vector>

namespace d3d9gl
{

// Every field four bytes wide, so keys compare as bytes.
struct SamplerKey_t
{
    GLint minFilter;
    GLint magFilter;
    GLint wrap[3];
    D3DCOLOR border;
    float lodBias;
    float minLod;
    float anisotropy;
};

class SamplerCache
{
public:
    // The sampler object for the key, made (its parameters counted in pStateChanges) on
    // first use. Anisotropy is set only where the adapter filters anisotropically; border
    // colour and LOD bias only where the profile has them.
    GLuint Get(const SamplerKey_t& key, const GLProfile_t& profile, bool anisotropic,
               UINT* pStateChanges);
    void Release();

private:
    // Lessons use a handful of distinct samplers: a short list searched in order.
    std::vector<std::pair<SamplerKey_t, GLuint>> m_Samplers;
};

} // namespace d3d9gl
