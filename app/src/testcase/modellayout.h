#pragma once
// The input layout of the model vertex (Bin_Vertex): position, normal, packed colour and
// texture coordinate, 36 bytes on stream 0.

#include "rendercore/source/common/inputelement.h"

inline constexpr Halvex::RenderCore::InputElementDesc_t MODEL_LAYOUT[] = {
    {Halvex::RenderCore::STREAM_0, 0, Halvex::RenderCore::DECL_FLOAT3,
     Halvex::RenderCore::METHOD_DEFAULT, Halvex::RenderCore::USAGE_POSITION, 0},
    {Halvex::RenderCore::STREAM_0, 12, Halvex::RenderCore::DECL_FLOAT3,
     Halvex::RenderCore::METHOD_DEFAULT, Halvex::RenderCore::USAGE_NORMAL, 0},
    {Halvex::RenderCore::STREAM_0, 24, Halvex::RenderCore::DECL_COLOR,
     Halvex::RenderCore::METHOD_DEFAULT, Halvex::RenderCore::USAGE_COLOR, 0},
    {Halvex::RenderCore::STREAM_0, 28, Halvex::RenderCore::DECL_FLOAT2,
     Halvex::RenderCore::METHOD_DEFAULT, Halvex::RenderCore::USAGE_TEXCOORD, 0},
    Halvex::RenderCore::INPUT_ELEMENT_END,
};
