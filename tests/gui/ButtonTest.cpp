#include "GuiTestSupport.h"

#include "base/source/system/logger.h"
#include "gui/hdragbutton.h"
#include "gui/hdragwrapper.h"
#include "gui/hlabel.h"
#include "gui/hpushbutton.h"
#include "gui/hscrollarea.h"

#include <algorithm>

using namespace GuiTest;

namespace
{
// Logs the button signals in the order they arrive.
struct SignalLog
{
    std::vector<std::string> entries;
    void State(int state) { entries.push_back("state " + std::to_string(state)); }
    void Pressed() { entries.push_back("pressed"); }
    void Clicked() { entries.push_back("clicked"); }
    void Checked(bool checked) { entries.push_back(checked ? "checked" : "unchecked"); }

    void Watch(HObject* pButton)
    {
        pButton->Connect("StateChanged", this, &SignalLog::State);
        pButton->Connect("Pressed", this, &SignalLog::Pressed);
        pButton->Connect("Clicked", this, &SignalLog::Clicked);
        pButton->Connect("CheckChanged", this, &SignalLog::Checked);
    }
};

using Labels = GuiFixture;

class Buttons : public GuiFixture
{
protected:
    Buttons()
    {
        m_pButton = new HPushButton(&m_Manager);
        m_pButton->SetGeometry(100, 100, 100, 40);
        Frame();
        m_Signals.Watch(m_pButton);
    }
    HPushButton* m_pButton;
    SignalLog m_Signals;
};
} // namespace

TEST_F(Labels, TextBoxIsAlignedInsideTheLabelAndMovedByTheOffset)
{
    auto* pLabel = new HLabel(&m_Manager);
    pLabel->SetGeometry(0, 0, 100, 20);
    pLabel->SetText("abcd");
    pLabel->SetTextColor(HColor(0xFF102030u));
    Frame();
    EXPECT_EQ(pLabel->GetTextRect(), HRectF(30, 5, 40, 10));
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].text, "abcd");
    EXPECT_EQ(Texts()[0].rect, HRectF(30, 5, 40, 10));
    EXPECT_EQ(Texts()[0].clip, HRectF(30, 5, 40, 10));
    EXPECT_EQ(Texts()[0].color, HColor(0xFF102030u));

    pLabel->SetTextAlignment(0x11);
    pLabel->SetTextOffset({2, 2});
    Frame();
    EXPECT_EQ(pLabel->GetTextRect(), HRectF(2, 2, 40, 10));
    pLabel->SetTextAlignment(0x22);
    Frame();
    EXPECT_EQ(pLabel->GetTextRect(), HRectF(62, 12, 40, 10));
}

TEST_F(Labels, TextIsClippedToTheLabelUnlessClippingIsOffAndNeedsAProxy)
{
    auto* pLabel = new HLabel(&m_Manager);
    pLabel->SetGeometry(50, 0, 100, 20);
    pLabel->SetText("fifteen letters");
    Frame();
    EXPECT_EQ(Texts()[0].rect, HRectF(25, 5, 150, 10));
    EXPECT_EQ(Texts()[0].clip, HRectF(50, 5, 100, 10));
    pLabel->SetClipText(false);
    Frame();
    EXPECT_EQ(Texts()[0].clip, HRectF(25, 5, 150, 10));

    // Without a proxy nothing measures the text: an empty box, nothing drawn.
    pLabel->SetRenderProxy(nullptr);
    Frame();
    EXPECT_EQ(pLabel->GetTextRect(), HRectF(100, 10, 0, 0));
    EXPECT_TRUE(Texts().empty());
}

TEST(Label, FormattedTextIsKeptWhole)
{
    HLabel label;
    label.SetText("FPS: %d", 60);
    EXPECT_EQ(label.GetText(), "FPS: 60");
    std::string longText(3000, 'x');
    label.SetText("%s!", longText.c_str());
    EXPECT_EQ(label.GetTextRef(), longText + "!");
}

TEST_F(Buttons, ClickAndDragOutAndBackClickButReleasingOutsideDoesNot)
{
    ClickLeft(150, 120);
    EXPECT_EQ(m_Signals.entries,
              (std::vector<std::string>{"state 1", "state 2", "pressed", "state 1", "clicked"}));
    m_Signals.entries.clear();
    PressLeft(150, 120);
    MoveTo(300, 120);
    MoveTo(150, 120);
    ReleaseLeft(150, 120);
    EXPECT_EQ(m_Signals.entries, (std::vector<std::string>{"state 2", "pressed", "state 3",
                                                           "state 2", "state 1", "clicked"}));
    m_Signals.entries.clear();
    PressLeft(150, 120);
    MoveTo(300, 120);
    ReleaseLeft(300, 120);
    EXPECT_EQ(m_Signals.entries,
              (std::vector<std::string>{"state 2", "pressed", "state 3", "state 0"}));
}

TEST_F(Buttons, CheckableButtonTogglesOnEveryReleaseButClicksOnlyAfterItsOwnPress)
{
    m_pButton->SetCheckable(true);
    MoveTo(20, 20);
    PressLeft(20, 20);
    MoveTo(150, 120);
    ReleaseLeft(150, 120);
    EXPECT_TRUE(m_pButton->IsChecked());
    EXPECT_EQ(m_Signals.entries, (std::vector<std::string>{"state 1", "checked"}));
    m_Signals.entries.clear();
    PressLeft(150, 120);
    ReleaseLeft(150, 120);
    EXPECT_FALSE(m_pButton->IsChecked());
    EXPECT_EQ(m_Signals.entries,
              (std::vector<std::string>{"state 2", "pressed", "unchecked", "state 1", "clicked"}));
}

TEST_F(Buttons, RightPressAndDisabledButtonsChangeNothingEnablingReturnsToNormal)
{
    struct Counter
    {
        int presses = 0;
        void On() { ++presses; }
    } managerPresses;
    m_Manager.Connect("MousePress", &managerPresses, &Counter::On);
    MoveTo(150, 120);
    Handle(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 150, 120));
    Handle(MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 150, 120));
    EXPECT_EQ(m_Signals.entries, std::vector<std::string>{"state 1"});
    EXPECT_EQ(managerPresses.presses, 0) << "the right press stops at the button";
    m_Signals.entries.clear();

    m_pButton->SetChecked(true);
    EXPECT_FALSE(m_pButton->IsChecked()) << "only a checkable button checks";
    m_pButton->SetEnabled(false);
    EXPECT_EQ(m_pButton->GetState(), BUTTON_STATE_DISABLED);
    ClickLeft(150, 120);
    m_pButton->SetEnabled(true);
    EXPECT_EQ(m_Signals.entries, (std::vector<std::string>{"state 4", "state 0"}));
}

namespace
{
// The application's lesson list: a scroll area whose content, dragged vertically by a
// wrapper, holds rows of drag buttons 24 pixels high on a pitch of 26.
class DragList : public GuiFixture
{
protected:
    static constexpr int ROWS = 19;

    DragList()
    {
        m_Manager.SetAcceptMouse(false);
        auto* pArea = new HScrollArea(&m_Manager);
        pArea->SetGeometry(4, 4, 180, 280);
        m_pContent = new HWidget(pArea);
        m_pContent->SetMargins(1, 1, 1, 1);
        pArea->SetContent(m_pContent);
        m_pWrapper = new HDragWrapper(m_pContent, DRAG_AXIS_VERTICAL);
        for (int i = 0; i < ROWS; ++i)
        {
            auto* pButton = new HDragButton(m_pContent);
            pButton->SetGeometry(0, static_cast<float>(i * 26), 180, 24);
            pButton->SetMargins(2, 2, 2, 2);
            pButton->Connect("Clicked", &m_Clicks, &SignalLog::Clicked);
            m_pContent->Resize(178, static_cast<float>((i + 1) * 26 - 2));
        }
        Frame();
    }

    // Presses row 1 at (50, 40), moves by (dx, dy) with the button held, and releases.
    void DragRowOne(int dx, int dy)
    {
        MoveTo(50, 40);
        PressLeft(50, 40);
        if (dx != 0 || dy != 0)
        {
            MoveTo(50 + dx, 40 + dy);
        }
        ReleaseLeft(50 + dx, 40 + dy);
    }

    HWidget* m_pContent;
    HDragWrapper* m_pWrapper;
    SignalLog m_Clicks;
};
} // namespace

TEST_F(DragList, ClickEmitsClickedOnceAndMovingTwoPixelsCancelsItButOnePixelDoesNot)
{
    const struct
    {
        int dx, dy;
        std::size_t clicks;
    } rows[] = {{0, 0, 1}, {0, 2, 0}, {1, 1, 1}, {-2, 0, 0}};
    for (const auto& row : rows)
    {
        m_Clicks.entries.clear();
        DragRowOne(row.dx, row.dy);
        EXPECT_EQ(m_Clicks.entries.size(), row.clicks) << row.dx << "," << row.dy;
    }
}

TEST_F(DragList, DraggingBeyondTheTopEdgeMovesAtHalfSpeedAndSpringsBack)
{
    MoveTo(50, 40);
    PressLeft(50, 40);
    MoveTo(80, 50);
    EXPECT_EQ(m_pContent->GetPos(), HVec2F(0, 10)) << "horizontal movement is ignored";
    MoveTo(80, 60);
    EXPECT_EQ(m_pContent->GetPos(), HVec2F(0, 15));
    EXPECT_FLOAT_EQ(m_pWrapper->Overscroll(true), 15.0f);
    ReleaseLeft(80, 60);
    EXPECT_EQ(m_pWrapper->GetSpeed(), HVec2F(0, 5));
    EXPECT_TRUE(m_Clicks.entries.empty());

    Frame();
    EXPECT_FLOAT_EQ(m_pContent->GetPos().y, 19.0f) << "the release speed carries on at first";
    float highest = 0.0f;
    for (int frames = 1; m_pContent->GetPos().y != 0.0f && frames < 200; ++frames)
    {
        Frame();
        highest = std::max(highest, m_pContent->GetPos().y);
        EXPECT_GE(m_pContent->GetPos().y, 0.0f) << "the edge never overshoots";
    }
    EXPECT_LT(highest, 25.0f);
    EXPECT_EQ(m_pContent->GetPos().y, 0.0f);
    Frame();
    EXPECT_EQ(m_pContent->GetPos().y, 0.0f);
    EXPECT_EQ(m_pWrapper->GetSpeed(), HVec2F(0, 0));
}

TEST_F(DragList, InertiaIsDampedPerUpdateWhateverTheFrameTime)
{
    MoveTo(50, 200);
    PressLeft(50, 200);
    MoveTo(50, 110);
    MoveTo(50, 100);
    ReleaseLeft(50, 100);
    EXPECT_EQ(m_pContent->GetPos().y, -100.0f);
    Frame(1.0f);
    EXPECT_FLOAT_EQ(m_pContent->GetPos().y, -109.5f);
    Frame(0.001f);
    EXPECT_FLOAT_EQ(m_pContent->GetPos().y, -118.525f);
    m_pContent->Emit("AnimStop");
    Frame();
    EXPECT_FLOAT_EQ(m_pContent->GetPos().y, -118.525f);
}

TEST_F(DragList, ContentDraggedPastTheBottomSpringsBackToTheParentsHeight)
{
    MoveTo(50, 270);
    PressLeft(50, 270);
    MoveTo(50, 70);
    MoveTo(50, 50);
    EXPECT_FLOAT_EQ(m_pContent->GetPos().y, -220.0f);
    // The limit is the parent's full height (280), so the content stops at -(492 - 280).
    EXPECT_FLOAT_EQ(m_pWrapper->Overscroll(true), -8.0f);
    ReleaseLeft(50, 50);
    for (int i = 0; i < 200; ++i)
    {
        Frame();
    }
    EXPECT_FLOAT_EQ(m_pContent->GetPos().y, -212.0f);
}

TEST(DragWrapper, NullTargetAssertsAndConnectsNothing)
{
    Halvex::Base::DiagnosticCapture capture;
    HDragWrapper wrapper(nullptr, DRAG_AXIS_VERTICAL);
    EXPECT_TRUE(capture.Raised("pTarget"));
    EXPECT_FALSE(wrapper.HasSignals());
}
