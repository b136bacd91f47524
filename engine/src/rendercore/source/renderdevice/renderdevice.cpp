#include "rendercore/source/renderdevice/renderdevice.h"

#include "base/source/system/logger.h"
#include "rendercore/source/common/inputlayoutpool.h"
#include "rendercore/source/resource/resourceprofiler.h"

#include <iterator>

namespace Halvex::RenderCore
{

using Base::Log;
using Base::LOG_LEVEL_ERROR;

namespace
{
RenderDevice* g_pRenderDevice = nullptr;

struct DefaultRenderState
{
    RenderStateType m_State;
    uint32_t m_Value;
};

// Applied in this order. The stencil masks default to 255, not to all 32 bits.
constexpr DefaultRenderState DEFAULT_RENDER_STATES[] = {
    {RS_FILL_MODE, FILL_SOLID},
    {RS_SHADE_MODE, SHADE_GOURAUD},
    {RS_CULL_MODE, CULL_CCW},
    {RS_Z_ENABLE, 1},
    {RS_Z_FUNC, CMP_LESS_EQUAL},
    {RS_Z_WRITE_ENABLE, 1},
    {RS_ALPHA_TEST_ENABLE, 0},
    {RS_ALPHA_BLEND_ENABLE, 0},
    {RS_SRC_BLEND, BLEND_SRC_ALPHA},
    {RS_DEST_BLEND, BLEND_INV_SRC_ALPHA},
    {RS_ALPHA_FUNC, CMP_ALWAYS},
    {RS_ALPHA_REF, 0},
    {RS_STENCIL_ENABLE, 0},
    {RS_STENCIL_FAIL, STENCIL_OP_KEEP},
    {RS_STENCIL_Z_FAIL, STENCIL_OP_KEEP},
    {RS_STENCIL_PASS, STENCIL_OP_KEEP},
    {RS_STENCIL_FUNC, CMP_ALWAYS},
    {RS_STENCIL_REF, 0},
    {RS_STENCIL_MASK, 255},
    {RS_STENCIL_WRITE_MASK, 255},
    {RS_COLOR_WRITE_ENABLE, COLOR_WRITE_R | COLOR_WRITE_G | COLOR_WRITE_B | COLOR_WRITE_A},
    {RS_MULTISAMPLE_ANTIALIAS, 0},
    {RS_POINT_SIZE, 1},
};
static_assert(std::size(DEFAULT_RENDER_STATES) == RS_MAX);
} // namespace

bool SetRenderDevice(RenderDevice* pDevice)
{
    if (g_pRenderDevice)
    {
        return false;
    }
    g_pRenderDevice = pDevice;
    if (pDevice)
    {
        pDevice->Initialize();
    }
    return true;
}

void ReleaseRenderDevice()
{
    if (g_pRenderDevice)
    {
        g_pRenderDevice->Shutdown();
        g_pRenderDevice = nullptr;
    }
}

RenderDevice* GetRenderDevice()
{
    return g_pRenderDevice;
}

RenderDevice::RenderDevice()
    : m_pResourceProfiler(std::make_unique<ResourceProfiler>()),
      m_pInputLayoutPool(std::make_unique<InputLayoutPool>())
{
}

RenderDevice::~RenderDevice() = default;

void RenderDevice::Shutdown()
{
    m_pResourceProfiler.reset();
    m_pInputLayoutPool.reset();
}

InputLayout* RenderDevice::CreateInputLayout(const InputElementDesc_t* elems, int elemCount)
{
    HX_ASSERT(elems && elemCount > 0);
    if (!m_pInputLayoutPool)
    {
        return nullptr;
    }
    return m_pInputLayoutPool->Find(elems, elemCount);
}

void RenderDevice::LockShader(const ShaderPair* pPair)
{
    if (!HX_ASSERT(pPair))
    {
        return;
    }
    SetShaders(pPair);
    ++m_ShaderLockCounter;
}

void RenderDevice::UnlockShader()
{
    if (m_ShaderLockCounter < 1)
    {
        Log(RENDER_CORE_MODULE, LOG_LEVEL_ERROR,
            "After UnlockShader, Shader Lock Counter can not be < 0, but now Shader Lock Counter "
            "is %d",
            m_ShaderLockCounter);
        HX_RAISE("m_ShaderLockCounter >= 1");
    }
    else
    {
        // Only a held lock is released: a negative counter would let the next LockShader
        // end before its own UnlockShader.
        --m_ShaderLockCounter;
    }
    ResetShaders();
}

bool RenderDevice::IsShaderLocked() const
{
    return m_ShaderLockCounter > 0;
}

void RenderDevice::SetDefaultRenderStates()
{
    for (const DefaultRenderState& state : DEFAULT_RENDER_STATES)
    {
        SetRenderState(state.m_State, state.m_Value);
    }
}

} // namespace Halvex::RenderCore
