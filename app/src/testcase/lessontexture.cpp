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
} // namespace

bool LoadLessonTexture(Texture& texture, const std::string& relative)
{
    const std::string path = GetDataPath(relative);
    Base::FileLoader loader;
    if (!loader.Load(path) || loader.GetSize() == 0)
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "Can not read the texture \"%s\"\n", path.c_str());
        return false;
    }
    if (!texture.LoadFromMemory(loader.GetData(), TEX_2D, static_cast<int>(loader.GetSize()),
                                FMT_UNKNOWN, 1, 0))
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "Can not decode the texture \"%s\"\n",
                  path.c_str());
        return false;
    }
    return true;
}

Texture* BoundTexture(Texture& texture)
{
    return texture.IsLoaded() ? &texture : nullptr;
}
