#pragma once
// Bakes the whole data folder in memory (models, textures, the font) and the contact sheet.
// The result depends only on the code and the font files, never on time or chance.

#include <filesystem>
#include <string>
#include <vector>

namespace Halvex::Bake
{

struct BakedFile
{
    std::string path; // inside the data folder, '/'-separated
    std::vector<uint8_t> bytes;
};

struct BakeOutput
{
    std::vector<BakedFile> files;
};

// Where Debian's fonts-dejavu-core puts DejaVuSans.ttf and DejaVuSans-Bold.ttf.
inline const std::filesystem::path DEFAULT_FONT_DIR = "/usr/share/fonts/truetype/dejavu";

// fontDir holds DejaVuSans.ttf and DejaVuSans-Bold.ttf.
bool BakeData(const std::filesystem::path& fontDir, BakeOutput& out, std::string& error);

// The contact sheet (PNG) of the baked textures, labelled in the regular DejaVu Sans.
bool BakeContactSheet(const std::filesystem::path& fontDir, const BakeOutput& baked,
                      std::vector<uint8_t>& png, std::string& error);

// Writes each file under root, creating folders.
bool WriteBakedFiles(const std::filesystem::path& root, const std::vector<BakedFile>& files,
                     std::string& error);

} // namespace Halvex::Bake
