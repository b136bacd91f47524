#pragma once
// DXT (BC1-BC3) 4x4 block codecs. Texels are RGBA bytes, row-major within the block.

#include <cstdint>

namespace d3d9gl
{

// 8-byte colour block. In a DXT1 block whose first colour is not above the second, index 3
// is transparent black; DXT2-DXT5 blocks always use four colours (pass dxt1 = false).
void DecodeDxtColorBlock(const uint8_t* pBlock, bool dxt1, uint8_t* pTexels);

// 8-byte DXT5 interpolated alpha block; writes the A byte of each of the 16 texels.
void DecodeDxtAlphaBlock(const uint8_t* pBlock, uint8_t* pTexels);

// 8-byte DXT3 explicit 4-bit alpha block; writes the A byte of each texel.
void DecodeDxtExplicitAlphaBlock(const uint8_t* pBlock, uint8_t* pTexels);

// Colour block in four-colour mode (DXT1 opaque, and the colour half of DXT3/DXT5).
void EncodeDxtColorBlock(const uint8_t* pTexels, uint8_t* pBlock);

// DXT1 block with 1-bit alpha: texels with alpha below 128 use the transparent index.
void EncodeDxt1Block(const uint8_t* pTexels, uint8_t* pBlock);

// 16-byte DXT3 block (explicit alpha, then colour).
void EncodeDxt3Block(const uint8_t* pTexels, uint8_t* pBlock);

// 16-byte DXT5 block (interpolated alpha, then colour).
void EncodeDxt5Block(const uint8_t* pTexels, uint8_t* pBlock);

} // namespace d3d9gl
