// Lesson behaviours that no picture shows, on the fake device: what the device reports beyond
// what the software renderer has, work a lesson must not repeat, which vertex a press between
// two takes, and faults the real device's creation-failure pass can not inject.

#include "LessonInput.h"

#include "../app/support/FakeApp.h"
#include "main/lessonlist.h"

#include "testcase/devicecapability.h"
#include "testcase/mipmap.h"
#include "testcase/primitive.h"

#include "common/render/mycombobox.h"

#include "base/source/system/logger.h"
#include "gui/hlabel.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

using Halvex::RenderCore::DeviceCaps;

namespace
{
class LessonContracts : public testing::Test
{
public:
    // The driver of LessonInput.h: every mouse step is followed by a frame.
    void Click(int x, int y)
    {
        Step(5, x, y, 0);
        Step(2, x, y, 1);
        Step(3, x, y, 0);
    }

protected:
    void SetUp() override
    {
        // The recording device compiles any text.
        for (const auto& entry :
             std::filesystem::directory_iterator(HalvexTest::SourceDir() / "Shader" / "hlsl"))
        {
            fake.dir.Write("Shader/hlsl/" + entry.path().filename().string(), "shader");
        }
    }

    template <typename Lesson> Lesson* Start()
    {
        auto* pLesson = new Lesson;
        fake.app.SetMode(pLesson);
        fake.Frame();
        fake.Frame();
        return pLesson;
    }

    void Step(uint32_t type, int x, int y, uint32_t buttons)
    {
        fake.Mouse(type, static_cast<float>(x), static_cast<float>(y), type == 5 ? 0 : 1, buttons);
        fake.Frame();
    }

    FakeApp fake;
};
} // namespace

TEST_F(LessonContracts, DeviceCapabilityShowsTheFirstFiveFormatsWithPaddedCodes)
{
    DeviceCaps& caps = fake.device->m_Caps;
    caps = {4096, 2048, 16, 32, -1, 8192, 4096, 1024, 512, 1000, 2000, 16, 256, 224, {}};
    // DXT1 ... DXT5, ATI1, ATI2; the second and third replaced below.
    const int32_t formats[] = {827611204, 844388420, 861165636, 877942852,
                               894720068, 826889281, 843666497};
    std::copy(std::begin(formats), std::end(formats), caps.CompressTex);
    auto* pLesson = Start<DeviceCapability>();
    EXPECT_EQ(pLesson->GetLine(0)->GetText(), "MaxTextureCount: 16");
    EXPECT_EQ(pLesson->GetLine(4)->GetText(), "MaxRenderTargetHeight: 2048");
    EXPECT_EQ(pLesson->GetLine(11)->GetText(), "CompressTex: 827611204 (0x31545844)");
    EXPECT_EQ(pLesson->GetLine(15)->GetText(), "CompressTex: 894720068 (0x35545844)");
    // Read every frame; the list ends at its first 0, whose line keeps its text.
    caps.CompressTex[1] = 0x2A;
    caps.CompressTex[2] = 0;
    fake.Frame();
    EXPECT_EQ(pLesson->GetLine(12)->GetText(), "CompressTex: 42 (0x002A)");
    EXPECT_EQ(pLesson->GetLine(13)->GetText(), "CompressTex: 861165636 (0x33545844)");
}

TEST_F(LessonContracts, MipmapTextureIsRebuiltOnlyWhenTheCaseChanges)
{
    // The recording device sizes locked memory by the level count it reports.
    fake.device->m_ReportedMipLevels = Mipmap::LEVEL_COUNT;
    auto* pLesson = Start<Mipmap>();
    EXPECT_EQ(pLesson->GetCurrentCase(), Mipmap::CASE_NO_MIPS);
    // Case, then the textures created, levels written and chains generated on choosing it.
    const int steps[][4] = {
        {Mipmap::CASE_GENERATED_MIPS, 1, 1, 1},
        {Mipmap::CASE_GENERATED_MIPS, 0, 0, 0},
        {Mipmap::CASE_LEVEL_COLOURS, 1, Mipmap::LEVEL_COUNT, 0},
        {Mipmap::CASE_LEVEL_COLOURS, 0, 0, 0},
        {Mipmap::CASE_NO_MIPS, 1, 1, 0},
    };
    const auto counts = [this]
    {
        return std::array<int, 3>{fake.device->CallCount("CreateTexture"),
                                  fake.device->CallCount("UnlockTexture"),
                                  fake.device->CallCount("GenerateMipmaps")};
    };
    for (const auto& step : steps)
    {
        const std::array<int, 3> before = counts();
        ChooseItem(*this, pLesson->GetCaseCombo(), step[0]);
        const std::array<int, 3> after = counts();
        for (int c = 0; c < 3; ++c)
        {
            EXPECT_EQ(after[c] - before[c], step[c + 1]) << "count " << c << ", case " << step[0];
        }
    }
}

TEST_F(LessonContracts, PrimitivePressBetweenTwoVerticesTakesTheHigherIndex)
{
    auto* pLesson = Start<Primitive>();
    // Vertex 4 (0.25, -0.5) at (800, 540) dropped 4 pixels right of vertex 3 at (640, 180).
    Step(5, 800, 540, 0);
    Step(2, 800, 540, 1);
    Step(5, 644, 180, 1);
    Step(3, 644, 180, 0);
    Step(2, 642, 180, 1);
    EXPECT_EQ(pLesson->GetGrabbed(), 4);
    Step(3, 642, 180, 0);
    EXPECT_EQ(pLesson->GetGrabbed(), -1);
}

// Every lesson starts and keeps drawing while the device refuses input layouts or buffer or
// texture locks (the sanitizer run checks the memory of it all).
TEST_F(LessonContracts, EveryLessonKeepsRunningWhenTheDeviceRefusesLayoutsAndLocks)
{
    for (const auto& entry : std::filesystem::directory_iterator(HalvexTest::SourceDir() / "Data"))
    {
        if (entry.path().extension() == ".bin")
        {
            fake.dir.Write("Data/" + entry.path().filename().string(),
                           HalvexTest::ReadFile(entry.path()));
        }
    }
    // The refusals assert and log; what matters is that nothing else goes wrong.
    Halvex::Base::DiagnosticCapture capture;
    const int threshold = Halvex::Base::GetLogThreshold();
    Halvex::Base::SetLogThreshold(Halvex::Base::LOG_LEVEL_MAX);
    for (const char* refusal :
         {"LoadInputLayout", "LockVertexBuffer", "LockIndexBuffer", "LockTexture"})
    {
        const int before = fake.device->CallCount(refusal);
        fake.device->m_Failing = {refusal};
        for (const LessonEntry_t& lesson : LESSONS)
        {
            SCOPED_TRACE(std::string(lesson.m_pName) + " without " + refusal);
            // A new lesson is made while the old one still lives, so their addresses differ.
            const ModeBase* pBefore = fake.app.GetModeManager()->GetCurrent();
            lesson.m_Factory();
            fake.Frame();
            fake.Frame();
            EXPECT_NE(fake.app.GetModeManager()->GetCurrent(), pBefore);
        }
        EXPECT_GT(fake.device->CallCount(refusal), before) << "no lesson asked for " << refusal;
    }
    fake.device->m_Failing.clear();
    Halvex::Base::SetLogThreshold(threshold);
}
