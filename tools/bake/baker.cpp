#include "baker.h"

#include "contactsheet.h"
#include "fontatlas.h"
#include "models.h"
#include "painters.h"
#include "texturefile.h"

#include <fstream>

namespace Halvex::Bake
{
namespace
{

struct TextureJob
{
    std::string path;
    std::vector<const Canvas*> faces;
    D3DFORMAT format;
    bool mipmaps;
};

bool LoadFont(const std::filesystem::path& path, FontFace& face, std::string& error)
{
    if (!face.Load(path.string()))
    {
        error = "cannot read the DejaVu Sans font " + path.string();
        return false;
    }
    return true;
}

// The textures, the font's atlas and metrics and the icon, in that order.
bool BakeImagesAndFont(const FontFace& regular, const FontFace& bold, BakeOutput& out,
                       std::string& error)
{
    // A 14 pixel em gives 17 pixel lines, which sit inside the GUI's 20 to 24 pixel rows.
    const FontAtlas font = BuildFontAtlas(regular, 14.0f);
    const Canvas panda = PaintPanda(256);
    const Canvas snow = PaintSnow(256);
    const Canvas tree = PaintTree(256);
    const EarthMaps earth = PaintEarth(512, 256);
    const std::array<Canvas, 6> sky = PaintCubemap(256, bold);
    const Canvas wallpaper = PaintWallpaper(512);
    const Canvas porcelain = PaintPorcelain(512, 128);

    const std::vector<TextureJob> jobs = {
        {"_Tex_/panda.dds", {&panda}, D3DFMT_DXT1, true},
        {"_Tex_/snow.dds", {&snow}, D3DFMT_DXT5, true},
        // Alpha testing compares exact alpha values: no compression.
        {"_Tex_/tree01.dds", {&tree}, D3DFMT_A8R8G8B8, true},
        {"_Tex_/Earth_Color.dds", {&earth.colour}, D3DFMT_DXT1, true},
        {"_Tex_/Earth_Night.dds", {&earth.night}, D3DFMT_DXT1, true},
        {"_Tex_/Earth_Normal.dds", {&earth.normal}, D3DFMT_DXT1, true},
        {"_Tex_/Earth_Cloud.dds", {&earth.cloud}, D3DFMT_DXT5, true},
        {"_Tex_/Cubemap.dds",
         {&sky[0], &sky[1], &sky[2], &sky[3], &sky[4], &sky[5]},
         D3DFMT_DXT1,
         true},
        {"_Tex_/Wallpaper_2_512.dds", {&wallpaper}, D3DFMT_DXT1, true},
        {"_Tex_/Porcelain.dds", {&porcelain}, D3DFMT_DXT1, true},
        // The GUI samples the atlas's top level only.
        {"Font/ASCII_1.dds", {&font.atlas}, D3DFMT_A8R8G8B8, false},
    };
    for (const TextureJob& job : jobs)
    {
        BakedFile& file = out.files.emplace_back();
        file.path = job.path;
        if (!EncodeDdsTexture(job.faces, job.format, job.mipmaps, file.bytes, error))
        {
            error = job.path + ": " + error;
            return false;
        }
    }
    out.files.push_back({"Font/ASCII_1.txt", {font.metrics.begin(), font.metrics.end()}});

    // The desktop menu's icon, installed beside the program's menu entry.
    BakedFile& icon = out.files.emplace_back();
    icon.path = "Icon/lumivia.png";
    if (!EncodePng(PaintIcon(256), icon.bytes, error))
    {
        error = icon.path + ": " + error;
        return false;
    }
    return true;
}

} // namespace

bool BakeData(const std::filesystem::path& fontDir, BakeOutput& out, std::string& error)
{
    FontFace regular;
    FontFace bold;
    if (!LoadFont(fontDir / "DejaVuSans.ttf", regular, error) ||
        !LoadFont(fontDir / "DejaVuSans-Bold.ttf", bold, error))
    {
        return false;
    }

    out.files.clear();
    for (const NamedModel& named : BuildModels())
    {
        out.files.push_back({named.path, SerializeModel(named.model)});
    }
    return BakeImagesAndFont(regular, bold, out, error);
}

bool BakeContactSheet(const std::filesystem::path& fontDir, const BakeOutput& baked,
                      std::vector<uint8_t>& png, std::string& error)
{
    FontFace regular;
    if (!LoadFont(fontDir / "DejaVuSans.ttf", regular, error))
    {
        return false;
    }
    std::vector<SheetEntry> sheet;
    for (const BakedFile& file : baked.files)
    {
        if (file.path.ends_with(".dds"))
        {
            sheet.push_back({file.path, &file.bytes});
        }
    }
    return BuildContactSheet(sheet, regular, png, error);
}

bool WriteBakedFiles(const std::filesystem::path& root, const std::vector<BakedFile>& files,
                     std::string& error)
{
    for (const BakedFile& file : files)
    {
        const std::filesystem::path path = root / file.path;
        std::error_code code;
        std::filesystem::create_directories(path.parent_path(), code);
        std::ofstream stream(path, std::ios::binary | std::ios::trunc);
        stream.write(reinterpret_cast<const char*>(file.bytes.data()),
                     static_cast<std::streamsize>(file.bytes.size()));
        if (!stream)
        {
            error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}

} // namespace Halvex::Bake
