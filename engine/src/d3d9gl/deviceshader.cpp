#include "base/source/system/logger.h"
#include "d3d9gl/constanttable.h"
#include "d3d9gl/device.h"
#include "d3d9gl/shader.h"
#include "d3d9gl/shaderfunction.h"
#include "d3d9gl/vertexdeclaration.h"

#include <algorithm>
#include <cstring>

namespace d3d9gl
{
namespace
{

using Halvex::Base::Log;
using Halvex::Base::LOG_LEVEL_ERROR;

uint64_t ProgramKey(UINT vertexId, UINT pixelId, bool flat)
{
    return (uint64_t(vertexId) << 32) | (uint64_t(pixelId) << 1) | (flat ? 1u : 0u);
}

ShaderCode* CodeOf(IUnknown* pShader)
{
    return dynamic_cast<ShaderCode*>(pShader);
}

// Points the current program's constant blocks and samplers at the device's bindings and
// texture units.
void BindSlots(GLuint program)
{
    const struct
    {
        const char* name;
        GLuint binding;
    } blocks[] = {{VERTEX_CONSTANT_BLOCK, VERTEX_CONSTANT_BINDING},
                  {PIXEL_CONSTANT_BLOCK, PIXEL_CONSTANT_BINDING},
                  {STATE_BLOCK, STATE_BINDING},
                  {SAMPLER_BLOCK, SAMPLER_BINDING}};
    for (const auto& block : blocks)
    {
        const GLuint index = glGetUniformBlockIndex(program, block.name);
        if (index != GL_INVALID_INDEX)
            glUniformBlockBinding(program, index, block.binding);
    }
    for (UINT sampler = 0; sampler < PIXEL_SAMPLER_MAX; ++sampler)
    {
        const GLint location =
            glGetUniformLocation(program, SamplerUniformName(SHADER_STAGE_PIXEL, sampler).c_str());
        if (location >= 0)
            glUniform1i(location, GLint(sampler));
    }
    for (UINT sampler = 0; sampler < VERTEX_SAMPLER_MAX; ++sampler)
    {
        const GLint location =
            glGetUniformLocation(program, SamplerUniformName(SHADER_STAGE_VERTEX, sampler).c_str());
        if (location >= 0)
            glUniform1i(location, GLint(GL_UNIT_VERTEX_SAMPLER0 + sampler));
    }
}
} // namespace

// ---- Creation ---------------------------------------------------------------------------

HRESULT Device::CreateShader(ShaderStage stage, const DWORD* pFunction, void** ppShader)
{
    if (!pFunction || !ppShader)
        return D3DERR_INVALIDCALL;
    ShaderStage functionStage = SHADER_STAGE_MAX;
    std::string text;
    ReadShaderFunction(pFunction, functionStage, text);
    std::string name = std::move(m_NextShaderName);
    m_NextShaderName.clear();
    if (name.empty())
        name = ParseShaderName(text);
    if (name.empty())
        name = "(unnamed shader)";
    if (functionStage != SHADER_STAGE_MAX && functionStage != stage)
    {
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "Shader \"%s\" belongs to the other stage", name.c_str());
        return D3DERR_INVALIDCALL;
    }
    if (RefuseCreation(D3D9GL_CREATION_SHADER))
        return D3DERR_OUTOFVIDEOMEMORY;
    Activate();
    if (stage == SHADER_STAGE_VERTEX)
    {
        auto* pShader = new VertexShader(this, stage, std::move(text), std::move(name));
        if (!pShader->Compiled(false))
        {
            pShader->Release();
            return D3DERR_INVALIDCALL;
        }
        *ppShader = static_cast<IDirect3DVertexShader9*>(pShader);
        m_pPairVertex = pShader;
    }
    else
    {
        auto* pShader = new PixelShader(this, stage, std::move(text), std::move(name));
        if (!pShader->Compiled(false))
        {
            pShader->Release();
            return D3DERR_INVALIDCALL;
        }
        *ppShader = static_cast<IDirect3DPixelShader9*>(pShader);
        // A program's files are made as a pair, vertex shader first: linked now, while the
        // lesson loads, the pair costs its first frame no link.
        if (m_pPairVertex)
            PrepareProgram(m_pPairVertex, pShader);
        m_pPairVertex = nullptr;
    }
    return D3D_OK;
}

HRESULT Device::CreateVertexShader(const DWORD* pFunction, IDirect3DVertexShader9** ppShader)
{
    void* pShader = nullptr;
    HRESULT result = CreateShader(SHADER_STAGE_VERTEX, pFunction, &pShader);
    if (SUCCEEDED(result))
        *ppShader = static_cast<IDirect3DVertexShader9*>(pShader);
    return result;
}

HRESULT Device::CreatePixelShader(const DWORD* pFunction, IDirect3DPixelShader9** ppShader)
{
    void* pShader = nullptr;
    HRESULT result = CreateShader(SHADER_STAGE_PIXEL, pFunction, &pShader);
    if (SUCCEEDED(result))
        *ppShader = static_cast<IDirect3DPixelShader9*>(pShader);
    return result;
}

// ---- Binding ----------------------------------------------------------------------------

HRESULT Device::SetVertexShader(IDirect3DVertexShader9* pShader)
{
    if (pShader && !CodeOf(pShader))
        return D3DERR_INVALIDCALL;
    if (m_VertexShader == pShader)
        return D3D_OK;
    BreakBatch();
    m_VertexShader = RefPtr<IDirect3DVertexShader9>(pShader);
    m_Dirty |= DIRTY_PROGRAM;
    return D3D_OK;
}

HRESULT Device::GetVertexShader(IDirect3DVertexShader9** ppShader)
{
    if (!ppShader)
        return D3DERR_INVALIDCALL;
    *ppShader = m_VertexShader.Share();
    return D3D_OK;
}

HRESULT Device::SetPixelShader(IDirect3DPixelShader9* pShader)
{
    if (pShader && !CodeOf(pShader))
        return D3DERR_INVALIDCALL;
    if (m_PixelShader == pShader)
        return D3D_OK;
    BreakBatch();
    m_PixelShader = RefPtr<IDirect3DPixelShader9>(pShader);
    m_Dirty |= DIRTY_PROGRAM;
    return D3D_OK;
}

HRESULT Device::GetPixelShader(IDirect3DPixelShader9** ppShader)
{
    if (!ppShader)
        return D3DERR_INVALIDCALL;
    *ppShader = m_PixelShader.Share();
    return D3D_OK;
}

bool Device::ApplyProgram()
{
    if (!(m_Dirty & DIRTY_PROGRAM))
        return m_CurrentProgram != 0;
    m_Dirty &= ~DIRTY_PROGRAM;
    m_CurrentProgram = 0;
    ShaderCode* pVertex = CodeOf(m_VertexShader.Get());
    ShaderCode* pPixel = CodeOf(m_PixelShader.Get());
    if (!pVertex || !pPixel)
    {
        ReportOnce("no shaders", LOG_LEVEL_ERROR,
                   "Draw without a vertex and a pixel shader: d3d9gl has no fixed-function "
                   "pipeline");
        return false;
    }
    const bool flat = m_RenderStates[D3DRS_SHADEMODE] == D3DSHADE_FLAT;
    const uint64_t key = ProgramKey(pVertex->Id(), pPixel->Id(), flat);
    auto found = m_Programs.find(key);
    const GLuint program = found != m_Programs.end()
                               ? found->second
                               : (m_Programs[key] = LinkProgram(pVertex, pPixel, flat, true));
    if (!program)
        return false;
    m_Gl.UseProgram(program);
    m_CurrentProgram = program;
    return true;
}

void Device::PrepareProgram(ShaderCode* pVertex, ShaderCode* pPixel)
{
    for (const bool flat : {false, true})
    {
        const uint64_t key = ProgramKey(pVertex->Id(), pPixel->Id(), flat);
        if (m_Programs.count(key) == 0)
        {
            if (const GLuint program = LinkProgram(pVertex, pPixel, flat, false))
                m_Programs[key] = program;
        }
    }
}

GLuint Device::LinkProgram(ShaderCode* pVertex, ShaderCode* pPixel, bool flat, bool report)
{
    const GLuint vertex = pVertex->Compiled(flat);
    const GLuint pixel = pPixel->Compiled(flat);
    if (!vertex || !pixel)
        return 0;
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, pixel);
    glLinkProgram(program);
    ++m_Counters.ProgramLinks;
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status != GL_TRUE && !report)
    {
        glDeleteProgram(program);
        return 0;
    }
    if (status != GL_TRUE)
    {
        GLint length = 0;
        glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
        std::string log(size_t(std::max(length, 1)), '\0');
        glGetProgramInfoLog(program, GLsizei(log.size()), nullptr, log.data());
        Log(LOG_MODULE, LOG_LEVEL_ERROR, "Shaders \"%s\" and \"%s\" do not link: %s",
            pVertex->Name().c_str(), pPixel->Name().c_str(), FlattenLog(log).c_str());
        RecordShaderFailure("Shaders \"" + pVertex->Name() + "\" and \"" + pPixel->Name() +
                            "\" do not link:\n" + log.c_str());
        glDeleteProgram(program);
        return 0;
    }
    m_Gl.UseProgram(program);
    BindSlots(program);
    return program;
}

void Device::OnShaderDestroyed(UINT shaderId)
{
    if (m_pPairVertex && m_pPairVertex->Id() == shaderId)
        m_pPairVertex = nullptr;
    for (auto it = m_Programs.begin(); it != m_Programs.end();)
    {
        const UINT vertexId = UINT(it->first >> 32);
        const UINT pixelId = UINT((it->first >> 1) & 0x7FFFFFFFu);
        if (vertexId != shaderId && pixelId != shaderId)
        {
            ++it;
            continue;
        }
        if (it->second)
        {
            m_Gl.ForgetProgram(it->second);
            glDeleteProgram(it->second);
            if (m_CurrentProgram == it->second)
            {
                m_CurrentProgram = 0;
                m_Dirty |= DIRTY_PROGRAM;
            }
        }
        it = m_Programs.erase(it);
    }
}

// ---- Constants --------------------------------------------------------------------------

HRESULT Device::WriteConstants(ShaderStage stage, UINT offset, const void* pData, UINT size)
{
    ConstantBlock_t& block = m_Constants[stage];
    if (!pData || offset + size > block.bytes.size())
        return D3DERR_INVALIDCALL;
    uint8_t* pTarget = block.bytes.data() + offset;
    if (size == 0 || std::memcmp(pTarget, pData, size) == 0)
        return D3D_OK;
    BreakBatch();
    std::memcpy(pTarget, pData, size);
    block.dirty = true;
    return D3D_OK;
}

void Device::BindConstantBlock(GLuint binding, const void* pData, std::size_t size)
{
    const std::size_t offset = m_ConstantRing.Append(m_Gl, pData, size, m_UniformAlignment);
    glBindBufferRange(GL_UNIFORM_BUFFER, binding, m_ConstantRing.Name(), GLintptr(offset),
                      GLsizeiptr(size));
    ++m_Counters.StateChanges;
    CountUpload(size);
}

void Device::ApplyConstants()
{
    ApplyShaderEmulation();
    // Appending can wrap the ring, which leaves the blocks bound before in the old storage:
    // then every block is written again into the fresh one, which has room for all.
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        const uint32_t generation = m_ConstantRing.Generation();
        if (generation != m_ConstantGeneration)
        {
            for (ConstantBlock_t& block : m_Constants)
                block.dirty = true;
            m_ShaderStateDirty = true;
            m_SamplerEmulationDirty = !m_Profile.samplerExtras;
            m_ConstantGeneration = generation;
        }
        for (int stage = 0; stage < SHADER_STAGE_MAX; ++stage)
        {
            ConstantBlock_t& block = m_Constants[stage];
            if (!block.dirty)
                continue;
            BindConstantBlock(stage == SHADER_STAGE_VERTEX ? VERTEX_CONSTANT_BINDING
                                                           : PIXEL_CONSTANT_BINDING,
                              block.bytes.data(), block.bytes.size());
            block.dirty = false;
        }
        if (m_ShaderStateDirty)
        {
            BindConstantBlock(STATE_BINDING, &m_ShaderState, sizeof(m_ShaderState));
            m_ShaderStateDirty = false;
        }
        if (m_SamplerEmulationDirty)
        {
            BindConstantBlock(SAMPLER_BINDING, &m_SamplerEmulation, sizeof(m_SamplerEmulation));
            m_SamplerEmulationDirty = false;
        }
        if (m_ConstantRing.Generation() == generation)
            return;
    }
}

void Device::ApplyShaderEmulation()
{
    // D3DCOLOR inputs where GL has no GL_BGRA vertex layout. An input whose stream is unset
    // reads (0, 0, 0, 1), which the swap leaves alone, so the declaration alone decides.
    uint32_t swizzle = 0;
    auto* pDecl = static_cast<VertexDeclaration*>(m_Declaration.Get());
    if (pDecl && !m_Profile.bgra)
    {
        for (const VertexAttribute_t& attribute : pDecl->Attributes())
            swizzle |= attribute.size == GL_BGRA ? 1u << attribute.location : 0u;
    }
    if (float(swizzle) != m_ShaderState.colorSwizzle)
    {
        m_ShaderState.colorSwizzle = float(swizzle);
        m_ShaderStateDirty = true;
    }
    // Sampler states that ES samplers lack, for the pixel stage's sampling functions.
    const uint32_t dirty = m_Profile.samplerExtras ? 0 : m_DirtySamplers;
    for (UINT slot = 0; slot < PIXEL_SAMPLER_MAX; ++slot)
    {
        if (dirty & (1u << slot))
            m_SamplerEmulationDirty |= EmulateSampler(m_SamplerStates[slot], slot);
    }
}

bool Device::EmulateSampler(const DWORD* pStates, UINT slot)
{
    float border = 0.0f;
    for (int axis = 0; axis < 3; ++axis)
    {
        if (pStates[D3DSAMP_ADDRESSU + axis] == D3DTADDRESS_BORDER)
            border += float(1 << axis);
    }
    float bias = 0.0f;
    std::memcpy(&bias, &pStates[D3DSAMP_MIPMAPLODBIAS], sizeof(bias));
    // The filter and the colour matter only with a border axis: without one, changing them
    // leaves the block as it is.
    const bool linear = border != 0.0f && pStates[D3DSAMP_MAGFILTER] >= D3DTEXF_LINEAR;
    const float state[4] = {bias, border, linear ? 1.0f : 0.0f, 0.0f};
    const D3DCOLOR c = border != 0.0f ? pStates[D3DSAMP_BORDERCOLOR] : 0;
    const float color[4] = {float((c >> 16) & 0xFF) / 255.0f, float((c >> 8) & 0xFF) / 255.0f,
                            float(c & 0xFF) / 255.0f, float(c >> 24) / 255.0f};
    if (std::memcmp(state, m_SamplerEmulation.state[slot], sizeof(state)) == 0 &&
        std::memcmp(color, m_SamplerEmulation.borderColor[slot], sizeof(color)) == 0)
        return false;
    std::memcpy(m_SamplerEmulation.state[slot], state, sizeof(state));
    std::memcpy(m_SamplerEmulation.borderColor[slot], color, sizeof(color));
    return true;
}

namespace
{

// Bools sit one per 16 bytes in the std140 block.
template <class WriteFn>
HRESULT WriteBools(UINT start, const BOOL* pData, UINT count, WriteFn write)
{
    if (!pData || start + count > BOOL_CONSTANT_MAX)
        return D3DERR_INVALIDCALL;
    for (UINT i = 0; i < count; ++i)
    {
        const uint32_t value = pData[i] ? 1u : 0u;
        HRESULT result = write((start + i) * 16, &value, UINT(sizeof(value)));
        if (FAILED(result))
            return result;
    }
    return D3D_OK;
}

} // namespace

HRESULT Device::SetVertexShaderConstantF(UINT StartRegister, const float* pConstantData,
                                         UINT Vector4fCount)
{
    if (StartRegister + Vector4fCount > VERTEX_FLOAT_CONSTANT_MAX)
        return D3DERR_INVALIDCALL;
    return WriteConstants(SHADER_STAGE_VERTEX, StartRegister * 16, pConstantData,
                          Vector4fCount * 16);
}

HRESULT Device::GetVertexShaderConstantF(UINT StartRegister, float* pConstantData,
                                         UINT Vector4fCount)
{
    if (!pConstantData || StartRegister + Vector4fCount > VERTEX_FLOAT_CONSTANT_MAX)
        return D3DERR_INVALIDCALL;
    std::memcpy(pConstantData, m_Constants[SHADER_STAGE_VERTEX].bytes.data() + StartRegister * 16,
                Vector4fCount * 16);
    return D3D_OK;
}

HRESULT Device::SetVertexShaderConstantI(UINT StartRegister, const int* pConstantData,
                                         UINT Vector4iCount)
{
    if (StartRegister + Vector4iCount > INT_CONSTANT_MAX)
        return D3DERR_INVALIDCALL;
    return WriteConstants(SHADER_STAGE_VERTEX,
                          IntConstantOffset(SHADER_STAGE_VERTEX) + StartRegister * 16,
                          pConstantData, Vector4iCount * 16);
}

HRESULT Device::SetVertexShaderConstantB(UINT StartRegister, const BOOL* pConstantData,
                                         UINT BoolCount)
{
    const UINT base = BoolConstantOffset(SHADER_STAGE_VERTEX);
    return WriteBools(StartRegister, pConstantData, BoolCount,
                      [this, base](UINT offset, const void* pData, UINT size)
                      { return WriteConstants(SHADER_STAGE_VERTEX, base + offset, pData, size); });
}

HRESULT Device::SetPixelShaderConstantF(UINT StartRegister, const float* pConstantData,
                                        UINT Vector4fCount)
{
    if (StartRegister + Vector4fCount > PIXEL_FLOAT_CONSTANT_MAX)
        return D3DERR_INVALIDCALL;
    return WriteConstants(SHADER_STAGE_PIXEL, StartRegister * 16, pConstantData,
                          Vector4fCount * 16);
}

HRESULT Device::GetPixelShaderConstantF(UINT StartRegister, float* pConstantData,
                                        UINT Vector4fCount)
{
    if (!pConstantData || StartRegister + Vector4fCount > PIXEL_FLOAT_CONSTANT_MAX)
        return D3DERR_INVALIDCALL;
    std::memcpy(pConstantData, m_Constants[SHADER_STAGE_PIXEL].bytes.data() + StartRegister * 16,
                Vector4fCount * 16);
    return D3D_OK;
}

HRESULT Device::SetPixelShaderConstantI(UINT StartRegister, const int* pConstantData,
                                        UINT Vector4iCount)
{
    if (StartRegister + Vector4iCount > INT_CONSTANT_MAX)
        return D3DERR_INVALIDCALL;
    return WriteConstants(SHADER_STAGE_PIXEL,
                          IntConstantOffset(SHADER_STAGE_PIXEL) + StartRegister * 16, pConstantData,
                          Vector4iCount * 16);
}

HRESULT Device::SetPixelShaderConstantB(UINT StartRegister, const BOOL* pConstantData,
                                        UINT BoolCount)
{
    const UINT base = BoolConstantOffset(SHADER_STAGE_PIXEL);
    return WriteBools(StartRegister, pConstantData, BoolCount,
                      [this, base](UINT offset, const void* pData, UINT size)
                      { return WriteConstants(SHADER_STAGE_PIXEL, base + offset, pData, size); });
}

} // namespace d3d9gl
