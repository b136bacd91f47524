#include "d3d9gl/image/imageclaims.h"

#include <cstring>

namespace d3d9gl
{
namespace
{

uint32_t ReadLittle(const uint8_t* p, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

bool StartsWith(const uint8_t* pData, size_t size, const char* pMagic)
{
    const size_t length = std::strlen(pMagic);
    return size >= length && std::memcmp(pData, pMagic, length) == 0;
}

// Skips whitespace and '#' comments of a PNM header from `at`.
size_t SkipPnmSpace(const uint8_t* pData, size_t size, size_t at)
{
    while (at < size)
    {
        if (pData[at] == '#')
        {
            while (at < size && pData[at] != '\n')
                ++at;
        }
        else if (pData[at] == ' ' || (pData[at] >= '\t' && pData[at] <= '\r'))
            ++at;
        else
            break;
    }
    return at;
}

// The third number of a PNM header (after width and height): the largest sample value.
uint64_t PnmMaxValue(const uint8_t* pData, size_t size)
{
    size_t at = 2;
    uint64_t value = 0;
    for (int field = 0; field < 3; ++field)
    {
        at = SkipPnmSpace(pData, size, at);
        value = 0;
        while (at < size && pData[at] >= '0' && pData[at] <= '9' && value < 0xFFFFFFFFu)
            value = value * 10 + (pData[at++] - '0');
    }
    return value;
}

// The fewest file bytes that can hold width x height texels, or 0 when the kind of file
// is not one whose pixel data is checked here.
uint64_t MinimumFileBytes(const uint8_t* pData, size_t size, uint64_t texels, uint64_t width)
{
    if (StartsWith(pData, size, "BM") && size >= 34)
    {
        const uint32_t headerSize = ReadLittle(pData + 14, 4);
        const uint32_t bits = ReadLittle(pData + (headerSize == 12 ? 24 : 28), 2);
        const uint32_t compression = headerSize == 12 ? 0 : ReadLittle(pData + 30, 4);
        // BI_RGB and BI_BITFIELDS rows are padded to 4 bytes; RLE packs 255 texels in 2 bytes.
        if (compression == 0 || compression == 3)
            return (width * bits + 31) / 32 * 4 * (texels / width);
        return texels / 128;
    }
    if (StartsWith(pData, size, "P5") || StartsWith(pData, size, "P6"))
        return texels * (pData[1] == '5' ? 1 : 3);
    if (StartsWith(pData, size, "#?"))
        return texels / 16; // a run of up to 127 bytes in 2 bytes, per channel
    if (size >= 18 && (pData[2] == 1 || pData[2] == 2 || pData[2] == 3))
        return texels * ((pData[16] + 7u) / 8u); // uncompressed TGA
    if (size >= 18 && (pData[2] == 9 || pData[2] == 10 || pData[2] == 11))
        return texels / 128; // run-length TGA: up to 128 texels in one packet
    return 0;
}

} // namespace

bool CheckImageClaims(const uint8_t* pData, size_t size, uint32_t width, uint32_t height,
                      uint32_t bytesPerTexel, std::string& error)
{
    const std::string claim = std::to_string(width) + "x" + std::to_string(height);
    if ((StartsWith(pData, size, "P5") || StartsWith(pData, size, "P6")) &&
        PnmMaxValue(pData, size) > 255)
    {
        error = "PNM files with 16-bit samples are not supported";
        return false;
    }
    const uint64_t texels = uint64_t(width) * height;
    if (texels == 0)
    {
        error = "image size " + claim + " is empty";
        return false;
    }
    if (MinimumFileBytes(pData, size, texels, width) > size)
    {
        error = "image size " + claim + " needs more pixel data than the " + std::to_string(size) +
                " bytes of the file hold";
        return false;
    }
    if (texels * bytesPerTexel > MAX_DECODED_IMAGE_BYTES)
    {
        error = "image size " + claim + " would decode to more than " +
                std::to_string(MAX_DECODED_IMAGE_BYTES >> 20) + " MiB";
        return false;
    }
    return true;
}

} // namespace d3d9gl
