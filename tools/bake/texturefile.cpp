#include "texturefile.h"

#include "d3d9gl/image/dds.h"
#include "d3d9gl/image/imagefile.h"
#include "d3d9gl/image/pixelformat.h"
#include "d3d9gl/image/resample.h"
#include "d3d9gl/image/surfacecodec.h"

namespace Halvex::Bake
{

bool EncodeDdsTexture(const std::vector<const Canvas*>& faces, D3DFORMAT format, bool mipmaps,
                      std::vector<uint8_t>& out, std::string& error)
{
    if (faces.size() != 1 && faces.size() != 6)
    {
        error = "a texture has one picture, a cube map six";
        return false;
    }
    const UINT width = static_cast<UINT>(faces[0]->Width());
    const UINT height = static_cast<UINT>(faces[0]->Height());
    d3d9gl::Image image;
    image.format = format;
    image.kind = faces.size() == 6 ? d3d9gl::Image::CUBE : d3d9gl::Image::TEXTURE_2D;
    image.levelCount = mipmaps ? d3d9gl::LevelCount(width, height) : 1;
    image.surfaces.resize(faces.size() * image.levelCount);
    for (UINT face = 0; face < faces.size(); ++face)
    {
        if (static_cast<UINT>(faces[face]->Width()) != width ||
            static_cast<UINT>(faces[face]->Height()) != height)
        {
            error = "cube faces differ in size";
            return false;
        }
        std::vector<float> level = faces[face]->Texels();
        std::vector<float> next;
        for (UINT index = 0; index < image.levelCount; ++index)
        {
            const UINT w = d3d9gl::GetLevelDimension(width, index);
            const UINT h = d3d9gl::GetLevelDimension(height, index);
            if (!d3d9gl::EncodeSurface(format, level.data(), w, h, image.Surface(face, index)))
            {
                error = "cannot encode the texture's format";
                return false;
            }
            if (index + 1 < image.levelCount)
            {
                // From the painting's float texels, not from the compressed level above.
                d3d9gl::BoxFilterDown(level.data(), w, h, 1, next);
                level.swap(next);
            }
        }
    }
    return d3d9gl::WriteDds(image, out, error);
}

bool EncodePng(const Canvas& picture, std::vector<uint8_t>& out, std::string& error)
{
    d3d9gl::ImageSurface surface;
    if (!d3d9gl::EncodeSurface(D3DFMT_A8R8G8B8, picture.Texels().data(),
                               static_cast<UINT>(picture.Width()),
                               static_cast<UINT>(picture.Height()), surface))
    {
        error = "cannot encode the picture";
        return false;
    }
    return d3d9gl::EncodeImageFile(d3d9gl::IMAGE_FILE_PNG, surface, D3DFMT_A8R8G8B8, out, error);
}

} // namespace Halvex::Bake
