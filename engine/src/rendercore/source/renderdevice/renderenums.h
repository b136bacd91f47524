#pragma once
// The engine's own enumerations for render states, resources and device settings.
//
// The numbers are part of the engine's contract: lesson GUI tables pass a combo box's
// selected index unchanged as a render-state value, and the back end's conversion
// tables are indexed by these values. Every enum with a count ends in a _MAX entry.

#include <cstdint>

namespace Halvex::RenderCore
{

enum RenderStateType : int32_t
{
    RS_FILL_MODE = 0,              // FillMode
    RS_SHADE_MODE = 1,             // ShadeMode
    RS_CULL_MODE = 2,              // CullMode
    RS_Z_ENABLE = 3,               // boolean
    RS_Z_FUNC = 4,                 // CompareFunc
    RS_Z_WRITE_ENABLE = 5,         // boolean
    RS_ALPHA_TEST_ENABLE = 6,      // boolean
    RS_ALPHA_BLEND_ENABLE = 7,     // boolean
    RS_SRC_BLEND = 8,              // BlendFactor
    RS_DEST_BLEND = 9,             // BlendFactor
    RS_ALPHA_FUNC = 10,            // CompareFunc
    RS_ALPHA_REF = 11,             // integer, passed through
    RS_STENCIL_ENABLE = 12,        // boolean
    RS_STENCIL_FAIL = 13,          // StencilOp
    RS_STENCIL_Z_FAIL = 14,        // StencilOp
    RS_STENCIL_PASS = 15,          // StencilOp
    RS_STENCIL_FUNC = 16,          // CompareFunc
    RS_STENCIL_REF = 17,           // integer, passed through
    RS_STENCIL_MASK = 18,          // integer, passed through
    RS_STENCIL_WRITE_MASK = 19,    // integer, passed through
    RS_COLOR_WRITE_ENABLE = 20,    // ColorWriteBit set
    RS_MULTISAMPLE_ANTIALIAS = 21, // boolean
    RS_POINT_SIZE = 22,            // unsigned integer, pixels
    RS_MAX = 23
};

enum ColorWriteBit : uint32_t
{
    COLOR_WRITE_R = 1,
    COLOR_WRITE_G = 2,
    COLOR_WRITE_B = 4,
    COLOR_WRITE_A = 8
};

enum FillMode : int32_t
{
    FILL_POINT,
    FILL_WIREFRAME,
    FILL_SOLID,
    FILL_MAX
};

enum ShadeMode : int32_t
{
    SHADE_FLAT,
    SHADE_GOURAUD,
    SHADE_MAX
};

enum CullMode : int32_t
{
    CULL_NONE,
    CULL_CW,
    CULL_CCW,
    CULL_MAX
};

enum CompareFunc : int32_t
{
    CMP_NEVER,
    CMP_LESS,
    CMP_EQUAL,
    CMP_LESS_EQUAL,
    CMP_GREATER,
    CMP_NOT_EQUAL,
    CMP_GREATER_EQUAL,
    CMP_ALWAYS,
    CMP_MAX
};

enum BlendFactor : int32_t
{
    BLEND_ZERO,
    BLEND_ONE,
    BLEND_SRC_COLOR,
    BLEND_INV_SRC_COLOR,
    BLEND_SRC_ALPHA,
    BLEND_INV_SRC_ALPHA,
    BLEND_DEST_ALPHA,
    BLEND_INV_DEST_ALPHA,
    BLEND_DEST_COLOR,
    BLEND_INV_DEST_COLOR,
    BLEND_MAX
};

enum StencilOp : int32_t
{
    STENCIL_OP_KEEP,
    STENCIL_OP_ZERO,
    STENCIL_OP_REPLACE,
    STENCIL_OP_INCR_SAT,
    STENCIL_OP_DECR_SAT,
    STENCIL_OP_INVERT,
    STENCIL_OP_INCR,
    STENCIL_OP_DECR,
    STENCIL_OP_MAX
};

enum PrimitiveType : int32_t
{
    PT_POINT_LIST,
    PT_LINE_LIST,
    PT_LINE_STRIP,
    PT_TRIANGLE_LIST,
    PT_TRIANGLE_STRIP,
    PT_TRIANGLE_FAN,
    PT_MAX
};

enum TextureFormat : int32_t
{
    FMT_UNKNOWN = 0,
    FMT_R8G8B8 = 1,
    FMT_A8R8G8B8 = 2,
    FMT_X8R8G8B8 = 3,
    FMT_R5G6B5 = 4,
    FMT_X1R5G5B5 = 5,
    FMT_A1R5G5B5 = 6,
    FMT_A4R4G4B4 = 7,
    FMT_A8 = 8,
    FMT_A2B10G10R10 = 9,
    FMT_A8B8G8R8 = 10,
    FMT_A2R10G10B10 = 11,
    FMT_A16B16G16R16 = 12,
    FMT_L8 = 13,
    FMT_DXT1 = 14, // 14-18: block-compressed
    FMT_DXT2 = 15,
    FMT_DXT3 = 16,
    FMT_DXT4 = 17,
    FMT_DXT5 = 18,
    FMT_D16_LOCKABLE = 19,
    FMT_D32 = 20,
    FMT_D24S8 = 21,
    FMT_D24X8 = 22,
    FMT_D16 = 23,
    FMT_D32F_LOCKABLE = 24,
    FMT_R16F = 25,
    FMT_G16R16F = 26,
    FMT_A16B16G16R16F = 27,
    FMT_R32F = 28,
    FMT_G32R32F = 29,
    FMT_A32B32G32R32F = 30,
    FMT_MAX = 31
};

enum TextureFilter : int32_t
{
    FILTER_NONE,
    FILTER_POINT,
    FILTER_LINEAR,
    FILTER_ANISOTROPIC,
    FILTER_MAX
};

enum TextureAddress : int32_t
{
    ADDRESS_WRAP,
    ADDRESS_MIRROR,
    ADDRESS_CLAMP,
    ADDRESS_BORDER,
    ADDRESS_MIRROR_ONCE,
    ADDRESS_MAX
};

// For buffers, POOL_DEFAULT means a dynamic buffer and any other pool a managed one.
enum TexturePool : int32_t
{
    POOL_DEFAULT,
    POOL_MANAGED,
    POOL_SYSTEM_MEM,
    POOL_MAX
};

enum LockFlag : int32_t
{
    LOCK_NONE,
    LOCK_DISCARD,
    LOCK_READ_ONLY,
    LOCK_NO_OVERWRITE,
    LOCK_MAX
};

enum MultiSample : int32_t
{
    MULTISAMPLE_NONE,
    MULTISAMPLE_2,
    MULTISAMPLE_4,
    MULTISAMPLE_MAX
};

enum ImageFileFormat : int32_t
{
    IFF_BMP,
    IFF_JPG,
    IFF_TGA,
    IFF_PNG,
    IFF_DDS,
    IFF_PPM,
    IFF_DIB,
    IFF_HDR,
    IFF_PFM,
    IFF_MAX
};

enum ShaderType : int32_t
{
    SHADER_VERTEX = 0,
    SHADER_PIXEL = 1,
    SHADER_TYPE_MAX = 2
};

// Texture::Create also accepts 0, which creates nothing.
enum TextureType : int32_t
{
    TEX_2D = 1,
    TEX_CUBE = 2,
    TEX_VOLUME = 3,
    TEX_TYPE_MAX = 4
};

enum ClearFlag : uint32_t
{
    CLEAR_TARGET = 1,
    CLEAR_DEPTH = 2,
    CLEAR_STENCIL = 4
};

} // namespace Halvex::RenderCore
