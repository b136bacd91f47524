#include "main/screenshot.h"

#include "testcase/datapath.h"

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace
{
constexpr const char* MODULE = "SCREENSHOT";

// "lumivia-20261206-231502.png", with "-2", "-3" ... added when that name is taken.
std::filesystem::path NewFileName(const std::filesystem::path& folder)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof(stamp), "lumivia-%Y%m%d-%H%M%S", &local);
    std::filesystem::path path = folder / (std::string(stamp) + ".png");
    for (int n = 2; std::filesystem::exists(path); ++n)
    {
        path = folder / (std::string(stamp) + "-" + std::to_string(n) + ".png");
    }
    return path;
}
} // namespace

std::string SaveScreenshot(Halvex::RenderCore::RenderDevice* pDevice)
{
    if (!pDevice)
    {
        return {};
    }
    const std::filesystem::path folder = GetDataPath("screenshots");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
    {
        Halvex::Base::Log(MODULE, Halvex::Base::LOG_LEVEL_ERROR,
                          "Can not make the folder \"%s\": %s\n", folder.c_str(),
                          error.message().c_str());
        return {};
    }
    const std::filesystem::path path = NewFileName(folder);
    pDevice->SaveBackBufferToFile(path.string(), Halvex::RenderCore::IFF_PNG);
    if (!std::filesystem::exists(path))
    {
        Halvex::Base::Log(MODULE, Halvex::Base::LOG_LEVEL_ERROR, "Can not write \"%s\"\n",
                          path.c_str());
        return {};
    }
    const std::string absolute = std::filesystem::absolute(path).lexically_normal().string();
    Halvex::Base::Log(MODULE, Halvex::Base::LOG_LEVEL_WARNING_1, "Saved %s\n", absolute.c_str());
    return absolute;
}
