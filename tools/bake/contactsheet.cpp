#include "contactsheet.h"
#include "texturefile.h"

#include "d3d9gl/image/dds.h"
#include "d3d9gl/image/surfacecodec.h"

#include <algorithm>

namespace Halvex::Bake
{
namespace
{

constexpr int SHEET_WIDTH = 1600;
constexpr int MARGIN = 16;
constexpr int LABEL_HEIGHT = 24;
constexpr float LABEL_EM = 15.0f;
constexpr int CHECKER = 8;

bool DecodeLevel0(const d3d9gl::Image& image, UINT face, Canvas& out, std::string& error)
{
    const d3d9gl::ImageSurface& surface = image.Surface(face, 0);
    std::vector<float> texels;
    if (!d3d9gl::DecodeSurface(image.format, surface, texels))
    {
        error = "cannot decode a texture for the contact sheet";
        return false;
    }
    out = Canvas::FromTexels(static_cast<int>(surface.width), static_cast<int>(surface.height),
                             std::move(texels));
    return true;
}

// A dark checkerboard under the picture shows its alpha.
Canvas OnChecker(const Canvas& picture)
{
    Canvas tile(picture.Width(), picture.Height(), Rgba{});
    for (int y = 0; y < tile.Height(); ++y)
    {
        for (int x = 0; x < tile.Width(); ++x)
        {
            tile.Set(x, y, ((x / CHECKER + y / CHECKER) % 2) ? Hex(0x4a4a4a) : Hex(0x2e2e2e));
        }
    }
    tile.Draw(picture, 0, 0);
    return tile;
}

// The six faces unfolded: +Y above +Z, -X +Z +X -Z across the middle, -Y below +Z. Each face
// keeps the orientation it has in the file, so neighbouring edges meet.
Canvas CubeCross(const std::vector<Canvas>& faces, const FontFace& font)
{
    static const char* const NAMES[6] = {"+X", "-X", "+Y", "-Y", "+Z", "-Z"};
    static const int COLUMN[6] = {2, 0, 1, 1, 1, 3};
    static const int ROW[6] = {1, 1, 0, 2, 1, 1};
    const int size = faces[0].Width();
    Canvas cross(size * 4, size * 3, Rgba{0.0f, 0.0f, 0.0f, 0.0f});
    for (size_t face = 0; face < 6; ++face)
    {
        const int x = COLUMN[face] * size;
        const int y = ROW[face] * size;
        cross.Draw(faces[face], x, y);
        cross.Fill(
            [=, w = static_cast<float>(cross.Width())](Point p)
            {
                const float px = p.x * w - static_cast<float>(x);
                const float py = p.y * w - static_cast<float>(y);
                return std::max({2.0f - px, px - 34.0f, 2.0f - py, py - 22.0f}) / w;
            },
            Hex(0x000000, 0.6f));
        font.DrawText(cross, NAMES[face], static_cast<float>(x + 6), static_cast<float>(y + 18),
                      LABEL_EM, Hex(0xffffff));
    }
    return cross;
}

} // namespace

bool BuildContactSheet(const std::vector<SheetEntry>& entries, const FontFace& font,
                       std::vector<uint8_t>& png, std::string& error)
{
    struct Placed
    {
        Canvas picture;
        std::string label;
        int x, y;
    };
    std::vector<Placed> placed;
    int x = MARGIN;
    int y = MARGIN;
    int rowHeight = 0;
    for (const SheetEntry& entry : entries)
    {
        d3d9gl::Image image;
        if (!d3d9gl::ParseDds(entry.pDds->data(), entry.pDds->size(), image, error))
        {
            error = entry.label + ": " + error;
            return false;
        }
        std::vector<Canvas> faces;
        for (UINT face = 0; face < image.FaceCount(); ++face)
        {
            Canvas level(1, 1, Rgba{});
            if (!DecodeLevel0(image, face, level, error))
            {
                return false;
            }
            faces.push_back(OnChecker(level));
        }
        Canvas picture = faces.size() == 6 ? CubeCross(faces, font) : std::move(faces[0]);
        if (x + picture.Width() + MARGIN > SHEET_WIDTH)
        {
            x = MARGIN;
            y += rowHeight + MARGIN;
            rowHeight = 0;
        }
        const int height = picture.Height() + LABEL_HEIGHT;
        placed.push_back({std::move(picture), entry.label, x, y});
        x += placed.back().picture.Width() + MARGIN;
        rowHeight = std::max(rowHeight, height);
    }

    Canvas sheet(SHEET_WIDTH, y + rowHeight + MARGIN, Hex(0x1c1c1e));
    for (const Placed& item : placed)
    {
        font.DrawText(sheet, item.label, static_cast<float>(item.x),
                      static_cast<float>(item.y + 16), LABEL_EM, Hex(0xe8e8e8));
        sheet.Draw(item.picture, item.x, item.y + LABEL_HEIGHT);
    }

    return EncodePng(sheet, png, error);
}

} // namespace Halvex::Bake
