#include "rendercore/source/resource/pixelshader.h"

#include "rendercore/source/renderdevice/renderdevice.h"

namespace Halvex::RenderCore
{

PixelShader::PixelShader() : Shader(RES_TYPE_PIXEL_SHADER, SHADER_PIXEL, __FILE__) {}

PixelShader::~PixelShader()
{
    Unload();
}

bool PixelShader::LoadNative(RenderDevice* pDevice, const void* pCode, int size, uint32_t flags)
{
    return pDevice->LoadPixelShader(this, pCode, size, flags);
}

void PixelShader::UnloadNative(RenderDevice* pDevice)
{
    pDevice->UnloadPixelShader(this);
}

} // namespace Halvex::RenderCore
