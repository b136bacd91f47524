#pragma once
// Encoding painted pictures as DDS and PNG files through d3d9gl's image code.

#include "canvas.h"

#include "d3d9gl/d3d9types.h"

#include <string>
#include <vector>

namespace Halvex::Bake
{

// One picture for a 2D texture, six (+X, -X, +Y, -Y, +Z, -Z) for a cube map. With mipmaps
// every level down to 1 x 1 is the box-filtered level above it.
bool EncodeDdsTexture(const std::vector<const Canvas*>& faces, D3DFORMAT format, bool mipmaps,
                      std::vector<uint8_t>& out, std::string& error);

// The picture as an 8-bit RGBA PNG file.
bool EncodePng(const Canvas& picture, std::vector<uint8_t>& out, std::string& error);

} // namespace Halvex::Bake
