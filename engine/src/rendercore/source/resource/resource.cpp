#include "rendercore/source/resource/resource.h"

#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/resourceprofiler.h"

namespace Halvex::RenderCore
{

namespace
{
ResourceProfiler* CurrentProfiler()
{
    RenderDevice* pDevice = GetRenderDevice();
    return pDevice ? pDevice->GetResourceProfiler() : nullptr;
}
} // namespace

Resource::Resource(ResourceType type) : m_Type(type)
{
    if (ResourceProfiler* pProfiler = CurrentProfiler())
    {
        pProfiler->Register(this, m_Type);
    }
}

Resource::~Resource()
{
    if (ResourceProfiler* pProfiler = CurrentProfiler())
    {
        pProfiler->Unregister(this);
    }
}

void Resource::SetType(int type)
{
    ResourceProfiler* pProfiler = CurrentProfiler();
    if (pProfiler)
    {
        pProfiler->Unregister(this);
    }
    m_Type = type;
    if (pProfiler)
    {
        pProfiler->Register(this, m_Type);
    }
}

void Resource::SetPool(int pool)
{
    if (pool >= POOL_DEFAULT && pool < POOL_MAX)
    {
        m_Pool = static_cast<TexturePool>(pool);
    }
}

} // namespace Halvex::RenderCore
