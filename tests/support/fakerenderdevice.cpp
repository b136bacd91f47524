#include "fakerenderdevice.h"

#include "base/source/system/logger.h"

#include <algorithm>
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

void FakeRenderDevice::GetDeviceSetting(DeviceSetting* pSetting)
{
    *pSetting = DeviceSetting{};
    pSetting->m_Width = 1280;
    pSetting->m_Height = 720;
}

void FakeRenderDevice::ByName(const char* kind, Shader* pShader, const char* name,
                              uintptr_t* pHandle)
{
    m_ByNameCalls.push_back({kind, pShader, name, *pHandle});
    const auto known = m_KnownNames.find(name);
    *pHandle = *pHandle == 0 && known != m_KnownNames.end() ? known->second : *pHandle;
}

bool FakeRenderDevice::LoadBuffer(Resource* pRes, const char* call, const void* pData, int count,
                                  int elementSize)
{
    if (!Count(call))
    {
        return false;
    }
    const std::size_t size =
        static_cast<std::size_t>(count) * static_cast<std::size_t>(elementSize);
    const auto* pBytes = static_cast<const uint8_t*>(pData);
    std::vector<uint8_t>& memory = m_Memory[pRes];
    memory = pBytes ? std::vector<uint8_t>(pBytes, pBytes + size) : std::vector<uint8_t>(size);
    pRes->SetUserData(memory.data());
    return true;
}

bool FakeRenderDevice::LockBuffer(const void* pRes, const char* call, void** ppData, int offset,
                                  int size)
{
    std::vector<uint8_t>& memory = m_Memory[pRes];
    const bool inside =
        offset >= 0 && size >= 0 &&
        static_cast<std::size_t>(offset) + static_cast<std::size_t>(size) <= memory.size();
    *ppData = Count(call) && inside ? memory.data() + offset : nullptr;
    return *ppData != nullptr;
}

bool FakeRenderDevice::LoadTextureFromMemory(Texture* pTexture, TextureType, const void* pData,
                                             int size, int* pWidth, int* pHeight, int* pDepth,
                                             TextureFormat* pFormat, int* pMipLevels, uint32_t*)
{
    if (!Count("LoadTextureFromMemory") || !pData || size <= 0)
    {
        return false;
    }
    std::istringstream file(std::string(static_cast<const char*>(pData), size));
    std::string magic;
    int format = 0;
    if (!(file >> magic >> *pWidth >> *pHeight >> format >> *pMipLevels) || magic != "TEX")
    {
        Halvex::Base::Log("FAKE", Halvex::Base::LOG_LEVEL_ERROR, "the data is not a TEX file");
        return false;
    }
    *pDepth = 0; // a 2D file, like a DDS header, names no depth
    *pFormat = static_cast<TextureFormat>(format);
    pTexture->SetUserData(Token());
    return true;
}

bool FakeRenderDevice::LockTexture(Texture* pTexture, int, void** ppData, int* pPitch, const float*,
                                   LockFlag)
{
    if (!Count("LockTexture"))
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
