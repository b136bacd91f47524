// The device's default state: Direct3D's documented defaults, set on creation and reset.

#include "d3d9gl/device.h"

#include <algorithm>

namespace d3d9gl
{
namespace
{

// Direct3D's documented defaults of every render state the layer acts on.
struct RenderStateDefault_t
{
    D3DRENDERSTATETYPE state;
    DWORD value;
};

constexpr DWORD FLOAT_ONE = 0x3F800000u;
constexpr DWORD FLOAT_64 = 0x42800000u;

constexpr RenderStateDefault_t RENDER_STATE_DEFAULTS[] = {
    {D3DRS_FILLMODE, D3DFILL_SOLID},
    {D3DRS_SHADEMODE, D3DSHADE_GOURAUD},
    {D3DRS_ZWRITEENABLE, TRUE},
    {D3DRS_ALPHATESTENABLE, FALSE},
    {D3DRS_LASTPIXEL, TRUE},
    {D3DRS_SRCBLEND, D3DBLEND_ONE},
    {D3DRS_DESTBLEND, D3DBLEND_ZERO},
    {D3DRS_CULLMODE, D3DCULL_CCW},
    {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
    {D3DRS_ALPHAREF, 0},
    {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
    {D3DRS_ALPHABLENDENABLE, FALSE},
    {D3DRS_STENCILENABLE, FALSE},
    {D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILPASS, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
    {D3DRS_STENCILREF, 0},
    {D3DRS_STENCILMASK, 0xFFFFFFFFu},
    {D3DRS_STENCILWRITEMASK, 0xFFFFFFFFu},
    {D3DRS_TEXTUREFACTOR, 0xFFFFFFFFu},
    {D3DRS_CLIPPING, TRUE},
    {D3DRS_LIGHTING, TRUE},
    {D3DRS_POINTSIZE, FLOAT_ONE},
    {D3DRS_POINTSIZE_MIN, FLOAT_ONE},
    {D3DRS_POINTSIZE_MAX, FLOAT_64},
    {D3DRS_MULTISAMPLEANTIALIAS, TRUE},
    {D3DRS_MULTISAMPLEMASK, 0xFFFFFFFFu},
    {D3DRS_COLORWRITEENABLE, 0xF},
    {D3DRS_COLORWRITEENABLE1, 0xF},
    {D3DRS_COLORWRITEENABLE2, 0xF},
    {D3DRS_COLORWRITEENABLE3, 0xF},
    {D3DRS_BLENDOP, D3DBLENDOP_ADD},
    {D3DRS_SCISSORTESTENABLE, FALSE},
    {D3DRS_SLOPESCALEDEPTHBIAS, 0},
    {D3DRS_DEPTHBIAS, 0},
    {D3DRS_TWOSIDEDSTENCILMODE, FALSE},
    {D3DRS_CCW_STENCILFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_CCW_STENCILZFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_CCW_STENCILPASS, D3DSTENCILOP_KEEP},
    {D3DRS_CCW_STENCILFUNC, D3DCMP_ALWAYS},
    {D3DRS_BLENDFACTOR, 0xFFFFFFFFu},
    {D3DRS_SEPARATEALPHABLENDENABLE, FALSE},
    {D3DRS_SRCBLENDALPHA, D3DBLEND_ONE},
    {D3DRS_DESTBLENDALPHA, D3DBLEND_ZERO},
    {D3DRS_BLENDOPALPHA, D3DBLENDOP_ADD},
};

constexpr DWORD SAMPLER_STATE_DEFAULTS[SAMPLER_STATE_MAX] = {
    0,                // (unused)
    D3DTADDRESS_WRAP, // D3DSAMP_ADDRESSU
    D3DTADDRESS_WRAP, // D3DSAMP_ADDRESSV
    D3DTADDRESS_WRAP, // D3DSAMP_ADDRESSW
    0,                // D3DSAMP_BORDERCOLOR
    D3DTEXF_POINT,    // D3DSAMP_MAGFILTER
    D3DTEXF_POINT,    // D3DSAMP_MINFILTER
    D3DTEXF_NONE,     // D3DSAMP_MIPFILTER
    0,                // D3DSAMP_MIPMAPLODBIAS
    0,                // D3DSAMP_MAXMIPLEVEL
    1,                // D3DSAMP_MAXANISOTROPY
    0,                // D3DSAMP_SRGBTEXTURE
    0,                // D3DSAMP_ELEMENTINDEX
    0,                // D3DSAMP_DMAPOFFSET
};

} // namespace

void FillDefaultStates(bool autoDepthStencil, DWORD* pRenderStates, DWORD* pSamplerStates)
{
    std::fill(pRenderStates, pRenderStates + RENDER_STATE_MAX, 0u);
    for (const RenderStateDefault_t& entry : RENDER_STATE_DEFAULTS)
        pRenderStates[entry.state] = entry.value;
    pRenderStates[D3DRS_ZENABLE] = autoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
    std::copy(std::begin(SAMPLER_STATE_DEFAULTS), std::end(SAMPLER_STATE_DEFAULTS), pSamplerStates);
}

void Device::ResetStates()
{
    for (UINT slot = 0; slot < SAMPLER_SLOT_MAX; ++slot)
    {
        FillDefaultStates(m_Params.EnableAutoDepthStencil != FALSE, m_RenderStates,
                          m_SamplerStates[slot]);
        m_Textures[slot].Reset();
        m_SlotSamplers[slot] = 0;
    }
    for (Stream_t& stream : m_Streams)
        stream = {RefPtr<IDirect3DVertexBuffer9>(), 0, 0, 0, 1};
    m_Indices.Reset();
    m_Declaration.Reset();
    m_VertexShader.Reset();
    m_PixelShader.Reset();
    for (RefPtr<IDirect3DSurface9>& target : m_RenderTargets)
        target.Reset();
    m_DepthStencil = m_AutoDepthStencil;
    IDirect3DSurface9* pBackBuffer = nullptr;
    m_BackBuffer->GetSurfaceLevel(0, &pBackBuffer);
    BindRenderTarget(0, pBackBuffer);
    pBackBuffer->Release();
    // Impossible values, so the first draw writes the state block.
    m_ShaderState = {-1.0f, -1.0f, -1.0f, -1.0f};
    ForgetAppliedState();
}

void Device::ForgetAppliedState()
{
    m_Gl.Invalidate();
    glBindVertexArray(m_Vao);
    for (GLuint location = 0; location < 16; ++location)
        glDisableVertexAttribArray(location);
    m_EnabledAttributes = 0;
    for (ConstantBlock_t& block : m_Constants)
        block.dirty = true;
    m_ShaderStateDirty = true;
    m_DirtySamplers = (1u << SAMPLER_SLOT_MAX) - 1;
    m_SamplerEmulationDirty = !m_Profile.samplerExtras;
    m_Dirty = DIRTY_ALL;
}

} // namespace d3d9gl
