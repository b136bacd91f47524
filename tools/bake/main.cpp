// lumivia-bake: generates every file of the data folder from code.
//   lumivia-bake --out DIR [--contact-sheet FILE.png] [--fonts DIR]

#include "baker.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace
{

struct BakeArgs
{
    std::filesystem::path out;
    std::filesystem::path sheet;
    std::filesystem::path fonts = Halvex::Bake::DEFAULT_FONT_DIR;
};

// False for an unknown option or an option without its value, or without --out.
bool ParseArgs(int argc, char** argv, BakeArgs& args)
{
    if (argc % 2 == 0)
    {
        return false;
    }
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const std::string option = argv[i];
        if (option == "--out")
        {
            args.out = argv[i + 1];
        }
        else if (option == "--contact-sheet")
        {
            args.sheet = argv[i + 1];
        }
        else if (option == "--fonts")
        {
            args.fonts = argv[i + 1];
        }
        else
        {
            return false;
        }
    }
    return !args.out.empty();
}

bool WriteContactSheet(const BakeArgs& args, const Halvex::Bake::BakeOutput& baked,
                       std::string& error)
{
    std::vector<uint8_t> png;
    if (!Halvex::Bake::BakeContactSheet(args.fonts, baked, png, error))
    {
        return false;
    }
    std::ofstream file(args.sheet, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!file)
    {
        error = "cannot write " + args.sheet.string();
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    BakeArgs args;
    if (!ParseArgs(argc, argv, args))
    {
        std::fprintf(stderr, "usage: %s --out DIR [--contact-sheet FILE.png] [--fonts DIR]\n",
                     argv[0]);
        return 2;
    }

    Halvex::Bake::BakeOutput baked;
    std::string error;
    if (!Halvex::Bake::BakeData(args.fonts, baked, error) ||
        !Halvex::Bake::WriteBakedFiles(args.out, baked.files, error) ||
        (!args.sheet.empty() && !WriteContactSheet(args, baked, error)))
    {
        std::fprintf(stderr, "lumivia-bake: %s\n", error.c_str());
        return 1;
    }
    std::printf("Baked %zu files into %s\n", baked.files.size(), args.out.string().c_str());
    return 0;
}
