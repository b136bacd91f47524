#include "common/camera/camerainput.h"
#include "common/camera/cameraviewer.h"

#include "gui/hevent.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Halvex::HGui;

namespace
{
HMouseEvent Mouse(uint32_t type, float x, float y, uint32_t buttons)
{
    HMouseEvent event(type);
    event.SetPos({x, y});
    event.SetButtons(buttons);
    return event;
}

HTouchEvent Touch(uint32_t type, std::vector<HVec2F> points)
{
    HTouchEvent event(type);
    event.SetPoints(points);
    return event;
}

class CameraInputChannels : public testing::Test
{
protected:
    void Send(HMouseEvent event) { input.OnMouse(&event); }
    void Send(HWheelEvent event) { input.OnWheel(&event); }
    void Send(HTouchEvent event) { input.OnTouch(&event); }
    void Frame() { input.Update(0.016f); }

    CameraInput input;
};
} // namespace

// A left drag gives pixel deltas for one frame, from the press or the frame's last move only;
// moves without exactly the left button and a release leave nothing to turn by.
TEST_F(CameraInputChannels, LeftDragGivesTheFramesPixelDeltas)
{
    struct Case
    {
        std::vector<HMouseEvent> m_Events;
        int m_X;
        int m_Y;
    };
    const Case cases[] = {
        {{Mouse(EVENT_MOUSE_MOVE, 110.7f, 95.5f, MOUSE_BUTTON_LEFT)}, 10, -4},
        {{Mouse(EVENT_MOUSE_MOVE, 130, 100, MOUSE_BUTTON_LEFT),
          Mouse(EVENT_MOUSE_MOVE, 135, 102, MOUSE_BUTTON_LEFT)},
         5,
         2},
        {{Mouse(EVENT_MOUSE_MOVE, 140, 100, MOUSE_BUTTON_NONE),
          Mouse(EVENT_MOUSE_MOVE, 140, 100, MOUSE_BUTTON_RIGHT),
          Mouse(EVENT_MOUSE_MOVE, 140, 100, MOUSE_BUTTON_LEFT | MOUSE_BUTTON_RIGHT)},
         0,
         0},
        {{Mouse(EVENT_MOUSE_MOVE, 140, 100, MOUSE_BUTTON_LEFT),
          Mouse(EVENT_MOUSE_RELEASE, 140, 100, MOUSE_BUTTON_LEFT)},
         0,
         0},
    };
    for (const Case& c : cases)
    {
        CameraInput fresh;
        HMouseEvent press = Mouse(EVENT_MOUSE_PRESS, 100, 100, MOUSE_BUTTON_LEFT);
        fresh.OnMouse(&press);
        for (HMouseEvent event : c.m_Events)
        {
            fresh.OnMouse(&event);
        }
        fresh.Update(0.016f);
        EXPECT_EQ(fresh.GetValue(CAMERA_CHANNEL_DRAG_X), c.m_X) << &c - cases;
        EXPECT_EQ(fresh.GetValue(CAMERA_CHANNEL_DRAG_Y), c.m_Y) << &c - cases;
        fresh.Update(0.016f);
        EXPECT_EQ(fresh.GetValue(CAMERA_CHANNEL_DRAG_X), 0);
    }
}

// A wheel notch zooms two steps and replaces the earlier notch; a pinch zooms only beyond two
// pixels, and after its end a single new finger cannot pinch against the old pair.
TEST_F(CameraInputChannels, WheelNotchesAndPinchesZoom)
{
    HWheelEvent forward(EVENT_WHEEL);
    forward.SetDelta(120);
    HWheelEvent back(EVENT_WHEEL);
    back.SetDelta(-240);
    Send(forward);
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_ZOOM), -2);
    Send(forward);
    Send(back);
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_ZOOM), 2);
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_ZOOM), 0);

    Send(Touch(EVENT_TOUCH_BEGIN, {{0, 0}, {100, 0}}));
    // The second finger's x in each frame's events, and the zoom that frame.
    const std::vector<std::pair<std::vector<float>, int>> frames = {
        {{102}, 0}, {{110}, -1}, {{90}, 1}, {{80, -1}, 0}, {{200}, 0}};
    for (const auto& [moves, zoom] : frames)
    {
        for (float x : moves)
        {
            Send(x < 0 ? Touch(EVENT_TOUCH_END, {}) : Touch(EVENT_TOUCH_MOVE, {{0, 0}, {x, 0}}));
        }
        Frame();
        EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_ZOOM), zoom) << moves[0];
    }
}
