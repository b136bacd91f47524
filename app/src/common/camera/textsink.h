#pragma once
// Where cameras and lessons print their read-outs: one formatted line at a time.

#include <cstdint>
#include <string>

class TextSink
{
public:
    virtual ~TextSink() = default;
    // colour is packed 0xAARRGGBB.
    virtual void PrintLine(float x, float y, uint32_t colour, const std::string& text) = 0;
};
