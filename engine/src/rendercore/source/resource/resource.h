#pragma once
// Common base of the device-independent resources: a description kept by the concrete
// class and one opaque user-data word holding the native object.
//
// Every resource registers with the profiler of the current render device while it
// lives, so a device must be current before the first resource is made and until the
// last one is destroyed.

#include "rendercore/source/renderdevice/renderenums.h"

#include <cstdint>
#include <string>

namespace Halvex::RenderCore
{

// Profiler lists; types 3, 4 and 8-10 have no class and their lists stay empty.
enum ResourceType : int32_t
{
    RES_TYPE_TEXTURE = 0,
    RES_TYPE_VERTEX_BUFFER = 1,
    RES_TYPE_INDEX_BUFFER = 2,
    RES_TYPE_SHADER_PROGRAM = 5,
    RES_TYPE_VERTEX_SHADER = 6,
    RES_TYPE_PIXEL_SHADER = 7,
    RES_TYPE_MAX = 11
};

class Resource
{
public:
    virtual ~Resource();
    Resource(const Resource&) = delete;
    Resource& operator=(const Resource&) = delete;

    // Bytes the resource occupies.
    virtual uint64_t GetSize() const = 0;
    virtual bool IsLoaded() const = 0;

    int GetType() const { return m_Type; }
    // Moves the resource to the profiler list of the new type.
    void SetType(int type);
    TexturePool GetPool() const { return m_Pool; }
    // Stores only POOL_DEFAULT..POOL_SYSTEM_MEM.
    void SetPool(int pool);
    void* GetUserData() const { return m_pUserData; }
    void SetUserData(void* pData) { m_pUserData = pData; }

    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }
    const std::string& GetPath() const { return m_Path; }
    void SetPath(const std::string& path) { m_Path = path; }

protected:
    explicit Resource(ResourceType type);

private:
    int m_Type;
    TexturePool m_Pool = POOL_MANAGED;
    void* m_pUserData = nullptr;
    std::string m_Name;
    std::string m_Path;
};

} // namespace Halvex::RenderCore
