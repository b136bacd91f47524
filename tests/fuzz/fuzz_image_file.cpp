// Image files of every kind the loaders take (DDS, PNG, JPG, BMP, TGA, HDR, PNM): decoded,
// then every surface decoded to RGBA floats.

#include "d3d9gl/image/imagefile.h"
#include "d3d9gl/image/surfacecodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t size)
{
    d3d9gl::Image image;
    std::string error;
    if (!d3d9gl::DecodeImageFile(pData, size, image, error))
        return 0;
    std::vector<float> rgba;
    for (const d3d9gl::ImageSurface& surface : image.surfaces)
        d3d9gl::DecodeSurface(image.format, surface, rgba);
    return 0;
}
