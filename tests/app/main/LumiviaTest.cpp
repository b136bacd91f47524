#include "../support/FakeApp.h"

#include "testcase/testbase.h"

#include "gui/hdragbutton.h"
#include "gui/hlabel.h"
#include "gui/hpushbutton.h"
#include "gui/hscrollarea.h"

#include <gtest/gtest.h>

using namespace Halvex::HGui;

namespace
{
class CountingLesson : public TestBase
{
public:
    explicit CountingLesson(int* pReloads) : m_pReloads(pReloads) {}
    void Update(float dt) override
    {
        ++m_Updates;
        m_LastDt = dt;
    }
    void ReloadShaders() override { ++*m_pReloads; }
    int m_Updates = 0;
    float m_LastDt = -1.0f;

private:
    int* m_pReloads;
};
} // namespace

TEST(Lumivia, LessonListHoldsNineteenRowsInATallerScrolledContent)
{
    FakeApp fake;
    EXPECT_EQ(g_pApp, &fake.app);
    HWidget* pContent = fake.app.GetListContent();
    std::vector<std::string> names;
    for (HObject* pChild : pContent->GetChildren())
    {
        if (auto* pButton = dynamic_cast<HDragButton*>(pChild))
        {
            names.push_back(pButton->GetText());
        }
    }
    ASSERT_EQ(names.size(), 19u);
    EXPECT_EQ(names.front(), "RenderToTexture");
    EXPECT_EQ(names[15], "MatrixTransform");
    EXPECT_EQ(names.back(), "TextureSampling");
    fake.Frame();
    EXPECT_EQ(pContent->GetGeometry().height, 492.0f);
    EXPECT_EQ(fake.app.GetListArea()->GetRect(), HRectF(4, 4, 180, 280));
    EXPECT_LE(pContent->GetVisibleRect().Bottom(), 284.0f);
}

TEST(Lumivia, FixedControlsSitInTheirCorners)
{
    FakeApp fake;
    fake.Frame();
    EXPECT_EQ(fake.app.GetListButton()->GetRect(), HRectF(10, 686, 24, 24));
    EXPECT_EQ(fake.app.GetReloadButton()->GetRect(), HRectF(40, 686, 24, 24));
    EXPECT_EQ(fake.app.GetFpsLabel()->GetRect(), HRectF(1208, 700, 72, 20));
    EXPECT_EQ(fake.app.GetAspect(), 1280.0f / 720.0f);
    EXPECT_EQ(fake.app.GetClientRect(), (std::array<float, 4>{0, 0, 1280, 720}));
}

TEST(Lumivia, ListButtonHidesAndShowsTheList)
{
    FakeApp fake;
    fake.Frame();
    fake.Frame();
    fake.Click(20, 700);
    EXPECT_FALSE(fake.app.GetListArea()->IsVisible());
    fake.Frame();
    fake.Click(20, 700);
    EXPECT_TRUE(fake.app.GetListArea()->IsVisible());
}

TEST(Lumivia, FirstFrameUpdatesNoLessonAndLaterFramesPassTheirTime)
{
    FakeApp fake;
    int reloads = 0;
    auto* pLesson = new CountingLesson(&reloads);
    fake.app.SetMode(pLesson);
    fake.app.Update();
    EXPECT_EQ(fake.app.GetModeManager()->GetCurrent(), nullptr);
    fake.app.Update();
    EXPECT_EQ(fake.app.GetModeManager()->GetCurrent(), pLesson);
    EXPECT_EQ(pLesson->m_Updates, 1);
    EXPECT_GE(pLesson->m_LastDt, 0.0f);
    EXPECT_LT(pLesson->m_LastDt, 10.0f);
}

TEST(Lumivia, FpsLabelShowsZeroBeforeTheFirstSecond)
{
    FakeApp fake;
    fake.app.Update();
    EXPECT_EQ(fake.app.GetFpsLabel()->GetText(), "FPS: 0");
}

TEST(Lumivia, ReloadButtonReachesOnlyTheRunningLesson)
{
    FakeApp fake;
    fake.Frame();
    fake.Frame();
    fake.Click(50, 700);
    int reloads = 0;
    fake.app.SetMode(new CountingLesson(&reloads));
    fake.Click(50, 700);
    EXPECT_EQ(reloads, 0);
    fake.Frame();
    fake.Click(50, 700);
    EXPECT_EQ(reloads, 1);
}

TEST(Lumivia, FrameDrawsTheGuiOverTheClearedPicture)
{
    FakeApp fake;
    fake.Frame();
    fake.device->m_Calls.clear();
    fake.device->m_Draws.clear();
    fake.Frame();
    const auto& calls = fake.device->m_Calls;
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0], "BeginScene");
    EXPECT_EQ(calls[1], "Clear 7 ff000000 1 0");
    EXPECT_EQ(calls[calls.size() - 2], "EndScene");
    EXPECT_EQ(calls.back(), "Present");
    // Every list row, the fixed controls and their text are drawn.
    EXPECT_GT(fake.device->m_Draws.size(), 30u);
}

TEST(Lumivia, DestructionDeletesTheLessonWhileTheGuiStillExists)
{
    int reloads = 0;
    {
        FakeApp fake;
        fake.app.SetMode(new CountingLesson(&reloads));
        fake.Frame();
        fake.Frame();
    }
    EXPECT_EQ(g_pApp, nullptr);
}
