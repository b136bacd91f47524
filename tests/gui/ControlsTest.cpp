#include "GuiTestSupport.h"

#include "gui/hcombobox.h"
#include "gui/hlabel.h"
#include "gui/hlistview.h"
#include "gui/hlistwidget.h"
#include "gui/hpushbutton.h"
#include "gui/hscrollarea.h"
#include "gui/hslider.h"

using namespace GuiTest;

namespace
{
struct ValueLog
{
    std::vector<float> values;
    std::vector<const HWidget*> items;
    int updates = 0;
    void Value(float v) { values.push_back(v); }
    void Item(HWidget* pItem) { items.push_back(pItem); }
    void Update() { ++updates; }
};

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
        pSlider->Connect("ValueChanged", &m_Values, &ValueLog::Value);
        return pSlider;
    }

    ValueLog m_Values;
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
    EXPECT_EQ(m_Values.values, (std::vector<float>{10.0f, 0.0f}));
    pSlider->SetRange(2, 2);
    pSlider->SetValue(3);
    EXPECT_EQ(m_Values.values.size(), 2u);
    EXPECT_EQ(pSlider->GetRatio(), 0.0f);

    pSlider->SetRange(0, 1);
    HSlider* pVertical = MakeSlider(20, 84);
    const struct
    {
        HSlider* pSlider;
        unsigned direction;
        float value;
        HRectF bar;
    } cases[] = {
        {pSlider, BAR_FROM_LEFT, 0.5f, {0, 0, 48, 16}},
        {pSlider, BAR_FROM_RIGHT, 0.25f, {72, 0, 24, 16}},
        {pSlider, BAR_FROM_TOP, 0.5f, {0, 0, 96, 8}},
        {pVertical, BAR_FROM_BOTTOM, 0.25f, {0, 60, 16, 20}},
    };
    for (const auto& c : cases)
    {
        c.pSlider->SetDirection(c.direction);
        c.pSlider->SetValue(c.value);
        EXPECT_EQ(c.pSlider->GetBar()->GetGeometry(), c.bar) << c.direction;
    }
    Frame();
    EXPECT_EQ(pVertical->GetBar()->GetRect(), HRectF(2, 62, 16, 20));
}

TEST_F(Controls, SliderTakesItsValueFromPressesAndLeftDragsOnItselfOnly)
{
    HSlider* pSlider = MakeSlider(100, 20);
    auto* pCaption = new HLabel(pSlider);
    pCaption->SetGeometry(60, 0, 40, 20);
    HSlider* pTiny = MakeSlider(4, 4);
    pTiny->Move(0, 100);
    Frame();
    ClickLeft(80, 10);
    EXPECT_TRUE(m_Values.values.empty()) << "a press on another child";
    ClickLeft(27, 10);
    ASSERT_EQ(m_Values.values.size(), 1u);
    EXPECT_FLOAT_EQ(m_Values.values[0], 25.0f / 96.0f);
    MoveTo(50, 10);
    EXPECT_EQ(m_Values.values.size(), 1u) << "a move without the left button changes nothing";
    PressLeft(50, 10);
    MoveTo(74, 10);
    EXPECT_FLOAT_EQ(pSlider->GetValue(), 72.0f / 96.0f);
    ReleaseLeft(74, 10);

    m_Values.values.clear();
    pTiny->SetValueFromPoint({1, 101});
    pTiny->SetDirection(BAR_FROM_BOTTOM);
    pTiny->SetValueFromPoint({1, 101});
    EXPECT_TRUE(m_Values.values.empty()) << "a bar area of no size";
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
    pArea->Connect("OnUpdate", &m_Values, &ValueLog::Update);
    pSlider->Connect("OnUpdate", &m_Values, &ValueLog::Update);
    Frame();
    EXPECT_EQ(pSlider->GetChildren().size(), 1u);
    EXPECT_TRUE(pArea->GetChildren().empty());
    EXPECT_EQ(m_Values.updates, 1);
}

namespace
{
class Lists : public Controls
{
protected:
    Lists()
    {
        m_pList = new HListWidget(&m_Manager);
        m_pList->SetGeometry(0, 0, 200, 100);
        m_pView = m_pList->GetListView();
        for (const char* text : {"zero", "one", "two"})
        {
            m_Items.push_back(m_pList->AddItem(text));
        }
        m_pView->Connect("ItemSelected", &m_Values, &ValueLog::Item);
        Frame();
    }

    HColor ColorOf(int item) const
    {
        return m_Items[static_cast<size_t>(item)]->GetBackgroundColor();
    }

    HListWidget* m_pList;
    HListView* m_pView;
    std::vector<HLabel*> m_Items;
    const HColor m_White{0xFFFFFFFFu};
    const HColor m_Hover{0xFFA0A0A4u};
    const HColor m_Yellow{0xFFFFFF00u};
};
} // namespace

TEST_F(Lists, ItemsStackedWithSpacingAreColouredByHoverAndSelection)
{
    EXPECT_EQ(m_Items[0]->GetGeometry(), HRectF(0, 2, -1, 20));
    EXPECT_EQ(m_Items[2]->GetRect(), HRectF(0, 46, 200, 20));
    EXPECT_EQ(Draws(nullptr)[1].text, "one");
    MoveTo(50, 30);
    EXPECT_EQ(ColorOf(1), m_Hover);
    MoveTo(50, 50);
    EXPECT_EQ(ColorOf(1), m_White);
    EXPECT_EQ(ColorOf(2), m_Hover);
    PressLeft(50, 50);
    ReleaseLeft(50, 50);
    EXPECT_EQ(ColorOf(2), m_Yellow);
    EXPECT_EQ(m_pView->GetSelectedIndex(), 2);
    MoveTo(50, 10);
    EXPECT_EQ(ColorOf(0), m_Hover);
    EXPECT_EQ(ColorOf(2), m_Yellow);
    MoveTo(300, 200);
    EXPECT_EQ(ColorOf(0), m_White);
    Frame();
    EXPECT_EQ(Draws(m_Items[2])[0].color, m_Yellow);

    ClickLeft(50, 30);
    EXPECT_EQ(ColorOf(1), m_Yellow);
    EXPECT_EQ(ColorOf(2), m_White);
    ClickLeft(50, 30);
    EXPECT_EQ(m_Values.items, (std::vector<const HWidget*>{m_Items[2], m_Items[1], m_Items[1]}));
}

TEST_F(Lists, StrayLabelSelectsNothingAndADeletedItemLeavesTheListTheSelectionFollows)
{
    auto* pStray = new HLabel(m_pView);
    pStray->SetGeometry(0, 80, 100, 10);
    Frame();
    ClickLeft(50, 85);
    EXPECT_TRUE(m_Values.items.empty());
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
    pList->GetListView()->Connect("ItemSelected", &m_Values, &ValueLog::Item);
    Frame();
    EXPECT_FALSE(pList->IsVisible());
    EXPECT_EQ(pCombo->GetButton()->GetRect(), HRectF(140, 10, 20, 20));
    ClickLeft(150, 20);
    EXPECT_TRUE(pList->IsVisible());
    Frame();
    ClickLeft(150, 20);
    EXPECT_FALSE(pList->IsVisible());
    Frame();
    ClickLeft(50, 20);
    EXPECT_EQ(pCombo->GetMode(), COMBO_MODE_EXPANDED);
    Frame();
    ClickLeft(50, 55);
    EXPECT_EQ(pCombo->GetText(), "Linear");
    EXPECT_EQ(pCombo->GetSelectedIndex(), 1);
    EXPECT_FALSE(pList->IsVisible());
    EXPECT_EQ(m_Values.items.size(), 1u);
    Frame();
    EXPECT_EQ(m_Manager.WidgetAt({50, 55}), nullptr) << "a collapsed list is not hit";

    pCombo->SelectItem(0);
    EXPECT_EQ(pCombo->GetText(), "Point");
    EXPECT_EQ(pCombo->GetSelectedIndex(), 0);
    EXPECT_EQ(m_Values.items.size(), 1u);
    EXPECT_EQ(pList->GetItem(0)->GetBackgroundColor(), HColor(0xFFFFFFFFu));
    pCombo->SelectItem(5);
    EXPECT_EQ(pCombo->GetText(), "Point");
    EXPECT_EQ(pCombo->GetSelectedIndex(), 5);
}
