#pragma once
// Holds the current mode and the one queued to replace it. A queued mode becomes current at
// the start of the next Update, never during a mode's own Update or Render.

#include <memory>

class ModeBase;
class RenderImpl;

class ModeManager
{
public:
    ModeManager();
    virtual ~ModeManager();
    ModeManager(const ModeManager&) = delete;
    ModeManager& operator=(const ModeManager&) = delete;

    // Queues a mode and takes ownership. A mode queued before and not yet current is
    // deleted unseen; queuing the current or the queued mode again does nothing.
    void SetMode(ModeBase* pMode);
    // Performs a pending switch (deleting the old mode), then updates the current mode.
    void Update(float dt);
    void Render(RenderImpl* pRenderer);
    // The current mode; a queued one is not returned.
    ModeBase* GetCurrent() const { return m_pCurrent.get(); }
    ModeBase* GetPending() const { return m_pPending.get(); }
    // Deletes the current and the queued mode.
    void Clear();

private:
    std::unique_ptr<ModeBase> m_pCurrent;
    std::unique_ptr<ModeBase> m_pPending;
};
