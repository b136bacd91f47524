#pragma once
// Names of the render and sampler states, for diagnostics.

#include "d3d9gl/d3d9types.h"

#include <cstddef>

namespace d3d9gl
{

// One entry of a table of enumerator names, written VALUE_NAME(D3DCULL_CW).
struct ValueName_t
{
    DWORD value;
    const char* name;
};

// clang-format off
#define VALUE_NAME(value) {value, #value}
// clang-format on

// The name the table gives the value, or null.
template <std::size_t N> const char* FindName(const ValueName_t (&table)[N], DWORD value)
{
    for (const ValueName_t& entry : table)
    {
        if (entry.value == value)
            return entry.name;
    }
    return nullptr;
}

// The state's enumerator name ("D3DRS_MULTISAMPLEANTIALIAS"), or null for a number that
// names no state.
const char* RenderStateName(D3DRENDERSTATETYPE state);
const char* SamplerStateName(D3DSAMPLERSTATETYPE state);

} // namespace d3d9gl
