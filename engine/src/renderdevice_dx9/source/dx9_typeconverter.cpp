#include "renderdevice_dx9/source/dx9_typeconverter.h"

#include "base/source/system/logger.h"
#include "d3d9gl/d3d9.h"
#include "d3d9gl/d3dx9.h"
#include "rendercore/source/common/inputelement.h"
#include "rendercore/source/renderdevice/renderenums.h"

#include <cstring>
#include <iterator>

namespace Halvex::RenderCore
{
namespace
{

constexpr Dx9ConvertPair_t FILL_MODE_TABLE[] = {
    {FILL_POINT, D3DFILL_POINT},         // FILL_POINT
    {FILL_WIREFRAME, D3DFILL_WIREFRAME}, // FILL_WIREFRAME
    {FILL_SOLID, D3DFILL_SOLID},         // FILL_SOLID
};
static_assert(std::size(FILL_MODE_TABLE) == FILL_MAX);

constexpr Dx9ConvertPair_t TEXTURE_ADDRESS_TABLE[] = {
    {ADDRESS_WRAP, D3DTADDRESS_WRAP},              // ADDRESS_WRAP
    {ADDRESS_MIRROR, D3DTADDRESS_MIRROR},          // ADDRESS_MIRROR
    {ADDRESS_CLAMP, D3DTADDRESS_CLAMP},            // ADDRESS_CLAMP
    {ADDRESS_BORDER, D3DTADDRESS_BORDER},          // ADDRESS_BORDER
    {ADDRESS_MIRROR_ONCE, D3DTADDRESS_MIRRORONCE}, // ADDRESS_MIRROR_ONCE
};
static_assert(std::size(TEXTURE_ADDRESS_TABLE) == ADDRESS_MAX);

constexpr Dx9ConvertPair_t TEXTURE_FORMAT_TABLE[] = {
    {FMT_UNKNOWN, D3DFMT_UNKNOWN},             // FMT_UNKNOWN
    {FMT_R8G8B8, D3DFMT_R8G8B8},               // FMT_R8G8B8
    {FMT_A8R8G8B8, D3DFMT_A8R8G8B8},           // FMT_A8R8G8B8
    {FMT_X8R8G8B8, D3DFMT_X8R8G8B8},           // FMT_X8R8G8B8
    {FMT_R5G6B5, D3DFMT_R5G6B5},               // FMT_R5G6B5
    {FMT_X1R5G5B5, D3DFMT_X1R5G5B5},           // FMT_X1R5G5B5
    {FMT_A1R5G5B5, D3DFMT_A1R5G5B5},           // FMT_A1R5G5B5
    {FMT_A4R4G4B4, D3DFMT_A4R4G4B4},           // FMT_A4R4G4B4
    {FMT_A8, D3DFMT_A8},                       // FMT_A8
    {FMT_A2B10G10R10, D3DFMT_A2B10G10R10},     // FMT_A2B10G10R10
    {FMT_A8B8G8R8, D3DFMT_A8B8G8R8},           // FMT_A8B8G8R8
    {FMT_A2R10G10B10, D3DFMT_A2R10G10B10},     // FMT_A2R10G10B10
    {FMT_A16B16G16R16, D3DFMT_A16B16G16R16},   // FMT_A16B16G16R16
    {FMT_L8, D3DFMT_L8},                       // FMT_L8
    {FMT_DXT1, D3DFMT_DXT1},                   // FMT_DXT1
    {FMT_DXT2, D3DFMT_DXT2},                   // FMT_DXT2
    {FMT_DXT3, D3DFMT_DXT3},                   // FMT_DXT3
    {FMT_DXT4, D3DFMT_DXT4},                   // FMT_DXT4
    {FMT_DXT5, D3DFMT_DXT5},                   // FMT_DXT5
    {FMT_D16_LOCKABLE, D3DFMT_D16_LOCKABLE},   // FMT_D16_LOCKABLE
    {FMT_D32, D3DFMT_D32},                     // FMT_D32
    {FMT_D24S8, D3DFMT_D24S8},                 // FMT_D24S8
    {FMT_D24X8, D3DFMT_D24X8},                 // FMT_D24X8
    {FMT_D16, D3DFMT_D16},                     // FMT_D16
    {FMT_D32F_LOCKABLE, D3DFMT_D32F_LOCKABLE}, // FMT_D32F_LOCKABLE
    {FMT_R16F, D3DFMT_R16F},                   // FMT_R16F
    {FMT_G16R16F, D3DFMT_G16R16F},             // FMT_G16R16F
    {FMT_A16B16G16R16F, D3DFMT_A16B16G16R16F}, // FMT_A16B16G16R16F
    {FMT_R32F, D3DFMT_R32F},                   // FMT_R32F
    {FMT_G32R32F, D3DFMT_G32R32F},             // FMT_G32R32F
    {FMT_A32B32G32R32F, D3DFMT_A32B32G32R32F}, // FMT_A32B32G32R32F
};
static_assert(std::size(TEXTURE_FORMAT_TABLE) == FMT_MAX);

constexpr Dx9ConvertPair_t IMAGE_FILE_FORMAT_TABLE[] = {
    {IFF_BMP, D3DXIFF_BMP}, // IFF_BMP
    {IFF_JPG, D3DXIFF_JPG}, // IFF_JPG
    {IFF_TGA, D3DXIFF_TGA}, // IFF_TGA
    {IFF_PNG, D3DXIFF_PNG}, // IFF_PNG
    {IFF_DDS, D3DXIFF_DDS}, // IFF_DDS
    {IFF_PPM, D3DXIFF_PPM}, // IFF_PPM
    {IFF_DIB, D3DXIFF_DIB}, // IFF_DIB
    {IFF_HDR, D3DXIFF_HDR}, // IFF_HDR
    {IFF_PFM, D3DXIFF_PFM}, // IFF_PFM
};
static_assert(std::size(IMAGE_FILE_FORMAT_TABLE) == IFF_MAX);

constexpr Dx9ConvertPair_t TEXTURE_FILTER_TABLE[] = {
    {FILTER_NONE, D3DTEXF_NONE},               // FILTER_NONE
    {FILTER_POINT, D3DTEXF_POINT},             // FILTER_POINT
    {FILTER_LINEAR, D3DTEXF_LINEAR},           // FILTER_LINEAR
    {FILTER_ANISOTROPIC, D3DTEXF_ANISOTROPIC}, // FILTER_ANISOTROPIC
};
static_assert(std::size(TEXTURE_FILTER_TABLE) == FILTER_MAX);

constexpr Dx9ConvertPair_t BLEND_FACTOR_TABLE[] = {
    {BLEND_ZERO, D3DBLEND_ZERO},                   // BLEND_ZERO
    {BLEND_ONE, D3DBLEND_ONE},                     // BLEND_ONE
    {BLEND_SRC_COLOR, D3DBLEND_SRCCOLOR},          // BLEND_SRC_COLOR
    {BLEND_INV_SRC_COLOR, D3DBLEND_INVSRCCOLOR},   // BLEND_INV_SRC_COLOR
    {BLEND_SRC_ALPHA, D3DBLEND_SRCALPHA},          // BLEND_SRC_ALPHA
    {BLEND_INV_SRC_ALPHA, D3DBLEND_INVSRCALPHA},   // BLEND_INV_SRC_ALPHA
    {BLEND_DEST_ALPHA, D3DBLEND_DESTALPHA},        // BLEND_DEST_ALPHA
    {BLEND_INV_DEST_ALPHA, D3DBLEND_INVDESTALPHA}, // BLEND_INV_DEST_ALPHA
    {BLEND_DEST_COLOR, D3DBLEND_DESTCOLOR},        // BLEND_DEST_COLOR
    {BLEND_INV_DEST_COLOR, D3DBLEND_INVDESTCOLOR}, // BLEND_INV_DEST_COLOR
};
static_assert(std::size(BLEND_FACTOR_TABLE) == BLEND_MAX);

constexpr Dx9ConvertPair_t PRIMITIVE_TYPE_TABLE[] = {
    {PT_POINT_LIST, D3DPT_POINTLIST},         // PT_POINT_LIST
    {PT_LINE_LIST, D3DPT_LINELIST},           // PT_LINE_LIST
    {PT_LINE_STRIP, D3DPT_LINESTRIP},         // PT_LINE_STRIP
    {PT_TRIANGLE_LIST, D3DPT_TRIANGLELIST},   // PT_TRIANGLE_LIST
    {PT_TRIANGLE_STRIP, D3DPT_TRIANGLESTRIP}, // PT_TRIANGLE_STRIP
    {PT_TRIANGLE_FAN, D3DPT_TRIANGLEFAN},     // PT_TRIANGLE_FAN
};
static_assert(std::size(PRIMITIVE_TYPE_TABLE) == PT_MAX);

constexpr Dx9ConvertPair_t ELEMENT_TYPE_TABLE[] = {
    {DECL_FLOAT1, D3DDECLTYPE_FLOAT1},       // DECL_FLOAT1
    {DECL_FLOAT2, D3DDECLTYPE_FLOAT2},       // DECL_FLOAT2
    {DECL_FLOAT3, D3DDECLTYPE_FLOAT3},       // DECL_FLOAT3
    {DECL_FLOAT4, D3DDECLTYPE_FLOAT4},       // DECL_FLOAT4
    {DECL_COLOR, D3DDECLTYPE_D3DCOLOR},      // DECL_COLOR
    {DECL_UBYTE4, D3DDECLTYPE_UBYTE4},       // DECL_UBYTE4
    {DECL_SHORT2, D3DDECLTYPE_SHORT2},       // DECL_SHORT2
    {DECL_SHORT4, D3DDECLTYPE_SHORT4},       // DECL_SHORT4
    {DECL_UBYTE4N, D3DDECLTYPE_UBYTE4N},     // DECL_UBYTE4N
    {DECL_SHORT2N, D3DDECLTYPE_SHORT2N},     // DECL_SHORT2N
    {DECL_SHORT4N, D3DDECLTYPE_SHORT4N},     // DECL_SHORT4N
    {DECL_USHORT2N, D3DDECLTYPE_USHORT2N},   // DECL_USHORT2N
    {DECL_USHORT4N, D3DDECLTYPE_USHORT4N},   // DECL_USHORT4N
    {DECL_UDEC3, D3DDECLTYPE_UDEC3},         // DECL_UDEC3
    {DECL_DEC3N, D3DDECLTYPE_DEC3N},         // DECL_DEC3N
    {DECL_FLOAT16_2, D3DDECLTYPE_FLOAT16_2}, // DECL_FLOAT16_2
    {DECL_FLOAT16_4, D3DDECLTYPE_FLOAT16_4}, // DECL_FLOAT16_4
    {DECL_UNUSED, D3DDECLTYPE_UNUSED},       // DECL_UNUSED
};
static_assert(std::size(ELEMENT_TYPE_TABLE) == DECL_TYPE_MAX);

constexpr Dx9ConvertPair_t ELEMENT_METHOD_TABLE[] = {
    {METHOD_DEFAULT, D3DDECLMETHOD_DEFAULT}, // METHOD_DEFAULT
};
static_assert(std::size(ELEMENT_METHOD_TABLE) == METHOD_MAX);

// Native usage 9 (pre-transformed position) has no engine value.
constexpr Dx9ConvertPair_t ELEMENT_USAGE_TABLE[] = {
    {USAGE_POSITION, D3DDECLUSAGE_POSITION},         // USAGE_POSITION
    {USAGE_BLENDWEIGHT, D3DDECLUSAGE_BLENDWEIGHT},   // USAGE_BLENDWEIGHT
    {USAGE_BLENDINDICES, D3DDECLUSAGE_BLENDINDICES}, // USAGE_BLENDINDICES
    {USAGE_NORMAL, D3DDECLUSAGE_NORMAL},             // USAGE_NORMAL
    {USAGE_PSIZE, D3DDECLUSAGE_PSIZE},               // USAGE_PSIZE
    {USAGE_TEXCOORD, D3DDECLUSAGE_TEXCOORD},         // USAGE_TEXCOORD
    {USAGE_TANGENT, D3DDECLUSAGE_TANGENT},           // USAGE_TANGENT
    {USAGE_BINORMAL, D3DDECLUSAGE_BINORMAL},         // USAGE_BINORMAL
    {USAGE_TESSFACTOR, D3DDECLUSAGE_TESSFACTOR},     // USAGE_TESSFACTOR
    {USAGE_COLOR, D3DDECLUSAGE_COLOR},               // USAGE_COLOR
    {USAGE_FOG, D3DDECLUSAGE_FOG},                   // USAGE_FOG
    {USAGE_DEPTH, D3DDECLUSAGE_DEPTH},               // USAGE_DEPTH
    {USAGE_SAMPLE, D3DDECLUSAGE_SAMPLE},             // USAGE_SAMPLE
};
static_assert(std::size(ELEMENT_USAGE_TABLE) == USAGE_MAX);

constexpr Dx9ConvertPair_t RENDER_STATE_TABLE[] = {
    {RS_FILL_MODE, D3DRS_FILLMODE},                         // RS_FILL_MODE
    {RS_SHADE_MODE, D3DRS_SHADEMODE},                       // RS_SHADE_MODE
    {RS_CULL_MODE, D3DRS_CULLMODE},                         // RS_CULL_MODE
    {RS_Z_ENABLE, D3DRS_ZENABLE},                           // RS_Z_ENABLE
    {RS_Z_FUNC, D3DRS_ZFUNC},                               // RS_Z_FUNC
    {RS_Z_WRITE_ENABLE, D3DRS_ZWRITEENABLE},                // RS_Z_WRITE_ENABLE
    {RS_ALPHA_TEST_ENABLE, D3DRS_ALPHATESTENABLE},          // RS_ALPHA_TEST_ENABLE
    {RS_ALPHA_BLEND_ENABLE, D3DRS_ALPHABLENDENABLE},        // RS_ALPHA_BLEND_ENABLE
    {RS_SRC_BLEND, D3DRS_SRCBLEND},                         // RS_SRC_BLEND
    {RS_DEST_BLEND, D3DRS_DESTBLEND},                       // RS_DEST_BLEND
    {RS_ALPHA_FUNC, D3DRS_ALPHAFUNC},                       // RS_ALPHA_FUNC
    {RS_ALPHA_REF, D3DRS_ALPHAREF},                         // RS_ALPHA_REF
    {RS_STENCIL_ENABLE, D3DRS_STENCILENABLE},               // RS_STENCIL_ENABLE
    {RS_STENCIL_FAIL, D3DRS_STENCILFAIL},                   // RS_STENCIL_FAIL
    {RS_STENCIL_Z_FAIL, D3DRS_STENCILZFAIL},                // RS_STENCIL_Z_FAIL
    {RS_STENCIL_PASS, D3DRS_STENCILPASS},                   // RS_STENCIL_PASS
    {RS_STENCIL_FUNC, D3DRS_STENCILFUNC},                   // RS_STENCIL_FUNC
    {RS_STENCIL_REF, D3DRS_STENCILREF},                     // RS_STENCIL_REF
    {RS_STENCIL_MASK, D3DRS_STENCILMASK},                   // RS_STENCIL_MASK
    {RS_STENCIL_WRITE_MASK, D3DRS_STENCILWRITEMASK},        // RS_STENCIL_WRITE_MASK
    {RS_COLOR_WRITE_ENABLE, D3DRS_COLORWRITEENABLE},        // RS_COLOR_WRITE_ENABLE
    {RS_MULTISAMPLE_ANTIALIAS, D3DRS_MULTISAMPLEANTIALIAS}, // RS_MULTISAMPLE_ANTIALIAS
    {RS_POINT_SIZE, D3DRS_POINTSIZE},                       // RS_POINT_SIZE
};
static_assert(std::size(RENDER_STATE_TABLE) == RS_MAX);

constexpr Dx9ConvertPair_t SHADE_MODE_TABLE[] = {
    {SHADE_FLAT, D3DSHADE_FLAT},       // SHADE_FLAT
    {SHADE_GOURAUD, D3DSHADE_GOURAUD}, // SHADE_GOURAUD
};
static_assert(std::size(SHADE_MODE_TABLE) == SHADE_MAX);

constexpr Dx9ConvertPair_t CULL_MODE_TABLE[] = {
    {CULL_NONE, D3DCULL_NONE}, // CULL_NONE
    {CULL_CW, D3DCULL_CW},     // CULL_CW
    {CULL_CCW, D3DCULL_CCW},   // CULL_CCW
};
static_assert(std::size(CULL_MODE_TABLE) == CULL_MAX);

constexpr Dx9ConvertPair_t COMPARE_FUNC_TABLE[] = {
    {CMP_NEVER, D3DCMP_NEVER},                // CMP_NEVER
    {CMP_LESS, D3DCMP_LESS},                  // CMP_LESS
    {CMP_EQUAL, D3DCMP_EQUAL},                // CMP_EQUAL
    {CMP_LESS_EQUAL, D3DCMP_LESSEQUAL},       // CMP_LESS_EQUAL
    {CMP_GREATER, D3DCMP_GREATER},            // CMP_GREATER
    {CMP_NOT_EQUAL, D3DCMP_NOTEQUAL},         // CMP_NOT_EQUAL
    {CMP_GREATER_EQUAL, D3DCMP_GREATEREQUAL}, // CMP_GREATER_EQUAL
    {CMP_ALWAYS, D3DCMP_ALWAYS},              // CMP_ALWAYS
};
static_assert(std::size(COMPARE_FUNC_TABLE) == CMP_MAX);

constexpr Dx9ConvertPair_t TEXTURE_POOL_TABLE[] = {
    {POOL_DEFAULT, D3DPOOL_DEFAULT},      // POOL_DEFAULT
    {POOL_MANAGED, D3DPOOL_MANAGED},      // POOL_MANAGED
    {POOL_SYSTEM_MEM, D3DPOOL_SYSTEMMEM}, // POOL_SYSTEM_MEM
};
static_assert(std::size(TEXTURE_POOL_TABLE) == POOL_MAX);

constexpr Dx9ConvertPair_t RENDER_TARGET_TABLE[] = {
    {0, 0}, // render target 0
    {1, 1}, // render target 1
    {2, 2}, // render target 2
    {3, 3}, // render target 3
};

constexpr Dx9ConvertPair_t MULTISAMPLE_TABLE[] = {
    {MULTISAMPLE_NONE, D3DMULTISAMPLE_NONE},   // MULTISAMPLE_NONE
    {MULTISAMPLE_2, D3DMULTISAMPLE_2_SAMPLES}, // MULTISAMPLE_2
    {MULTISAMPLE_4, D3DMULTISAMPLE_4_SAMPLES}, // MULTISAMPLE_4
};
static_assert(std::size(MULTISAMPLE_TABLE) == MULTISAMPLE_MAX);

constexpr Dx9ConvertPair_t LOCK_FLAG_TABLE[] = {
    {LOCK_NONE, 0},                           // LOCK_NONE
    {LOCK_DISCARD, D3DLOCK_DISCARD},          // LOCK_DISCARD
    {LOCK_READ_ONLY, D3DLOCK_READONLY},       // LOCK_READ_ONLY
    {LOCK_NO_OVERWRITE, D3DLOCK_NOOVERWRITE}, // LOCK_NO_OVERWRITE
};
static_assert(std::size(LOCK_FLAG_TABLE) == LOCK_MAX);

constexpr Dx9ConvertPair_t STENCIL_OP_TABLE[] = {
    {STENCIL_OP_KEEP, D3DSTENCILOP_KEEP},        // STENCIL_OP_KEEP
    {STENCIL_OP_ZERO, D3DSTENCILOP_ZERO},        // STENCIL_OP_ZERO
    {STENCIL_OP_REPLACE, D3DSTENCILOP_REPLACE},  // STENCIL_OP_REPLACE
    {STENCIL_OP_INCR_SAT, D3DSTENCILOP_INCRSAT}, // STENCIL_OP_INCR_SAT
    {STENCIL_OP_DECR_SAT, D3DSTENCILOP_DECRSAT}, // STENCIL_OP_DECR_SAT
    {STENCIL_OP_INVERT, D3DSTENCILOP_INVERT},    // STENCIL_OP_INVERT
    {STENCIL_OP_INCR, D3DSTENCILOP_INCR},        // STENCIL_OP_INCR
    {STENCIL_OP_DECR, D3DSTENCILOP_DECR},        // STENCIL_OP_DECR
};
static_assert(std::size(STENCIL_OP_TABLE) == STENCIL_OP_MAX);

struct ConvertTable_t
{
    const Dx9ConvertPair_t* m_pEntries;
    int m_Count;
};

template <size_t N> constexpr ConvertTable_t MakeTable(const Dx9ConvertPair_t (&entries)[N])
{
    return {entries, static_cast<int>(N)};
}

constexpr ConvertTable_t CONVERT_TABLES[] = {
    MakeTable(FILL_MODE_TABLE),         // CONVERT_FILL_MODE
    {nullptr, 0},                       // id 1 has no table
    MakeTable(TEXTURE_ADDRESS_TABLE),   // CONVERT_TEXTURE_ADDRESS
    MakeTable(TEXTURE_FORMAT_TABLE),    // CONVERT_TEXTURE_FORMAT
    MakeTable(IMAGE_FILE_FORMAT_TABLE), // CONVERT_IMAGE_FILE_FORMAT
    MakeTable(TEXTURE_FILTER_TABLE),    // CONVERT_TEXTURE_FILTER
    MakeTable(BLEND_FACTOR_TABLE),      // CONVERT_BLEND_FACTOR
    MakeTable(PRIMITIVE_TYPE_TABLE),    // CONVERT_PRIMITIVE_TYPE
    MakeTable(ELEMENT_TYPE_TABLE),      // CONVERT_ELEMENT_TYPE
    MakeTable(ELEMENT_METHOD_TABLE),    // CONVERT_ELEMENT_METHOD
    MakeTable(ELEMENT_USAGE_TABLE),     // CONVERT_ELEMENT_USAGE
    MakeTable(RENDER_STATE_TABLE),      // CONVERT_RENDER_STATE
    MakeTable(SHADE_MODE_TABLE),        // CONVERT_SHADE_MODE
    MakeTable(CULL_MODE_TABLE),         // CONVERT_CULL_MODE
    MakeTable(COMPARE_FUNC_TABLE),      // CONVERT_COMPARE_FUNC
    MakeTable(TEXTURE_POOL_TABLE),      // CONVERT_TEXTURE_POOL
    MakeTable(RENDER_TARGET_TABLE),     // CONVERT_RENDER_TARGET
    MakeTable(MULTISAMPLE_TABLE),       // CONVERT_MULTISAMPLE
    MakeTable(LOCK_FLAG_TABLE),         // CONVERT_LOCK_FLAG
    MakeTable(STENCIL_OP_TABLE),        // CONVERT_STENCIL_OP
};
static_assert(std::size(CONVERT_TABLES) == CONVERT_MAX);

// Every table lists its engine values in order, so entry i holds engine value i.
constexpr bool IsIndexedByEngineValue(const ConvertTable_t& table)
{
    for (int i = 0; i < table.m_Count; ++i)
    {
        if (table.m_pEntries[i].m_Engine != i)
        {
            return false;
        }
    }
    return true;
}

constexpr bool AllTablesIndexedByEngineValue()
{
    for (const ConvertTable_t& table : CONVERT_TABLES)
    {
        if (!IsIndexedByEngineValue(table))
        {
            return false;
        }
    }
    return true;
}
static_assert(AllTablesIndexedByEngineValue());

const ConvertTable_t* FindTable(int converterId)
{
    if (converterId < 0 || converterId >= CONVERT_MAX || !CONVERT_TABLES[converterId].m_pEntries)
    {
        return nullptr;
    }
    return &CONVERT_TABLES[converterId];
}

} // namespace

DWORD ToNative(int converterId, int engineValue)
{
    const ConvertTable_t* d3dEnum = FindTable(converterId);
    HX_ASSERT(d3dEnum);
    const int rxFormat = engineValue;
    HX_ASSERT(rxFormat >= 0);
    // Values outside the table would read past it; they give 0 instead.
    if (!d3dEnum || rxFormat < 0 || rxFormat >= d3dEnum->m_Count)
    {
        return 0;
    }
    return d3dEnum->m_pEntries[rxFormat].m_Native;
}

int FromNative(int converterId, DWORD nativeValue)
{
    const ConvertTable_t* pTable = FindTable(converterId);
    if (!pTable)
    {
        return 0;
    }
    for (int i = 0; i < pTable->m_Count; ++i)
    {
        if (pTable->m_pEntries[i].m_Native == nativeValue)
        {
            return pTable->m_pEntries[i].m_Engine;
        }
    }
    return 0;
}

namespace
{

enum RenderStateKind
{
    KIND_TABLE,
    KIND_BOOL,
    KIND_PASS,
    KIND_COLOR_MASK,
    KIND_POINT_SIZE,
};

struct RenderStateValue_t
{
    RenderStateKind m_Kind;
    int m_ConverterId; // for KIND_TABLE
};

constexpr RenderStateValue_t RENDER_STATE_VALUES[] = {
    {KIND_TABLE, CONVERT_FILL_MODE},    // RS_FILL_MODE
    {KIND_TABLE, CONVERT_SHADE_MODE},   // RS_SHADE_MODE
    {KIND_TABLE, CONVERT_CULL_MODE},    // RS_CULL_MODE
    {KIND_BOOL, 0},                     // RS_Z_ENABLE
    {KIND_TABLE, CONVERT_COMPARE_FUNC}, // RS_Z_FUNC
    {KIND_BOOL, 0},                     // RS_Z_WRITE_ENABLE
    {KIND_BOOL, 0},                     // RS_ALPHA_TEST_ENABLE
    {KIND_BOOL, 0},                     // RS_ALPHA_BLEND_ENABLE
    {KIND_TABLE, CONVERT_BLEND_FACTOR}, // RS_SRC_BLEND
    {KIND_TABLE, CONVERT_BLEND_FACTOR}, // RS_DEST_BLEND
    {KIND_TABLE, CONVERT_COMPARE_FUNC}, // RS_ALPHA_FUNC
    {KIND_PASS, 0},                     // RS_ALPHA_REF
    {KIND_BOOL, 0},                     // RS_STENCIL_ENABLE
    {KIND_TABLE, CONVERT_STENCIL_OP},   // RS_STENCIL_FAIL
    {KIND_TABLE, CONVERT_STENCIL_OP},   // RS_STENCIL_Z_FAIL
    {KIND_TABLE, CONVERT_STENCIL_OP},   // RS_STENCIL_PASS
    {KIND_TABLE, CONVERT_COMPARE_FUNC}, // RS_STENCIL_FUNC
    {KIND_PASS, 0},                     // RS_STENCIL_REF
    {KIND_PASS, 0},                     // RS_STENCIL_MASK
    {KIND_PASS, 0},                     // RS_STENCIL_WRITE_MASK
    {KIND_COLOR_MASK, 0},               // RS_COLOR_WRITE_ENABLE
    {KIND_BOOL, 0},                     // RS_MULTISAMPLE_ANTIALIAS
    {KIND_POINT_SIZE, 0},               // RS_POINT_SIZE
};
static_assert(std::size(RENDER_STATE_VALUES) == RS_MAX);

constexpr uint32_t COLOR_WRITE_BITS = COLOR_WRITE_R | COLOR_WRITE_G | COLOR_WRITE_B | COLOR_WRITE_A;

} // namespace

DWORD ToNativeRenderStateValue(RenderStateType state, uint32_t value)
{
    if (state < 0 || state >= RS_MAX)
    {
        return value;
    }
    const RenderStateValue_t& kind = RENDER_STATE_VALUES[state];
    switch (kind.m_Kind)
    {
    case KIND_TABLE:
        return ToNative(kind.m_ConverterId, static_cast<int>(value));
    case KIND_BOOL:
        return value != 0 ? TRUE : FALSE;
    case KIND_COLOR_MASK:
        return value & COLOR_WRITE_BITS;
    case KIND_POINT_SIZE:
    {
        const float size = static_cast<float>(value);
        DWORD bits = 0;
        std::memcpy(&bits, &size, sizeof(bits));
        return bits;
    }
    case KIND_PASS:
        break;
    }
    return value;
}

uint32_t FromNativeRenderStateValue(RenderStateType state, DWORD nativeValue)
{
    if (state < 0 || state >= RS_MAX)
    {
        return nativeValue;
    }
    const RenderStateValue_t& kind = RENDER_STATE_VALUES[state];
    switch (kind.m_Kind)
    {
    case KIND_TABLE:
        return static_cast<uint32_t>(FromNative(kind.m_ConverterId, nativeValue));
    case KIND_BOOL:
        return nativeValue != 0 ? 1 : 0;
    case KIND_COLOR_MASK:
        return nativeValue & COLOR_WRITE_BITS;
    case KIND_POINT_SIZE:
    case KIND_PASS:
        break;
    }
    return nativeValue;
}

} // namespace Halvex::RenderCore
