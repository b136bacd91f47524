#include "GuiTestSupport.h"

#include "gui/hcombobox.h"
#include "gui/hlabel.h"
#include "gui/hlistview.h"
#include "gui/hlistwidget.h"
#include "gui/hpushbutton.h"
#include "gui/hscrollarea.h"
#include "gui/hslider.h"

#include <cmath>

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

TEST_F(Controls, ValueIsClampedToTheRangeAndSignalledOnlyWhenItChanges)
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
}

TEST_F(Controls, BarGrowsFromTheSideItsDirectionNames)
{
    HSlider* pSlider = MakeSlider(100, 20);
    pSlider->SetValue(0.5f);
    EXPECT_EQ(pSlider->GetBar()->GetGeometry(), HRectF(0, 0, 48, 16));
    pSlider->SetDirection(BAR_FROM_RIGHT);
    pSlider->SetValue(0.25f);
    EXPECT_EQ(pSlider->GetBar()->GetGeometry(), HRectF(72, 0, 24, 16));
    pSlider->SetDirection(BAR_FROM_TOP);
    pSlider->SetValue(0.5f);
    EXPECT_EQ(pSlider->GetBar()->GetGeometry(), HRectF(0, 0, 96, 8));

    HSlider* pVertical = MakeSlider(20, 84);
    pVertical->SetDirection(3);
    pVertical->SetValue(0.25f);
    EXPECT_EQ(pVertical->GetBar()->GetGeometry(), HRectF(0, 60, 16, 20));
    Frame();
    EXPECT_EQ(pVertical->GetBar()->GetRect(), HRectF(2, 62, 16, 20));
}

TEST_F(Controls, ClickAndLeftDragSetTheValueFromTheCursor)
{
    HSlider* pSlider = MakeSlider(100, 20);
    pSlider->SetValue(0.5f);
    m_Values.values.clear();
    Frame();
    ClickLeft(27, 10);
    ASSERT_EQ(m_Values.values.size(), 1u);
    EXPECT_FLOAT_EQ(m_Values.values[0], 25.0f / 96.0f);
    MoveTo(60, 10);
    EXPECT_EQ(m_Values.values.size(), 1u) << "a move without the left button changes nothing";
    Frame();
    PressLeft(60, 10);
    MoveTo(74, 10);
    EXPECT_FLOAT_EQ(pSlider->GetValue(), 72.0f / 96.0f);
}

TEST_F(Controls, PressOnAnotherChildOrAZeroSizeAreaLeavesTheValue)
{
    HSlider* pSlider = MakeSlider(100, 20);
    auto* pCaption = new HLabel(pSlider);
    pCaption->SetGeometry(60, 0, 40, 20);
    HSlider* pTiny = MakeSlider(4, 4);
    pTiny->Move(0, 100);
    Frame();
    ClickLeft(80, 10);
    EXPECT_EQ(pSlider->GetValue(), 0.0f);
    pTiny->SetValueFromPoint({1, 101});
    pTiny->SetDirection(BAR_FROM_BOTTOM);
    pTiny->SetValueFromPoint({1, 101});
    EXPECT_TRUE(m_Values.values.empty());
}

TEST_F(Controls, ReplacedBarAndContentRetireAtTheNextUpdate)
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
    Frame();
    EXPECT_EQ(pSlider->GetChildren().size(), 1u);
    EXPECT_TRUE(pArea->GetChildren().empty());
}

TEST_F(Controls, ScrollAreaNeverEmitsOnUpdate)
{
    auto* pArea = new HScrollArea(&m_Manager);
    pArea->Connect("OnUpdate", &m_Values, &ValueLog::Update);
    auto* pPlain = new HWidget(&m_Manager);
    pPlain->Connect("OnUpdate", &m_Values, &ValueLog::Update);
    Frame();
    Frame();
    EXPECT_EQ(m_Values.updates, 2);
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

TEST_F(Lists, ItemsAreStackedWithTheSpacingAboveEach)
{
    EXPECT_EQ(m_Items[0]->GetGeometry(), HRectF(0, 2, -1, 20));
    EXPECT_EQ(m_Items[1]->GetPos(), HVec2F(0, 24));
    EXPECT_EQ(m_Items[2]->GetPos(), HVec2F(0, 46));
    EXPECT_GE(m_pView->GetHeight(), 68.0f);
    EXPECT_EQ(m_Items[2]->GetRect(), HRectF(0, 46, 200, 20));
    ASSERT_EQ(Texts().size(), 3u);
    EXPECT_EQ(Texts()[1].text, "one");
}

TEST_F(Lists, HoverAndSelectionColourTheItems)
{
    MoveTo(50, 30);
    EXPECT_EQ(ColorOf(1), m_Hover);
    MoveTo(50, 50);
    EXPECT_EQ(ColorOf(1), m_White);
    EXPECT_EQ(ColorOf(2), m_Hover);
    PressLeft(50, 50);
    ReleaseLeft(50, 50);
    EXPECT_EQ(ColorOf(2), m_Yellow);
    EXPECT_EQ(m_pView->GetSelectedIndex(), 2);
    EXPECT_EQ(m_Values.items, std::vector<const HWidget*>{m_Items[2]});
    MoveTo(50, 10);
    EXPECT_EQ(ColorOf(0), m_Hover);
    EXPECT_EQ(ColorOf(2), m_Yellow);
    MoveTo(300, 200);
    EXPECT_EQ(ColorOf(0), m_White);
    EXPECT_EQ(ColorOf(2), m_Yellow);
    Frame();
    EXPECT_EQ(RectsOf(m_Items[2])[0].color, m_Yellow);

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

namespace
{
class Combo : public Controls
{
protected:
    Combo()
    {
        m_pCombo = new HComboBox(&m_Manager);
        m_pCombo->SetGeometry(10, 10, 150, 20);
        m_pCombo->GetListWidget()->SetGeometry(0, 20, 150, 60);
        m_pCombo->GetListWidget()->AddItem("Point");
        m_pCombo->GetListWidget()->AddItem("Linear");
        m_pCombo->GetListWidget()->GetListView()->Connect("ItemSelected", &m_Values,
                                                          &ValueLog::Item);
        Frame();
    }
    bool Expanded() const { return m_pCombo->GetListWidget()->IsVisible(); }

    HComboBox* m_pCombo;
};
} // namespace

TEST_F(Combo, DropButtonOrBoxTogglesAndChoosingAnItemShowsItAndCollapses)
{
    EXPECT_FALSE(Expanded());
    EXPECT_EQ(m_pCombo->GetButton()->GetRect(), HRectF(140, 10, 20, 20));
    ClickLeft(150, 20);
    EXPECT_TRUE(Expanded());
    Frame();
    ClickLeft(150, 20);
    EXPECT_FALSE(Expanded());
    Frame();
    ClickLeft(50, 20);
    EXPECT_EQ(m_pCombo->GetMode(), COMBO_MODE_EXPANDED);
    Frame();
    ClickLeft(50, 55);
    EXPECT_EQ(m_pCombo->GetText(), "Linear");
    EXPECT_EQ(m_pCombo->GetSelectedIndex(), 1);
    EXPECT_FALSE(Expanded());
    EXPECT_EQ(m_Values.items.size(), 1u);
    Frame();
    EXPECT_EQ(m_Manager.WidgetAt({50, 55}), nullptr) << "a collapsed list is not hit";
}

TEST_F(Combo, SelectItemShowsTheTextWithoutSignalOrColour)
{
    m_pCombo->SelectItem(0);
    EXPECT_EQ(m_pCombo->GetText(), "Point");
    EXPECT_EQ(m_pCombo->GetSelectedIndex(), 0);
    EXPECT_TRUE(m_Values.items.empty());
    EXPECT_EQ(m_pCombo->GetListWidget()->GetItem(0)->GetBackgroundColor(), HColor(0xFFFFFFFFu));
    m_pCombo->SelectItem(5);
    EXPECT_EQ(m_pCombo->GetText(), "Point");
    EXPECT_EQ(m_pCombo->GetSelectedIndex(), 5);
}
