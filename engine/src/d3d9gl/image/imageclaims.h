#pragma once
// Checks of what an image file's header claims, made before the decoder runs: a decoder
// zero-fills pixel data that a file lacks, so a few kilobytes could otherwise claim
// gigabytes of texels.

#include <cstddef>
#include <cstdint>
#include <string>

namespace d3d9gl
{

// Decoded bytes one image may take (RGBA8 of 8192 x 8192, float RGBA of 4096 x 4096).
constexpr uint64_t MAX_DECODED_IMAGE_BYTES = uint64_t(256) << 20;

// False, with the reason, when a BMP, TGA, PNM or HDR file of `size` bytes is too short for
// the width x height its header gives (uncompressed pixel data must be there in full;
// run-length data can shrink it by at most its best ratio), when a PNM has 16-bit samples
// (which the decoder cannot read safely), when the decoded image of `bytesPerTexel` would
// pass MAX_DECODED_IMAGE_BYTES, when a PNG or JPEG is shorter than the least compressed data
// its size needs, when a PNG chunk declares more bytes than the file has left, or when the
// file is a GIF, PSD or PIC (kinds the loaders do not take).
bool CheckImageClaims(const uint8_t* pData, size_t size, uint32_t width, uint32_t height,
                      uint32_t bytesPerTexel, std::string& error);

} // namespace d3d9gl
