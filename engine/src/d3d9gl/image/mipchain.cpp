#include "d3d9gl/image/mipchain.h"

#include "d3d9gl/image/pixelformat.h"
#include "d3d9gl/image/resample.h"
#include "d3d9gl/image/surfacecodec.h"

#include <algorithm>
#include <utility>

namespace d3d9gl
{

bool ResizeMipChain(Image& image, UINT levelCount)
{
    if (!GetFormatInfo(image.format) || image.levelCount == 0 ||
        image.surfaces.size() != size_t(image.FaceCount()) * image.levelCount)
        return false;
    const ImageSurface& top = image.surfaces[0];
    if (levelCount == 0 || levelCount > LevelCount(top.width, top.height, top.depth))
        return false;

    std::vector<ImageSurface> surfaces(size_t(image.FaceCount()) * levelCount);
    for (UINT face = 0; face < image.FaceCount(); ++face)
    {
        for (UINT level = 0; level < levelCount; ++level)
        {
            ImageSurface& target = surfaces[size_t(face) * levelCount + level];
            if (level < image.levelCount)
                target = std::move(image.Surface(face, level));
            else
                MakeSurface(image.format, GetLevelDimension(top.width, level),
                            GetLevelDimension(top.height, level),
                            GetLevelDimension(top.depth, level), target);
        }
    }
    image.surfaces = std::move(surfaces);
    image.levelCount = levelCount;
    return true;
}

bool FilterMipChain(Image& image, UINT srcLevel)
{
    if (srcLevel >= image.levelCount ||
        image.surfaces.size() != size_t(image.FaceCount()) * image.levelCount)
        return false;
    for (UINT face = 0; face < image.FaceCount(); ++face)
    {
        const ImageSurface& source = image.Surface(face, srcLevel);
        std::vector<float> above;
        if (!DecodeSurface(image.format, source, above))
            return false;
        UINT width = source.width, height = source.height, depth = source.depth;
        for (UINT level = srcLevel + 1; level < image.levelCount; ++level)
        {
            std::vector<float> below;
            BoxFilterDown(above.data(), width, height, depth, below);
            width = std::max(1u, width / 2);
            height = std::max(1u, height / 2);
            depth = std::max(1u, depth / 2);
            if (!EncodeSurface(image.format, below.data(), width, height,
                               image.Surface(face, level), depth))
                return false;
            above.swap(below);
        }
    }
    return true;
}

} // namespace d3d9gl
