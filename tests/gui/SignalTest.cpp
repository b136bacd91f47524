#include "GuiTestSupport.h"

#include "base/source/system/logger.h"
#include "gui/hcombobox.h"
#include "gui/hdragbutton.h"
#include "gui/hslider.h"

using namespace GuiTest;

namespace
{
struct Recorder : SignalLog
{
    void First() { Add("first"); }
    void Second() { Add("second"); }
    void WrongType(int) { Add("int"); }
    void TooMany(HObject*, HObject*) { Add("two"); }
    void Sender(HObject* pSender) { objects.push_back(pSender); }
    void ValueAndSender(float value, HObject* pSender)
    {
        Value(value);
        Sender(pSender);
    }
};

std::vector<float> g_FunctionValues;
void FreeHandler(float v, HObject*)
{
    g_FunctionValues.push_back(v);
}

// Disconnects or connects on the source while the source emits.
struct Meddler
{
    HObject* pSource = nullptr;
    Recorder* pVictim = nullptr;
    int calls = 0;
    void DisconnectVictim() { Disconnect(pVictim); }
    void DisconnectSelf() { Disconnect(this); }
    void Disconnect(void* pReceiver)
    {
        ++calls;
        pSource->Disconnect(pReceiver);
    }
    void ConnectMore()
    {
        ++calls;
        // Enough records to make the vector grow while it is being walked.
        for (int i = 0; i < 16; ++i)
        {
            pSource->Connect("Clicked", pVictim, &Recorder::Second);
        }
    }
};

class Tracked : public HObject
{
public:
    Tracked(HObject* pParent, Strings* pLog, std::string name)
        : m_pLog(pLog), m_Name(std::move(name))
    {
        // Attached once constructed, so the parent's hooks see a whole child.
        SetParent(pParent);
    }
    ~Tracked() override { m_pLog->push_back("delete " + m_Name); }
    void ChildAdded(HObject* pChild) override { Log(" added ", pChild); }
    void ChildRemoved(HObject* pChild) override { Log(" removed ", pChild); }
    void UserEvent(HEvent*) override { m_pLog->push_back("user " + m_Name); }

private:
    void Log(const char* what, HObject* pChild)
    {
        m_pLog->push_back(m_Name + what + static_cast<Tracked*>(pChild)->m_Name);
    }
    Strings* m_pLog;
    std::string m_Name;
};
} // namespace

TEST(Signals, HandlersRunInConnectionOrderOncePerConnectionAndDisconnectDropsOnlyThatReceiver)
{
    HObject source;
    Recorder a;
    Recorder b;
    source.Connect("Clicked", &a, &Recorder::First);
    source.Connect("Clicked", &a, &Recorder::Second);
    source.Connect("Clicked", &b, &Recorder::First);
    source.Connect("Clicked", &a, &Recorder::First);
    source.Connect("Clicked", &b, &Recorder::Second);
    source.Connect("Pressed", &a, &Recorder::First);
    source.Emit("Clicked");
    source.Emit("Other");
    source.Disconnect(&a);
    source.Emit("Clicked");
    source.Emit("Pressed");
    EXPECT_EQ(a.entries, (Strings{"first", "second", "first"}));
    EXPECT_EQ(b.entries, (Strings{"first", "second", "first", "second"}));
    ASSERT_NE(source.GetConnections("Pressed"), nullptr);
    EXPECT_TRUE(source.GetConnections("Pressed")->empty());
}

TEST(Signals, HandlersTakeAsManyArgumentsAsTheyWantValueFirstSenderLastAndMismatchesAreRefused)
{
    HObject source;
    Recorder r;
    source.Connect("OnUpdate", &r, &Recorder::First);
    source.Connect("OnUpdate", &r, &Recorder::Value);
    source.Connect("OnUpdate", &r, &Recorder::ValueAndSender);
    source.Connect("Clicked", &r, &Recorder::Sender);
    source.Connect("Clicked", &r, &Recorder::TooMany);
    source.Connect("ValueChanged", &r, &Recorder::WrongType);
    g_FunctionValues.clear();
    source.ConnectFunction("OnUpdate", &FreeHandler);
    Halvex::Base::DiagnosticCapture capture;
    source.Emit("OnUpdate", 0.25f);
    source.Emit("Clicked");
    source.Emit("ValueChanged", 1.0f);
    EXPECT_EQ(g_FunctionValues, std::vector<float>{0.25f});
    EXPECT_EQ(r.entries, Strings{"first"});
    EXPECT_EQ(r.values, (std::vector<float>{0.25f, 0.25f}));
    EXPECT_EQ(r.objects, (std::vector<const HObject*>{&source, &source}));
    EXPECT_EQ(capture.Asserts().size(), 2u);
    EXPECT_TRUE(capture.Logged("ValueChanged"));
}

TEST(Signals, EmissionIsSafeAgainstDisconnectsAndConnectsFromHandlers)
{
    HObject source;
    Recorder victim;
    Meddler meddler{&source, &victim};
    source.Connect("Clicked", &victim, &Recorder::First);
    source.Connect("Clicked", &meddler, &Meddler::DisconnectVictim);
    source.Connect("Clicked", &meddler, &Meddler::DisconnectSelf);
    source.Connect("Clicked", &victim, &Recorder::Second);
    source.Emit("Clicked");
    EXPECT_TRUE(source.GetConnections("Clicked")->empty());
    source.Emit("Clicked");
    EXPECT_EQ(victim.entries, Strings{"first"});
    EXPECT_EQ(meddler.calls, 2);

    // A connection made during emission waits for the next one.
    source.Connect("Clicked", &meddler, &Meddler::ConnectMore);
    source.Connect("Clicked", &victim, &Recorder::First);
    source.Emit("Clicked");
    EXPECT_EQ(victim.entries.size(), 2u);
    source.Disconnect(&meddler);
    source.Emit("Clicked");
    EXPECT_EQ(victim.entries.size(), 19u);
}

TEST(ObjectTree, AttachingTwiceChangesNothingAndDetachingClearsTheManager)
{
    Strings log;
    HManager manager;
    auto* pParent = new Tracked(&manager, &log, "parent");
    Tracked child(nullptr, &log, "child");
    auto* pGrandchild = new Tracked(&child, &log, "grandchild");
    log.clear();
    child.SetParent(pParent);
    EXPECT_EQ(std::pair(child.GetManager(), pGrandchild->GetManager()),
              std::pair(&manager, &manager));
    pParent->AddChild(&child);
    child.SetParent(pParent);
    EXPECT_EQ(pParent->GetChildren().size(), 1u);
    EXPECT_EQ(log, Strings{"parent added child"});
    child.SetParent(nullptr);
    EXPECT_EQ(child.GetParent(), nullptr);
    EXPECT_EQ(std::pair(child.GetManager(), pGrandchild->GetManager()),
              (std::pair<HManager*, HManager*>()));
    EXPECT_TRUE(pParent->GetChildren().empty());
    EXPECT_FALSE(pParent->RemoveChild(&child, false));
}

TEST(ObjectTree, UnacceptedEventsTravelToTheRootAndRemovingOrDeletingTakesTheSubtree)
{
    Strings log;
    auto* pRoot = new Tracked(nullptr, &log, "root");
    auto* pA = new Tracked(pRoot, &log, "a");
    auto* pLeaf = new Tracked(pA, &log, "a1");
    auto* pB = new Tracked(pRoot, &log, "b");
    new Tracked(pRoot, &log, "c");
    log.clear();
    HEvent event(EVENT_USER);
    EXPECT_FALSE(pLeaf->Event(&event));
    EXPECT_EQ(std::pair(pRoot->Contains(pLeaf, true), pRoot->Contains(pLeaf, false)),
              std::pair(true, false));
    EXPECT_TRUE(pRoot->RemoveChild(pB, true));
    EXPECT_FALSE(pRoot->Contains(pB, true));
    delete pRoot;
    EXPECT_EQ(log, (Strings{"user a1", "user a", "user root", "root removed b", "delete b",
                            "delete root", "delete a", "delete a1", "delete c"}));
}

TEST(ObjectTree, ClassNamesAnswerAsTheNearestImplementingBase)
{
    HSlider slider;
    HDragButton dragButton;
    EXPECT_EQ(slider.GetObjectName(), "HSlider");
    EXPECT_EQ(HComboBox().GetObjectName(), "HComboBox");
    const std::vector<bool> answers = {
        slider.Inherits("HLabel"),          slider.Inherits("HSlider"),
        dragButton.Inherits("HPushButton"), dragButton.Inherits("HListView"),
        dragButton.IsWidgetType(),          HObject().IsWidgetType()};
    EXPECT_EQ(answers, (std::vector<bool>{true, false, true, false, true, false}));
}
