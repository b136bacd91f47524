#include "d3d9gl/image/imagefile.h"

#include "d3d9gl/image/dds.h"
#include "d3d9gl/image/imageclaims.h"
#include "d3d9gl/image/pixelformat.h"
#include "d3d9gl/image/surfacecodec.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>

namespace d3d9gl
{
namespace
{

constexpr int JPG_QUALITY = 90;

// Decoded bytes per byte of file that no image file stb reads can exceed (a one-bit PNG of one
// colour comes closest, at about 33000); a file that claims more is damaged or hostile.
constexpr uint64_t MAX_EXPANSION = 65536;

std::string FailureReason()
{
    const char* pReason = stbi_failure_reason();
    return pReason ? pReason : "unknown reason";
}

// Reads the size and kind from the file's header and checks them before anything is decoded.
bool CheckStbImageSize(const stbi_uc* pBytes, size_t size, int& width, int& height, bool& hdr,
                       std::string& error)
{
    int channels = 0;
    if (!stbi_info_from_memory(pBytes, int(size), &width, &height, &channels))
    {
        error = "image file could not be read: " + FailureReason();
        return false;
    }
    if (width <= 0 || height <= 0 || UINT(width) > DDS_MAX_DIMENSION ||
        UINT(height) > DDS_MAX_DIMENSION)
    {
        error = "image size " + std::to_string(width) + "x" + std::to_string(height) +
                " is outside 1 to " + std::to_string(DDS_MAX_DIMENSION);
        return false;
    }
    if (uint64_t(width) * uint64_t(height) * 4 > uint64_t(size) * MAX_EXPANSION)
    {
        error = "image size " + std::to_string(width) + "x" + std::to_string(height) +
                " is more than a file of " + std::to_string(size) + " bytes can hold";
        return false;
    }
    hdr = stbi_is_hdr_from_memory(pBytes, int(size));
    return CheckImageClaims(pBytes, size, UINT(width), UINT(height), hdr ? 16 : 4, error);
}

// HDR files decode to A32B32G32R32F, the rest to A8R8G8B8.
bool DecodeStbTexels(const stbi_uc* pBytes, int length, bool hdr, Image& image, std::string& error)
{
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<void, void (*)(void*)> pTexels(
        hdr ? static_cast<void*>(
                  stbi_loadf_from_memory(pBytes, length, &width, &height, &channels, 4))
            : static_cast<void*>(
                  stbi_load_from_memory(pBytes, length, &width, &height, &channels, 4)),
        stbi_image_free);
    if (!pTexels)
    {
        error = "image file could not be decoded: " + FailureReason();
        return false;
    }
    image.format = hdr ? D3DFMT_A32B32G32R32F : D3DFMT_A8R8G8B8;
    ImageSurface& surface = image.surfaces[0];
    MakeSurface(image.format, UINT(width), UINT(height), 1, surface);
    std::memcpy(surface.bytes.data(), pTexels.get(), surface.bytes.size());
    // stb gives R, G, B, A bytes; A8R8G8B8 texels are B, G, R, A in memory.
    for (size_t i = 0; !hdr && i < surface.bytes.size(); i += 4)
    {
        std::swap(surface.bytes[i], surface.bytes[i + 2]);
    }
    return true;
}

bool DecodeStbImage(const void* pData, size_t size, Image& out, std::string& error)
{
    if (size > size_t(INT_MAX))
    {
        error = "image file of " + std::to_string(size) + " bytes is too large";
        return false;
    }
    const stbi_uc* pBytes = static_cast<const stbi_uc*>(pData);
    int width = 0, height = 0;
    bool hdr = false;
    if (!CheckStbImageSize(pBytes, size, width, height, hdr, error))
        return false;

    Image image;
    image.kind = Image::TEXTURE_2D;
    image.levelCount = 1;
    image.surfaces.resize(1);
    if (!DecodeStbTexels(pBytes, int(size), hdr, image, error))
        return false;
    out = std::move(image);
    return true;
}

void AppendBytes(void* pContext, void* pData, int size)
{
    auto* pOut = static_cast<std::vector<uint8_t>*>(pContext);
    const uint8_t* pBytes = static_cast<const uint8_t*>(pData);
    pOut->insert(pOut->end(), pBytes, pBytes + size);
}

std::vector<uint8_t> ToBytes(const std::vector<float>& rgba, int channels)
{
    std::vector<uint8_t> bytes(rgba.size() / 4 * size_t(channels));
    for (size_t texel = 0; texel < rgba.size() / 4; ++texel)
    {
        for (int c = 0; c < channels; ++c)
        {
            float value = rgba[texel * 4 + size_t(c)];
            value = std::isnan(value) ? 0.0f : std::fmin(std::fmax(value, 0.0f), 1.0f);
            bytes[texel * size_t(channels) + size_t(c)] = uint8_t(std::lround(value * 255.0f));
        }
    }
    return bytes;
}

void WritePpm(const std::vector<uint8_t>& rgb, UINT width, UINT height, std::vector<uint8_t>& out)
{
    const std::string header =
        "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    out.assign(header.begin(), header.end());
    out.insert(out.end(), rgb.begin(), rgb.end());
}

// Writes the texels in one of the formats stb writes (and PPM); 0 when the writer fails.
int WriteStbFile(ImageFileFormat fileFormat, const std::vector<float>& rgba, int width, int height,
                 bool alpha, std::vector<uint8_t>& out)
{
    if (fileFormat == IMAGE_FILE_HDR)
    {
        std::vector<float> rgb(rgba.size() / 4 * 3);
        for (size_t texel = 0; texel < rgba.size() / 4; ++texel)
            std::memcpy(&rgb[texel * 3], &rgba[texel * 4], 3 * sizeof(float));
        return stbi_write_hdr_to_func(AppendBytes, &out, width, height, 3, rgb.data());
    }
    const bool keepAlpha = alpha && (fileFormat == IMAGE_FILE_BMP || fileFormat == IMAGE_FILE_DIB ||
                                     fileFormat == IMAGE_FILE_TGA || fileFormat == IMAGE_FILE_PNG);
    const int channels = keepAlpha ? 4 : 3;
    const std::vector<uint8_t> bytes = ToBytes(rgba, channels);
    switch (fileFormat)
    {
    case IMAGE_FILE_BMP:
    case IMAGE_FILE_DIB:
        return stbi_write_bmp_to_func(AppendBytes, &out, width, height, channels, bytes.data());
    case IMAGE_FILE_TGA:
        return stbi_write_tga_to_func(AppendBytes, &out, width, height, channels, bytes.data());
    case IMAGE_FILE_PNG:
        return stbi_write_png_to_func(AppendBytes, &out, width, height, channels, bytes.data(),
                                      width * channels);
    case IMAGE_FILE_JPG:
        return stbi_write_jpg_to_func(AppendBytes, &out, width, height, channels, bytes.data(),
                                      JPG_QUALITY);
    default: // IMAGE_FILE_PPM, the one format left
        WritePpm(bytes, UINT(width), UINT(height), out);
        return 1;
    }
}

} // namespace

bool DecodeImageFile(const void* pData, size_t size, Image& out, std::string& error)
{
    out = Image();
    if (!pData || size == 0)
    {
        error = "image file is empty";
        return false;
    }
    if (IsDds(pData, size))
        return ParseDds(pData, size, out, error);
    return DecodeStbImage(pData, size, out, error);
}

bool EncodeImageFile(ImageFileFormat fileFormat, const ImageSurface& surface, D3DFORMAT format,
                     std::vector<uint8_t>& out, std::string& error)
{
    out.clear();
    if (fileFormat == IMAGE_FILE_DDS)
    {
        Image image;
        image.format = format;
        image.kind = surface.depth > 1 ? Image::VOLUME : Image::TEXTURE_2D;
        image.levelCount = 1;
        image.surfaces.push_back(surface);
        return WriteDds(image, out, error);
    }
    if (fileFormat >= IMAGE_FILE_MAX || fileFormat == IMAGE_FILE_PFM)
    {
        error = "image file format " + std::to_string(fileFormat) + " cannot be written";
        return false;
    }
    if (surface.depth != 1)
    {
        error = "only DDS files can hold a volume surface";
        return false;
    }
    std::vector<float> rgba;
    if (!DecodeSurface(format, surface, rgba))
    {
        error = "surface of format " + std::to_string(format) + " and size " +
                std::to_string(surface.width) + "x" + std::to_string(surface.height) +
                " cannot be read for saving";
        return false;
    }

    const int width = int(surface.width);
    const int height = int(surface.height);
    const int written =
        WriteStbFile(fileFormat, rgba, width, height, GetFormatInfo(format)->alpha, out);
    if (!written)
    {
        out.clear();
        error = "image file writer failed for a " + std::to_string(width) + "x" +
                std::to_string(height) + " surface";
        return false;
    }
    return true;
}

} // namespace d3d9gl
