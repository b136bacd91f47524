#pragma once
// The stencil buffer in three cases: a quad drawn into the stencil through the letters of
// the font texture and then coloured where the stencil is 1 (Case1) or is not (Case2), and
// a cube mirrored in a floor whose stencil clips the reflection to the floor (Case3). The
// stencil test is off again at the end of every frame.

#include "testcase/testcommon.h"

#include "math/matrix4.h"
#include "math/vector.h"
#include "rendercore/source/resource/texture.h"

namespace Halvex::RenderCore
{
class RenderDevice;
}

class MyComboBox;

class Stencil : public TestCommon
{
public:
    Stencil();

    void Render(RenderImpl* pRenderer) override;

    MyComboBox* GetCaseCombo() const { return m_pCaseCombo; }

private:
    // The mask quad twice, the second pass keeping the pixels whose stencil compares `func`
    // with 1.
    void RenderMaskCase(Halvex::RenderCore::RenderDevice* pDevice,
                        Halvex::RenderCore::CompareFunc func);
    void RenderReflectionCase(RenderImpl* pRenderer);
    // Pixel c0: the colour of the draw; w = 1 only in the mask pass.
    void SendColor(Halvex::RenderCore::RenderDevice* pDevice, float r, float g, float b, float a);
    void SendWorldViewProjection(Halvex::RenderCore::RenderDevice* pDevice,
                                 const Halvex::MATH::Matrix4& world);
    // Every fragment that passes writes 1 into the stencil.
    static void WriteOnesToStencil(Halvex::RenderCore::RenderDevice* pDevice);

    Halvex::RenderCore::Texture m_FontTexture;
    Halvex::MATH::Vector4<float> m_Color{1.0f, 1.0f, 1.0f, 0.0f};
    SimpleModel m_Floor;
    SimpleModel m_Cube;
    // Belongs to the panel.
    MyComboBox* m_pCaseCombo = nullptr;
};
