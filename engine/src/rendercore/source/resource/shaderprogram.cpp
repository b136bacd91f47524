#include "rendercore/source/resource/shaderprogram.h"

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexshader.h"

#include <algorithm>

namespace Halvex::RenderCore
{

namespace
{
template <typename T>
void ReplaceShader(T*& pCurrent, std::unique_ptr<T>& pOwned, T* pNew, bool owned)
{
    pOwned.reset();
    pCurrent = pNew;
    if (owned)
    {
        pOwned.reset(pNew);
    }
}

// Calls `apply` for every entry not yet known to fail and marks the entries the shader
// did not resolve.
template <typename List, typename Apply> void ApplyList(List& list, Apply apply)
{
    for (auto& entry : list)
    {
        if (entry.m_Cache.m_Failed)
        {
            continue;
        }
        apply(entry);
        if (entry.m_Cache.m_Handle == 0)
        {
            entry.m_Cache.m_Failed = true;
        }
    }
}
} // namespace

ShaderProgram::ShaderProgram() : Resource(RES_TYPE_SHADER_PROGRAM) {}

ShaderProgram::~ShaderProgram() = default;

void ShaderProgram::SetShaders(VertexShader* pVertexShader, PixelShader* pPixelShader, bool owned)
{
    if (m_VertexShader.m_pShader != pVertexShader)
    {
        m_Stages[SHADER_VERTEX].Clear();
        ReplaceShader(m_VertexShader.m_pShader, m_VertexShader.m_pOwned, pVertexShader, owned);
    }
    if (m_PixelShader.m_pShader != pPixelShader)
    {
        m_Stages[SHADER_PIXEL].Clear();
        ReplaceShader(m_PixelShader.m_pShader, m_PixelShader.m_pOwned, pPixelShader, owned);
    }
}

void ShaderProgram::Bind()
{
    if (RenderDevice* pDevice = GetRenderDevice())
    {
        pDevice->SetShaders(m_VertexShader.m_pShader, m_PixelShader.m_pShader);
    }
}

void ShaderProgram::Unbind()
{
    if (RenderDevice* pDevice = GetRenderDevice())
    {
        pDevice->ResetShaders();
    }
}

void ShaderProgram::CommitParameters()
{
    RenderDevice* pDevice = GetRenderDevice();
    if (!pDevice || pDevice->IsShaderLocked())
    {
        return;
    }
    CommitStage(pDevice, pDevice->GetVertexShader());
    CommitStage(pDevice, pDevice->GetPixelShader());
}

void ShaderProgram::CommitStage(RenderDevice* pDevice, Shader* pShader)
{
    if (!pShader || !pShader->IsLoaded())
    {
        return;
    }
    Stage* pStage = GetStage(pShader->GetShaderType());
    if (!HX_ASSERT(pStage))
    {
        return;
    }
    if (pStage->m_pAppliedNative != pShader->GetUserData())
    {
        pStage->ResetCaches();
        pStage->m_pAppliedNative = pShader->GetUserData();
    }
    pStage->Apply(pDevice, pShader);
}

void ShaderProgram::Stage::Clear()
{
    m_Textures.Clear();
    m_Matrices.Clear();
    m_Vectors.Clear();
    m_Floats.Clear();
    m_Ints.Clear();
    m_Bools.Clear();
    m_pAppliedNative = nullptr;
}

void ShaderProgram::Stage::ResetCaches()
{
    m_Textures.ResetCaches();
    m_Matrices.ResetCaches();
    m_Vectors.ResetCaches();
    m_Floats.ResetCaches();
    m_Ints.ResetCaches();
    m_Bools.ResetCaches();
}

void ShaderProgram::Stage::Apply(RenderDevice* pDevice, Shader* pShader)
{
    ApplyList(m_Textures,
              [&](auto& entry)
              {
                  pDevice->SetTextureByName(pShader, entry.m_Name.c_str(), entry.m_Value,
                                            &entry.m_Cache.m_Handle, &entry.m_Cache.m_Register);
              });
    ApplyList(m_Matrices,
              [&](auto& entry)
              {
                  pDevice->SetShaderConstantMatrixByName(
                      pShader, entry.m_Name.c_str(), entry.m_Value.data(), &entry.m_Cache.m_Handle);
              });
    ApplyList(m_Vectors,
              [&](auto& entry)
              {
                  pDevice->SetShaderConstantVectorByName(
                      pShader, entry.m_Name.c_str(), entry.m_Value.data(), &entry.m_Cache.m_Handle);
              });
    ApplyList(m_Floats,
              [&](auto& entry)
              {
                  pDevice->SetShaderConstantFloatByName(pShader, entry.m_Name.c_str(),
                                                        entry.m_Value, &entry.m_Cache.m_Handle);
              });
    ApplyList(m_Ints,
              [&](auto& entry)
              {
                  pDevice->SetShaderConstantIntByName(pShader, entry.m_Name.c_str(), entry.m_Value,
                                                      &entry.m_Cache.m_Handle);
              });
    ApplyList(m_Bools,
              [&](auto& entry)
              {
                  pDevice->SetShaderConstantBoolByName(pShader, entry.m_Name.c_str(), entry.m_Value,
                                                       &entry.m_Cache.m_Handle);
              });
}

ShaderProgram::Stage* ShaderProgram::GetStage(ShaderType stage)
{
    return stage >= SHADER_VERTEX && stage < SHADER_TYPE_MAX ? &m_Stages[stage] : nullptr;
}

bool ShaderProgram::SetTextureParameter(ShaderType stage, const std::string& name,
                                        TextureSampler* pSampler)
{
    Stage* pStage = GetStage(stage);
    return pStage && pStage->m_Textures.Set(name, pSampler);
}

bool ShaderProgram::SetMatrixParameter(ShaderType stage, const std::string& name,
                                       const float* pMatrix)
{
    Stage* pStage = GetStage(stage);
    if (!pStage || !HX_ASSERT(pMatrix))
    {
        return false;
    }
    std::array<float, 16> value;
    std::copy_n(pMatrix, value.size(), value.begin());
    return pStage->m_Matrices.Set(name, value);
}

bool ShaderProgram::SetVectorParameter(ShaderType stage, const std::string& name,
                                       const float* pVector)
{
    Stage* pStage = GetStage(stage);
    if (!pStage || !HX_ASSERT(pVector))
    {
        return false;
    }
    std::array<float, 4> value;
    std::copy_n(pVector, value.size(), value.begin());
    return pStage->m_Vectors.Set(name, value);
}

bool ShaderProgram::SetFloatParameter(ShaderType stage, const std::string& name, float value)
{
    Stage* pStage = GetStage(stage);
    return pStage && pStage->m_Floats.Set(name, value);
}

bool ShaderProgram::SetIntParameter(ShaderType stage, const std::string& name, int value)
{
    Stage* pStage = GetStage(stage);
    return pStage && pStage->m_Ints.Set(name, value);
}

bool ShaderProgram::SetBoolParameter(ShaderType stage, const std::string& name, bool value)
{
    Stage* pStage = GetStage(stage);
    return pStage && pStage->m_Bools.Set(name, value);
}

uint64_t ShaderProgram::GetSize() const
{
    uint64_t size = 0;
    for (const Stage& stage : m_Stages)
    {
        for (const auto& entry : stage.m_Textures)
        {
            if (entry.m_Value && entry.m_Value->GetTexture())
            {
                size += entry.m_Value->GetTexture()->GetSize();
            }
        }
    }
    if (m_VertexShader.m_pShader)
    {
        size += m_VertexShader.m_pShader->GetSize();
    }
    if (m_PixelShader.m_pShader)
    {
        size += m_PixelShader.m_pShader->GetSize();
    }
    return size;
}

bool ShaderProgram::IsLoaded() const
{
    for (const Stage& stage : m_Stages)
    {
        for (const auto& entry : stage.m_Textures)
        {
            // A sampler without a texture unbinds its sampler and needs nothing loaded.
            if (entry.m_Value && entry.m_Value->GetTexture() &&
                !entry.m_Value->GetTexture()->IsLoaded())
            {
                return false;
            }
        }
    }
    return (!m_VertexShader.m_pShader || m_VertexShader.m_pShader->IsLoaded()) &&
           (!m_PixelShader.m_pShader || m_PixelShader.m_pShader->IsLoaded());
}

} // namespace Halvex::RenderCore
