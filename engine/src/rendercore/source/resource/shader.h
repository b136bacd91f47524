#pragma once
// Common part of the vertex and pixel shader: compiled code handed to the device, the
// native shader as user data and its constant table.

#include "rendercore/source/resource/resource.h"

namespace Halvex::RenderCore
{

class RenderDevice;

class Shader : public Resource
{
public:
    // Loads once; a second load is refused until Unload. The code size is kept.
    bool Load(const void* pCode, int size, uint32_t flags);
    // Releases the native shader; shaders have no lock.
    void Unload();

    ShaderType GetShaderType() const { return m_ShaderType; }
    void* GetConstantTable() const { return m_pConstantTable; }
    void SetConstantTable(void* pTable) { m_pConstantTable = pTable; }
    int GetCodeSize() const { return m_CodeSize; }

    uint64_t GetSize() const override { return static_cast<uint64_t>(m_CodeSize); }
    bool IsLoaded() const override { return GetUserData() != nullptr; }

protected:
    // sourceFile is the concrete class's __FILE__, so assertions name that class.
    Shader(ResourceType type, ShaderType shaderType, const char* sourceFile);

    virtual bool LoadNative(RenderDevice* pDevice, const void* pCode, int size, uint32_t flags) = 0;
    virtual void UnloadNative(RenderDevice* pDevice) = 0;

private:
    ShaderType m_ShaderType;
    void* m_pConstantTable = nullptr;
    int m_CodeSize = 0;
    const char* m_SourceFile;
};

} // namespace Halvex::RenderCore
