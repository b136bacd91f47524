#include "teapot.h"

#include "meshbuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Halvex::Bake
{
namespace
{

// Newell's units: the lid's knob tops out at z = 3.15, the spout reaches x = 3.525.
constexpr float TOP = 3.15f;
constexpr float SCALE = 4.0f / 6.525f;

enum PatchGroup
{
    GROUP_BODY,
    GROUP_LID,
    GROUP_HANDLE,
    GROUP_SPOUT,
    GROUP_MAX
};

PatchGroup GroupOf(size_t patch)
{
    if (patch >= 12 && patch < 16)
    {
        return GROUP_HANDLE;
    }
    if (patch >= 16 && patch < 20)
    {
        return GROUP_SPOUT;
    }
    if (patch >= 20 && patch < 28)
    {
        return GROUP_LID;
    }
    return GROUP_BODY; // rim, body and base
}

// Newell's z-up point in the model frame (y up, spout on +x), unscaled.
Vector3f ToModel(const TeapotPoint& p)
{
    return {p[0], p[2], -p[1]};
}

void Bernstein(float t, float* pWeights, float* pDerivatives)
{
    const float s = 1.0f - t;
    pWeights[0] = s * s * s;
    pWeights[1] = 3.0f * t * s * s;
    pWeights[2] = 3.0f * t * t * s;
    pWeights[3] = t * t * t;
    pDerivatives[0] = -3.0f * s * s;
    pDerivatives[1] = 3.0f * s * s - 6.0f * t * s;
    pDerivatives[2] = 6.0f * t * s - 3.0f * t * t;
    pDerivatives[3] = 3.0f * t * t;
}

struct SurfacePoint
{
    Vector3f position;
    Vector3f normal; // unnormalised, zero where the patch collapses to a point
};

// Columns of a patch run along s, rows along t.
SurfacePoint Evaluate(const TeapotPatch& patch, float s, float t)
{
    float ws[4], ds[4], wt[4], dt[4];
    Bernstein(s, ws, ds);
    Bernstein(t, wt, dt);
    SurfacePoint point;
    Vector3f alongS, alongT;
    for (size_t row = 0; row < 4; ++row)
    {
        for (size_t column = 0; column < 4; ++column)
        {
            const Vector3f p = ToModel(TEAPOT_POINTS[patch[row * 4 + column]]);
            point.position += p * (ws[column] * wt[row]);
            alongS += p * (ds[column] * wt[row]);
            alongT += p * (ws[column] * dt[row]);
        }
    }
    point.normal = MATH::Cross(alongS, alongT);
    return point;
}

// Where a patch edge collapses (the knob's tip, the base's centre) the normal is taken a
// little way inside the patch.
Vector3f NormalAt(const TeapotPatch& patch, float s, float t)
{
    Vector3f normal = Evaluate(patch, s, t).normal;
    for (float step = 0.01f; MATH::Length(normal) < 1e-5f && step < 0.5f; step *= 2.0f)
    {
        normal = Evaluate(patch, s, t < 0.5f ? t + step : t - step).normal;
    }
    return MATH::Normalize(normal);
}

// The published patches do not agree on which side their parameters' normal faces, so each
// patch is turned to face away from its inside: the teapot's axis for the rotational parts,
// the middle of the tube's cross-section for the handle and the spout.
float OutwardSign(const TeapotPatch& patch, PatchGroup group)
{
    const SurfacePoint middle = Evaluate(patch, 0.5f, 0.5f);
    Vector3f inside(0.0f, 1.2f, 0.0f);
    if (group == GROUP_HANDLE || group == GROUP_SPOUT)
    {
        inside =
            (Evaluate(patch, 0.0f, 0.5f).position + Evaluate(patch, 1.0f, 0.5f).position) * 0.5f;
    }
    return MATH::Dot(middle.normal, middle.position - inside) < 0.0f ? -1.0f : 1.0f;
}

// Around the axis, 0 and 1 behind the handle (-x), growing to the right seen from outside.
float TurnOf(const Vector3f& p)
{
    return 0.5f -
           static_cast<float>(std::atan2(static_cast<double>(p.z), static_cast<double>(p.x)) /
                              (2.0 * std::numbers::pi));
}

} // namespace

Bin_Mesh MakeTeapot(int segments, const std::string& textureName)
{
    Bin_Mesh mesh;
    mesh.name = "Teapot";
    const char* names[GROUP_MAX] = {"Body", "Lid", "Handle", "Spout"};
    mesh.materials.resize(GROUP_MAX);
    for (size_t group = 0; group < GROUP_MAX; ++group)
    {
        Bin_Material& material = mesh.materials[group];
        material.name = names[group];
        if (group == GROUP_BODY || group == GROUP_LID)
        {
            material.textureName = textureName;
        }
        else
        {
            material.colours[0] = Vector4f(0.85f, 0.65f, 0.25f, 1.0f);
        }
    }

    const Vector3f centre(0.0f, TOP * 0.5f, 0.0f);
    for (size_t index = 0; index < TEAPOT_PATCHES.size(); ++index)
    {
        const TeapotPatch& patch = TEAPOT_PATCHES[index];
        const PatchGroup group = GroupOf(index);
        const bool textured = group == GROUP_BODY || group == GROUP_LID;
        const float sign = OutwardSign(patch, group);
        const float middleTurn = TurnOf(Evaluate(patch, 0.5f, 0.5f).position);
        MeshBuilder builder(mesh.materials[group]);
        builder.AddGrid(segments, segments,
                        [&](float s, float t)
                        {
                            const Vector3f p = Evaluate(patch, s, t).position;
                            Bin_Vertex vertex;
                            vertex.position = (p - centre) * SCALE;
                            vertex.normal = NormalAt(patch, s, t) * sign;
                            vertex.u = s;
                            vertex.v = t;
                            if (textured)
                            {
                                // Unwrapped per patch so no patch straddles the seam; points
                                // on the axis take the patch's middle turn.
                                float turn = std::hypot(p.x, p.z) < 1e-4f ? middleTurn : TurnOf(p);
                                turn += std::round(middleTurn - turn);
                                vertex.u = std::clamp(turn, 0.0f, 1.0f);
                                vertex.v = std::clamp((TOP - p.y) / TOP, 0.0f, 1.0f);
                            }
                            else
                            {
                                vertex.colour = 0xffd9a640;
                            }
                            return vertex;
                        });
    }
    return mesh;
}

} // namespace Halvex::Bake
