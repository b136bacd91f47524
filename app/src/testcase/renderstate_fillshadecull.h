#pragma once
// Fill, shade and cull modes on a vertex-coloured cube. Each combo box's item index is the
// engine value of its render state; the fixed values are put back after drawing.

#include "testcase/testcommon.h"

class MyComboBox;

class RenderState_FillShadeCull : public TestCommon
{
public:
    RenderState_FillShadeCull();

    void Render(RenderImpl* pRenderer) override;
    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    MyComboBox* GetFillCombo() const { return m_pFillCombo; }
    MyComboBox* GetShadeCombo() const { return m_pShadeCombo; }
    MyComboBox* GetCullCombo() const { return m_pCullCombo; }

private:
    // The combo boxes belong to the panel.
    MyComboBox* m_pFillCombo = nullptr;
    MyComboBox* m_pShadeCombo = nullptr;
    MyComboBox* m_pCullCombo = nullptr;
};
