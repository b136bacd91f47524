#pragma once
// Texture filtering and addressing on one quad whose texture coordinates run from -1 to 2,
// so the image is sampled three times across it. One combo box picks point or linear
// filtering, the other wrap, mirror, clamp or border addressing.

#include "testcase/testcommon.h"

#include "rendercore/source/renderdevice/devicetypes.h"
#include "rendercore/source/resource/texture.h"

class MyComboBox;

class TextureSampling : public TestCommon
{
public:
    TextureSampling();

    void Render(RenderImpl* pRenderer) override;

    // The sampler the current combo choices give.
    Halvex::RenderCore::SamplerDesc GetSamplerDesc() const;
    MyComboBox* GetFilterCombo() const { return m_pFilterCombo; }
    MyComboBox* GetAddressCombo() const { return m_pAddressCombo; }
    const Halvex::RenderCore::Texture& GetTexture() const { return m_Texture; }

private:
    Halvex::RenderCore::Texture m_Texture;
    // The combo boxes belong to the panel.
    MyComboBox* m_pFilterCombo = nullptr;
    MyComboBox* m_pAddressCombo = nullptr;
};
