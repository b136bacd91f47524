// Shader files: the annotations of either stage, the name annotation, the assembled source
// of every variant, and a constant table over the annotations.

#include "FuzzInput.h"

#include "base/source/system/logger.h"
#include "d3d9gl/constanttable.h"
#include "d3d9gl/shadersource.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t size)
{
    Halvex::Base::SetLogThreshold(Halvex::Base::LOG_LEVEL_MAX);
    FuzzInput input(pData, size);
    const auto stage = input.Byte() % 2 ? d3d9gl::SHADER_STAGE_PIXEL : d3d9gl::SHADER_STAGE_VERTEX;
    const std::string_view text(reinterpret_cast<const char*>(input.Rest()), input.RestSize());
    d3d9gl::ParseShaderName(text);
    for (bool flat : {false, true})
        for (bool es : {false, true})
            d3d9gl::AssembleShaderSource(stage, text, {flat, !flat, es});
    auto* pTable = new d3d9gl::ConstantTable(stage, d3d9gl::ParseConstantAnnotations(stage, text));
    D3DXCONSTANTTABLE_DESC desc = {};
    pTable->GetDesc(&desc);
    for (UINT i = 0; i < desc.Constants; ++i)
    {
        D3DXCONSTANT_DESC constant = {};
        UINT count = 1;
        pTable->GetConstantDesc(pTable->GetConstant(nullptr, i), &constant, &count);
    }
    pTable->Release();
    return 0;
}
