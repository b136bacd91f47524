#pragma once
// The root of a widget tree: owns the message handler, tracks the hovered widget and
// delivers events. The application updates and renders it once per frame.

#include "gui/hwidget.h"

#include <list>
#include <memory>

namespace Halvex::HGui
{

class HManager;
class HMsgHandler;

class HManager_Private
{
public:
    explicit HManager_Private(HManager* pManager) : m_pManager(pManager) {}
    virtual ~HManager_Private() = default;

    // With `validate`, a hover widget that has left the manager's tree is forgotten first.
    HWidget* GetHovered(bool validate);
    // Moves the hover: the old widget gets a leave event, then the new one an enter event.
    HWidget* SetHoveredWidget(HWidget* pWidget);
    bool SendEvent(HObject* pReceiver, HEvent* pEvent);
    void PostEvent(HObject* pReceiver, std::unique_ptr<HEvent> pEvent);
    // Delivers the events queued so far, in order, and frees them. Events posted while
    // delivering wait for the next call; a receiver that has left the tree gets nothing.
    void ProcessPostedEvents();
    void ForgetWidget(const HWidget* pWidget);

private:
    HManager* m_pManager;
    std::list<std::unique_ptr<HEvent>> m_Posted;
    HWidget* m_pHovered = nullptr;
};

class HManager : public HWidget
{
public:
    HManager();
    ~HManager() override;

    // The widget update, then the posted events.
    void Update(float seconds) override;

    // Takes ownership; a different handler replaces and deletes the previous one.
    void SetMsgHandler(HMsgHandler* pHandler);
    HMsgHandler* GetMsgHandler() const { return m_pMsgHandler.get(); }
    // Window positions are divided by this before they reach the widgets.
    const HVec2F& GetInputScale() const { return m_InputScale; }
    void SetInputScale(const HVec2F& scale) { m_InputScale = scale; }

    bool SendEvent(HObject* pReceiver, HEvent* pEvent);
    // Queues `pEvent` for `pReceiver`; it is delivered and freed at the end of Update.
    void PostEvent(HObject* pReceiver, std::unique_ptr<HEvent> pEvent);
    HManager_Private* GetPrivate() const { return m_pPrivate.get(); }

    using HObject::Contains;
    bool Contains(const HObject* pObject) const { return HObject::Contains(pObject, true); }
    // Called by a widget of this tree as it is destroyed, so that no pointer to it stays.
    void ForgetWidget(const HWidget* pWidget);

private:
    std::unique_ptr<HMsgHandler> m_pMsgHandler;
    std::unique_ptr<HManager_Private> m_pPrivate;
    HVec2F m_InputScale{1.0f, 1.0f};
};

} // namespace Halvex::HGui
