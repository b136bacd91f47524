#include "testcase/devicecapability.h"

#include "common/render/renderimpl.h"
#include "common/render/texrenderproxy.h"

#include "gui/hlabel.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <cstdint>

using namespace Halvex::RenderCore;
using namespace Halvex::HGui;

namespace
{
constexpr float LINE_WIDTH = 300.0f;
constexpr float LINE_HEIGHT = 20.0f;
constexpr float LINE_PITCH = 24.0f;

// The limits in the order they are shown, which is not the record's order.
struct LimitLine
{
    const char* m_pFormat;
    int32_t DeviceCaps::*m_pField;
};
constexpr LimitLine LIMIT_LINES[] = {
    {"MaxTextureCount: %d", &DeviceCaps::MaxTextureCount},
    {"MaxVertexAttribCount: %d", &DeviceCaps::MaxVertexAttribCount},
    {"MaxVaryingVectorCount: %d", &DeviceCaps::MaxVaryingVectorCount},
    {"MaxRenderTargetWidth: %d", &DeviceCaps::MaxRenderTargetWidth},
    {"MaxRenderTargetHeight: %d", &DeviceCaps::MaxRenderTargetHeight},
    {"MaxTextureWidth: %d", &DeviceCaps::MaxTextureWidth},
    {"MaxTextureHeight: %d", &DeviceCaps::MaxTextureHeight},
    {"MaxCubemapWidth: %d", &DeviceCaps::MaxCubemapWidth},
    {"MaxCubemapHeight: %d", &DeviceCaps::MaxCubemapHeight},
    {"MaxVertexShaderConst: %d", &DeviceCaps::MaxVertexShaderConst},
    {"MaxPixelShaderConst: %d", &DeviceCaps::MaxPixelShaderConst},
};
static_assert(std::size(LIMIT_LINES) == DeviceCapability::FIRST_FORMAT_LINE);
} // namespace

DeviceCapability::DeviceCapability()
{
    m_pContainer = new HWidget(GetPanel());
    m_pContainer->SetGeometry(0.0f, 20.0f, LINE_WIDTH, 600.0f);
    m_pContainer->SetAlignment(ALIGN_HCENTER | ALIGN_TOP);
    for (int i = 0; i < LINE_COUNT; ++i)
    {
        auto* pLine = new HLabel(m_pContainer);
        pLine->SetGeometry(0.0f, LINE_PITCH * static_cast<float>(i), LINE_WIDTH, LINE_HEIGHT);
        pLine->SetBackgroundColor(HColor(0u));
        pLine->SetTextAlignment(ALIGN_HCENTER | ALIGN_VCENTER);
        pLine->SetTextColor(HColor(0xffffffff));
        pLine->SetRenderProxy(new TexRenderProxy(nullptr, 1.0f));
        m_Lines[i] = pLine;
    }
}

void DeviceCapability::Render(RenderImpl* pRenderer)
{
    DeviceCaps caps;
    pRenderer->GetDevice()->GetDeviceCaps(&caps);
    for (int i = 0; i < FIRST_FORMAT_LINE; ++i)
    {
        m_Lines[i]->SetText(LIMIT_LINES[i].m_pFormat, caps.*LIMIT_LINES[i].m_pField);
    }
    // The list ends at its first 0; formats beyond the last line are not shown.
    int line = FIRST_FORMAT_LINE;
    for (int k = 0; k < COMPRESSED_FORMAT_LIST_SIZE && line < LINE_COUNT; ++k)
    {
        const int32_t format = caps.CompressTex[k];
        if (format == 0)
        {
            break;
        }
        m_Lines[line++]->SetText("CompressTex: %d (0x%04X)", format, static_cast<uint32_t>(format));
    }
}
