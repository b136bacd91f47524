#pragma once

#include "rendercore/source/resource/shader.h"

namespace Halvex::RenderCore
{

class PixelShader : public Shader
{
public:
    PixelShader();
    ~PixelShader() override;

protected:
    bool LoadNative(RenderDevice* pDevice, const void* pCode, int size, uint32_t flags) override;
    void UnloadNative(RenderDevice* pDevice) override;
};

} // namespace Halvex::RenderCore
