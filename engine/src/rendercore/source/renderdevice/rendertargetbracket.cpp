#include "rendercore/source/renderdevice/rendertargetbracket.h"

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/texture.h"

namespace Halvex::RenderCore
{

RenderTargetBracket::RenderTargetBracket(RenderDevice* pDevice)
    : m_pDevice(pDevice), m_pSavedDepth(std::make_unique<Texture>())
{
    for (std::unique_ptr<Texture>& pSaved : m_pSavedColor)
    {
        pSaved = std::make_unique<Texture>();
    }
}

RenderTargetBracket::~RenderTargetBracket() = default;

void RenderTargetBracket::Begin(const RenderTargetSet* pSet)
{
    if (!HX_ASSERT(pSet) || !HX_ASSERT(m_pDevice))
    {
        return;
    }
    for (int i = 0; i < RENDER_TARGET_MAX; ++i)
    {
        m_pDevice->GetRenderTarget(i, m_pSavedColor[i].get());
    }
    m_pDevice->GetDepthStencilSurface(m_pSavedDepth.get());
    for (int i = 0; i < RENDER_TARGET_MAX; ++i)
    {
        m_pDevice->SetRenderTarget(i, pSet->m_pColor[i]);
    }
    m_pDevice->SetDepthStencilSurface(pSet->m_pDepthStencil);
    m_Set = *pSet;
    m_Active = true;
}

void RenderTargetBracket::End(bool resolve)
{
    // Without a Begin there is nothing saved: restoring would bind empty surfaces.
    if (!HX_ASSERT(m_Active))
    {
        return;
    }
    if (resolve)
    {
        for (int i = 0; i < RENDER_TARGET_MAX; ++i)
        {
            m_pDevice->ResolveRenderTarget(i, m_Set.m_pColor[i]);
        }
        m_pDevice->ResolveDepthStencilSurface(m_Set.m_pDepthStencil);
    }
    for (int i = 0; i < RENDER_TARGET_MAX; ++i)
    {
        m_pDevice->RestoreRenderTarget(i, m_pSavedColor[i].get());
    }
    m_pDevice->RestoreDepthStencilSurface(m_pSavedDepth.get());
    m_Set = RenderTargetSet();
    m_Active = false;
}

} // namespace Halvex::RenderCore
