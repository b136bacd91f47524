// A minimised window has an empty drawable: the program then renders nothing, raises no GL
// error and waits for the next event instead of spinning. SDL's offscreen driver never
// gives an empty drawable, so this test program stands in for SDL's drawable query.

#include "apptest.h"
#include "main/mainwindow.h"

#include "d3d9gl/d3d9gl.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <dlfcn.h>
#include <thread>

namespace
{
bool g_EmptyDrawable = false;
} // namespace

// Found before SDL's own, by the device and the main loop as well as by the test.
extern "C" void SDL_GL_GetDrawableSize(SDL_Window* pWindow, int* pWidth, int* pHeight)
{
    if (g_EmptyDrawable)
    {
        *pWidth = 0;
        *pHeight = 0;
        return;
    }
    using Query = void (*)(SDL_Window*, int*, int*);
    static const auto sdlQuery = reinterpret_cast<Query>(dlsym(RTLD_NEXT, __func__));
    sdlQuery(pWindow, pWidth, pHeight);
}

namespace
{
class MinimisedWindow : public AppTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driver.Start());
        driver.RunFrames(2);
        g_EmptyDrawable = true;
    }
    void TearDown() override
    {
        g_EmptyDrawable = false;
        AppTest::TearDown();
    }
};

TEST_F(MinimisedWindow, TheLoopWaitsForTheNextEventAndRendersNoFrame)
{
    driver.DispatchEvents();
    auto* pDevice = static_cast<IDirect3DDevice9*>(
        driver.GetApp().GetRenderer()->GetDevice()->GetNativeDevice());
    ASSERT_EQ(D3D9GL_ResetCounters(pDevice), D3D_OK);
    // Nothing waits, so the turn would render; minimised, it waits for this event instead.
    std::thread later(
        []
        {
            SDL_Delay(100);
            SDL_Event event = {};
            event.type = SDL_USEREVENT;
            SDL_PushEvent(&event);
        });
    EXPECT_TRUE(RunIdleTurn(driver.GetApp()));
    later.join();
    D3D9GL_COUNTERS current = {};
    D3D9GL_COUNTERS lastFrame = {};
    ASSERT_EQ(D3D9GL_GetCounters(pDevice, &current, &lastFrame), D3D_OK);
    EXPECT_EQ(current.DrawCalls + lastFrame.DrawCalls, 0u) << "a frame was rendered";
    // A frame rendered all the same is presented into nothing; the fixture checks GL errors.
    driver.GetApp().Render();
}

} // namespace
