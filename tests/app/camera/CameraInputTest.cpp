#include "common/camera/camerainput.h"
#include "common/camera/cameraviewer.h"

#include "gui/hevent.h"

#include <gtest/gtest.h>

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

TEST_F(CameraInputChannels, LeftDragGivesPixelDeltasForOneFrame)
{
    Send(Mouse(EVENT_MOUSE_PRESS, 100, 100, MOUSE_BUTTON_LEFT));
    Send(Mouse(EVENT_MOUSE_MOVE, 110.7f, 95.5f, MOUSE_BUTTON_LEFT));
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_DRAG_X), 10);
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_DRAG_Y), -4);
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_DRAG_X), 0);
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_DRAG_Y), 0);
}

TEST_F(CameraInputChannels, OnlyTheLastMoveOfAFrameCounts)
{
    Send(Mouse(EVENT_MOUSE_PRESS, 0, 0, MOUSE_BUTTON_LEFT));
    Send(Mouse(EVENT_MOUSE_MOVE, 30, 0, MOUSE_BUTTON_LEFT));
    Send(Mouse(EVENT_MOUSE_MOVE, 35, 2, MOUSE_BUTTON_LEFT));
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_DRAG_X), 5);
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_DRAG_Y), 2);
}

TEST_F(CameraInputChannels, MovesWithoutExactlyTheLeftButtonDoNotTurn)
{
    Send(Mouse(EVENT_MOUSE_PRESS, 0, 0, MOUSE_BUTTON_LEFT));
    Send(Mouse(EVENT_MOUSE_MOVE, 40, 0, MOUSE_BUTTON_NONE));
    Send(Mouse(EVENT_MOUSE_MOVE, 40, 0, MOUSE_BUTTON_RIGHT));
    Send(Mouse(EVENT_MOUSE_MOVE, 40, 0, MOUSE_BUTTON_LEFT | MOUSE_BUTTON_RIGHT));
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_DRAG_X), 0);
}

TEST_F(CameraInputChannels, ReleaseCancelsThePendingDrag)
{
    Send(Mouse(EVENT_MOUSE_PRESS, 0, 0, MOUSE_BUTTON_LEFT));
    Send(Mouse(EVENT_MOUSE_MOVE, 40, 0, MOUSE_BUTTON_LEFT));
    Send(Mouse(EVENT_MOUSE_RELEASE, 40, 0, MOUSE_BUTTON_LEFT));
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_DRAG_X), 0);
}

TEST_F(CameraInputChannels, WheelNotchZoomsTwoStepsAndReplacesTheEarlierNotch)
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
}

TEST_F(CameraInputChannels, PinchZoomsOnlyBeyondTwoPixels)
{
    Send(Touch(EVENT_TOUCH_BEGIN, {{0, 0}, {100, 0}}));
    Send(Touch(EVENT_TOUCH_MOVE, {{0, 0}, {102, 0}}));
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_ZOOM), 0);
    Send(Touch(EVENT_TOUCH_MOVE, {{0, 0}, {110, 0}}));
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_ZOOM), -1);
    Send(Touch(EVENT_TOUCH_MOVE, {{0, 0}, {90, 0}}));
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_ZOOM), 1);
    Send(Touch(EVENT_TOUCH_MOVE, {{0, 0}, {80, 0}}));
    Send(Touch(EVENT_TOUCH_END, {}));
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_ZOOM), 0);
    // After the end a single new finger cannot pinch against the old pair.
    Send(Touch(EVENT_TOUCH_MOVE, {{0, 0}, {200, 0}}));
    Frame();
    EXPECT_EQ(input.GetValue(CAMERA_CHANNEL_ZOOM), 0);
}

TEST(CameraInputDrivesCamera, DragTurnsTheLessonCamera)
{
    CameraInput input;
    CameraViewer camera;
    camera.SetLookAt({0, 0, 5}, {0, 0, 0}, {0, 1, 0});
    HMouseEvent press = Mouse(EVENT_MOUSE_PRESS, 0, 0, MOUSE_BUTTON_LEFT);
    HMouseEvent move = Mouse(EVENT_MOUSE_MOVE, 20, 0, MOUSE_BUTTON_LEFT);
    input.OnMouse(&press);
    input.OnMouse(&move);
    input.Update(0.016f);
    camera.Update(0.016f, &input);
    EXPECT_NEAR(camera.GetYaw(), 3.1415927f - 0.1f, 1e-6f);
}
