// The D3DX file loads without a device: 2D, cube and volume textures with sizes, level
// counts, formats, filters and colour keys chosen by the input, the rest being the file.

#include "FuzzInput.h"

#include "base/source/system/logger.h"
#include "d3d9gl/d3dxtextureload.h"

namespace
{
const D3DFORMAT FORMATS[] = {
    D3DFMT_UNKNOWN,       D3DFMT_A8R8G8B8,      D3DFMT_X8R8G8B8, D3DFMT_R5G6B5,
    D3DFMT_A1R5G5B5,      D3DFMT_A4R4G4B4,      D3DFMT_A8,       D3DFMT_L8,
    D3DFMT_DXT1,          D3DFMT_DXT3,          D3DFMT_DXT5,     D3DFMT_R16F,
    D3DFMT_G16R16F,       D3DFMT_A16B16G16R16F, D3DFMT_R32F,     D3DFMT_G32R32F,
    D3DFMT_A32B32G32R32F,
};
const d3d9gl::Image::Kind KINDS[] = {d3d9gl::Image::TEXTURE_2D, d3d9gl::Image::CUBE,
                                     d3d9gl::Image::VOLUME};

// The file's own size (0) or a small one, so that resizing is exercised without huge sizes.
UINT Size(uint8_t byte)
{
    return byte < 128 ? 0 : byte % 70;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t size)
{
    Halvex::Base::SetLogThreshold(Halvex::Base::LOG_LEVEL_MAX);
    FuzzInput input(pData, size);
    d3d9gl::TextureLoadRequest_t request;
    request.kind = KINDS[input.Byte() % 3];
    request.width = Size(input.Byte());
    request.height = Size(input.Byte());
    request.depth = Size(input.Byte());
    request.mipLevels = input.Byte() % 10;
    request.format = FORMATS[input.Byte() % (sizeof(FORMATS) / sizeof(FORMATS[0]))];
    request.filter = input.Byte() & 0x1F;
    request.colorKey = input.Byte() < 128 ? 0 : input.Word();
    d3d9gl::TextureLoad_t load;
    d3d9gl::PrepareTextureLoad("fuzz", input.Rest(), UINT(input.RestSize()), request, load);
    return 0;
}
