// D3DXGetShaderConstantTable: constant tables from d3d9gl shader functions.

#include "base/source/system/logger.h"
#include "d3d9gl/constanttable.h"
#include "d3d9gl/d3dx9.h"
#include "d3d9gl/device.h"
#include "d3d9gl/shaderfunction.h"

using namespace d3d9gl;

HRESULT D3DXGetShaderConstantTable(const DWORD* pFunction, LPD3DXCONSTANTTABLE* ppConstantTable)
{
    if (!pFunction || !ppConstantTable)
        return D3DERR_INVALIDCALL;
    ShaderStage stage = SHADER_STAGE_MAX;
    std::string text;
    ReadShaderFunction(pFunction, stage, text);
    if (stage == SHADER_STAGE_MAX)
    {
        Halvex::Base::Log(
            LOG_MODULE, Halvex::Base::LOG_LEVEL_ERROR,
            "D3DXGetShaderConstantTable: the function has no vertex or pixel version token");
        return D3DERR_INVALIDCALL;
    }
    *ppConstantTable = new ConstantTable(stage, ParseConstantAnnotations(stage, text));
    return D3D_OK;
}
