#pragma once
// Image files in memory: DDS, and BMP, JPG, TGA, PNG, HDR and PPM through stb_image; saving
// surfaces to BMP, JPG, TGA, PNG, HDR, PPM and DDS.

#include "d3d9gl/d3d9types.h"
#include "d3d9gl/image/image.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace d3d9gl
{

// Numerically equal to D3DXIMAGE_FILEFORMAT.
enum ImageFileFormat : DWORD
{
    IMAGE_FILE_BMP = 0,
    IMAGE_FILE_JPG = 1,
    IMAGE_FILE_TGA = 2,
    IMAGE_FILE_PNG = 3,
    IMAGE_FILE_DDS = 4,
    IMAGE_FILE_PPM = 5,
    IMAGE_FILE_DIB = 6,
    IMAGE_FILE_HDR = 7,
    IMAGE_FILE_PFM = 8,
    IMAGE_FILE_MAX
};

// A DDS file keeps its own format and layout; any other image becomes one A8R8G8B8 level
// (A32B32G32R32F for HDR). On failure error holds one line saying why.
bool DecodeImageFile(const void* pData, size_t size, Image& out, std::string& error);

// Writes one surface of the given format as a file. DDS keeps the format; the others are
// written as 8-bit RGB(A) (HDR as float RGB). DIB is written as BMP; PFM is not supported.
bool EncodeImageFile(ImageFileFormat fileFormat, const ImageSurface& surface, D3DFORMAT format,
                     std::vector<uint8_t>& out, std::string& error);

} // namespace d3d9gl
