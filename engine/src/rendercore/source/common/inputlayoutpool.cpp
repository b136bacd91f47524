#include "rendercore/source/common/inputlayoutpool.h"

#include "rendercore/source/common/inputlayout.h"

#include <algorithm>

namespace Halvex::RenderCore
{

bool InputLayoutPool::InputLayoutData::operator==(const InputLayoutData& other) const
{
    return m_Count == other.m_Count &&
           std::equal(m_Elems, m_Elems + m_Count, other.m_Elems,
                      [](const InputElementDesc_t& a, const InputElementDesc_t& b)
                      { return GetElementKey(a) == GetElementKey(b); });
}

InputLayoutPool::InputLayoutPool() = default;

InputLayoutPool::~InputLayoutPool()
{
    for (Entry& entry : m_Entries)
    {
        entry.m_pLayout.reset();
    }
}

InputLayout* InputLayoutPool::Find(const InputElementDesc_t* elems, int elemCount)
{
    InputLayoutData data;
    if (elems && elemCount >= 1)
    {
        data.m_Count = std::min(elemCount, INPUT_ELEMENT_MAX);
        std::copy_n(elems, data.m_Count, data.m_Elems);
    }
    for (const Entry& entry : m_Entries)
    {
        if (entry.m_Data == data)
        {
            return entry.m_pLayout.get();
        }
    }
    auto pLayout = std::make_unique<InputLayout>();
    pLayout->Load(elems);
    InputLayout* pResult = pLayout.get();
    m_Entries.push_back({data, std::move(pLayout)});
    return pResult;
}

} // namespace Halvex::RenderCore
