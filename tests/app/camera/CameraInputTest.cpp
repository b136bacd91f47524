#include "common/camera/camerainput.h"
#include "common/camera/cameraviewer.h"

#include "gui/hevent.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace Halvex::HGui;

namespace
{
HMouseEvent Mouse(uint32_t type, float x, float y, uint32_t buttons = MOUSE_BUTTON_LEFT)
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
} // namespace

// A left drag gives pixel deltas for one frame, from the press or the frame's last move only;
// moves without exactly the left button and a release leave nothing to turn by.
TEST(CameraInputChannels, LeftDragGivesTheFramesPixelDeltas)
{
    const uint32_t both = MOUSE_BUTTON_LEFT | MOUSE_BUTTON_RIGHT;
    const std::tuple<std::vector<HMouseEvent>, int, int> cases[] = {
        {{Mouse(EVENT_MOUSE_MOVE, 110.7f, 95.5f)}, 10, -4},
        {{Mouse(EVENT_MOUSE_MOVE, 130, 100), Mouse(EVENT_MOUSE_MOVE, 135, 102)}, 5, 2},
        {{Mouse(EVENT_MOUSE_MOVE, 140, 100, MOUSE_BUTTON_NONE),
          Mouse(EVENT_MOUSE_MOVE, 140, 100, MOUSE_BUTTON_RIGHT),
          Mouse(EVENT_MOUSE_MOVE, 140, 100, both)},
         0,
         0},
        {{Mouse(EVENT_MOUSE_MOVE, 140, 100), Mouse(EVENT_MOUSE_RELEASE, 140, 100)}, 0, 0},
    };
    for (const auto& [events, x, y] : cases)
    {
        CameraInput input;
        HMouseEvent press = Mouse(EVENT_MOUSE_PRESS, 100, 100);
        input.OnMouse(&press);
        for (HMouseEvent event : events)
        {
            input.OnMouse(&event);
        }
        input.Update(0.016f);
        EXPECT_EQ((std::tuple{input.GetValue(CAMERA_CHANNEL_DRAG_X),
                              input.GetValue(CAMERA_CHANNEL_DRAG_Y)}),
                  (std::tuple{x, y}))
            << events.size();
        input.Update(0.016f);
        EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_DRAG_X), 0);
    }
}

// A wheel notch zooms two steps and replaces the earlier notch; a pinch zooms only beyond two
// pixels, and after its end a single new finger cannot pinch against the old pair.
TEST(CameraInputChannels, WheelNotchesAndPinchesZoom)
{
    CameraInput input;
    HWheelEvent forward(EVENT_WHEEL);
    forward.SetDelta(120);
    HWheelEvent back(EVENT_WHEEL);
    back.SetDelta(-240);
    // The wheel events of each frame and the zoom that frame.
    const std::pair<std::vector<HWheelEvent*>, int> notches[] = {
        {{&forward}, -2}, {{&forward, &back}, 2}, {{}, 0}};
    for (const auto& [events, zoom] : notches)
    {
        for (HWheelEvent* pEvent : events)
        {
            input.OnWheel(pEvent);
        }
        input.Update(0.016f);
        EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_ZOOM), zoom) << events.size();
    }

    HTouchEvent begin = Touch(EVENT_TOUCH_BEGIN, {{0, 0}, {100, 0}});
    input.OnTouch(&begin);
    // The second finger's x in each frame's events (-1: the touch ends), and the zoom.
    const std::pair<std::vector<float>, int> frames[] = {
        {{102}, 0}, {{110}, -1}, {{90}, 1}, {{80, -1}, 0}, {{200}, 0}};
    for (const auto& [moves, zoom] : frames)
    {
        for (float x : moves)
        {
            HTouchEvent event =
                x < 0 ? Touch(EVENT_TOUCH_END, {}) : Touch(EVENT_TOUCH_MOVE, {{0, 0}, {x, 0}});
            input.OnTouch(&event);
        }
        input.Update(0.016f);
        EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_ZOOM), zoom) << moves[0];
    }
}
