#pragma once
// The object tree: parents own their children; every object is also a signal source.

#include "gui/memberfunc.h"

#include <list>
#include <string>

namespace Halvex::HGui
{

class HEvent;
class HManager;

class HObject : public MemberFunc<void>
{
public:
    explicit HObject(HObject* pParent = nullptr);
    ~HObject() override;

    // True for this class's name or a base class's name.
    virtual bool Inherits(const std::string& className) const;
    virtual bool IsWidgetType() const { return false; }
    // Dispatches types 1 and 1000, then bubbles to the parent while not accepted.
    virtual bool Event(HEvent* pEvent);
    virtual void ChildAdded(HObject*) {}
    virtual void ChildRemoved(HObject*) {}
    virtual void ObjectEvent(HEvent*) {}
    virtual void UserEvent(HEvent*) {}

    void SetParent(HObject* pParent);
    HObject* GetParent() const { return m_pParent; }
    HManager* GetManager() const { return m_pManager; }
    const std::string& GetObjectName() const { return m_ObjectName; }
    void SetObjectName(const std::string& name) { m_ObjectName = name; }
    const std::list<HObject*>& GetChildren() const { return m_Children; }

    HObject* AddChild(HObject* pChild);
    bool RemoveChild(HObject* pChild, bool destroy);
    bool Contains(const HObject* pObject, bool recursive) const;

protected:
    // Announces, detaches and deletes every child, in list order.
    void DeleteChildren();
    // The child at `it` is announced, detached and deleted; returns the next position.
    std::list<HObject*>::iterator DestroyChild(std::list<HObject*>::iterator it);

    std::string m_ObjectName = "HObject";
    std::list<HObject*> m_Children;
    HObject* m_pParent = nullptr;
    HManager* m_pManager = nullptr;

private:
    void SetManagerOfSubtree(HManager* pManager);
};

} // namespace Halvex::HGui
