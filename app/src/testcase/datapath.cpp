#include "testcase/datapath.h"

#include "base/source/utility/path.h"

std::string GetDataPath(const std::string& relative)
{
    return Halvex::Base::NormalizePath("../" + relative);
}

std::string GetShaderPath(const std::string& fileName)
{
    return GetDataPath("Shader/hlsl/" + fileName);
}
