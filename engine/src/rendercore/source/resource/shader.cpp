#include "rendercore/source/resource/shader.h"

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/renderdevice.h"

namespace Halvex::RenderCore
{

Shader::Shader(ResourceType type, ShaderType shaderType, const char* sourceFile)
    : Resource(type), m_ShaderType(shaderType), m_SourceFile(sourceFile)
{
}

bool Shader::Load(const void* pCode, int size, uint32_t flags)
{
    if (IsLoaded())
    {
        // Both shader kinds report the same text.
        Base::Assert("!\"Pixel Shader has been Loaded\"", m_SourceFile, __LINE__);
        return false;
    }
    if (!pCode || size <= 0)
    {
        Base::Assert("!\"Param Error\"", m_SourceFile, __LINE__);
        return false;
    }
    RenderDevice* pDevice = GetRenderDevice();
    if (!pDevice)
    {
        Base::Assert("pDevice", m_SourceFile, __LINE__);
        return false;
    }
    if (LoadNative(pDevice, pCode, size, flags))
    {
        m_CodeSize = size;
    }
    return IsLoaded();
}

void Shader::Unload()
{
    if (!IsLoaded())
    {
        return;
    }
    if (RenderDevice* pDevice = GetRenderDevice())
    {
        UnloadNative(pDevice);
    }
    m_CodeSize = 0;
    m_pConstantTable = nullptr;
    SetPool(POOL_DEFAULT);
    SetUserData(nullptr);
}

} // namespace Halvex::RenderCore
