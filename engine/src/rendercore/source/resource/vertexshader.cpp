#include "rendercore/source/resource/vertexshader.h"

#include "rendercore/source/renderdevice/renderdevice.h"

namespace Halvex::RenderCore
{

VertexShader::VertexShader() : Shader(RES_TYPE_VERTEX_SHADER, SHADER_VERTEX, __FILE__) {}

VertexShader::~VertexShader()
{
    Unload();
}

bool VertexShader::LoadNative(RenderDevice* pDevice, const void* pCode, int size, uint32_t flags)
{
    return pDevice->LoadVertexShader(this, pCode, size, flags);
}

void VertexShader::UnloadNative(RenderDevice* pDevice)
{
    pDevice->UnloadVertexShader(this);
}

} // namespace Halvex::RenderCore
