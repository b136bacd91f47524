#pragma once
// Vertex and pixel shaders: the file's GLSL body, compiled per SHADE variant on demand.

#include "d3d9gl/d3d9.h"
#include "d3d9gl/devicechild.h"
#include "d3d9gl/refcounted.h"
#include "d3d9gl/shadersource.h"

#include "d3d9gl/glapi.h"

#include <string>

namespace d3d9gl
{

class ShaderCode : public DeviceChild
{
public:
    ShaderCode(Device* pDevice, ShaderStage stage, std::string text, std::string name);
    ~ShaderCode() override;
    void ReleaseGL() override;
    const char* GetKind() const override { return "shader"; }

    // The compiled GL shader of a variant, compiling it on first use; 0 after a failure
    // (logged once, with the file's name and the compiler's log).
    GLuint Compiled(bool flat);
    UINT Id() const { return m_Id; }
    ShaderStage Stage() const { return m_Stage; }
    const std::string& Name() const { return m_Name; }
    HRESULT GetFunctionBlob(void* pData, UINT* pSizeOfData) const;

private:
    ShaderStage m_Stage;
    std::string m_Text;
    std::string m_Name;
    UINT m_Id;
    GLuint m_Shaders[2] = {};
    bool m_Failed[2] = {};
};

template <class Interface> class Shader final : public RefCounted<Interface>, public ShaderCode
{
public:
    using ShaderCode::ShaderCode;
    HRESULT GetFunction(void* pData, UINT* pSizeOfData) override
    {
        return GetFunctionBlob(pData, pSizeOfData);
    }
};

using VertexShader = Shader<IDirect3DVertexShader9>;
using PixelShader = Shader<IDirect3DPixelShader9>;

// One line of a compiler's log: line breaks become "; ".
std::string FlattenLog(const std::string& log);

} // namespace d3d9gl
