#include "GuiTestSupport.h"

#include "gui/hcombobox.h"
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
class Controls : public GuiFixture
{
protected:
    Controls() { m_Manager.SetAcceptMouse(false); }

    // A slider with a bar whose margins are 2 on every side.
    HSlider* MakeSlider(float w, float h)
    {
        auto* pSlider = new HSlider(&m_Manager);
        pSlider->SetGeometry(0, 0, w, h);
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
        m_pList->SetGeometry(0, 0, 200, 100);
        for (const char* text : {"zero", "one", "two"})
        {
            m_Items.push_back(m_pList->AddItem(text));
        }
        m_pView->Connect("ItemSelected", &m_Signals, &SignalLog::Item);
        Frame();
    }
    std::vector<HColor> Colors() const
    {
        std::vector<HColor> colors;
        for (const HLabel* pItem : m_Items)
        {
            colors.push_back(pItem->GetBackgroundColor());
        }
        return colors;
    }

    HListWidget* m_pList = new HListWidget(&m_Manager);
    HListView* m_pView = m_pList->GetListView();
    std::vector<HLabel*> m_Items;
    const HColor W{0xFFFFFFFFu}; // white
    const HColor H{0xFFA0A0A4u}; // hovered
    const HColor Y{0xFFFFFF00u}; // selected
};
} // namespace

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
    (new HLabel(pSlider))->SetGeometry(60, 0, 40, 20);
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
    EXPECT_EQ(pSlider->GetChildren().size(), 1u);
    EXPECT_TRUE(pArea->GetChildren().empty());
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
    (new HLabel(m_pView))->SetGeometry(0, 80, 100, 10);
    Frame();
    ClickLeft(50, 85);
    EXPECT_TRUE(m_Signals.objects.empty());
    EXPECT_EQ(m_pView->GetSelectedIndex(), -1);
    ClickLeft(50, 50);
    m_Items[0]->SetAlive(false);
    Frame();
    EXPECT_EQ(m_pView->GetItemCount(), 2);
    EXPECT_EQ(m_pView->GetItem(1), m_Items[2]);
    EXPECT_EQ(m_pView->GetSelectedIndex(), 1);
    EXPECT_EQ(m_Items[2]->GetPos(), HVec2F(0, 24));
}

TEST_F(Controls, ComboTogglesFromButtonOrBoxChoosingCollapsesAndSelectItemDoesNotSignal)
{
    auto* pCombo = new HComboBox(&m_Manager);
    pCombo->SetGeometry(10, 10, 150, 20);
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
