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

TEST(ModeManager, QueuedModeReplacesTheCurrentAtTheNextUpdate)
{
    std::vector<std::string> journal;
    ModeManager manager;
    auto* pFirst = new JournalMode(journal, "a");
    manager.SetMode(pFirst);
    EXPECT_EQ(pFirst->GetManager(), &manager);
    EXPECT_EQ(manager.GetCurrent(), nullptr);
    manager.Render(nullptr);
    manager.Update(1.0f);
    EXPECT_EQ(manager.GetCurrent(), pFirst);
    manager.SetMode(new JournalMode(journal, "b"));
    manager.Render(nullptr);
    manager.Update(2.0f);
    manager.Render(nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"update a 1", "render a", "delete a", "update b 2",
                                                 "render b"}));
}

TEST(ModeManager, QueuingTheCurrentOrQueuedModeAgainDoesNothing)
{
    std::vector<std::string> journal;
    ModeManager manager;
    auto* pMode = new JournalMode(journal, "a");
    manager.SetMode(pMode);
    manager.SetMode(pMode);
    manager.Update(0.0f);
    manager.SetMode(pMode);
    manager.Update(0.0f);
    EXPECT_EQ(manager.GetCurrent(), pMode);
    EXPECT_EQ(journal, (std::vector<std::string>{"update a 0", "update a 0"}));
}

TEST(ModeManager, SecondQueuedModeDeletesTheFirstUnseen)
{
    std::vector<std::string> journal;
    ModeManager manager;
    manager.SetMode(new JournalMode(journal, "a"));
    manager.SetMode(new JournalMode(journal, "b"));
    EXPECT_EQ(journal, (std::vector<std::string>{"delete a"}));
    manager.Update(0.0f);
    EXPECT_EQ(journal.back(), "update b 0");
}

TEST(ModeManager, NullDropsThePendingModeAndKeepsTheCurrent)
{
    std::vector<std::string> journal;
    ModeManager manager;
    manager.SetMode(nullptr);
    manager.Update(0.0f);
    EXPECT_EQ(manager.GetCurrent(), nullptr);
    auto* pCurrent = new JournalMode(journal, "a");
    manager.SetMode(pCurrent);
    manager.Update(0.0f);
    manager.SetMode(new JournalMode(journal, "b"));
    manager.SetMode(nullptr);
    manager.Update(0.0f);
    EXPECT_EQ(manager.GetCurrent(), pCurrent);
    EXPECT_EQ(journal, (std::vector<std::string>{"update a 0", "delete b", "update a 0"}));
}

TEST(ModeManager, ClearDeletesCurrentAndPending)
{
    std::vector<std::string> journal;
    {
        ModeManager manager;
        manager.SetMode(new JournalMode(journal, "a"));
        manager.Update(0.0f);
        manager.SetMode(new JournalMode(journal, "b"));
        manager.Clear();
        EXPECT_EQ(manager.GetCurrent(), nullptr);
        EXPECT_EQ(journal.size(), 3u);
    }
    EXPECT_EQ(journal.size(), 3u);
}
