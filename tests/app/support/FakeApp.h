#pragma once
// The real application object on the fake device, run from a temporary "bin" folder with the
// UI shaders and a small font beside it (../Shader/hlsl, ../Data), and driven through its
// input handler; the previous working directory comes back with the object.

#include "fakerenderdevice.h"
#include "testsupport.h"

#include "main/lumivia.h"

#include "gui/hmsghandler.h"

class FakeApp
{
public:
    // The run-time folders around the working directory.
    struct Folders
    {
        Folders() { std::filesystem::create_directories(root / "bin"); }
        // Writes a file relative to the parent of the working directory.
        void Write(const std::string& relative, const std::string& bytes) const
        {
            HalvexTest::WriteFile(root.Path() / relative, bytes);
        }
        HalvexTest::TempDir root;
    };

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
        app.Init(std::make_unique<Halvex::HGui::HMsgHandler_Common>(app.GetGuiManager()), 1280, 720,
                 std::make_unique<Halvex::RenderCore::VideoDevice>(), std::move(pDevice));
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

    Folders dir;
    HalvexTest::CurrentDir bin{dir.root / "bin"};
    HalvexTest::FakeRenderDevice* device = nullptr;
    Lumivia app;
};
