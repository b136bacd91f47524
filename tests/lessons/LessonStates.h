#pragma once
// Lessons in the real application object on a recording device: the fixture opens a lesson
// through its list row, drives its controls with mouse events and reads back which states,
// constants and draws each frame produced.

#include "LessonInput.h"

#include "../app/support/FakeApp.h"

#include "gui/hscrollarea.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace Halvex::RenderCore;
using HalvexTest::FakeRenderDevice;
// The recording application driven like AppDriver: every mouse step is followed by a frame.
class FakeDriver
{
public:
    explicit FakeDriver(FakeApp& fake) : m_Fake(fake) {}

    void Click(int x, int y)
    {
        Step(5, x, y, 0, 0);
        Step(2, x, y, 1, 1);
        Step(3, x, y, 1, 0);
    }

    void Drag(int fromX, int fromY, int toX, int toY, int steps)
    {
        Step(5, fromX, fromY, 0, 0);
        Step(2, fromX, fromY, 1, 1);
        for (int i = 1; i <= steps; ++i)
        {
            Step(5, fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps, 0, 1);
        }
        Step(3, toX, toY, 1, 0);
    }

private:
    void Step(uint32_t type, int x, int y, uint32_t button, uint32_t buttons)
    {
        m_Fake.Mouse(type, static_cast<float>(x), static_cast<float>(y), button, buttons);
        m_Fake.Frame();
    }

    FakeApp& m_Fake;
};

class LessonStates : public testing::Test
{
protected:
    void SetUp() override
    {
        // Every shader pair and model of the source tree; the recording device compiles
        // any text.
        for (const auto& entry :
             std::filesystem::directory_iterator(HalvexTest::SourceDir() / "Shader" / "hlsl"))
        {
            fake.dir.Write("Shader/hlsl/" + entry.path().filename().string(), "shader");
        }
        for (const auto& entry :
             std::filesystem::directory_iterator(HalvexTest::SourceDir() / "Data"))
        {
            if (entry.path().extension() == ".bin")
            {
                fake.dir.Write("Data/" + entry.path().filename().string(),
                               HalvexTest::ReadFile(entry.path()));
            }
        }
        // Only the sphere gets a texture the recording device can decode.
        fake.dir.Write("Data/_Tex_/Earth_Color.dds", FakeRenderDevice::TextureFile(64, 64));
        fake.Frame();
    }

    // Clicks the lesson's row in the list (scrolled into view first) and lets it start.
    template <typename Lesson> Lesson* Open(const std::string& row)
    {
        for (Halvex::HGui::HObject* pChild : fake.app.GetListContent()->GetChildren())
        {
            auto* pRow = dynamic_cast<Halvex::HGui::HWidget*>(pChild);
            if (pRow && pRow->GetText() == row)
            {
                // No further than the list scrolls, so the last rows come into view too.
                const float scroll = fake.app.GetListContent()->GetRect().height -
                                     fake.app.GetListArea()->GetRect().height;
                fake.app.GetListContent()->Move(0.0f, -std::min(pRow->GetPos().y, scroll));
                fake.Frame();
                ClickWidget(driver, pRow);
            }
        }
        fake.Frame();
        return dynamic_cast<Lesson*>(fake.app.GetModeManager()->GetCurrent());
    }

    // The calls made since the frame began, and the render state in force at one of them.
    void BeginFrame() { m_FrameStart = Calls().size(); }
    const std::vector<std::string>& Calls() const { return fake.device->m_Calls; }
    std::vector<std::size_t> FrameCalls(const std::string& name) const
    {
        std::vector<std::size_t> found;
        for (std::size_t i = m_FrameStart; i < Calls().size(); ++i)
        {
            if (Calls()[i] == name)
            {
                found.push_back(i);
            }
        }
        return found;
    }
    uint32_t StateAt(std::size_t call, RenderStateType state) const
    {
        const std::string prefix = "State " + std::to_string(state) + " ";
        uint32_t value = 0;
        for (std::size_t i = 0; i < call; ++i)
        {
            if (Calls()[i].rfind(prefix, 0) == 0)
            {
                value = static_cast<uint32_t>(std::stoul(Calls()[i].substr(prefix.size())));
            }
        }
        return value;
    }
    uint32_t ReadBack(RenderStateType state)
    {
        uint32_t value = 0;
        fake.device->GetRenderState(state, &value);
        return value;
    }
    // Two frames: the lesson's, then one whose GUI draws are checked.
    void
    ExpectRestoredForTheNextGui(std::initializer_list<std::pair<RenderStateType, uint32_t>> fixed)
    {
        fake.Frame();
        for (const auto& [state, value] : fixed)
        {
            EXPECT_EQ(ReadBack(state), value) << "state " << state;
        }
        BeginFrame();
        fake.Frame();
        const std::vector<std::size_t> guiDraws = FrameCalls("DrawUser");
        ASSERT_FALSE(guiDraws.empty());
        for (std::size_t draw : guiDraws)
        {
            EXPECT_EQ(StateAt(draw, RS_POINT_SIZE), 1u);
            EXPECT_EQ(StateAt(draw, RS_FILL_MODE), static_cast<uint32_t>(FILL_SOLID));
        }
    }

    const FakeRenderDevice::Draw& LastModelDraw() const
    {
        const auto& draws = fake.device->m_Draws;
        return *std::find_if(draws.rbegin(), draws.rend(),
                             [](const FakeRenderDevice::Draw& draw) { return !draw.m_User; });
    }

    FakeApp fake;
    FakeDriver driver{fake};

private:
    std::size_t m_FrameStart = 0;
};

inline std::array<float, 4> Registers(float x, float y, float z, float w)
{
    return {x, y, z, w};
}
