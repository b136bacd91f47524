#include "testcase/testcases.h"

#include "testcase/lessoncontrols.h"

#include "common/render/mycombobox.h"

#include "rendercore/source/renderdevice/renderdevice.h"

using namespace Halvex::RenderCore;

namespace
{
const char* const CASE_ITEMS[] = {"Case1", "Case2", "Case3"};
} // namespace

MyComboBox* CreateCaseCombo(Halvex::HGui::HWidget* pPanel)
{
    return CreateStateCombo(pPanel, 10.0f, 80.0f, 66.0f, CASE_ITEMS, 3, 0);
}

void SendCase(RenderDevice* pDevice, const MyComboBox* pCombo, float* pCaseVector)
{
    pCaseVector[0] = static_cast<float>(pCombo->GetSelectedIndex());
    pDevice->SetShaderConstantVector(SHADER_VERTEX, CASE_REGISTER, pCaseVector);
    pDevice->SetShaderConstantVector(SHADER_PIXEL, CASE_REGISTER, pCaseVector);
}
