#include "rendercore/source/resource/resourceprofiler.h"

#include "base/source/system/logger.h"

#include <algorithm>

namespace Halvex::RenderCore
{

void ResourceProfiler::Register(Resource* pRes, int type)
{
    if (!HX_ASSERT(pRes) || !HX_ASSERT(type >= 0 && type < RES_TYPE_MAX))
    {
        return;
    }
    m_Lists[type].push_back(pRes);
}

void ResourceProfiler::Unregister(Resource* pRes)
{
    if (!HX_ASSERT(pRes))
    {
        return;
    }
    const int type = pRes->GetType();
    if (!HX_ASSERT(type >= 0 && type < RES_TYPE_MAX))
    {
        return;
    }
    std::vector<Resource*>& list = m_Lists[type];
    list.erase(std::remove(list.begin(), list.end(), pRes), list.end());
}

const std::vector<Resource*>& ResourceProfiler::GetResources(int type) const
{
    static const std::vector<Resource*> EMPTY;
    return type >= 0 && type < RES_TYPE_MAX ? m_Lists[type] : EMPTY;
}

uint64_t ResourceProfiler::GetTotalSize(int type) const
{
    uint64_t total = 0;
    for (const Resource* pRes : GetResources(type))
    {
        total += pRes->GetSize();
    }
    return total;
}

} // namespace Halvex::RenderCore
