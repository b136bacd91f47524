#pragma once
// Texel decoding to and encoding from RGBA floats: the common ground of format conversion.
// Float buffers hold 4 floats (R, G, B, A) per texel, row 0 first, slice after slice.
// Channels a format lacks read as Direct3D 9 samples them: colour 1 (G16R16, R16F, R32F, ...)
// or 0 (A8), alpha 1.

#include "d3d9gl/d3d9types.h"
#include "d3d9gl/image/image.h"

#include <vector>

namespace d3d9gl
{

// False for depth, unknown or unsupported formats and for a surface whose bytes are shorter
// than its pitches need.
bool DecodeSurface(D3DFORMAT format, const ImageSurface& surface, std::vector<float>& rgba);

// Builds a tightly packed surface of width x height x depth texels from pRgba. Normalised
// formats clamp to [0, 1] and round to nearest. DXT1 keeps 1-bit alpha (alpha < 0.5 is
// transparent); DXT2/DXT4 are not encoded. False for formats it cannot encode.
bool EncodeSurface(D3DFORMAT format, const float* pRgba, UINT width, UINT height, ImageSurface& out,
                   UINT depth = 1);

// A normalised channel of `width` bits at `shift`: clamped to [0, 1] (NaN reads as 0),
// rounded to nearest.
uint32_t PackUnorm(float value, uint32_t shift, uint32_t width);

// Decodes and re-encodes into another format, same size.
bool ConvertSurface(D3DFORMAT srcFormat, const ImageSurface& src, D3DFORMAT dstFormat,
                    ImageSurface& out);

// Converts every surface of an image; the image is unchanged when any surface fails.
bool ConvertImage(Image& image, D3DFORMAT format);

} // namespace d3d9gl
