#include "fakerenderdevice.h"

#include "base/source/system/logger.h"

#include <cstring>
#include <sstream>

namespace HalvexTest
{

std::string FakeRenderDevice::TextureFile(int width, int height, TextureFormat format,
                                          int mipLevels)
{
    return "TEX " + std::to_string(width) + " " + std::to_string(height) + " " +
           std::to_string(format) + " " + std::to_string(mipLevels);
}

const std::vector<uint8_t>& FakeRenderDevice::BufferBytes(const void* pResource) const
{
    static const std::vector<uint8_t> none;
    const auto it = m_Memory.find(pResource);
    return it == m_Memory.end() ? none : it->second;
}

void FakeRenderDevice::Initialize()
{
    m_Calls.push_back("Initialize");
    m_BoundTarget[0] = NewToken();
    m_BoundDepth = NewToken();
    SetDefaultRenderStates();
}

void FakeRenderDevice::GetDeviceSetting(DeviceSetting* pSetting)
{
    *pSetting = DeviceSetting{};
    pSetting->m_Width = 1280;
    pSetting->m_Height = 720;
}

void FakeRenderDevice::ResolveByName(const char* kind, Shader* pShader, const char* name,
                                     uintptr_t* pHandle, int32_t* pRegister)
{
    m_ByNameCalls.push_back({kind, pShader, name, *pHandle});
    auto known = m_KnownNames.find(name);
    if (*pHandle == 0 && known != m_KnownNames.end())
    {
        *pHandle = known->second.first;
        if (pRegister)
        {
            *pRegister = known->second.second;
        }
    }
}

bool FakeRenderDevice::LoadBuffer(Resource* pRes, const char* call, const void* pData, int count,
                                  int elementSize)
{
    const std::size_t size =
        static_cast<std::size_t>(count) * static_cast<std::size_t>(elementSize);
    if (!Succeeds(call))
    {
        return false;
    }
    std::vector<uint8_t>& memory = m_Memory[pRes];
    memory.assign(size, 0);
    if (pData)
    {
        std::memcpy(memory.data(), pData, size);
    }
    pRes->SetUserData(memory.data());
    return true;
}

bool FakeRenderDevice::LockBuffer(const void* pRes, const char* call, void** ppData, int offset,
                                  int size)
{
    std::vector<uint8_t>& memory = m_Memory[pRes];
    if (!Succeeds(call) || offset < 0 || size < 0 ||
        static_cast<std::size_t>(offset) + static_cast<std::size_t>(size) > memory.size())
    {
        *ppData = nullptr;
        return false;
    }
    *ppData = memory.data() + offset;
    return true;
}

bool FakeRenderDevice::CreateTexture(Texture* pTexture, TextureType, int*, int*, int*,
                                     TextureFormat*, int* pMipLevels, TexturePool*,
                                     uint32_t* pFlags)
{
    *pFlags |= TEXTURE_FLAGS;
    if (m_ReportedMipLevels)
    {
        *pMipLevels = m_ReportedMipLevels;
    }
    return LoadResource(pTexture, "CreateTexture");
}

bool FakeRenderDevice::LoadTextureFromMemory(Texture* pTexture, TextureType, const void* pData,
                                             int size, int* pWidth, int* pHeight, int* pDepth,
                                             TextureFormat* pFormat, int* pMipLevels,
                                             uint32_t* pFlags)
{
    if (!Succeeds("LoadTextureFromMemory") || !pData || size <= 0)
    {
        return false;
    }
    std::istringstream file(std::string(static_cast<const char*>(pData), size));
    std::string magic;
    int width = 0, height = 0, format = 0, mipLevels = 0;
    if (!(file >> magic >> width >> height >> format >> mipLevels) || magic != "TEX")
    {
        Halvex::Base::Log("FAKE", Halvex::Base::LOG_LEVEL_ERROR, "the data is not a TEX file");
        return false;
    }
    *pWidth = width;
    *pHeight = height;
    *pDepth = 0; // a 2D file, like a DDS header, names no depth
    *pFormat = static_cast<TextureFormat>(format);
    *pMipLevels = mipLevels;
    *pFlags |= TEXTURE_FLAGS;
    pTexture->SetUserData(NewToken());
    return true;
}

bool FakeRenderDevice::LockTexture(Texture* pTexture, int, void** ppData, int* pPitch, const float*,
                                   LockFlag)
{
    if (!Succeeds("LockTexture") || !m_LockedTextures.insert(pTexture).second)
    {
        return false;
    }
    // Room for every level; rows as if four bytes a texel.
    std::vector<uint8_t>& memory = m_Memory[pTexture];
    memory.resize(std::max<std::size_t>(static_cast<std::size_t>(pTexture->GetSize()), 1));
    *ppData = memory.data();
    *pPitch = pTexture->GetWidth() * 4;
    return true;
}

} // namespace HalvexTest
