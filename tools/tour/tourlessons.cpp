#include "tourlessons.h"

#include "main/appdriver.h"

#include "rendercore/source/renderdevice/renderdevice.h"
#include "rendercore/source/resource/resourceprofiler.h"

#include <chrono>

namespace
{
IDirect3DDevice9* NativeDevice(AppDriver& driver)
{
    return static_cast<IDirect3DDevice9*>(
        driver.GetApp().GetRenderer()->GetDevice()->GetNativeDevice());
}
} // namespace

bool OpenLesson(AppDriver& driver, const std::string& name, double* pSwitchMs)
{
    int x = 0;
    int y = 0;
    if (!driver.RevealLesson(name, &x, &y))
    {
        return false;
    }
    driver.MoveMouse(x, y, false);
    driver.RunFrames(1);
    driver.PressLeft(x, y);
    driver.RunFrames(1);
    driver.ReleaseLeft(x, y);
    const auto start = std::chrono::steady_clock::now();
    driver.RunFrames(1);
    *pSwitchMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return true;
}

D3D9GL_COUNTERS LastFrameCounters(AppDriver& driver)
{
    D3D9GL_COUNTERS last = {};
    D3D9GL_GetCounters(NativeDevice(driver), nullptr, &last);
    return last;
}

unsigned LiveObjectCount(AppDriver& driver)
{
    UINT count = 0;
    D3D9GL_GetLiveObjectCount(NativeDevice(driver), &count);
    return count;
}

void SetDrawMerging(AppDriver& driver, bool enabled)
{
    D3D9GL_SetDrawMerging(NativeDevice(driver), enabled ? TRUE : FALSE);
}

std::size_t LiveResourceCount(AppDriver& driver)
{
    const auto* pProfiler = driver.GetApp().GetRenderer()->GetDevice()->GetResourceProfiler();
    std::size_t count = 0;
    for (int type = 0; type < Halvex::RenderCore::RES_TYPE_MAX; ++type)
    {
        count += pProfiler->GetResources(type).size();
    }
    return count;
}
