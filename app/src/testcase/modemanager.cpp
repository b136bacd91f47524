#include "testcase/modemanager.h"

#include "testcase/modebase.h"

ModeManager::ModeManager() = default;

ModeManager::~ModeManager()
{
    Clear();
}

void ModeManager::SetMode(ModeBase* pMode)
{
    if (pMode == m_pCurrent.get() || pMode == m_pPending.get())
    {
        return;
    }
    m_pPending.reset(pMode);
    if (pMode)
    {
        pMode->SetManager(this);
    }
}

void ModeManager::Update(float dt)
{
    if (m_pPending)
    {
        // The old mode goes first: it removes its panel and resources before the new one runs.
        m_pCurrent.reset();
        m_pCurrent = std::move(m_pPending);
    }
    if (m_pCurrent)
    {
        m_pCurrent->Update(dt);
    }
}

void ModeManager::Render(RenderImpl* pRenderer)
{
    if (m_pCurrent)
    {
        m_pCurrent->Render(pRenderer);
    }
}

void ModeManager::Clear()
{
    m_pCurrent.reset();
    m_pPending.reset();
}
