#pragma once
// A mode is what the application updates and renders once per frame while it is current:
// each lesson is one.

class ModeManager;
class RenderImpl;

class ModeBase
{
public:
    virtual ~ModeBase() = default;
    // dt in seconds.
    virtual void Update(float) {}
    virtual void Render(RenderImpl*) {}

    ModeManager* GetManager() const { return m_pManager; }
    void SetManager(ModeManager* pManager) { m_pManager = pManager; }

private:
    ModeManager* m_pManager = nullptr;
};
