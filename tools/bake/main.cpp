// lumivia-bake: generates every file of the data folder from code.
//   lumivia-bake --out DIR [--contact-sheet FILE.png] [--fonts DIR]

#include "baker.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    std::filesystem::path out;
    std::filesystem::path sheet;
    std::filesystem::path fonts = Halvex::Bake::DEFAULT_FONT_DIR;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const std::string option = argv[i];
        if (option == "--out")
        {
            out = argv[i + 1];
        }
        else if (option == "--contact-sheet")
        {
            sheet = argv[i + 1];
        }
        else if (option == "--fonts")
        {
            fonts = argv[i + 1];
        }
        else
        {
            out.clear();
            break;
        }
    }
    if (out.empty() || argc % 2 == 0)
    {
        std::fprintf(stderr, "usage: %s --out DIR [--contact-sheet FILE.png] [--fonts DIR]\n",
                     argv[0]);
        return 2;
    }

    Halvex::Bake::BakeOutput baked;
    std::string error;
    if (!Halvex::Bake::BakeData(fonts, baked, error) ||
        !Halvex::Bake::WriteBakedFiles(out, baked.files, error))
    {
        std::fprintf(stderr, "lumivia-bake: %s\n", error.c_str());
        return 1;
    }
    if (!sheet.empty())
    {
        std::vector<uint8_t> png;
        if (!Halvex::Bake::BakeContactSheet(fonts, baked, png, error))
        {
            std::fprintf(stderr, "lumivia-bake: %s\n", error.c_str());
            return 1;
        }
        std::ofstream file(sheet, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(png.data()),
                   static_cast<std::streamsize>(png.size()));
        if (!file)
        {
            std::fprintf(stderr, "lumivia-bake: cannot write %s\n", sheet.string().c_str());
            return 1;
        }
    }
    std::printf("Baked %zu files into %s\n", baked.files.size(), out.string().c_str());
    return 0;
}
