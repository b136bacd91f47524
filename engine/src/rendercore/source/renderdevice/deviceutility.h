#pragma once
// Small device-independent helpers shared by the resources and the back ends.

#include "rendercore/source/renderdevice/renderenums.h"

namespace Halvex::RenderCore
{

// Primitives a draw of vertexCount vertices (or indexCount indices, when at least 1)
// makes; 0 with an assertion for an unknown type.
int GetPrimitiveCount(PrimitiveType primType, int vertexCount, int indexCount);

// Bits per pixel; 0 for FMT_UNKNOWN and values outside the enum.
int GetFormatBits(TextureFormat format);

// FMT_DXT1..FMT_DXT5.
bool IsCompressedFormat(TextureFormat format);

} // namespace Halvex::RenderCore
