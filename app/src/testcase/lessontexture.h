#pragma once
// Textures the lessons own beside their models: image files of the data folder and render
// targets. Failures are reported on one diagnostic line; the texture then stays empty and
// the lesson draws without it.

#include "rendercore/source/renderdevice/devicetypes.h"

#include <string>

namespace Halvex::RenderCore
{
class Texture;
} // namespace Halvex::RenderCore

// Reads `relative` (a path under the data folder's parent, "Data/_Tex_/...") as a 2D or cube
// texture whose format and levels the file decides.
bool LoadLessonTexture(Halvex::RenderCore::Texture& texture, const std::string& relative,
                       Halvex::RenderCore::TextureType type = Halvex::RenderCore::TEX_2D);

// A square A8R8G8B8 render target, 2D or cube.
bool CreateLessonTarget(Halvex::RenderCore::Texture& texture, int size, bool cube);
