#pragma once

#include "rendercore/source/resource/shader.h"

namespace Halvex::RenderCore
{

class VertexShader : public Shader
{
public:
    VertexShader();
    ~VertexShader() override;

protected:
    bool LoadNative(RenderDevice* pDevice, const void* pCode, int size, uint32_t flags) override;
    void UnloadNative(RenderDevice* pDevice) override;
};

} // namespace Halvex::RenderCore
