#pragma once
// A set of integer input channels sampled once per frame.

class InputBase
{
public:
    virtual ~InputBase() = default;
    virtual bool IsDown(int channel) const = 0;
    virtual bool IsPressed(int channel) const = 0;
    virtual bool IsReleased(int channel) const = 0;
    // Seconds for which the channel has been down.
    virtual float GetHoldTime(int channel) const = 0;
    virtual int GetValue(int channel) const = 0;
    virtual int GetPrevValue(int channel) const = 0;
    virtual void Update(float) {}
};
