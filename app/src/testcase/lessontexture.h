#pragma once
// How lessons read their own texture files: the whole file into memory, then one level of
// a texture of the given type. A file that cannot be read logs one line and leaves the
// texture unloaded, so the lesson keeps running without it.

#include "rendercore/source/renderdevice/renderenums.h"

#include <string>

namespace Halvex::RenderCore
{
class Texture;
}

// relative is resolved by GetDataPath ("Data/_Tex_/Earth_Color.dds").
bool LoadLessonTexture(Halvex::RenderCore::Texture& texture, const std::string& relative,
                       Halvex::RenderCore::TextureType type = Halvex::RenderCore::TEX_2D);
