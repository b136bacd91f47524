#pragma once
// Engine enum values to Direct3D 9 values and back.
//
// One table per enum kind, each indexed by engine value. `ToNative` reads the entry of an
// engine value; `FromNative` scans for the first entry with the native value and gives 0
// (the enum's first value) when none has it.

#include "d3d9gl/d3d9types.h"
#include "rendercore/source/renderdevice/renderenums.h"

#include <cstdint>

namespace Halvex::RenderCore
{

enum Dx9ConverterId
{
    CONVERT_FILL_MODE = 0,
    CONVERT_TEXTURE_ADDRESS = 2,
    CONVERT_TEXTURE_FORMAT = 3,
    CONVERT_IMAGE_FILE_FORMAT = 4,
    CONVERT_TEXTURE_FILTER = 5,
    CONVERT_BLEND_FACTOR = 6,
    CONVERT_PRIMITIVE_TYPE = 7,
    CONVERT_ELEMENT_TYPE = 8,
    CONVERT_ELEMENT_METHOD = 9,
    CONVERT_ELEMENT_USAGE = 10,
    CONVERT_RENDER_STATE = 11,
    CONVERT_SHADE_MODE = 12,
    CONVERT_CULL_MODE = 13,
    CONVERT_COMPARE_FUNC = 14,
    CONVERT_TEXTURE_POOL = 15,
    CONVERT_RENDER_TARGET = 16,
    CONVERT_MULTISAMPLE = 17,
    CONVERT_LOCK_FLAG = 18,
    CONVERT_STENCIL_OP = 19,
    CONVERT_MAX
};

struct Dx9ConvertPair_t
{
    int m_Engine;
    DWORD m_Native;
};

DWORD ToNative(int converterId, int engineValue);
int FromNative(int converterId, DWORD nativeValue);

// Render-state values by the state's kind: enumerations through their tables, booleans
// as 0/1, reference and mask states unchanged, the colour-write mask limited to its four
// bits, and the point size as the bit pattern of a float (read back unchanged).
DWORD ToNativeRenderStateValue(RenderStateType state, uint32_t value);
uint32_t FromNativeRenderStateValue(RenderStateType state, DWORD nativeValue);

} // namespace Halvex::RenderCore
