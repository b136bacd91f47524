#include "gui/hmanager.h"

#include "gui/hmsghandler.h"

namespace Halvex::HGui
{

HWidget* HManager_Private::GetHovered(bool validate)
{
    if (validate && m_pHovered && !m_pManager->Contains(m_pHovered))
    {
        m_pHovered = nullptr;
    }
    return m_pHovered;
}

HWidget* HManager_Private::SetHoveredWidget(HWidget* pWidget)
{
    if (pWidget == m_pHovered)
    {
        return m_pHovered;
    }
    HWidget* pOld = m_pHovered;
    if (pOld)
    {
        pOld->SetHovered(false);
    }
    if (pWidget)
    {
        pWidget->SetHovered(true);
    }
    HLeaveEvent leave;
    SendEvent(pOld, &leave);
    HEnterEvent enter;
    SendEvent(pWidget, &enter);
    m_pHovered = pWidget;
    return m_pHovered;
}

bool HManager_Private::SendEvent(HObject* pReceiver, HEvent* pEvent)
{
    if (!pReceiver || !pEvent)
    {
        return false;
    }
    pEvent->SetReceiver(pReceiver);
    return pReceiver->Event(pEvent);
}

void HManager_Private::PostEvent(HObject* pReceiver, std::unique_ptr<HEvent> pEvent)
{
    if (pReceiver && pEvent)
    {
        pEvent->SetReceiver(pReceiver);
        m_Posted.push_back(std::move(pEvent));
    }
}

void HManager_Private::ProcessPostedEvents()
{
    std::list<std::unique_ptr<HEvent>> queue;
    queue.swap(m_Posted);
    for (std::unique_ptr<HEvent>& pEvent : queue)
    {
        HObject* pReceiver = pEvent->GetReceiver();
        if (m_pManager->Contains(pReceiver))
        {
            pReceiver->Event(pEvent.get());
        }
    }
}

void HManager_Private::ForgetWidget(const HWidget* pWidget)
{
    if (m_pHovered == pWidget)
    {
        m_pHovered = nullptr;
    }
}

HManager::HManager() : HWidget(nullptr), m_pPrivate(std::make_unique<HManager_Private>(this))
{
    m_pManager = this;
}

HManager::~HManager()
{
    // The tree goes first: its widgets report their destruction to the private part.
    DeleteChildren();
}

void HManager::Update(float seconds)
{
    HWidget::Update(seconds);
    m_pPrivate->ProcessPostedEvents();
}

void HManager::SetMsgHandler(HMsgHandler* pHandler)
{
    if (pHandler != m_pMsgHandler.get())
    {
        m_pMsgHandler.reset(pHandler);
    }
}

bool HManager::SendEvent(HObject* pReceiver, HEvent* pEvent)
{
    return m_pPrivate->SendEvent(pReceiver, pEvent);
}

void HManager::PostEvent(HObject* pReceiver, std::unique_ptr<HEvent> pEvent)
{
    m_pPrivate->PostEvent(pReceiver, std::move(pEvent));
}

void HManager::ForgetWidget(const HWidget* pWidget)
{
    m_pPrivate->ForgetWidget(pWidget);
}

} // namespace Halvex::HGui
