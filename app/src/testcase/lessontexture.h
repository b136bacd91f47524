#pragma once
// The one-level textures the lessons read from the data folder.

#include <string>

namespace Halvex::RenderCore
{
class Texture;
}

// Reads the data file `relative` (for example "Data/_Tex_/snow.dds") into `texture` with its
// top level only. A file that can not be read or decoded leaves the texture unloaded and
// logs one line; the lesson then draws with no texture bound.
bool LoadLessonTexture(Halvex::RenderCore::Texture& texture, const std::string& relative);

// What to bind for a texture that may have failed to load: null rather than an empty object.
Halvex::RenderCore::Texture* BoundTexture(Halvex::RenderCore::Texture& texture);
