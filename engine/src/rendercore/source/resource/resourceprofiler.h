#pragma once
// The live resources of a render device, one list per resource type.

#include "rendercore/source/resource/resource.h"

#include <vector>

namespace Halvex::RenderCore
{

class ResourceProfiler
{
public:
    // Called by the resource constructors and the Resource destructor only.
    void Register(Resource* pRes, int type);
    void Unregister(Resource* pRes);

    // Resources of a type in registration order; empty for a type outside the range.
    const std::vector<Resource*>& GetResources(int type) const;
    // Sum of GetSize over the resources of a type.
    uint64_t GetTotalSize(int type) const;

private:
    std::vector<Resource*> m_Lists[RES_TYPE_MAX];
};

} // namespace Halvex::RenderCore
