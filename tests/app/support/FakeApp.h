#pragma once
// The real application object on a recording device, run from a temporary working folder
// with the UI shaders and a small font beside it, and driven through its input handler.

#include "WorkingDir.h"
#include "fakerenderdevice.h"

#include "main/lumivia.h"

#include "gui/hmsghandler.h"

class FakeApp
{
public:
    FakeApp()
    {
        dir.Write("Shader/hlsl/UI.wvu", "ui");
        dir.Write("Shader/hlsl/UI.wpu", "ui");
        dir.Write("Data/Font/ASCII_1.dds", HalvexTest::FakeRenderDevice::TextureFile(128, 64));
        std::string metrics = " 0 0 4 16\n";
        for (char c = '!'; c <= '~'; ++c)
        {
            metrics += std::string(1, c) + " 0 0 8 16\n";
        }
        dir.Write("Data/Font/ASCII_1.txt", metrics);
        auto pDevice = std::make_unique<HalvexTest::FakeRenderDevice>();
        device = pDevice.get();
        app.Init(nullptr, 1280, 720, std::make_unique<Halvex::RenderCore::VideoDevice>(),
                 std::move(pDevice));
    }

    void Frame()
    {
        app.Update();
        app.Render();
    }

    void Mouse(uint32_t type, float x, float y, uint32_t button, uint32_t buttons)
    {
        auto* pHandler =
            dynamic_cast<Halvex::HGui::HMsgHandler_Common*>(app.GetGuiManager()->GetMsgHandler());
        pHandler->PostMouseEvent(type, 0, button, buttons, {x, y});
    }

    // A left click at (x, y): move there, press and release.
    void Click(float x, float y)
    {
        Mouse(5, x, y, 0, 0);
        Mouse(2, x, y, 1, 1);
        Mouse(3, x, y, 1, 0);
    }

    WorkingDir dir;
    HalvexTest::FakeRenderDevice* device = nullptr;
    Lumivia app;
};
