#include "base/source/system/logger.h"
#include "base/source/system/logrepeats.h"

#include <gtest/gtest.h>
#include <regex>

using namespace Halvex::Base;

namespace
{
struct ThresholdGuard
{
    int saved = GetLogThreshold();
    ~ThresholdGuard() { SetLogThreshold(saved); }
};
} // namespace

TEST(Logger, LineHasTimeModulePlatformAndLevel)
{
    testing::internal::CaptureStderr();
    Log("RENDER_CORE", LOG_LEVEL_ERROR, "value %d", 42);
    std::string out = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::regex_match(
        out, std::regex(R"(\[\d\d:\d\d:\d\d\]\[RENDER_CORE\.PC\]\[Error\]value 42\n)")))
        << out;
}

TEST(Logger, RepeatsWithinASecondReachStandardErrorOnceButEveryCapture)
{
    DiagnosticCapture capture;
    testing::internal::CaptureStderr();
    for (int frame = 0; frame < 3; ++frame)
    {
        Log("FONT", LOG_LEVEL_ERROR, "no glyph for %c", 'x');
    }
    const std::string out = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out.find("no glyph for x"), out.rfind("no glyph for x")) << out;
    EXPECT_NE(out.find("no glyph for x"), std::string::npos);
    EXPECT_EQ(capture.Logs().size(), 3u);
}

TEST(LogRepeats, ALineReturnsAfterAQuietSecondAndHeldRepeatsAreCounted)
{
    LogRepeats repeats;
    const auto start = LogRepeats::Clock::time_point();
    const auto at = [&](int ms) { return start + std::chrono::milliseconds(ms); };
    // Every 16 ms for a while: written once, the rest held back.
    EXPECT_TRUE(repeats.Admit("a", at(0)));
    EXPECT_FALSE(repeats.Admit("a", at(16)));
    EXPECT_FALSE(repeats.Admit("a", at(1010)));
    EXPECT_TRUE(repeats.Admit("b", at(1010)));
    // After a quiet second the same line is news again.
    EXPECT_TRUE(repeats.Admit("a", at(2010)));
    const std::vector<LogRepeats::Held_t> held = repeats.GetHeld();
    ASSERT_EQ(held.size(), 1u);
    EXPECT_EQ(held[0].m_Line, "a");
    EXPECT_EQ(held[0].m_Count, 2u);
}

TEST(Logger, LevelOutsideRangeAssertsAndWritesNothing)
{
    DiagnosticCapture capture;
    Log("M", 6, "never");
    Log("M", -1, "never");
    Log(nullptr, 0, "never");
    ASSERT_EQ(capture.Asserts().size(), 3u);
    EXPECT_EQ(capture.Asserts()[0].expression,
              "format && moduleName && outputLevel >= 0 && outputLevel <= LOG_LEVEL_ERROR");
    EXPECT_EQ(capture.Asserts()[0].source, "src/base/source/system/logger");
    EXPECT_FALSE(capture.Logged("never"));
}

TEST(Logger, MessageBelowThresholdIsDropped)
{
    ThresholdGuard guard;
    SetLogThreshold(5);
    DiagnosticCapture capture;
    testing::internal::CaptureStderr();
    Log("M", LOG_LEVEL_WARNING_4, "quiet");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(capture.Logs().empty());
}

TEST(Logger, FormattedTextIsNotExpandedAgainAndIsCutAtBufferSize)
{
    DiagnosticCapture capture;
    Log("M", LOG_LEVEL_TRACE, "%s", "100%s done");
    Log("M", LOG_LEVEL_TRACE, "%s", std::string(5000, 'x').c_str());
    ASSERT_EQ(capture.Logs().size(), 2u);
    EXPECT_EQ(capture.Logs()[0].message, "100%s done");
    EXPECT_EQ(capture.Logs()[1].message.size(), 1023u);
}

TEST(Assertions, ReportSourceFromSrcFolderAndReturn)
{
    DiagnosticCapture capture;
    EXPECT_FALSE(HX_ASSERT(1 + 1 == 3));
    EXPECT_TRUE(HX_ASSERT(true));
    ASSERT_EQ(capture.Asserts().size(), 1u);
    EXPECT_EQ(capture.Asserts()[0].expression, "1 + 1 == 3");
    EXPECT_TRUE(capture.Logged("1 + 1 == 3"));
    EXPECT_EQ(capture.Logs()[0].level, LOG_LEVEL_ERROR);
}

TEST(Assertions, SourceIsPathFromSrcOrIncludeWithoutExtension)
{
    EXPECT_EQ(SourceFromFile("/home/a/engine/src/rendercore/source/resource/texture.cpp"),
              "src/rendercore/source/resource/texture");
    EXPECT_EQ(SourceFromFile("/x/engine/include/math/matrix4.h"), "include/math/matrix4");
    EXPECT_EQ(SourceFromFile("src/base/source/system/logger"), "src/base/source/system/logger");
    EXPECT_EQ(SourceFromFile("/a.b/src/x/y"), "src/x/y");
}
