#pragma once
// One PNG that shows every baked texture's top level, cube maps unfolded as a cross, each
// with its file name, so the data can be reviewed without running the program.

#include "fontface.h"

#include <string>
#include <vector>

namespace Halvex::Bake
{

struct SheetEntry
{
    std::string label;
    const std::vector<uint8_t>* pDds; // the DDS file as written
};

bool BuildContactSheet(const std::vector<SheetEntry>& entries, const FontFace& font,
                       std::vector<uint8_t>& png, std::string& error);

} // namespace Halvex::Bake
