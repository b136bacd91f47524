#include "testcase/lessontexture.h"

#include "testcase/datapath.h"

#include "base/source/system/logger.h"
#include "base/source/utility/fileloader.h"
#include "rendercore/source/resource/texture.h"

using namespace Halvex;

bool LoadLessonTexture(RenderCore::Texture& texture, const std::string& relative,
                       RenderCore::TextureType type)
{
    const std::string path = GetDataPath(relative);
    Base::FileLoader loader;
    if (!loader.Load(path))
    {
        Base::Log("LESSON", Base::LOG_LEVEL_ERROR, "Can not read the texture \"%s\"\n",
                  path.c_str());
        return false;
    }
    // The back end reports a file it cannot decode.
    return texture.LoadFromMemory(loader.GetData(), type, static_cast<int>(loader.GetSize()),
                                  RenderCore::FMT_UNKNOWN, 1, 0);
}
