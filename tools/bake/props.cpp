#include "props.h"

#include "meshbuilder.h"
#include "primitives.h"

#include <cmath>
#include <numbers>

namespace Halvex::Bake
{

void AddLathe(Bin_Material& material, const std::vector<ProfilePoint>& profile, int slices,
              uint32_t colour)
{
    MeshBuilder builder(material);
    for (size_t i = 0; i + 1 < profile.size(); ++i)
    {
        const ProfilePoint from = profile[i];
        const ProfilePoint to = profile[i + 1];
        // Perpendicular to the segment, away from the axis for a back-to-front walk.
        const float dr = to.r - from.r;
        const float dz = to.z - from.z;
        const float length = std::hypot(dr, dz);
        const float normalR = dz / length;
        const float normalZ = -dr / length;
        builder.AddGrid(slices, 1,
                        [&](float s, float t)
                        {
                            const double angle = 2.0 * std::numbers::pi * static_cast<double>(s);
                            const float c = static_cast<float>(std::cos(angle));
                            const float sn = static_cast<float>(std::sin(angle));
                            const float r = from.r + (to.r - from.r) * t;
                            Bin_Vertex vertex;
                            vertex.position = {r * c, r * sn, from.z + (to.z - from.z) * t};
                            vertex.normal = {normalR * c, normalR * sn, normalZ};
                            vertex.colour = colour;
                            vertex.u = s;
                            vertex.v = t;
                            return vertex;
                        });
    }
}

BinModel MakeCameraModel()
{
    BinModel model;
    model.name = "camera";
    Bin_Mesh& mesh = model.meshes.emplace_back();
    mesh.name = "Camera";
    mesh.materials.resize(2);
    Bin_Material& body = mesh.materials[0];
    body.name = "Body";
    body.colours[0] = Vector4f(0.24f, 0.27f, 0.34f, 1.0f);
    Bin_Material& lens = mesh.materials[1];
    lens.name = "Lens";
    lens.colours[0] = Vector4f(0.12f, 0.13f, 0.16f, 1.0f);

    Bin_Material unitCube;
    AddCube(unitCube, 1, nullptr);
    MeshBuilder bodyBuilder(body);
    bodyBuilder.AddPlaced(unitCube, {0.2f, 0.25f, 0.3f}, MATH::Matrix4::Translation(0, 0, -0.15f),
                          0xff6a7a96);

    // Two film reels on top, their axles along x.
    Bin_Material reel;
    AddLathe(reel, {{0.0f, -0.04f}, {0.17f, -0.04f}, {0.17f, 0.04f}, {0.0f, 0.04f}}, 24,
             0xffffffff);
    const MATH::Matrix4 sideways =
        MATH::Matrix4::RotationY(static_cast<float>(std::numbers::pi / 2));
    for (float z : {-0.32f, 0.0f})
    {
        bodyBuilder.AddPlaced(reel, {1, 1, 1}, sideways * MATH::Matrix4::Translation(0, 0.42f, z),
                              0xffc4ccd8);
    }

    // Barrel, a flared hood, and the glass facing +z.
    AddLathe(lens, {{0.0f, 0.15f}, {0.11f, 0.15f}, {0.11f, 0.32f}, {0.16f, 0.42f}, {0.13f, 0.42f}},
             24, 0xff34363e);
    AddLathe(lens, {{0.13f, 0.42f}, {0.0f, 0.40f}}, 24, 0xff5f9cf0);
    return model;
}

BinModel MakeLightModel()
{
    BinModel model;
    model.name = "light";
    Bin_Mesh& mesh = model.meshes.emplace_back();
    mesh.name = "Light";
    mesh.materials.resize(2);
    Bin_Material& bulb = mesh.materials[0];
    bulb.name = "Bulb";
    bulb.colours[0] = Vector4f(1.0f, 0.95f, 0.63f, 0.7f);
    bulb.colours[3] = Vector4f(1.0f, 0.95f, 0.63f, 1.0f);
    AddSphere(bulb, 0.18f, 16, 12, 0xb3fff2a0);

    Bin_Material& arrow = mesh.materials[1];
    arrow.name = "Arrow";
    arrow.colours[0] = Vector4f(1.0f, 0.75f, 0.25f, 0.8f);
    AddLathe(arrow, {{0.0f, 0.16f}, {0.04f, 0.16f}, {0.04f, 0.5f}, {0.1f, 0.5f}, {0.0f, 0.75f}}, 16,
             0xccffc040);
    return model;
}

} // namespace Halvex::Bake
