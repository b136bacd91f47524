#pragma once
// One element of a vertex stream description, and the enums it uses.

#include <cstdint>

namespace Halvex::RenderCore
{

enum StreamIndex : int32_t
{
    STREAM_0 = 0, // per-vertex data
    STREAM_1 = 1, // per-instance data when drawing instanced
    STREAM_2 = 2,
    STREAM_MAX = 3
};

// The stream value that marks the end of an element list.
inline constexpr uint32_t STREAM_END = 255;

// Most elements a layout reads from one list, terminator included.
inline constexpr int INPUT_ELEMENT_MAX = 64;

enum ElementType : uint32_t
{
    DECL_FLOAT1,    // 4 bytes
    DECL_FLOAT2,    // 8
    DECL_FLOAT3,    // 12
    DECL_FLOAT4,    // 16
    DECL_COLOR,     // 4
    DECL_UBYTE4,    // 4
    DECL_SHORT2,    // 4
    DECL_SHORT4,    // 8
    DECL_UBYTE4N,   // 4
    DECL_SHORT2N,   // 4
    DECL_SHORT4N,   // 8
    DECL_USHORT2N,  // 4
    DECL_USHORT4N,  // 8
    DECL_UDEC3,     // 12
    DECL_DEC3N,     // 12
    DECL_FLOAT16_2, // 4
    DECL_FLOAT16_4, // 8
    DECL_UNUSED,    // 0
    DECL_TYPE_MAX
};

enum ElementMethod : uint32_t
{
    METHOD_DEFAULT,
    METHOD_MAX
};

// There is no pre-transformed position usage.
enum ElementUsage : uint32_t
{
    USAGE_POSITION,
    USAGE_BLENDWEIGHT,
    USAGE_BLENDINDICES,
    USAGE_NORMAL,
    USAGE_PSIZE,
    USAGE_TEXCOORD,
    USAGE_TANGENT,
    USAGE_BINORMAL,
    USAGE_TESSFACTOR,
    USAGE_COLOR,
    USAGE_FOG,
    USAGE_DEPTH,
    USAGE_SAMPLE,
    USAGE_MAX
};

struct InputElementDesc_t
{
    uint32_t m_StreamIndex; // STREAM_0..STREAM_2, or STREAM_END
    uint32_t m_Offset;      // bytes from the start of the stream's vertex
    uint32_t m_Type;        // ElementType
    uint32_t m_Method;      // ElementMethod
    uint32_t m_Usage;       // ElementUsage
    uint32_t m_UsageIndex;  // 0-255
};

// The terminator record callers write at the end of a list.
inline constexpr InputElementDesc_t INPUT_ELEMENT_END = {STREAM_END,     0, DECL_UNUSED,
                                                         METHOD_DEFAULT, 0, 0};

// Bytes a layout counts for an element type; 0 for DECL_UNUSED and unknown values.
uint32_t GetElementTypeSize(uint32_t type);

// Comparison key of an element. The fields' shifts overlap for large values, so the key
// only serves to compare lists.
uint32_t GetElementKey(const InputElementDesc_t& elem);

} // namespace Halvex::RenderCore
