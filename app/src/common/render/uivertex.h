#pragma once
// The vertex of every GUI quad and glyph, drawn from user memory.

#include <cstdint>

struct UIVertex_t
{
    float x, y, z;
    uint32_t colour; // 0xAARRGGBB
    float u, v;
};
static_assert(sizeof(UIVertex_t) == 24, "the UI input layout expects 24-byte vertices");

// Every GUI quad lies at this depth.
inline constexpr float UI_DEPTH = 0.1f;
