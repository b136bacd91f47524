#include "rendercore/source/renderdevice/deviceutility.h"

#include "base/source/system/logger.h"

namespace Halvex::RenderCore
{

int GetPrimitiveCount(PrimitiveType primType, int vertexCount, int indexCount)
{
    HX_ASSERT(vertexCount >= 0);
    HX_ASSERT(indexCount >= 0);
    const int n = indexCount >= 1 ? indexCount : vertexCount;
    switch (primType)
    {
    case PT_POINT_LIST:
        return n;
    case PT_LINE_LIST:
        return n / 2;
    case PT_LINE_STRIP:
        return n - 1;
    case PT_TRIANGLE_LIST:
        return n / 3;
    case PT_TRIANGLE_STRIP:
    case PT_TRIANGLE_FAN:
        return n - 2;
    default:
        HX_RAISE("!\"Unknown primitive type\"");
        return 0;
    }
}

int GetFormatBits(TextureFormat format)
{
    switch (format)
    {
    case FMT_R8G8B8:
        return 24;
    case FMT_A8R8G8B8:
    case FMT_X8R8G8B8:
    case FMT_A2B10G10R10:
    case FMT_A8B8G8R8:
    case FMT_A2R10G10B10:
    case FMT_D32:
    case FMT_D24S8:
    case FMT_D24X8:
    case FMT_D32F_LOCKABLE:
    case FMT_G16R16F:
    case FMT_R32F:
        return 32;
    case FMT_R5G6B5:
    case FMT_X1R5G5B5:
    case FMT_A1R5G5B5:
    case FMT_A4R4G4B4:
    case FMT_D16_LOCKABLE:
    case FMT_D16:
    case FMT_R16F:
        return 16;
    case FMT_A8:
    case FMT_L8:
    case FMT_DXT2:
    case FMT_DXT3:
    case FMT_DXT4:
    case FMT_DXT5:
        return 8;
    case FMT_A16B16G16R16:
    case FMT_A16B16G16R16F:
    case FMT_G32R32F:
        return 64;
    case FMT_DXT1:
        return 4;
    case FMT_A32B32G32R32F:
        return 128;
    default:
        return 0;
    }
}

bool IsCompressedFormat(TextureFormat format)
{
    return format >= FMT_DXT1 && format <= FMT_DXT5;
}

} // namespace Halvex::RenderCore
