#include "models.h"

#include "primitives.h"
#include "props.h"
#include "teapot.h"

#include <functional>

namespace Halvex::Bake
{
namespace
{

BinModel SingleMaterial(const std::string& name, const std::string& textureName,
                        const std::function<void(Bin_Material&)>& build)
{
    BinModel model;
    model.name = name;
    Bin_Mesh& mesh = model.meshes.emplace_back();
    mesh.name = name;
    Bin_Material& material = mesh.materials.emplace_back();
    material.name = name;
    material.textureName = textureName;
    build(material);
    return model;
}

// Four different, strongly coloured corners on every face, so that flat shading (one
// colour per triangle) and Gouraud shading (blended corners) look nothing alike.
std::array<FaceColours, 6> CornerColours()
{
    constexpr uint32_t PALETTE[6] = {0xffff5a5a, 0xffffe14d, 0xff52e07a,
                                     0xff5a8cff, 0xffe65ae6, 0xff4de6e6};
    std::array<FaceColours, 6> faces{};
    for (size_t face = 0; face < faces.size(); ++face)
    {
        for (size_t corner = 0; corner < 4; ++corner)
        {
            faces[face][corner] = PALETTE[(face + corner * 2 + corner / 2) % 6];
        }
    }
    return faces;
}

} // namespace

std::vector<NamedModel> BuildModels()
{
    const auto cube = [](int n, const std::array<FaceColours, 6>* pColours)
    { return [=](Bin_Material& material) { AddCube(material, n, pColours); }; };
    const std::array<FaceColours, 6> corners = CornerColours();

    std::vector<NamedModel> models;
    models.push_back({"plane.bin", SingleMaterial("plane", "panda.dds", AddPlane)});
    models.push_back({"cube.bin", SingleMaterial("cube", "", cube(1, nullptr))});
    models.push_back(
        {"cube_panda.bin", SingleMaterial("cube_panda", "panda.dds", cube(1, nullptr))});
    models.push_back(
        {"cube_panda_vc.bin", SingleMaterial("cube_panda_vc", "panda.dds", cube(1, &corners))});
    models.push_back({"cube_20.bin", SingleMaterial("cube_20", "", cube(20, nullptr))});
    models.push_back(
        {"sphere_20.bin", SingleMaterial("sphere_20", "Earth_Color.dds",
                                         [](Bin_Material& material)
                                         { AddSphere(material, 1.0f, 20, 20, 0xffffffff); })});
    BinModel nights;
    nights.name = "nights";
    nights.meshes.push_back(MakeTeapot(12, "Porcelain.dds"));
    models.push_back({"nights.bin", std::move(nights)});
    models.push_back({"camera.bin", MakeCameraModel()});
    models.push_back({"light.bin", MakeLightModel()});
    return models;
}

} // namespace Halvex::Bake
