#include "GuiTestSupport.h"

#include <cstdio>

using namespace GuiTest;

namespace
{
using Layout = GuiFixture;

// Logs its initialisation and deletion.
class Child : public HWidget
{
public:
    Child(HObject* pParent, Strings* pLog) : HWidget(pParent), m_pLog(pLog) {}
    ~Child() override { m_pLog->push_back("deleted"); }
    void Initialize() override { m_pLog->push_back("initialize"); }
    void RetireSelf() { SetAlive(false); }

private:
    Strings* m_pLog;
};

struct GeometryLog
{
    Strings entries;
    void Add(const char* what, HVec2F from, HVec2F to)
    {
        char text[64];
        std::snprintf(text, sizeof text, "%s %g,%g->%g,%g", what, from.x, from.y, to.x, to.y);
        entries.push_back(text);
    }
    void OnMove(HEvent* e)
    {
        const auto* pMove = static_cast<HMoveEvent*>(e);
        Add("move", pMove->GetOldPos(), pMove->GetPos());
    }
    void OnResize(HEvent* e)
    {
        const auto* pResize = static_cast<HResizeEvent*>(e);
        Add("resize", pResize->GetOldSize(), pResize->GetSize());
    }
};

// Round: hits inside the circle inscribed in the widget's rect.
class RoundProxy : public HRenderProxy
{
public:
    bool HasCustomShape() const override { return true; }
    bool HitTest(const HVec2F& pos, HWidget* pWidget) override
    {
        const HRectF& r = pWidget->GetRect();
        const float dx = pos.x - (r.x + r.width / 2);
        const float dy = pos.y - (r.y + r.height / 2);
        return dx * dx + dy * dy < (r.width / 2) * (r.width / 2);
    }
};
} // namespace

TEST_F(Layout, GeometryFillsTheParentInsideMarginsTakesFractionsAndAlignsFromEdges)
{
    HWidget* pParent = Make(&m_Manager, 10, 20, 100, 50);
    auto* pDefault = new HWidget(pParent);
    pDefault->SetMargins(4, 4, 4, 4);
    HWidget* pWide = Make(&m_Manager, 0, 0, 210, 100);
    HWidget* pFraction = Make(pWide, -0.25f, 0, -0.5f, 20);
    pFraction->SetMargins(5, 0, 5, 0);
    // A negative position counts as a fraction only on an axis whose size is one.
    HWidget* pFixedWidth = Make(pWide, -10, -0.5f, 50, -0.5f);
    HWidget* pBottomLeft = Make(&m_Manager, 10, -10, 24, 24);
    pBottomLeft->SetAlignment(0x21);
    HWidget* pBottomRight = Make(&m_Manager, 0, 0, 72, 20);
    pBottomRight->SetAlignment(0x22);
    HWidget* pCentre = Make(&m_Manager, 0, 0, 100, 50);
    pCentre->SetAlignment(0x33);
    Frame();
    const std::pair<HWidget*, HRectF> expected[] = {
        {pDefault, {14, 24, 92, 42}},       {pFraction, {55, 0, 100, 20}},
        {pFixedWidth, {-10, 50, 50, 50}},   {pBottomLeft, {10, 266, 24, 24}},
        {pBottomRight, {328, 280, 72, 20}}, {pCentre, {150, 125, 100, 50}},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i)
    {
        EXPECT_EQ(expected[i].first->GetRect(), expected[i].second) << "row " << i;
    }
}

TEST_F(Layout, ClippingCutsToTheParentNeverGoesNegativeAndBoundsGrowForUnclippedChildren)
{
    HWidget* pParent = Make(&m_Manager, 10, 10, 100, 100);
    HWidget* pOverlapping = Make(pParent, 50, -20, 100, 100);
    HWidget* pOutside = Make(pParent, 200, 0, 50, 50);
    HWidget* pUnclipped = Make(pParent, 50, 50, 100, 100);
    pUnclipped->SetClip(false);
    Frame();
    const HRectF outside = pOutside->GetVisibleRect();
    EXPECT_EQ(std::pair(outside.width, outside.height), std::pair(0.0f, 50.0f));
    EXPECT_EQ(pUnclipped->GetVisibleRect(), HRectF(60, 60, 100, 100));
    ASSERT_EQ(Draws(pOverlapping).size(), 1u);
    EXPECT_EQ(Draws(pOverlapping)[0].rect, HRectF(60, 10, 50, 80));
    EXPECT_EQ(pParent->GetBoundingRect(), HRectF(10, 10, 200, 150));
    EXPECT_EQ(m_Manager.WidgetAt({150, 150}), pUnclipped);
}

TEST_F(Layout, HitsSkipEdgesHiddenAndDisabledWidgetsTheLaterSiblingWinsAndCustomShapesDecide)
{
    m_Manager.SetAcceptMouse(false);
    HWidget* pFirst = Make(&m_Manager, 10, 10, 100, 100);
    HWidget* pSecond = Make(&m_Manager, 60, 10, 100, 100);
    HWidget* pHidden = Make(&m_Manager, 0, 150, 100, 100);
    HWidget* pHiddenChild = Make(pHidden, 0, 0, 50, 50);
    HWidget* pDisabled = Make(&m_Manager, 200, 150, 100, 100);
    // A round proxy takes over hit testing and unbounds the widget: its unclipped child
    // outside it is hit too. Neither draws through the recording proxy.
    HWidget* pRound = Make(&m_Manager, 200, 0, 100, 100);
    pRound->SetRenderProxy(new RoundProxy);
    HWidget* pOutsideChild = Make(pRound, 150, 0, 40, 40);
    pOutsideChild->SetClip(false);
    EXPECT_EQ(m_Manager.WidgetAt({50, 50}), nullptr) << "nothing is hit before the first render";
    Frame();
    pHidden->SetVisible(false);
    pDisabled->SetEnabled(false);
    Frame();
    const std::pair<HVec2F, HWidget*> hits[] = {
        {{10, 50}, nullptr},        {{50, 10}, nullptr},  {{10.5f, 50}, pFirst},
        {{80, 50}, pSecond},        {{160, 50}, nullptr}, {{25, 175}, nullptr},
        {{250, 200}, nullptr},      {{205, 5}, nullptr},  {{250, 50}, pRound},
        {{370, 20}, pOutsideChild},
    };
    for (const auto& [pos, pWidget] : hits)
    {
        EXPECT_EQ(m_Manager.WidgetAt(pos), pWidget) << pos.x << "," << pos.y;
    }
    // Hidden widgets and their children are not drawn; disabled ones are.
    EXPECT_FALSE(pHiddenChild->IsVisible());
    std::vector<const HWidget*> order(m_Draws.size());
    std::transform(m_Draws.begin(), m_Draws.end(), order.begin(),
                   [](auto& r) { return r.pWidget; });
    EXPECT_EQ(order, (std::vector<const HWidget*>{&m_Manager, pFirst, pSecond, pDisabled}));
}

TEST_F(Layout, WidgetInitializesOnceBeforeDrawingAndRetiresAtItsParentsNextUpdate)
{
    HWidget* pParent = Make(&m_Manager, 0, 0, 100, 100);
    auto* pChild = new Child(pParent, &m_Log);
    m_Manager.Render(&m_Context);
    EXPECT_TRUE(Draws(pChild).empty()) << "nothing draws before its first update";
    Frame();
    EXPECT_EQ(Draws(pChild).size(), 1u);
    pChild->Connect("OnUpdate", pChild, &Child::RetireSelf);
    Frame();
    EXPECT_EQ(m_Log, Strings{"initialize"});
    EXPECT_FALSE(pChild->IsAlive());
    Frame();
    EXPECT_EQ(m_Log, (Strings{"initialize", "deleted"}));
    EXPECT_TRUE(pParent->GetChildren().empty() && pParent->GetChildWidgets().empty());
}

TEST_F(Layout, GeometryChangesSendMoveAndResizeOnlyWhenSomethingChanged)
{
    HWidget* pWidget = Make(&m_Manager, 0, 0, 10, 10);
    HWidget loose;
    GeometryLog geometry;
    for (HWidget* p : {pWidget, &loose})
    {
        p->Connect("Move", &geometry, &GeometryLog::OnMove);
        p->Connect("Resize", &geometry, &GeometryLog::OnResize);
    }
    pWidget->SetGeometry(5, 6, 10, 10);
    pWidget->SetGeometry(5, 6, 10, 10);
    pWidget->SetGeometry(5, 6, 20, 30);
    pWidget->Move(5, 6);
    pWidget->Resize(20, 30);
    pWidget->MoveBy({0, 0});
    pWidget->MoveBy({1, 2});
    pWidget->Resize(1, 1);
    // A widget without manager sends no events.
    loose.Move(3, 3);
    EXPECT_EQ(loose.GetPos(), HVec2F(3, 3));
    EXPECT_EQ(geometry.entries, (Strings{"move 0,0->5,6", "resize 10,10->20,30", "move 5,6->6,8",
                                         "resize 20,30->1,1"}));
}

TEST_F(Layout, ProxiesAreInheritedOwnedReplacedAndUpdatedBeforeTheWidgetEmitsOnUpdate)
{
    std::vector<DrawRecord> ownLog;
    HWidget* pParent = Make(&m_Manager, 0, 0, 100, 100);
    HWidget* pChild = Make(pParent, 0, 0, 10, 10);
    EXPECT_EQ(pChild->GetRenderProxy(), m_Manager.GetRenderProxy());
    auto* pProxy = new RecordingProxy(&ownLog);
    pParent->SetRenderProxy(pProxy);
    pParent->SetRenderProxy(pProxy);
    EXPECT_TRUE(ownLog.empty()) << "setting the same proxy again keeps it";
    EXPECT_EQ(pChild->GetRenderProxy(), pProxy);
    pChild->SetRenderProxy(nullptr);
    SignalLog seconds;
    pParent->Connect("OnUpdate", &seconds, &SignalLog::Value);
    Frame(0.5f);
    pParent->SetEnabled(false);
    Frame(0.25f);
    EXPECT_EQ(pProxy->updateSeconds, std::vector<float>{0.5f});
    EXPECT_EQ(seconds.values, std::vector<float>{0.5f});
    EXPECT_TRUE(Draws(pChild).empty());
    EXPECT_EQ(ownLog.size(), 2u) << "the disabled parent is still drawn";
    pParent->SetRenderProxy(HWidget::InheritProxy());
    EXPECT_EQ(ownLog.back().text, "destroyed");
    EXPECT_EQ(pParent->GetRenderProxy(), m_Manager.GetRenderProxy());
}
