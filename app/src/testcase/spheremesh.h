#pragma once
// The test sphere: a unit sphere of 50 slices around y, closed by two caps at |y| = 0.96,
// with 48 bands of equal height (not equal angle) between them. Normals equal positions.

#include <vector>

struct SphereVertex_t
{
    float m_Position[3];
    float m_Normal[3];
    float m_TexCoord[2];
};
static_assert(sizeof(SphereVertex_t) == 32);

inline constexpr int SPHERE_SLICES = 50;
// 50 cap triangles at each pole and 48 bands of 50 quads.
inline constexpr int SPHERE_VERTICES = 2 * SPHERE_SLICES * 3 + 48 * SPHERE_SLICES * 6;
static_assert(SPHERE_VERTICES == 14700);

// A triangle list; the seam's vertices (slice 50) coincide with slice 0 but have u = 1.
std::vector<SphereVertex_t> BuildSphere();
