#pragma once
// Saves the bound render targets, binds a set, and later binds the saved ones again
// (BeginRenderTargets / EndRenderTargets of a back end).
//
// Five placeholder textures (four colour, one depth-stencil) hold the saved native
// surfaces as their user data between Begin and End. Brackets do not nest: a second
// Begin before End overwrites the saved surfaces.

#include "rendercore/source/renderdevice/devicetypes.h"

#include <array>
#include <memory>

namespace Halvex::RenderCore
{

class RenderDevice;
class Texture;

class RenderTargetBracket
{
public:
    // The device must be current: the placeholders register with its profiler.
    explicit RenderTargetBracket(RenderDevice* pDevice);
    ~RenderTargetBracket();
    RenderTargetBracket(const RenderTargetBracket&) = delete;
    RenderTargetBracket& operator=(const RenderTargetBracket&) = delete;

    void Begin(const RenderTargetSet* pSet);
    void End(bool resolve);

private:
    RenderDevice* m_pDevice;
    std::array<std::unique_ptr<Texture>, RENDER_TARGET_MAX> m_pSavedColor;
    std::unique_ptr<Texture> m_pSavedDepth;
    RenderTargetSet m_Set;
    bool m_Active = false;
};

} // namespace Halvex::RenderCore
