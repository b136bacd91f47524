// Render and sampler states and formats written as Direct3D names, for captured events.

#include "d3d9gl/framecapture.h"
#include "d3d9gl/statenames.h"

#include <cstdio>
#include <cstring>

namespace d3d9gl
{
namespace
{

constexpr ValueName_t COMPARE_NAMES[] = {
    VALUE_NAME(D3DCMP_NEVER),        VALUE_NAME(D3DCMP_LESS),    VALUE_NAME(D3DCMP_EQUAL),
    VALUE_NAME(D3DCMP_LESSEQUAL),    VALUE_NAME(D3DCMP_GREATER), VALUE_NAME(D3DCMP_NOTEQUAL),
    VALUE_NAME(D3DCMP_GREATEREQUAL), VALUE_NAME(D3DCMP_ALWAYS)};
constexpr ValueName_t BLEND_NAMES[] = {
    VALUE_NAME(D3DBLEND_ZERO),          VALUE_NAME(D3DBLEND_ONE),
    VALUE_NAME(D3DBLEND_SRCCOLOR),      VALUE_NAME(D3DBLEND_INVSRCCOLOR),
    VALUE_NAME(D3DBLEND_SRCALPHA),      VALUE_NAME(D3DBLEND_INVSRCALPHA),
    VALUE_NAME(D3DBLEND_DESTALPHA),     VALUE_NAME(D3DBLEND_INVDESTALPHA),
    VALUE_NAME(D3DBLEND_DESTCOLOR),     VALUE_NAME(D3DBLEND_INVDESTCOLOR),
    VALUE_NAME(D3DBLEND_SRCALPHASAT),   VALUE_NAME(D3DBLEND_BLENDFACTOR),
    VALUE_NAME(D3DBLEND_INVBLENDFACTOR)};
constexpr ValueName_t BLENDOP_NAMES[] = {
    VALUE_NAME(D3DBLENDOP_ADD), VALUE_NAME(D3DBLENDOP_SUBTRACT), VALUE_NAME(D3DBLENDOP_REVSUBTRACT),
    VALUE_NAME(D3DBLENDOP_MIN), VALUE_NAME(D3DBLENDOP_MAX)};
constexpr ValueName_t STENCILOP_NAMES[] = {
    VALUE_NAME(D3DSTENCILOP_KEEP),    VALUE_NAME(D3DSTENCILOP_ZERO),
    VALUE_NAME(D3DSTENCILOP_REPLACE), VALUE_NAME(D3DSTENCILOP_INCRSAT),
    VALUE_NAME(D3DSTENCILOP_DECRSAT), VALUE_NAME(D3DSTENCILOP_INVERT),
    VALUE_NAME(D3DSTENCILOP_INCR),    VALUE_NAME(D3DSTENCILOP_DECR)};
constexpr ValueName_t CULL_NAMES[] = {VALUE_NAME(D3DCULL_NONE), VALUE_NAME(D3DCULL_CW),
                                      VALUE_NAME(D3DCULL_CCW)};
constexpr ValueName_t FILL_NAMES[] = {VALUE_NAME(D3DFILL_POINT), VALUE_NAME(D3DFILL_WIREFRAME),
                                      VALUE_NAME(D3DFILL_SOLID)};
constexpr ValueName_t SHADE_NAMES[] = {VALUE_NAME(D3DSHADE_FLAT), VALUE_NAME(D3DSHADE_GOURAUD)};
constexpr ValueName_t ZBUFFER_NAMES[] = {VALUE_NAME(D3DZB_FALSE), VALUE_NAME(D3DZB_TRUE),
                                         VALUE_NAME(D3DZB_USEW)};
constexpr ValueName_t BOOL_NAMES[] = {VALUE_NAME(FALSE), VALUE_NAME(TRUE)};
constexpr ValueName_t ADDRESS_NAMES[] = {
    VALUE_NAME(D3DTADDRESS_WRAP), VALUE_NAME(D3DTADDRESS_MIRROR), VALUE_NAME(D3DTADDRESS_CLAMP),
    VALUE_NAME(D3DTADDRESS_BORDER), VALUE_NAME(D3DTADDRESS_MIRRORONCE)};
constexpr ValueName_t FILTER_NAMES[] = {VALUE_NAME(D3DTEXF_NONE), VALUE_NAME(D3DTEXF_POINT),
                                        VALUE_NAME(D3DTEXF_LINEAR),
                                        VALUE_NAME(D3DTEXF_ANISOTROPIC)};
constexpr ValueName_t FORMAT_NAMES[] = {
    VALUE_NAME(D3DFMT_R8G8B8),        VALUE_NAME(D3DFMT_A8R8G8B8), VALUE_NAME(D3DFMT_X8R8G8B8),
    VALUE_NAME(D3DFMT_R5G6B5),        VALUE_NAME(D3DFMT_X1R5G5B5), VALUE_NAME(D3DFMT_A1R5G5B5),
    VALUE_NAME(D3DFMT_A4R4G4B4),      VALUE_NAME(D3DFMT_A8),       VALUE_NAME(D3DFMT_A8B8G8R8),
    VALUE_NAME(D3DFMT_X8B8G8R8),      VALUE_NAME(D3DFMT_G16R16),   VALUE_NAME(D3DFMT_A2R10G10B10),
    VALUE_NAME(D3DFMT_A16B16G16R16),  VALUE_NAME(D3DFMT_L8),       VALUE_NAME(D3DFMT_A8L8),
    VALUE_NAME(D3DFMT_V8U8),          VALUE_NAME(D3DFMT_DXT1),     VALUE_NAME(D3DFMT_DXT3),
    VALUE_NAME(D3DFMT_DXT5),          VALUE_NAME(D3DFMT_D16),      VALUE_NAME(D3DFMT_D24S8),
    VALUE_NAME(D3DFMT_D24X8),         VALUE_NAME(D3DFMT_D32),      VALUE_NAME(D3DFMT_D24FS8),
    VALUE_NAME(D3DFMT_L16),           VALUE_NAME(D3DFMT_R16F),     VALUE_NAME(D3DFMT_G16R16F),
    VALUE_NAME(D3DFMT_A16B16G16R16F), VALUE_NAME(D3DFMT_R32F),     VALUE_NAME(D3DFMT_G32R32F),
    VALUE_NAME(D3DFMT_A32B32G32R32F)};

// The names a render state's values take; null for numbers, masks and floats.
const char* RenderValueName(D3DRENDERSTATETYPE state, DWORD value)
{
    switch (state)
    {
    case D3DRS_ZFUNC:
    case D3DRS_ALPHAFUNC:
    case D3DRS_STENCILFUNC:
    case D3DRS_CCW_STENCILFUNC:
        return FindName(COMPARE_NAMES, value);
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
    case D3DRS_SRCBLENDALPHA:
    case D3DRS_DESTBLENDALPHA:
        return FindName(BLEND_NAMES, value);
    case D3DRS_BLENDOP:
    case D3DRS_BLENDOPALPHA:
        return FindName(BLENDOP_NAMES, value);
    case D3DRS_STENCILFAIL:
    case D3DRS_STENCILZFAIL:
    case D3DRS_STENCILPASS:
    case D3DRS_CCW_STENCILFAIL:
    case D3DRS_CCW_STENCILZFAIL:
    case D3DRS_CCW_STENCILPASS:
        return FindName(STENCILOP_NAMES, value);
    case D3DRS_CULLMODE:
        return FindName(CULL_NAMES, value);
    case D3DRS_FILLMODE:
        return FindName(FILL_NAMES, value);
    case D3DRS_SHADEMODE:
        return FindName(SHADE_NAMES, value);
    case D3DRS_ZENABLE:
        return FindName(ZBUFFER_NAMES, value);
    case D3DRS_ZWRITEENABLE:
    case D3DRS_ALPHATESTENABLE:
    case D3DRS_ALPHABLENDENABLE:
    case D3DRS_STENCILENABLE:
    case D3DRS_SCISSORTESTENABLE:
    case D3DRS_TWOSIDEDSTENCILMODE:
    case D3DRS_SEPARATEALPHABLENDENABLE:
    case D3DRS_LIGHTING:
    case D3DRS_CLIPPING:
    case D3DRS_LASTPIXEL:
    case D3DRS_MULTISAMPLEANTIALIAS:
    case D3DRS_POINTSPRITEENABLE:
    case D3DRS_FOGENABLE:
        return FindName(BOOL_NAMES, value);
    default:
        return nullptr;
    }
}

bool IsFloatState(D3DRENDERSTATETYPE state)
{
    return state == D3DRS_DEPTHBIAS || state == D3DRS_SLOPESCALEDEPTHBIAS ||
           state == D3DRS_POINTSIZE || state == D3DRS_POINTSIZE_MIN ||
           state == D3DRS_POINTSIZE_MAX || state == D3DRS_FOGSTART || state == D3DRS_FOGEND ||
           state == D3DRS_FOGDENSITY;
}

std::string NumberText(DWORD value, bool asFloat)
{
    char text[32];
    if (asFloat)
    {
        float number = 0.0f;
        std::memcpy(&number, &value, sizeof(number));
        std::snprintf(text, sizeof(text), "%g", double(number));
    }
    else
    {
        std::snprintf(text, sizeof(text), value < 16 ? "%u" : "0x%08X", unsigned(value));
    }
    return text;
}

std::string Assignment(const char* pName, const char* pValue, const std::string& number)
{
    return std::string(pName) + " = " + (pValue ? std::string(pValue) : number);
}

} // namespace

std::string RenderStateText(D3DRENDERSTATETYPE state, DWORD value)
{
    const char* pName = RenderStateName(state);
    if (!pName)
        return {};
    return Assignment(pName, RenderValueName(state, value), NumberText(value, IsFloatState(state)));
}

std::string SamplerStateText(D3DSAMPLERSTATETYPE state, DWORD value)
{
    const char* pName = SamplerStateName(state);
    if (!pName)
        return {};
    const char* pValue = nullptr;
    if (state >= D3DSAMP_ADDRESSU && state <= D3DSAMP_ADDRESSW)
        pValue = FindName(ADDRESS_NAMES, value);
    else if (state >= D3DSAMP_MAGFILTER && state <= D3DSAMP_MIPFILTER)
        pValue = FindName(FILTER_NAMES, value);
    return Assignment(pName, pValue, NumberText(value, state == D3DSAMP_MIPMAPLODBIAS));
}

std::string FormatName(D3DFORMAT format)
{
    const char* pName = FindName(FORMAT_NAMES, DWORD(format));
    return pName ? std::string(pName) : "D3DFMT " + std::to_string(unsigned(format));
}

} // namespace d3d9gl
