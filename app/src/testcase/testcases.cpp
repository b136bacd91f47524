#include "testcase/testcases.h"

#include "common/render/mycombobox.h"

#include "rendercore/source/renderdevice/renderdevice.h"

using namespace Halvex::RenderCore;

void SendCase(RenderDevice* pDevice, const MyComboBox* pCombo, float* pCaseVector)
{
    pCaseVector[0] = static_cast<float>(pCombo->GetSelectedIndex());
    pDevice->SetShaderConstantVector(SHADER_VERTEX, CASE_REGISTER, pCaseVector);
    pDevice->SetShaderConstantVector(SHADER_PIXEL, CASE_REGISTER, pCaseVector);
}
