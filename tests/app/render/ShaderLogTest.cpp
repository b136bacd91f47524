#include "common/render/shaderlog.h"

#include <gtest/gtest.h>

TEST(ShaderLog, EachLineGetsTheFileAndItsLineNumberUpToTheLimit)
{
    struct Case
    {
        const char* log;
        int maxLines;
        const char* text;
    };
    const Case cases[] = {
        {"0(7) : error C0000: syntax error\n", 4, "A.wpu line 7: error C0000: syntax error\n"},
        {"\n0:1(1): error: a\r\n\n0:2(1): error: b\n0:3(1): error: c\n", 2,
         "A.wpu line 1: error: a\nA.wpu line 2: error: b\n"},
        {"error: linking failed\n", 4, "A.wpu: error: linking failed\n"},
        {"0:x(1): odd\n", 4, "A.wpu: 0:x(1): odd\n"},
        {"", 4, ""},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(FormatShaderLog("A.wpu", c.log, c.maxLines), c.text) << c.log;
    }
}
