#include "base/source/system/logger.h"
#include "base/source/system/logrepeats.h"

#include <gtest/gtest.h>
#include <regex>

using namespace Halvex::Base;

TEST(Logger, LineHasTimeModuleAndLevelAndRepeatsWithinASecondReachStandardErrorOnce)
{
    DiagnosticCapture capture;
    testing::internal::CaptureStderr();
    for (int frame = 0; frame < 3; ++frame)
    {
        Log("RENDER_CORE", LOG_LEVEL_ERROR, "value %d", 42);
    }
    const std::string out = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::regex_match(
        out, std::regex(R"(\[\d\d:\d\d:\d\d\]\[RENDER_CORE\.PC\]\[Error\]value 42\n)")))
        << out;
    EXPECT_EQ(capture.Logs().size(), 3u) << "every repeat reaches a capture";
}

TEST(LogRepeats, ALineReturnsAfterAQuietSecondAndHeldRepeatsAreCounted)
{
    LogRepeats repeats;
    std::vector<bool> admitted;
    // Every 16 ms for a while: written once, the rest held back; after a quiet second the
    // same line is news again.
    const std::pair<const char*, int> lines[] = {
        {"a", 0}, {"a", 16}, {"a", 1010}, {"b", 1010}, {"a", 2010}};
    for (const auto& [line, ms] : lines)
    {
        admitted.push_back(
            repeats.Admit(line, LogRepeats::Clock::time_point() + std::chrono::milliseconds(ms)));
    }
    EXPECT_EQ(admitted, (std::vector<bool>{true, false, false, true, true}));
    const std::vector<LogRepeats::Held_t> held = repeats.GetHeld();
    ASSERT_EQ(held.size(), 1u);
    EXPECT_EQ(std::tie(held[0].m_Line, held[0].m_Count), std::tuple("a", 2u));
}

TEST(Logger, BadLevelAssertsLowLevelIsDroppedAndTextIsNotExpandedAgainButCut)
{
    const int savedThreshold = GetLogThreshold();
    DiagnosticCapture capture;
    Log("M", 6, "never");
    Log("M", -1, "never");
    Log(nullptr, 0, "never");
    EXPECT_EQ(capture.Asserts().size(), 3u);
    SetLogThreshold(5);
    testing::internal::CaptureStderr();
    Log("M", LOG_LEVEL_WARNING_4, "never");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    SetLogThreshold(savedThreshold);
    EXPECT_FALSE(capture.Logged("never"));

    Log("M", LOG_LEVEL_TRACE, "%s", "100%s done");
    Log("M", LOG_LEVEL_TRACE, "%s", std::string(5000, 'x').c_str());
    ASSERT_EQ(capture.Logs().size(), 5u);
    EXPECT_EQ(capture.Logs()[3].message, "100%s done");
    EXPECT_EQ(capture.Logs()[4].message.size(), 1023u);
}

TEST(Assertions, ReportExpressionAndSourceFromSrcOrIncludeWithoutExtensionAndReturn)
{
    DiagnosticCapture capture;
    EXPECT_FALSE(HX_ASSERT(1 + 1 == 3));
    EXPECT_TRUE(HX_ASSERT(true));
    ASSERT_EQ(capture.Asserts().size(), 1u);
    EXPECT_EQ(capture.Asserts()[0].expression, "1 + 1 == 3");
    ASSERT_TRUE(capture.Logged("1 + 1 == 3"));
    EXPECT_EQ(capture.Logs().back().level, LOG_LEVEL_ERROR);

    EXPECT_EQ(SourceFromFile("/home/a/engine/src/rendercore/source/resource/texture.cpp"),
              "src/rendercore/source/resource/texture");
    EXPECT_EQ(SourceFromFile("/x/engine/include/math/matrix4.h"), "include/math/matrix4");
    EXPECT_EQ(SourceFromFile("src/base/source/system/logger"), "src/base/source/system/logger");
    EXPECT_EQ(SourceFromFile("/a.b/src/x/y"), "src/x/y");
}
