#pragma once
// Mipmaps on the cube, with a 128 x 128 texture the lesson builds itself in three cases:
// stripes without mip levels, stripes with generated levels, and one colour per level so the
// level the sampler reads shows. The texture is rebuilt only when the case changes.

#include "testcase/testcommon.h"

#include "rendercore/source/renderdevice/devicetypes.h"
#include "rendercore/source/resource/texture.h"

class MyComboBox;

class Mipmap : public TestCommon
{
public:
    enum Case
    {
        CASE_NO_MIPS,
        CASE_GENERATED_MIPS,
        CASE_LEVEL_COLOURS,
    };
    static constexpr int TEXTURE_SIZE = 128;
    static constexpr int LEVEL_COUNT = 8;
    // The colour of each level in the third case, from the top level down.
    static constexpr uint32_t LEVEL_COLOURS[LEVEL_COUNT] = {
        0xffff0000, 0xffff8000, 0xffffff00, 0xff00ff00,
        0xff80ffff, 0xff0000ff, 0xffff00ff, 0xff808080,
    };

    Mipmap();

    void Update(float dt) override;
    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    MyComboBox* GetCaseCombo() const { return m_pCaseCombo; }
    const Halvex::RenderCore::Texture& GetTexture() const { return m_Texture; }
    int GetCurrentCase() const { return m_CurrentCase; }

private:
    // Builds the texture of the chosen case unless it is the one already built.
    void RebuildTexture();
    void FillStripes();
    void FillLevelColours();

    Halvex::RenderCore::Texture m_Texture;
    Halvex::RenderCore::SamplerDesc m_Sampler;
    // The combo box belongs to the panel.
    MyComboBox* m_pCaseCombo = nullptr;
    int m_CurrentCase = -1;
};
