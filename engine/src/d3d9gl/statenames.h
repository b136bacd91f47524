#pragma once
// Names of the render and sampler states, for diagnostics.

#include "d3d9gl/d3d9types.h"

namespace d3d9gl
{

// The state's enumerator name ("D3DRS_MULTISAMPLEANTIALIAS"), or null for a number that
// names no state.
const char* RenderStateName(D3DRENDERSTATETYPE state);
const char* SamplerStateName(D3DSAMPLERSTATETYPE state);

} // namespace d3d9gl
