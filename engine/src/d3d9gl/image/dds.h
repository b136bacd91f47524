#pragma once
// DDS files with the legacy 124-byte header: 2D textures, cube maps with all six faces and
// volume textures, with full or partial mip chains.

#include "d3d9gl/image/image.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace d3d9gl
{

// Largest width or height accepted from a file, and largest volume depth.
constexpr UINT DDS_MAX_DIMENSION = 16384;
constexpr UINT DDS_MAX_DEPTH = 2048;

// Reads a whole DDS file from memory. On failure out is left empty and error says why in one
// line; nothing is allocated beyond what the data can fill.
bool ParseDds(const void* pData, size_t size, Image& out, std::string& error);

// True when the data starts with the DDS magic number.
bool IsDds(const void* pData, size_t size);

// Writes image as a DDS file. Fails (with error) for formats a DDS header cannot name and for
// images whose surfaces do not match their format, kind and level count.
bool WriteDds(const Image& image, std::vector<uint8_t>& out, std::string& error);

} // namespace d3d9gl
