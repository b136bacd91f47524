#pragma once
// The option flags every widget carries.

#include <cstdint>

namespace Halvex::HGui
{

enum HOptionFlag : uint32_t
{
    OPTION_ENABLED = 0x001,
    OPTION_ACCEPT_MOUSE = 0x002,
    OPTION_VISIBLE = 0x004,
    OPTION_UNUSED_008 = 0x008,
    OPTION_HOVERED = 0x010,
    OPTION_CAPTURE = 0x020,
    OPTION_INITIALIZED = 0x040,
    OPTION_CLIP = 0x080,
    OPTION_UNUSED_100 = 0x100,
    OPTION_ALIVE = 0x200,
};

class HOption
{
public:
    virtual ~HOption() = default;

    bool HasOption(uint32_t mask) const { return (m_Flags & mask) != 0; }
    void SetOption(uint32_t mask, bool on) { m_Flags = on ? (m_Flags | mask) : (m_Flags & ~mask); }

    // Cleared: the parent deletes the widget at its next update.
    virtual void SetAlive(bool on) { SetOption(OPTION_ALIVE, on); }
    virtual bool IsAlive() const { return HasOption(OPTION_ALIVE); }
    virtual void SetVisible(bool on) { SetOption(OPTION_VISIBLE, on); }
    virtual bool IsVisible() const { return HasOption(OPTION_VISIBLE); }
    // Disabled widgets are neither updated nor hit.
    virtual void SetEnabled(bool on) { SetOption(OPTION_ENABLED, on); }
    virtual bool IsEnabled() const { return HasOption(OPTION_ENABLED); }
    // The widget itself can be the result of a hit test.
    virtual void SetAcceptMouse(bool on) { SetOption(OPTION_ACCEPT_MOUSE, on); }
    virtual bool IsAcceptMouse() const { return HasOption(OPTION_ACCEPT_MOUSE); }
    // Maintained by the manager: the widget is under the mouse.
    virtual void SetHovered(bool on) { SetOption(OPTION_HOVERED, on); }
    virtual bool IsHovered() const { return HasOption(OPTION_HOVERED); }
    virtual void SetCapture(bool on) { SetOption(OPTION_CAPTURE, on); }
    virtual bool IsCapture() const { return HasOption(OPTION_CAPTURE); }
    // The visible rect is clipped to the parent's visible rect.
    virtual void SetClip(bool on) { SetOption(OPTION_CLIP, on); }
    virtual bool IsClip() const { return HasOption(OPTION_CLIP); }
    // Set after the first update; a widget renders only when set.
    virtual void SetInitialized(bool on) { SetOption(OPTION_INITIALIZED, on); }
    virtual bool IsInitialized() const { return HasOption(OPTION_INITIALIZED); }

private:
    uint32_t m_Flags = OPTION_ALIVE | OPTION_VISIBLE | OPTION_ENABLED | OPTION_ACCEPT_MOUSE |
                       OPTION_CLIP | OPTION_UNUSED_100;
};

} // namespace Halvex::HGui
