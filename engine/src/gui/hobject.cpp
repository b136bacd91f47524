#include "gui/hobject.h"

#include "gui/hevent.h"
#include "gui/hmanager.h"

#include <algorithm>

namespace Halvex::HGui
{

HObject::HObject(HObject* pParent)
{
    SetParent(pParent);
}

HObject::~HObject()
{
    DeleteChildren();
    if (m_pParent)
    {
        m_pParent->RemoveChild(this, false);
    }
}

bool HObject::Inherits(const std::string& className) const
{
    return className == "HObject";
}

bool HObject::Event(HEvent* pEvent)
{
    if (pEvent->GetType() == EVENT_OBJECT)
    {
        ObjectEvent(pEvent);
    }
    else if (pEvent->GetType() == EVENT_USER)
    {
        UserEvent(pEvent);
    }
    if (!pEvent->IsAccepted() && m_pParent)
    {
        m_pParent->Event(pEvent);
    }
    return pEvent->IsAccepted();
}

void HObject::SetParent(HObject* pParent)
{
    if (pParent == m_pParent)
    {
        return;
    }
    if (m_pParent)
    {
        m_pParent->RemoveChild(this, false);
        SetManagerOfSubtree(nullptr);
    }
    m_pParent = pParent;
    if (pParent)
    {
        pParent->AddChild(this);
        SetManagerOfSubtree(pParent->m_pManager);
    }
}

HObject* HObject::AddChild(HObject* pChild)
{
    if (std::find(m_Children.begin(), m_Children.end(), pChild) != m_Children.end())
    {
        return pChild;
    }
    pChild->SetParent(this);
    m_Children.push_back(pChild);
    ChildAdded(pChild);
    return pChild;
}

bool HObject::RemoveChild(HObject* pChild, bool destroy)
{
    auto it = std::find(m_Children.begin(), m_Children.end(), pChild);
    if (it == m_Children.end())
    {
        return false;
    }
    m_Children.erase(it);
    ChildRemoved(pChild);
    pChild->m_pParent = nullptr;
    pChild->SetManagerOfSubtree(nullptr);
    if (destroy)
    {
        delete pChild;
    }
    return true;
}

bool HObject::Contains(const HObject* pObject, bool recursive) const
{
    if (pObject == this)
    {
        return true;
    }
    for (const HObject* pChild : m_Children)
    {
        if (pChild == pObject || (recursive && pChild->Contains(pObject, true)))
        {
            return true;
        }
    }
    return false;
}

void HObject::DeleteChildren()
{
    auto it = m_Children.begin();
    while (it != m_Children.end())
    {
        it = DestroyChild(it);
    }
}

std::list<HObject*>::iterator HObject::DestroyChild(std::list<HObject*>::iterator it)
{
    HObject* pChild = *it;
    it = m_Children.erase(it);
    ChildRemoved(pChild);
    pChild->m_pParent = nullptr;
    delete pChild;
    return it;
}

// A subtree attached below the manager learns it all at once, whatever order it was built in.
void HObject::SetManagerOfSubtree(HManager* pManager)
{
    if (m_pManager && static_cast<const HObject*>(m_pManager) == this)
    {
        return;
    }
    m_pManager = pManager;
    for (HObject* pChild : m_Children)
    {
        pChild->SetManagerOfSubtree(pManager);
    }
}

} // namespace Halvex::HGui
