#include "main/lessonnotes.h"

#include "testcase/datapath.h"

#include "base/source/system/logger.h"

#include <fstream>
#include <sstream>

std::string LoadLessonNotes(const std::string& name)
{
    const std::string path = GetDataPath("Data/Notes/" + name + ".txt");
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (file)
    {
        text << file.rdbuf();
    }
    std::string notes = text.str();
    if (notes.find_first_not_of(" \t\r\n") == std::string::npos)
    {
        Halvex::Base::Log("NOTES", Halvex::Base::LOG_LEVEL_WARNING_1,
                          "No notes for \"%s\": \"%s\" is missing or empty\n", name.c_str(),
                          path.c_str());
        return {};
    }
    return notes;
}
