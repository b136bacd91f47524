#pragma once
// Shared input layouts: the same element list always yields the same layout.

#include "rendercore/source/common/inputelement.h"

#include <memory>
#include <vector>

namespace Halvex::RenderCore
{

class InputLayout;

class InputLayoutPool
{
public:
    InputLayoutPool();
    // Deletes the layouts in the order they were created.
    ~InputLayoutPool();
    InputLayoutPool(const InputLayoutPool&) = delete;
    InputLayoutPool& operator=(const InputLayoutPool&) = delete;

    // The layout made earlier for an equal list of elemCount records (at most
    // INPUT_ELEMENT_MAX take part), or a new one loaded from elems. The pool keeps a new
    // layout even when its load failed, and owns every layout it returns.
    InputLayout* Find(const InputElementDesc_t* elems, int elemCount);

    int GetLayoutCount() const { return static_cast<int>(m_Entries.size()); }

private:
    struct InputLayoutData
    {
        int m_Count = 0;
        InputElementDesc_t m_Elems[INPUT_ELEMENT_MAX] = {};
        bool operator==(const InputLayoutData& other) const;
    };
    struct Entry
    {
        InputLayoutData m_Data;
        std::unique_ptr<InputLayout> m_pLayout;
    };

    std::vector<Entry> m_Entries;
};

} // namespace Halvex::RenderCore
