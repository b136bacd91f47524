#pragma once
// Every model file the lessons load, by its path inside the data folder.

#include "binmodel.h"

#include <string>
#include <vector>

namespace Halvex::Bake
{

struct NamedModel
{
    std::string path;
    BinModel model;
};

std::vector<NamedModel> BuildModels();

} // namespace Halvex::Bake
