#pragma once
// A vertex and pixel shader used together, with named parameters per stage that are
// applied to whichever shaders the device has bound when committed.

#include "rendercore/source/resource/resource.h"
#include "rendercore/source/resource/shaderparameterlist.h"

#include <array>
#include <memory>
#include <string>

namespace Halvex::RenderCore
{

class PixelShader;
class RenderDevice;
class Shader;
class TextureSampler;
class VertexShader;

class ShaderProgram : public Resource
{
public:
    ShaderProgram();
    // Deletes the shaders it owns.
    ~ShaderProgram() override;

    // For each stage whose shader changes: drops that stage's parameters, releases the
    // old shader (deleting it when owned) and keeps the new one, owned when `owned`.
    void SetShaders(VertexShader* pVertexShader, PixelShader* pPixelShader, bool owned);
    VertexShader* GetVertexShader() const { return m_VertexShader.m_pShader; }
    PixelShader* GetPixelShader() const { return m_PixelShader.m_pShader; }

    // RenderDevice::SetShaders with this program's shaders.
    void Bind();
    // RenderDevice::ResetShaders.
    void Unbind();
    // Applies the parameters of each stage to the device's current shader of that stage
    // (when loaded and the device's shader lock is not held). A parameter the shader
    // does not resolve is not tried again until another native shader is bound.
    void CommitParameters();

    // Add or change a named parameter of a stage. False for a stage outside
    // SHADER_VERTEX..SHADER_PIXEL or an unusable name. The sampler is borrowed.
    bool SetTextureParameter(ShaderType stage, const std::string& name, TextureSampler* pSampler);
    bool SetMatrixParameter(ShaderType stage, const std::string& name, const float* pMatrix);
    bool SetVectorParameter(ShaderType stage, const std::string& name, const float* pVector);
    bool SetFloatParameter(ShaderType stage, const std::string& name, float value);
    bool SetIntParameter(ShaderType stage, const std::string& name, int value);
    bool SetBoolParameter(ShaderType stage, const std::string& name, bool value);

    // Sizes of the textures of all texture parameters and of both shaders.
    uint64_t GetSize() const override;
    // Every parameter texture and both shaders, where present, are loaded.
    bool IsLoaded() const override;

private:
    struct Stage
    {
        ShaderParameterList<TextureSampler*> m_Textures;
        ShaderParameterList<std::array<float, 16>> m_Matrices;
        ShaderParameterList<std::array<float, 4>> m_Vectors;
        ShaderParameterList<float> m_Floats;
        ShaderParameterList<int> m_Ints;
        ShaderParameterList<bool> m_Bools;
        // The native shader the caches were filled for.
        void* m_pAppliedNative = nullptr;

        void Clear();
        void ResetCaches();
        void Apply(RenderDevice* pDevice, Shader* pShader);
    };

    template <typename T> struct StageShader
    {
        T* m_pShader = nullptr;
        std::unique_ptr<T> m_pOwned; // set only when m_pShader is owned
    };

    Stage* GetStage(ShaderType stage);
    void CommitStage(RenderDevice* pDevice, Shader* pShader);

    std::array<Stage, SHADER_TYPE_MAX> m_Stages;
    StageShader<VertexShader> m_VertexShader;
    StageShader<PixelShader> m_PixelShader;
};

} // namespace Halvex::RenderCore
