#pragma once
// Mip chains of whole images, as D3DXFilterTexture builds them.

#include "d3d9gl/image/image.h"

namespace d3d9gl
{

// Sets the number of levels of every face to levelCount (at most the full chain): levels
// beyond the old count are added zero-filled, levels beyond the new count dropped. False for
// a count of 0 or above the full chain, or an image without surfaces.
bool ResizeMipChain(Image& image, UINT levelCount);

// Recomputes every level below srcLevel, in every face, with the box filter: each level from
// the one above (kept in float, so compressed formats are not re-quantised along the chain).
// False when the format cannot be decoded and encoded again (depth, DXT2, DXT4) or srcLevel
// is not a level of the image.
bool FilterMipChain(Image& image, UINT srcLevel);

} // namespace d3d9gl
