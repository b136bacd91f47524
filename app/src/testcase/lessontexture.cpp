#include "testcase/lessontexture.h"

#include "testcase/datapath.h"

#include "base/source/system/logger.h"
#include "base/source/utility/fileloader.h"
#include "rendercore/source/resource/texture.h"

using namespace Halvex;
using namespace Halvex::RenderCore;

namespace
{
constexpr const char* MODULE = "LESSON";

// The first error logged while the texture was decoded: the decoder's reason.
std::string FirstError(const Base::DiagnosticCapture& capture)
{
    for (const Base::LogRecord& record : capture.Logs())
    {
        if (record.level == Base::LOG_LEVEL_ERROR)
        {
            return record.message;
        }
    }
    return "the device gave no reason";
}
} // namespace

bool LoadLessonTexture(Texture& texture, const std::string& relative, TextureType type)
{
    const std::string path = GetDataPath(relative);
    Base::FileLoader loader;
    if (!loader.Load(path))
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "Can not read texture \"%s\"", path.c_str());
        return false;
    }
    // Heard while decoding, so that one line names both the file and the reason.
    const Base::DiagnosticCapture capture;
    texture.SetName(relative);
    if (!texture.LoadFromMemory(loader.GetData(), type, static_cast<int>(loader.GetSize()),
                                FMT_UNKNOWN, 1, 0))
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "Can not decode texture \"%s\": %s", path.c_str(),
                  FirstError(capture).c_str());
        return false;
    }
    return true;
}

bool CreateLessonTarget(Texture& texture, int size, bool cube)
{
    if (!texture.CreateRenderTarget(size, size, FMT_A8R8G8B8, 1, cube))
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "Can not create a %d x %d %s render target", size,
                  size, cube ? "cube" : "2D");
        return false;
    }
    return true;
}
