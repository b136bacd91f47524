#pragma once
// Builds a vertex or pixel shader from a compiled shader file (".wvu" or ".wpu").

#include "base/source/system/logger.h"

#include <memory>
#include <string>

namespace Halvex::RenderCore
{
class Shader;
}

// Reads the file at `path` whole and loads its code into `pShader`. False when the file can
// not be read or the code does not build; either failure is logged once by `pModule` at
// `level`, naming the file.
bool LoadShaderFile(Halvex::RenderCore::Shader* pShader, const std::string& path,
                    const char* pModule, Halvex::Base::LogLevel level);

// A new shader of the given class from the file, or null (after the log line) on failure.
template <typename ShaderClass>
std::unique_ptr<ShaderClass> LoadShaderFile(const std::string& path, const char* pModule,
                                            Halvex::Base::LogLevel level)
{
    auto pShader = std::make_unique<ShaderClass>();
    if (!LoadShaderFile(pShader.get(), path, pModule, level))
    {
        return nullptr;
    }
    return pShader;
}
