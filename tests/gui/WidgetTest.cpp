#include "GuiTestSupport.h"

#include "base/source/system/logger.h"
#include "gui/hcombobox.h"
#include "gui/hdragbutton.h"
#include "gui/hdragwrapper.h"
#include "gui/hlabel.h"
#include "gui/hlistview.h"
#include "gui/hlistwidget.h"
#include "gui/hpushbutton.h"
#include "gui/hscrollarea.h"
#include "gui/hslider.h"

using namespace GuiTest;
using Objects = std::vector<const HObject*>;

namespace
{
using Labels = GuiFixture;

class Buttons : public GuiFixture
{
protected:
    Buttons()
    {
        Frame();
        m_pButton->Connect("StateChanged", &m_Signals, &SignalLog::State);
        m_pButton->Connect("Pressed", &m_Signals, &SignalLog::Pressed);
        m_pButton->Connect("Clicked", &m_Signals, &SignalLog::Clicked);
        m_pButton->Connect("CheckChanged", &m_Signals, &SignalLog::Checked);
    }
    HPushButton* m_pButton = Make<HPushButton>(&m_Manager, 100, 100, 100, 40);
    SignalLog m_Signals;
};

// The application's lesson list: a scroll area whose content, dragged vertically by a
// wrapper, holds rows of drag buttons 24 pixels high on a pitch of 26.
class DragList : public GuiFixture
{
protected:
    DragList()
    {
        m_Manager.SetAcceptMouse(false);
        auto* pArea = Make<HScrollArea>(&m_Manager, 4, 4, 180, 280);
        m_pContent = new HWidget(pArea);
        m_pContent->SetMargins(1, 1, 1, 1);
        pArea->SetContent(m_pContent);
        m_pWrapper = new HDragWrapper(m_pContent, DRAG_AXIS_VERTICAL);
        for (int i = 0; i < 19; ++i)
        {
            auto* pButton = Make<HDragButton>(m_pContent, 0, static_cast<float>(i * 26), 180, 24);
            pButton->SetMargins(2, 2, 2, 2);
            pButton->Connect("Clicked", &m_Clicks, &SignalLog::Clicked);
            m_pContent->Resize(178, static_cast<float>((i + 1) * 26 - 2));
        }
        Frame();
    }

    float Y() const { return m_pContent->GetPos().y; }

    HWidget* m_pContent;
    HDragWrapper* m_pWrapper;
    SignalLog m_Clicks;
};

class Controls : public GuiFixture
{
protected:
    Controls() { m_Manager.SetAcceptMouse(false); }

    // A slider with a bar whose margins are 2 on every side.
    HSlider* MakeSlider(float w, float h)
    {
        auto* pSlider = Make<HSlider>(&m_Manager, 0, 0, w, h);
        auto* pBar = new HWidget(pSlider);
        pBar->SetMargins(2, 2, 2, 2);
        pSlider->SetBar(pBar);
        pSlider->Connect("ValueChanged", &m_Signals, &SignalLog::Value);
        return pSlider;
    }

    SignalLog m_Signals;
};

class Lists : public Controls
{
protected:
    Lists()
    {
        for (const char* text : {"zero", "one", "two"})
        {
            m_Items.push_back(m_pList->AddItem(text));
        }
        m_pView->Connect("ItemSelected", &m_Signals, &SignalLog::Item);
        Frame();
    }
    std::vector<HColor> Colors() const
    {
        std::vector<HColor> colors(m_Items.size());
        std::transform(m_Items.begin(), m_Items.end(), colors.begin(),
                       [](const HLabel* pItem) { return pItem->GetBackgroundColor(); });
        return colors;
    }

    HListWidget* m_pList = Make<HListWidget>(&m_Manager, 0, 0, 200, 100);
    HListView* m_pView = m_pList->GetListView();
    std::vector<HLabel*> m_Items;
    const HColor W{0xFFFFFFFFu}; // white
    const HColor H{0xFFA0A0A4u}; // hovered
    const HColor Y{0xFFFFFF00u}; // selected
};
} // namespace

TEST_F(Labels, TextIsAlignedMovedByTheOffsetAndClippedToTheLabelUnlessClippingIsOff)
{
    auto* pLabel = Make<HLabel>(&m_Manager, 50, 0, 100, 20);
    const HColor color(0xFF102030u);
    pLabel->SetTextColor(color);
    const std::tuple<const char*, unsigned, bool, HRectF, HRectF> cases[] = {
        {"abcd", 0x33, true, {80, 5, 40, 10}, {80, 5, 40, 10}},
        {"abcd", 0x11, true, {52, 2, 40, 10}, {52, 2, 40, 10}},
        {"abcd", 0x22, true, {112, 12, 40, 10}, {112, 12, 38, 8}},
        {"fifteen letters", 0x33, true, {25, 5, 150, 10}, {50, 5, 100, 10}},
        {"fifteen letters", 0x33, false, {25, 5, 150, 10}, {25, 5, 150, 10}},
    };
    for (const auto& [text, alignment, clipText, rect, clip] : cases)
    {
        SCOPED_TRACE(testing::Message() << text << " " << alignment << " " << clipText);
        pLabel->SetText(text);
        pLabel->SetTextAlignment(alignment);
        // The offset moves text aligned to an edge.
        pLabel->SetTextOffset(alignment == 0x33 ? HVec2F{} : HVec2F{2, 2});
        pLabel->SetClipText(clipText);
        Frame();
        EXPECT_EQ(Draws(nullptr), (std::vector<DrawRecord>{{nullptr, rect, clip, color, text}}));
        EXPECT_EQ(pLabel->GetTextRect(), rect);
    }

    // Without a proxy nothing measures the text: an empty box, nothing drawn.
    pLabel->SetRenderProxy(nullptr);
    Frame();
    EXPECT_EQ(pLabel->GetTextRect(), HRectF(100, 10, 0, 0));
    EXPECT_TRUE(Draws(nullptr).empty());

    pLabel->SetText("FPS: %d", 60);
    EXPECT_EQ(pLabel->GetText(), "FPS: 60");
    const std::string longText(3000, 'x');
    pLabel->SetText("%s!", longText.c_str());
    EXPECT_EQ(pLabel->GetTextRef(), longText + "!") << "formatted text is kept whole";
}

TEST_F(Buttons, ClickAndDragOutAndBackClickButReleasingOutsideRightPressOrDisabledDoNot)
{
    ClickLeft(150, 120);
    EXPECT_EQ(m_Signals.Take(), (Strings{"state 1", "state 2", "pressed", "state 1", "clicked"}));
    Drag(150, 120, {{300, 120}, {150, 120}});
    Drag(150, 120, {{300, 120}});
    EXPECT_EQ(m_Signals.Take(), (Strings{"state 2", "pressed", "state 3", "state 2", "state 1",
                                         "clicked", "state 2", "pressed", "state 3", "state 0"}));

    // A right press stops at the button; a disabled button changes nothing.
    SignalLog manager;
    m_Manager.Connect("MousePress", &manager, &SignalLog::Pressed);
    MoveTo(150, 120);
    Handle(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 150, 120));
    Handle(MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 150, 120));
    EXPECT_TRUE(manager.entries.empty());
    m_pButton->SetEnabled(false);
    EXPECT_EQ(m_pButton->GetState(), BUTTON_STATE_DISABLED);
    ClickLeft(150, 120);
    m_pButton->SetEnabled(true);
    EXPECT_EQ(m_Signals.Take(), (Strings{"state 1", "state 4", "state 0"}));
}

TEST_F(Buttons, CheckableButtonTogglesOnEveryReleaseButClicksOnlyAfterItsOwnPress)
{
    m_pButton->SetChecked(true);
    EXPECT_FALSE(m_pButton->IsChecked()) << "only a checkable button checks";
    m_pButton->SetCheckable(true);
    Drag(20, 20, {{150, 120}});
    EXPECT_TRUE(m_pButton->IsChecked());
    PressLeft(150, 120);
    ReleaseLeft(150, 120);
    EXPECT_FALSE(m_pButton->IsChecked());
    EXPECT_EQ(m_Signals.Take(), (Strings{"state 1", "checked", "state 2", "pressed", "unchecked",
                                         "state 1", "clicked"}));
}

TEST_F(DragList, ClickEmitsClickedOnceAndMovingTwoPixelsCancelsItButOnePixelDoesNot)
{
    const int rows[][3] = {{0, 0, 1}, {0, 2, 0}, {1, 1, 1}, {-2, 0, 0}};
    for (const auto& [dx, dy, clicks] : rows)
    {
        Drag(50, 40, {{50 + dx, 40 + dy}});
        EXPECT_EQ(m_Clicks.Take().size(), static_cast<std::size_t>(clicks)) << dx << "," << dy;
    }
}

TEST_F(DragList, BeyondEitherEdgeTheContentMovesAtHalfSpeedAndSpringsBackWithoutOvershoot)
{
    MoveTo(50, 40);
    PressLeft(50, 40);
    MoveTo(80, 50);
    EXPECT_EQ(m_pContent->GetPos(), HVec2F(0, 10)) << "horizontal movement is ignored";
    MoveTo(80, 60);
    EXPECT_EQ(Y(), 15.0f);
    EXPECT_FLOAT_EQ(m_pWrapper->Overscroll(true), 15.0f);
    ReleaseLeft(80, 60);
    EXPECT_EQ(m_pWrapper->GetSpeed(), HVec2F(0, 5));
    EXPECT_TRUE(m_Clicks.entries.empty());
    Frame();
    EXPECT_FLOAT_EQ(Y(), 19.0f) << "the release speed carries on at first";
    float highest = 0.0f;
    for (int frames = 1; Y() != 0.0f && frames < 200; ++frames)
    {
        Frame();
        highest = std::max(highest, Y());
        EXPECT_GE(Y(), 0.0f) << "the edge never overshoots";
    }
    EXPECT_LT(highest, 25.0f);
    Frame();
    EXPECT_EQ(Y(), 0.0f);
    EXPECT_EQ(m_pWrapper->GetSpeed(), HVec2F(0, 0));

    Drag(50, 270, {{50, 70}, {50, 50}});
    EXPECT_FLOAT_EQ(Y(), -220.0f);
    // The limit is the parent's full height (280), so the content stops at -(492 - 280).
    EXPECT_FLOAT_EQ(m_pWrapper->Overscroll(true), -8.0f);
    Frame(0.016f, 200);
    EXPECT_FLOAT_EQ(Y(), -212.0f);
}

TEST_F(DragList, InertiaIsDampedPerUpdateWhateverTheFrameTime)
{
    Drag(50, 200, {{50, 110}, {50, 100}});
    EXPECT_EQ(Y(), -100.0f);
    Frame(1.0f);
    EXPECT_FLOAT_EQ(Y(), -109.5f);
    Frame(0.001f);
    EXPECT_FLOAT_EQ(Y(), -118.525f);
    m_pContent->Emit("AnimStop");
    Frame();
    EXPECT_FLOAT_EQ(Y(), -118.525f);
}

TEST(DragWrapper, NullTargetAssertsAndConnectsNothing)
{
    Halvex::Base::DiagnosticCapture capture;
    HDragWrapper wrapper(nullptr, DRAG_AXIS_VERTICAL);
    EXPECT_EQ(capture.Asserts().size(), 1u);
    EXPECT_FALSE(wrapper.HasSignals());
}

TEST_F(Controls, SliderValueIsClampedSignalledOnChangeAndItsBarGrowsFromTheNamedSide)
{
    HSlider* pSlider = MakeSlider(100, 20);
    pSlider->SetRange(0, 10);
    pSlider->SetValue(15);
    pSlider->SetValue(20);
    EXPECT_EQ(pSlider->GetRatio(), 1.0f);
    pSlider->SetValue(-5);
    pSlider->SetRange(2, 2);
    pSlider->SetValue(3);
    EXPECT_EQ(m_Signals.values, (std::vector<float>{10.0f, 0.0f}));
    EXPECT_EQ(pSlider->GetRatio(), 0.0f);

    pSlider->SetRange(0, 1);
    HSlider* pVertical = MakeSlider(20, 84);
    const std::tuple<HSlider*, unsigned, float, HRectF> cases[] = {
        {pSlider, BAR_FROM_LEFT, 0.5f, {0, 0, 48, 16}},
        {pSlider, BAR_FROM_RIGHT, 0.25f, {72, 0, 24, 16}},
        {pSlider, BAR_FROM_TOP, 0.5f, {0, 0, 96, 8}},
        {pVertical, BAR_FROM_BOTTOM, 0.25f, {0, 60, 16, 20}},
    };
    for (const auto& [pTarget, direction, value, bar] : cases)
    {
        pTarget->SetDirection(direction);
        pTarget->SetValue(value);
        EXPECT_EQ(pTarget->GetBar()->GetGeometry(), bar) << direction;
    }
    Frame();
    EXPECT_EQ(pVertical->GetBar()->GetRect(), HRectF(2, 62, 16, 20));
}

TEST_F(Controls, SliderTakesItsValueFromPressesAndLeftDragsOnItselfOnly)
{
    HSlider* pSlider = MakeSlider(100, 20);
    Make<HLabel>(pSlider, 60, 0, 40, 20);
    HSlider* pTiny = MakeSlider(4, 4);
    pTiny->Move(0, 100);
    Frame();
    ClickLeft(80, 10); // on the label: no value
    ClickLeft(27, 10);
    Drag(50, 10, {{74, 10}}); // the move there without the left button: no value
    pTiny->SetValueFromPoint({1, 101});
    pTiny->SetDirection(BAR_FROM_BOTTOM);
    pTiny->SetValueFromPoint({1, 101}); // a bar area of no size: no value
    EXPECT_EQ(m_Signals.values, (std::vector<float>{25.0f / 96.0f, 48.0f / 96.0f, 72.0f / 96.0f}));
    EXPECT_FLOAT_EQ(pSlider->GetValue(), 72.0f / 96.0f);
}

TEST_F(Controls, ReplacedBarAndContentRetireAtTheNextUpdateAndAScrollAreaNeverEmitsOnUpdate)
{
    HSlider* pSlider = MakeSlider(100, 20);
    HWidget* pOldBar = pSlider->GetBar();
    pSlider->SetBar(new HWidget(pSlider));
    EXPECT_FALSE(pOldBar->IsAlive());
    auto* pArea = new HScrollArea(&m_Manager);
    auto* pContent = new HWidget(pArea);
    pArea->SetContent(pContent);
    pArea->SetContent(nullptr);
    EXPECT_FALSE(pContent->IsAlive());
    pArea->Connect("OnUpdate", &m_Signals, &SignalLog::Updated);
    pSlider->Connect("OnUpdate", &m_Signals, &SignalLog::Updated);
    Frame();
    EXPECT_EQ(std::tuple(pSlider->GetChildren().size(), pArea->GetChildren().size()),
              std::tuple(1u, 0u));
    EXPECT_EQ(m_Signals.entries, Strings{"update"});
}

TEST_F(Lists, ItemsStackedWithSpacingAreColouredByHoverAndSelection)
{
    EXPECT_EQ(m_Items[0]->GetGeometry(), HRectF(0, 2, -1, 20));
    EXPECT_EQ(m_Items[2]->GetRect(), HRectF(0, 46, 200, 20));
    EXPECT_EQ(Draws(nullptr)[1].text, "one");
    MoveTo(50, 30);
    EXPECT_EQ(Colors(), (std::vector<HColor>{W, H, W}));
    MoveTo(50, 50);
    EXPECT_EQ(Colors(), (std::vector<HColor>{W, W, H}));
    PressLeft(50, 50);
    ReleaseLeft(50, 50);
    EXPECT_EQ(Colors(), (std::vector<HColor>{W, W, Y}));
    EXPECT_EQ(m_pView->GetSelectedIndex(), 2);
    MoveTo(50, 10);
    EXPECT_EQ(Colors(), (std::vector<HColor>{H, W, Y}));
    MoveTo(300, 200);
    EXPECT_EQ(Colors(), (std::vector<HColor>{W, W, Y}));
    Frame();
    EXPECT_EQ(Draws(m_Items[2])[0].color, Y);

    ClickLeft(50, 30);
    EXPECT_EQ(Colors(), (std::vector<HColor>{W, Y, W}));
    ClickLeft(50, 30);
    EXPECT_EQ(m_Signals.objects, (Objects{m_Items[2], m_Items[1], m_Items[1]}));
}

TEST_F(Lists, StrayLabelSelectsNothingAndADeletedItemLeavesTheListTheSelectionFollows)
{
    Make<HLabel>(m_pView, 0, 80, 100, 10);
    Frame();
    ClickLeft(50, 85);
    EXPECT_TRUE(m_Signals.objects.empty());
    EXPECT_EQ(m_pView->GetSelectedIndex(), -1);
    ClickLeft(50, 50);
    m_Items[0]->SetAlive(false);
    Frame();
    EXPECT_EQ(std::tuple(m_pView->GetItemCount(), m_pView->GetItem(1), m_pView->GetSelectedIndex()),
              std::tuple(2, m_Items[2], 1));
    EXPECT_EQ(m_Items[2]->GetPos(), HVec2F(0, 24));
}

TEST_F(Controls, ComboTogglesFromButtonOrBoxChoosingCollapsesAndSelectItemDoesNotSignal)
{
    auto* pCombo = Make<HComboBox>(&m_Manager, 10, 10, 150, 20);
    HListWidget* pList = pCombo->GetListWidget();
    pList->SetGeometry(0, 20, 150, 60);
    pList->AddItem("Point");
    pList->AddItem("Linear");
    pList->GetListView()->Connect("ItemSelected", &m_Signals, &SignalLog::Item);
    const auto choice = [&] { return std::pair(pCombo->GetText(), pCombo->GetSelectedIndex()); };
    Frame();
    EXPECT_FALSE(pList->IsVisible());
    EXPECT_EQ(pCombo->GetButton()->GetRect(), HRectF(140, 10, 20, 20));
    // The button opens and closes the list, the box opens it.
    const std::pair<int, bool> toggles[] = {{150, true}, {150, false}, {50, true}};
    for (const auto& [x, visible] : toggles)
    {
        ClickLeft(x, 20);
        EXPECT_EQ(pList->IsVisible(), visible) << x;
        Frame();
    }
    EXPECT_EQ(pCombo->GetMode(), COMBO_MODE_EXPANDED);
    ClickLeft(50, 55);
    EXPECT_EQ(choice(), std::pair(std::string("Linear"), 1));
    EXPECT_FALSE(pList->IsVisible());
    EXPECT_EQ(m_Signals.objects.size(), 1u);
    Frame();
    EXPECT_EQ(m_Manager.WidgetAt({50, 55}), nullptr) << "a collapsed list is not hit";

    pCombo->SelectItem(0);
    EXPECT_EQ(choice(), std::pair(std::string("Point"), 0));
    EXPECT_EQ(m_Signals.objects.size(), 1u);
    EXPECT_EQ(pList->GetItem(0)->GetBackgroundColor(), HColor(0xFFFFFFFFu));
    pCombo->SelectItem(5);
    EXPECT_EQ(choice(), std::pair(std::string("Point"), 5));
}
