// Image files of every kind the loaders take (DDS, PNG, JPG, BMP, TGA, HDR, PNM): decoded,
// then every surface decoded to RGBA floats.

#include "d3d9gl/image/imagefile.h"
#include "d3d9gl/image/surfacecodec.h"

namespace
{
// The float copy is the harness's own: past 16 M texels it would pass the 512 MiB malloc
// limit of fuzz.sh, so larger surfaces are checked by their decode alone.
constexpr size_t MAX_FLOAT_TEXELS = size_t(16) << 20;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t size)
{
    d3d9gl::Image image;
    std::string error;
    if (!d3d9gl::DecodeImageFile(pData, size, image, error))
        return 0;
    std::vector<float> rgba;
    for (const d3d9gl::ImageSurface& surface : image.surfaces)
    {
        if (size_t(surface.width) * surface.height * surface.depth <= MAX_FLOAT_TEXELS)
            d3d9gl::DecodeSurface(image.format, surface, rgba);
    }
    return 0;
}
