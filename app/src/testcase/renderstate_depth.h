#pragma once
// Depth test, depth write and depth function on a 3 x 3 grid of cubes. Each combo box's
// item index is the engine value of its render state; the fixed values are put back after
// drawing.

#include "testcase/testcommon.h"

#include "math/matrix4.h"

class MyComboBox;

class RenderState_Depth : public TestCommon
{
public:
    RenderState_Depth();

    void Render(RenderImpl* pRenderer) override;
    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    MyComboBox* GetEnableCombo() const { return m_pEnableCombo; }
    MyComboBox* GetWriteCombo() const { return m_pWriteCombo; }
    MyComboBox* GetFuncCombo() const { return m_pFuncCombo; }

private:
    // The combo boxes belong to the panel.
    MyComboBox* m_pEnableCombo = nullptr;
    MyComboBox* m_pWriteCombo = nullptr;
    MyComboBox* m_pFuncCombo = nullptr;
    Halvex::MATH::Matrix4 m_World;
};
