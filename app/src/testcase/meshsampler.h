#pragma once
// How the lessons sample their mesh textures: linear filtering, clamped addressing.

#include "rendercore/source/renderdevice/devicetypes.h"

inline constexpr Halvex::RenderCore::SamplerDesc MESH_SAMPLER{Halvex::RenderCore::FILTER_LINEAR,
                                                              Halvex::RenderCore::FILTER_LINEAR,
                                                              Halvex::RenderCore::FILTER_LINEAR,
                                                              Halvex::RenderCore::ADDRESS_CLAMP,
                                                              Halvex::RenderCore::ADDRESS_CLAMP,
                                                              Halvex::RenderCore::ADDRESS_CLAMP,
                                                              0};
