#include "gui/hmsghandler.h"

#include "base/source/system/logger.h"
#include "gui/hevent.h"
#include "gui/hmanager.h"

#include <algorithm>

namespace Halvex::HGui
{
namespace
{
// Appends the UTF-16 code units of a UTF-8 string, as character messages carry them.
// Malformed sequences are skipped byte by byte.
void Utf16Units(const char* pText, std::vector<uint32_t>& units)
{
    const auto* p = reinterpret_cast<const unsigned char*>(pText);
    while (*p)
    {
        uint32_t code = *p;
        int extra = code < 0x80           ? 0
                    : (code >> 5) == 0x6  ? 1
                    : (code >> 4) == 0xE  ? 2
                    : (code >> 3) == 0x1E ? 3
                                          : -1;
        if (extra < 0)
        {
            ++p;
            continue;
        }
        code &= extra == 0 ? 0x7F : (0x3F >> extra);
        int i = 1;
        for (; i <= extra && (p[i] & 0xC0) == 0x80; ++i)
        {
            code = (code << 6) | (p[i] & 0x3F);
        }
        if (i <= extra)
        {
            ++p;
            continue;
        }
        p += extra + 1;
        if (code >= 0x10000)
        {
            code -= 0x10000;
            units.push_back(0xD800 | (code >> 10));
            units.push_back(0xDC00 | (code & 0x3FF));
        }
        else
        {
            units.push_back(code);
        }
    }
}
} // namespace

HMsgHandler_Common::HMsgHandler_Common(HManager* pManager) : HMsgHandler(pManager)
{
    HX_ASSERT(pManager);
}

void HMsgHandler_Common::PostMouseEvent(uint32_t type, uint32_t modifiers, uint32_t button,
                                        uint32_t buttons, const HVec2F& pos)
{
    if (type == EVENT_NONE || !m_pManager)
    {
        return;
    }
    HManager_Private* pPrivate = m_pManager->GetPrivate();
    HWidget* pHovered = pPrivate->GetHovered(true);
    HWidget* pTarget = m_pManager->WidgetAt(pos);
    if (pHovered && type == EVENT_MOUSE_MOVE && buttons != 0)
    {
        pTarget = pHovered;
    }
    if (pTarget != pHovered)
    {
        pHovered = pPrivate->SetHoveredWidget(pTarget);
    }
    if (type == EVENT_WHEEL)
    {
        HWheelEvent wheel(type);
        wheel.SetModifiers(modifiers);
        wheel.SetDelta(static_cast<int16_t>(button & 0xFFFF));
        pPrivate->SendEvent(pHovered ? static_cast<HObject*>(pHovered) : m_pManager, &wheel);
        return;
    }
    if (pHovered)
    {
        HMouseEvent mouse(type);
        mouse.SetModifiers(modifiers);
        mouse.SetButtons(buttons);
        mouse.SetButton(button);
        mouse.SetPos(pos);
        pPrivate->SendEvent(pHovered, &mouse);
    }
}

int HMsgHandler_Common::PostWheel(int notches, uint32_t modifiers, uint32_t buttons,
                                  const HVec2F& pos)
{
    constexpr int WHEEL_DELTA = 120;
    if (notches == 0)
    {
        return 0;
    }
    const long long delta =
        std::clamp(static_cast<long long>(notches) * WHEEL_DELTA, -32768LL, 32767LL);
    PostMouseEvent(EVENT_WHEEL, modifiers, static_cast<uint16_t>(delta), buttons, pos);
    return 1;
}

HVec2F HMsgHandler_Common::ScaledPos(float x, float y) const
{
    const HVec2F& scale = m_pManager->GetInputScale();
    return {x / scale.x, y / scale.y};
}

void HMsgHandler_Common::PostKeyEvent(uint32_t type, uint32_t modifiers, uint32_t key)
{
    if (type == EVENT_NONE || !m_pManager)
    {
        return;
    }
    HKeyEvent keyEvent(type);
    keyEvent.SetModifiers(modifiers);
    keyEvent.SetKey(key);
    HWidget* pHovered = m_pManager->GetPrivate()->GetHovered(true);
    m_pManager->SendEvent(pHovered ? static_cast<HObject*>(pHovered) : m_pManager, &keyEvent);
}

void HMsgHandler_Common::PostTouchEvent(uint32_t type, uint32_t modifiers,
                                        const std::vector<HVec2F>& points)
{
    if (type == EVENT_NONE || !m_pManager)
    {
        return;
    }
    if (type == EVENT_TOUCH_BEGIN || !m_pTouchTarget || !m_pManager->Contains(m_pTouchTarget))
    {
        m_pTouchTarget = m_pManager;
        if (!points.empty())
        {
            const HVec2F& scale = m_pManager->GetInputScale();
            HVec2F pos(points[0].x / scale.x, points[0].y / scale.y);
            if (HWidget* pHit = m_pManager->WidgetAt(pos))
            {
                m_pTouchTarget = pHit;
            }
        }
    }
    HObject* pTarget = m_pTouchTarget;
    if (type == EVENT_TOUCH_END)
    {
        m_pTouchTarget = nullptr;
    }
    HTouchEvent touch(type);
    touch.SetModifiers(modifiers);
    touch.SetPoints(points);
    m_pManager->SendEvent(pTarget, &touch);
}

int HMsgHandler_Common::PostText(uint32_t modifiers, const char* pUtf8)
{
    std::vector<uint32_t> units;
    Utf16Units(pUtf8, units);
    for (uint32_t unit : units)
    {
        PostKeyEvent(EVENT_KEY_PRESS, modifiers, unit);
    }
    return units.empty() ? 0 : 1;
}

} // namespace Halvex::HGui
