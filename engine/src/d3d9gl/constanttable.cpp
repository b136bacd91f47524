#include "d3d9gl/constanttable.h"

#include "base/source/system/logger.h"
#include "d3d9gl/shaderfunction.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <sstream>

namespace d3d9gl
{
namespace
{

constexpr const char* MODULE = "D3D9GL";

// "c12" -> FLOAT4 12; false for anything else.
bool ParseRegister(const std::string& token, D3DXREGISTER_SET& set, UINT& index)
{
    if (token.size() < 2 || token.size() > 4)
        return false;
    switch (token[0])
    {
    case 'c':
        set = D3DXRS_FLOAT4;
        break;
    case 'i':
        set = D3DXRS_INT4;
        break;
    case 'b':
        set = D3DXRS_BOOL;
        break;
    case 's':
        set = D3DXRS_SAMPLER;
        break;
    default:
        return false;
    }
    if (!std::all_of(token.begin() + 1, token.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    index = UINT(std::stoul(token.substr(1)));
    return true;
}

// The stages differ in their float registers (256 against 224) and samplers (4 against 16).
UINT RegisterLimit(ShaderStage stage, D3DXREGISTER_SET set)
{
    const bool vertex = stage == SHADER_STAGE_VERTEX;
    switch (set)
    {
    case D3DXRS_FLOAT4:
        return vertex ? VERTEX_FLOAT_CONSTANT_MAX : PIXEL_FLOAT_CONSTANT_MAX;
    case D3DXRS_INT4:
        return INT_CONSTANT_MAX;
    case D3DXRS_BOOL:
        return BOOL_CONSTANT_MAX;
    default:
        return vertex ? VERTEX_SAMPLER_MAX : PIXEL_SAMPLER_MAX;
    }
}

bool ParseAnnotation(ShaderStage stage, const std::string& line, ConstantAnnotation_t& out)
{
    std::istringstream words(line);
    std::string kind, name, reg, extra;
    words >> kind >> name >> reg;
    if (name.empty() || !ParseRegister(reg, out.registerSet, out.registerIndex))
        return false;
    const bool sampler = kind == "sampler";
    if ((kind != "const" && !sampler) || sampler != (out.registerSet == D3DXRS_SAMPLER))
        return false;
    out.name = name;
    out.registerCount = 1;
    if (words >> extra)
    {
        if (sampler ||
            !std::all_of(extra.begin(), extra.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
            extra.size() > 4)
            return false;
        out.registerCount = UINT(std::stoul(extra));
    }
    return out.registerCount >= 1 &&
           out.registerIndex + out.registerCount <= RegisterLimit(stage, out.registerSet) &&
           !(words >> extra);
}

// Calls fn(annotation text) for each line that holds "//!".
template <class Fn> void ForEachAnnotation(std::string_view text, Fn fn)
{
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        size_t mark = line.find("//!");
        if (mark != std::string_view::npos)
        {
            std::string annotation(line.substr(mark + 3));
            if (!annotation.empty() && annotation.back() == '\r')
                annotation.pop_back();
            fn(annotation);
        }
        start = end + 1;
    }
}

} // namespace

std::vector<ConstantAnnotation_t> ParseConstantAnnotations(ShaderStage stage, std::string_view text)
{
    std::vector<ConstantAnnotation_t> constants;
    ForEachAnnotation(text,
                      [&constants, stage](const std::string& annotation)
                      {
                          std::istringstream words(annotation);
                          std::string kind;
                          words >> kind;
                          if (kind == "name")
                              return;
                          ConstantAnnotation_t constant;
                          if (!ParseAnnotation(stage, annotation, constant))
                          {
                              Halvex::Base::Log(MODULE, Halvex::Base::LOG_LEVEL_WARNING_1,
                                                "Ignoring malformed shader annotation: //!%s",
                                                annotation.c_str());
                              return;
                          }
                          constants.push_back(std::move(constant));
                      });
    return constants;
}

std::string ParseShaderName(std::string_view text)
{
    std::string name;
    ForEachAnnotation(text,
                      [&name](const std::string& annotation)
                      {
                          std::istringstream words(annotation);
                          std::string kind;
                          words >> kind;
                          if (kind == "name" && name.empty())
                              std::getline(words >> std::ws, name);
                      });
    return name;
}

ConstantTable::ConstantTable(ShaderStage stage, std::vector<ConstantAnnotation_t> constants)
    : m_Stage(stage), m_Constants(std::move(constants))
{
}

const ConstantAnnotation_t* ConstantTable::Find(D3DXHANDLE hConstant) const
{
    if (!hConstant)
        return nullptr;
    for (const ConstantAnnotation_t& constant : m_Constants)
    {
        if (constant.name.c_str() == hConstant)
            return &constant;
    }
    for (const ConstantAnnotation_t& constant : m_Constants)
    {
        if (constant.name == hConstant)
            return &constant;
    }
    return nullptr;
}

HRESULT ConstantTable::GetDesc(D3DXCONSTANTTABLE_DESC* pDesc)
{
    if (!pDesc)
        return D3DERR_INVALIDCALL;
    pDesc->Creator = "d3d9gl";
    pDesc->Version =
        m_Stage == SHADER_STAGE_VERTEX ? VERTEX_SHADER_VERSION_TOKEN : PIXEL_SHADER_VERSION_TOKEN;
    pDesc->Constants = UINT(m_Constants.size());
    return D3D_OK;
}

HRESULT ConstantTable::GetConstantDesc(D3DXHANDLE hConstant, D3DXCONSTANT_DESC* pConstantDesc,
                                       UINT* pCount)
{
    const ConstantAnnotation_t* pConstant = Find(hConstant);
    if (!pConstant || !pConstantDesc)
        return D3DERR_INVALIDCALL;
    D3DXCONSTANT_DESC& desc = *pConstantDesc;
    desc = {};
    desc.Name = pConstant->name.c_str();
    desc.RegisterSet = pConstant->registerSet;
    desc.RegisterIndex = pConstant->registerIndex;
    desc.RegisterCount = pConstant->registerCount;
    desc.Rows = 1;
    desc.Elements = 1;
    switch (pConstant->registerSet)
    {
    case D3DXRS_FLOAT4:
        desc.Class = pConstant->registerCount == 1 ? D3DXPC_VECTOR : D3DXPC_MATRIX_ROWS;
        desc.Type = D3DXPT_FLOAT;
        desc.Rows = pConstant->registerCount;
        desc.Columns = 4;
        desc.Bytes = 16 * pConstant->registerCount;
        break;
    case D3DXRS_INT4:
        desc.Class = D3DXPC_VECTOR;
        desc.Type = D3DXPT_INT;
        desc.Columns = 4;
        desc.Elements = pConstant->registerCount;
        desc.Bytes = 16 * pConstant->registerCount;
        break;
    case D3DXRS_BOOL:
        desc.Class = D3DXPC_SCALAR;
        desc.Type = D3DXPT_BOOL;
        desc.Columns = 1;
        desc.Elements = pConstant->registerCount;
        desc.Bytes = 4 * pConstant->registerCount;
        break;
    default:
        desc.Class = D3DXPC_OBJECT;
        desc.Type = D3DXPT_SAMPLER;
        desc.Columns = 1;
        desc.Bytes = 4;
        break;
    }
    if (pCount)
        *pCount = 1;
    return D3D_OK;
}

UINT ConstantTable::GetSamplerIndex(D3DXHANDLE hConstant)
{
    const ConstantAnnotation_t* pConstant = Find(hConstant);
    return pConstant && pConstant->registerSet == D3DXRS_SAMPLER ? pConstant->registerIndex
                                                                 : UINT(-1);
}

D3DXHANDLE ConstantTable::GetConstant(D3DXHANDLE hConstant, UINT Index)
{
    if (hConstant || Index >= m_Constants.size())
        return nullptr;
    return m_Constants[Index].name.c_str();
}

D3DXHANDLE ConstantTable::GetConstantByName(D3DXHANDLE hConstant, LPCSTR pName)
{
    if (hConstant || !pName)
        return nullptr;
    const ConstantAnnotation_t* pConstant = Find(pName);
    return pConstant ? pConstant->name.c_str() : nullptr;
}

HRESULT ConstantTable::Write(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, const float* pValues,
                             UINT count)
{
    const ConstantAnnotation_t* pConstant = Find(hConstant);
    if (!pDevice || !pConstant || pConstant->registerSet == D3DXRS_SAMPLER || !pValues)
        return D3DERR_INVALIDCALL;
    const bool vertex = m_Stage == SHADER_STAGE_VERTEX;
    const UINT start = pConstant->registerIndex;
    if (pConstant->registerSet == D3DXRS_BOOL)
    {
        BOOL bools[BOOL_CONSTANT_MAX] = {};
        UINT n = std::min(count, pConstant->registerCount);
        for (UINT i = 0; i < n; ++i)
            bools[i] = pValues[i] != 0.0f ? TRUE : FALSE;
        return vertex ? pDevice->SetVertexShaderConstantB(start, bools, n)
                      : pDevice->SetPixelShaderConstantB(start, bools, n);
    }
    UINT registers = std::min((count + 3) / 4, pConstant->registerCount);
    if (pConstant->registerSet == D3DXRS_INT4)
    {
        int ints[INT_CONSTANT_MAX * 4] = {};
        for (UINT i = 0; i < std::min(count, registers * 4); ++i)
            ints[i] = int(pValues[i]);
        return vertex ? pDevice->SetVertexShaderConstantI(start, ints, registers)
                      : pDevice->SetPixelShaderConstantI(start, ints, registers);
    }
    // Per-frame setters: a stack buffer instead of an allocation.
    float floats[VERTEX_FLOAT_CONSTANT_MAX * 4] = {};
    std::copy_n(pValues, std::min(count, registers * 4), floats);
    return vertex ? pDevice->SetVertexShaderConstantF(start, floats, registers)
                  : pDevice->SetPixelShaderConstantF(start, floats, registers);
}

HRESULT ConstantTable::SetBool(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, BOOL b)
{
    const float value = b ? 1.0f : 0.0f;
    return Write(pDevice, hConstant, &value, 1);
}

HRESULT ConstantTable::SetBoolArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, const BOOL* pb,
                                    UINT Count)
{
    if (!pb)
        return D3DERR_INVALIDCALL;
    float values[VERTEX_FLOAT_CONSTANT_MAX * 4];
    const UINT n = std::min<UINT>(Count, std::size(values));
    for (UINT i = 0; i < n; ++i)
        values[i] = pb[i] ? 1.0f : 0.0f;
    return Write(pDevice, hConstant, values, n);
}

HRESULT ConstantTable::SetInt(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, INT n)
{
    const float value = float(n);
    return Write(pDevice, hConstant, &value, 1);
}

HRESULT ConstantTable::SetIntArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, const INT* pn,
                                   UINT Count)
{
    if (!pn)
        return D3DERR_INVALIDCALL;
    float values[VERTEX_FLOAT_CONSTANT_MAX * 4];
    const UINT n = std::min<UINT>(Count, std::size(values));
    std::copy_n(pn, n, values);
    return Write(pDevice, hConstant, values, n);
}

HRESULT ConstantTable::SetFloat(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, FLOAT f)
{
    return Write(pDevice, hConstant, &f, 1);
}

HRESULT ConstantTable::SetFloatArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                                     const FLOAT* pf, UINT Count)
{
    return Write(pDevice, hConstant, pf, Count);
}

HRESULT ConstantTable::SetVector(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                                 const D3DXVECTOR4* pVector)
{
    return Write(pDevice, hConstant, pVector ? &pVector->x : nullptr, 4);
}

HRESULT ConstantTable::SetVectorArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                                      const D3DXVECTOR4* pVector, UINT Count)
{
    return Write(pDevice, hConstant, pVector ? &pVector->x : nullptr, Count * 4);
}

HRESULT ConstantTable::SetMatrix(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                                 const D3DXMATRIX* pMatrix)
{
    return Write(pDevice, hConstant, pMatrix ? &pMatrix->m[0][0] : nullptr, 16);
}

HRESULT ConstantTable::SetMatrixTranspose(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                                          const D3DXMATRIX* pMatrix)
{
    if (!pMatrix)
        return D3DERR_INVALIDCALL;
    float transposed[16];
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            transposed[row * 4 + column] = pMatrix->m[column][row];
    return Write(pDevice, hConstant, transposed, 16);
}

} // namespace d3d9gl
