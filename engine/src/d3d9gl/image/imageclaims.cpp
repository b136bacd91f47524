#include "d3d9gl/image/imageclaims.h"

#include <cctype>
#include <cstring>

namespace d3d9gl
{
namespace
{

// The largest ratio of decoded to compressed bytes deflate reaches: a 258-byte match in
// two one-bit codes.
constexpr uint64_t DEFLATE_MAX_RATIO = 1032;

constexpr uint8_t PNG_SIGNATURE[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

uint32_t ReadLittle(const uint8_t* p, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

uint32_t ReadBig(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

bool StartsWith(const uint8_t* pData, size_t size, const char* pMagic)
{
    const size_t length = std::strlen(pMagic);
    return size >= length && std::memcmp(pData, pMagic, length) == 0;
}

bool IsPng(const uint8_t* pData, size_t size)
{
    return size >= 33 && std::memcmp(pData, PNG_SIGNATURE, sizeof(PNG_SIGNATURE)) == 0;
}

// False, with the reason, when a PNG chunk declares more bytes than the file has left: the
// decoder sizes its buffer from the declared length before it reads the chunk.
bool CheckPngChunks(const uint8_t* pData, size_t size, std::string& error)
{
    size_t at = sizeof(PNG_SIGNATURE);
    while (size - at >= 8)
    {
        const uint32_t length = ReadBig(pData + at);
        std::string type(reinterpret_cast<const char*>(pData + at + 4), 4);
        for (char& c : type)
            c = std::isalpha(static_cast<unsigned char>(c)) ? c : '?';
        const size_t left = size - at - 8;
        if (uint64_t(length) + 4 > left)
        {
            error = "PNG chunk " + type + " declares " + std::to_string(length) +
                    " bytes (and a 4-byte checksum) but the file has " + std::to_string(left) +
                    " left";
            return false;
        }
        if (type == "IEND")
            break;
        at += 12 + size_t(length);
    }
    return true;
}

// Bytes of filtered rows a PNG's image data inflates to (without interlacing, which only adds).
uint64_t PngRowBytes(const uint8_t* pData, uint64_t width, uint64_t height)
{
    static constexpr uint32_t CHANNELS[] = {1, 0, 3, 1, 2, 0, 4}; // by colour type
    const uint32_t depth = pData[24];
    const uint32_t channels = pData[25] < 7 ? CHANNELS[pData[25]] : 0;
    return height * (1 + (width * channels * depth + 7) / 8);
}

// The fewest bytes a compressed file of width x height texels takes: a PNG's rows inflate
// by at most deflate's ratio; a JPEG codes at least one bit for each 8 x 8 block.
uint64_t MinimumCompressedBytes(const uint8_t* pData, size_t size, uint64_t width, uint64_t height)
{
    if (IsPng(pData, size))
        return PngRowBytes(pData, width, height) / DEFLATE_MAX_RATIO;
    if (size >= 2 && pData[0] == 0xFF && pData[1] == 0xD8)
        return (width + 7) / 8 * ((height + 7) / 8) / 8;
    return 0;
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
    if (StartsWith(pData, size, "GIF8") || StartsWith(pData, size, "8BPS") ||
        StartsWith(pData, size, "\x53\x80\xF6\x34"))
    {
        error = "GIF, PSD and PIC files are not read";
        return false;
    }
    if (IsPng(pData, size) && !CheckPngChunks(pData, size, error))
        return false;
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
    const uint64_t compressed = MinimumCompressedBytes(pData, size, width, height);
    if (compressed > size)
    {
        error = "image size " + claim + " needs at least " + std::to_string(compressed) +
                " bytes of compressed data, more than the " + std::to_string(size) +
                " bytes of the file";
        return false;
    }
    return true;
}

} // namespace d3d9gl
