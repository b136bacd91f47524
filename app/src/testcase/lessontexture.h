#pragma once
// A lesson texture read from a data file.

#include <memory>
#include <string>

namespace Halvex::RenderCore
{
class Texture;
}

// The one-level 2D texture of the data file `relativePath` (through GetDataPath), or null
// with one diagnostic line when the file can not be read or decoded; lessons then draw
// with no texture bound.
std::unique_ptr<Halvex::RenderCore::Texture> LoadLessonTexture(const std::string& relativePath);
