#include "rendercore/source/common/inputelement.h"

#include <iterator>

namespace Halvex::RenderCore
{

namespace
{
constexpr uint32_t ELEMENT_TYPE_SIZE[] = {
    4,  // DECL_FLOAT1
    8,  // DECL_FLOAT2
    12, // DECL_FLOAT3
    16, // DECL_FLOAT4
    4,  // DECL_COLOR
    4,  // DECL_UBYTE4
    4,  // DECL_SHORT2
    8,  // DECL_SHORT4
    4,  // DECL_UBYTE4N
    4,  // DECL_SHORT2N
    8,  // DECL_SHORT4N
    4,  // DECL_USHORT2N
    8,  // DECL_USHORT4N
    12, // DECL_UDEC3
    12, // DECL_DEC3N
    4,  // DECL_FLOAT16_2
    8,  // DECL_FLOAT16_4
    0,  // DECL_UNUSED
};
static_assert(std::size(ELEMENT_TYPE_SIZE) == DECL_TYPE_MAX);
} // namespace

uint32_t GetElementTypeSize(uint32_t type)
{
    return type < DECL_TYPE_MAX ? ELEMENT_TYPE_SIZE[type] : 0;
}

uint32_t GetElementKey(const InputElementDesc_t& elem)
{
    return (elem.m_StreamIndex << 30) + (elem.m_Offset << 20) + (elem.m_Type << 15) +
           (elem.m_Method << 10) + (elem.m_Usage << 5) + elem.m_UsageIndex;
}

} // namespace Halvex::RenderCore
