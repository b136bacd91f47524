#include "testcase/modemanager.h"
#include "testcase/modebase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// Records its updates, renders and deletion into a shared journal.
class JournalMode : public ModeBase
{
public:
    JournalMode(std::vector<std::string>& journal, std::string name)
        : m_Journal(journal), m_Name(std::move(name))
    {
    }
    ~JournalMode() override { m_Journal.push_back("delete " + m_Name); }
    void Update(float dt) override
    {
        m_Journal.push_back("update " + m_Name + " " + std::to_string(static_cast<int>(dt)));
    }
    void Render(RenderImpl*) override { m_Journal.push_back("render " + m_Name); }

private:
    std::vector<std::string>& m_Journal;
    std::string m_Name;
};
} // namespace

// One scenario through every transition: a queued mode waits for the next update, a second
// queued mode deletes the first unseen, queuing the current or queued mode again does nothing,
// null drops the pending mode, and Clear (or the manager's end) deletes both.
TEST(ModeManager, QueuedModesReplaceTheCurrentAtTheNextUpdateAndAreDeletedOnce)
{
    std::vector<std::string> journal;
    {
        ModeManager manager;
        manager.SetMode(nullptr);
        manager.Update(0.0f);
        EXPECT_EQ(manager.GetCurrent(), nullptr);
        auto* pA = new JournalMode(journal, "a");
        manager.SetMode(new JournalMode(journal, "x"));
        manager.SetMode(pA);
        manager.SetMode(pA);
        EXPECT_EQ(manager.GetCurrent(), nullptr);
        manager.Render(nullptr);
        manager.Update(1.0f);
        manager.SetMode(pA);
        manager.Render(nullptr);
        manager.SetMode(new JournalMode(journal, "y"));
        manager.SetMode(nullptr);
        manager.Update(2.0f);
        EXPECT_EQ(manager.GetCurrent(), pA);
        manager.SetMode(new JournalMode(journal, "b"));
        manager.Update(3.0f);
        manager.Render(nullptr);
        EXPECT_NE(manager.GetCurrent(), pA);
        manager.SetMode(new JournalMode(journal, "c"));
        manager.Clear();
        EXPECT_EQ(manager.GetCurrent(), nullptr);
        EXPECT_EQ(manager.GetPending(), nullptr);
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"delete x", "update a 1", "render a", "delete y",
                                                 "update a 2", "delete a", "update b 3", "render b",
                                                 "delete b", "delete c"}));
}
