#include "testcase/lessontexture.h"

#include "testcase/datapath.h"

#include "base/source/system/logger.h"
#include "base/source/utility/fileloader.h"
#include "rendercore/source/resource/texture.h"

using namespace Halvex;
using namespace Halvex::RenderCore;

std::unique_ptr<Texture> LoadLessonTexture(const std::string& relativePath)
{
    const std::string path = GetDataPath(relativePath);
    Base::FileLoader loader;
    if (!loader.Load(path))
    {
        Base::Log("LESSON", Base::LOG_LEVEL_ERROR, "Can not read the texture \"%s\"\n",
                  path.c_str());
        return nullptr;
    }
    auto pTexture = std::make_unique<Texture>();
    if (!pTexture->LoadFromMemory(loader.GetData(), TEX_2D, static_cast<int>(loader.GetSize()),
                                  FMT_UNKNOWN, 1, 0))
    {
        Base::Log("LESSON", Base::LOG_LEVEL_ERROR, "Can not decode the texture \"%s\"\n",
                  path.c_str());
        return nullptr;
    }
    return pTexture;
}
