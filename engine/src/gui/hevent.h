#pragma once
// Toolkit events: short-lived objects built for one delivery.

#include "gui/htypes.h"

#include <cstdint>
#include <vector>

namespace Halvex::HGui
{

class HObject;

enum HEventType : uint32_t
{
    EVENT_NONE = 0,
    EVENT_OBJECT = 1,
    EVENT_MOUSE_PRESS = 2,
    EVENT_MOUSE_RELEASE = 3,
    EVENT_MOUSE_DOUBLE_CLICK = 4,
    EVENT_MOUSE_MOVE = 5,
    EVENT_KEY_PRESS = 6,
    EVENT_KEY_RELEASE = 7,
    EVENT_ENTER = 10,
    EVENT_LEAVE = 11,
    EVENT_PAINT = 12,
    EVENT_MOVE = 13,
    EVENT_RESIZE = 14,
    EVENT_WHEEL = 31,
    EVENT_TOUCH_BEGIN = 200,
    EVENT_TOUCH_MOVE = 201,
    EVENT_TOUCH_END = 202,
    EVENT_USER = 1000,
};

enum HModifier : uint32_t
{
    MODIFIER_SHIFT = 0x01000000,
    MODIFIER_CONTROL = 0x02000000,
    MODIFIER_ALT = 0x04000000,
};

enum HMouseButton : uint32_t
{
    MOUSE_BUTTON_NONE = 0,
    MOUSE_BUTTON_LEFT = 1,
    MOUSE_BUTTON_RIGHT = 2,
    MOUSE_BUTTON_MIDDLE = 4,
};

class HEvent
{
public:
    explicit HEvent(uint32_t type) : m_Type(type) {}
    virtual ~HEvent() = default;

    uint32_t GetType() const { return m_Type; }
    bool IsAccepted() const { return m_Accepted; }
    void Accept() { m_Accepted = true; }
    void Ignore() { m_Accepted = false; }
    HObject* GetReceiver() const { return m_pReceiver; }
    void SetReceiver(HObject* pReceiver) { m_pReceiver = pReceiver; }

private:
    uint32_t m_Type;
    bool m_Accepted = false;
    HObject* m_pReceiver = nullptr;
};

class HInputEvent : public HEvent
{
public:
    explicit HInputEvent(uint32_t type) : HEvent(type) {}

    uint32_t GetModifiers() const { return m_Modifiers; }
    void SetModifiers(uint32_t modifiers) { m_Modifiers = modifiers; }

private:
    uint32_t m_Modifiers = 0;
};

class HMouseEvent : public HInputEvent
{
public:
    explicit HMouseEvent(uint32_t type) : HInputEvent(type) {}

    const HVec2F& GetPos() const { return m_Pos; }
    void SetPos(const HVec2F& pos) { m_Pos = pos; }
    // The button that changed (0 for a move).
    uint32_t GetButton() const { return m_Button; }
    void SetButton(uint32_t button) { m_Button = button; }
    // The buttons held.
    uint32_t GetButtons() const { return m_Buttons; }
    void SetButtons(uint32_t buttons) { m_Buttons = buttons; }

private:
    HVec2F m_Pos;
    uint32_t m_Button = 0;
    uint32_t m_Buttons = 0;
};

class HWheelEvent : public HInputEvent
{
public:
    explicit HWheelEvent(uint32_t type) : HInputEvent(type) {}

    // 120 per notch; negative towards the user.
    int32_t GetDelta() const { return m_Delta; }
    void SetDelta(int32_t delta) { m_Delta = delta; }

private:
    int32_t m_Delta = 0;
};

class HKeyEvent : public HInputEvent
{
public:
    explicit HKeyEvent(uint32_t type) : HInputEvent(type) {}

    // A virtual-key code for press and release, a character code for text input.
    uint32_t GetKey() const { return m_Key; }
    void SetKey(uint32_t key) { m_Key = key; }

private:
    uint32_t m_Key = 0;
};

// The touch points held on the surface, in window pixels, in the order they went down.
class HTouchEvent : public HInputEvent
{
public:
    explicit HTouchEvent(uint32_t type) : HInputEvent(type) {}

    const std::vector<HVec2F>& GetPoints() const { return m_Points; }
    void SetPoints(const std::vector<HVec2F>& points) { m_Points = points; }

private:
    std::vector<HVec2F> m_Points;
};

class HEnterEvent : public HEvent
{
public:
    HEnterEvent() : HEvent(EVENT_ENTER) {}
};

class HLeaveEvent : public HEvent
{
public:
    HLeaveEvent() : HEvent(EVENT_LEAVE) {}
};

class HMoveEvent : public HEvent
{
public:
    HMoveEvent(const HVec2F& pos, const HVec2F& oldPos)
        : HEvent(EVENT_MOVE), m_Pos(pos), m_OldPos(oldPos)
    {
    }

    const HVec2F& GetPos() const { return m_Pos; }
    const HVec2F& GetOldPos() const { return m_OldPos; }

private:
    HVec2F m_Pos;
    HVec2F m_OldPos;
};

class HResizeEvent : public HEvent
{
public:
    HResizeEvent(const HVec2F& size, const HVec2F& oldSize)
        : HEvent(EVENT_RESIZE), m_Size(size), m_OldSize(oldSize)
    {
    }

    const HVec2F& GetSize() const { return m_Size; }
    const HVec2F& GetOldSize() const { return m_OldSize; }

private:
    HVec2F m_Size;
    HVec2F m_OldSize;
};

} // namespace Halvex::HGui
