#include "common/render/shaderfile.h"

#include "base/source/utility/fileloader.h"
#include "rendercore/source/resource/shader.h"

using namespace Halvex;

bool LoadShaderFile(RenderCore::Shader* pShader, const std::string& path, const char* pModule,
                    Base::LogLevel level)
{
    Base::FileLoader loader;
    if (!loader.Load(path) || loader.GetSize() == 0)
    {
        Base::Log(pModule, level, "Can not read the shader \"%s\"\n", path.c_str());
        return false;
    }
    if (!pShader->Load(loader.GetData(), static_cast<int>(loader.GetSize()), 0))
    {
        Base::Log(pModule, level, "Can not build the shader \"%s\"\n", path.c_str());
        return false;
    }
    return true;
}
