#include "touroptions.h"
#include "toursoak.h"
#include "tourstats.h"

#include <gtest/gtest.h>

namespace
{
bool Parse(std::vector<const char*> args, TourOptions_t* pOptions, std::string* pError)
{
    args.insert(args.begin(), "lumivia-tour");
    return ParseTourOptions(static_cast<int>(args.size()), args.data(), pOptions, pError);
}
} // namespace

TEST(TourOptions, OptionsSwitchesAndLessonNamesAreTakenInAnyOrder)
{
    TourOptions_t options;
    std::string error;
    ASSERT_TRUE(Parse({"MatrixTransform", "--out",    "pics",
                       "--frames",        "5",        "--csv",
                       "b.csv",           "Lighting", "--compare-merge",
                       "--help",          "--notes",  "--stats",
                       "--fixed-frames",  "9",        "--click",
                       "1150,21",         "--click",  "0,67",
                       "--inspect",       "Stencil"},
                      &options, &error))
        << error;
    EXPECT_EQ(options.m_OutDir, "pics");
    EXPECT_EQ(options.m_Frames, 5);
    EXPECT_TRUE(options.m_Bench);
    EXPECT_EQ(options.m_CsvPath, "b.csv");
    EXPECT_TRUE(options.m_CompareMerge);
    EXPECT_EQ(options.m_Lessons, (std::vector<std::string>{"MatrixTransform", "Lighting"}));
    EXPECT_TRUE(options.m_Help && options.m_Notes && options.m_Stats);
    EXPECT_EQ(options.m_InspectLesson, "Stencil");
    EXPECT_EQ(options.m_FixedFrames, 9);
    EXPECT_EQ(options.m_Clicks, (std::vector<TourClick_t>{{1150, 21}, {0, 67}}));
}

TEST(TourOptions, BadInputIsRefusedWithAReason)
{
    TourOptions_t options;
    std::string error;
    EXPECT_FALSE(Parse({"--frames", "0"}, &options, &error));
    EXPECT_NE(error.find("--frames"), std::string::npos);
    EXPECT_FALSE(Parse({"--frames", "12x"}, &options, &error));
    EXPECT_FALSE(Parse({"--out"}, &options, &error));
    EXPECT_EQ(error, "--out needs a value");
    EXPECT_FALSE(Parse({"--soak", "-1"}, &options, &error));
    EXPECT_NE(error.find("--soak"), std::string::npos);
    EXPECT_FALSE(Parse({"--fast"}, &options, &error));
    EXPECT_EQ(error, "unknown option --fast");
    for (const char* click : {"5", "5,", ",5", "5,-1", "5,6,", "5;6", "5,100001"})
    {
        EXPECT_FALSE(Parse({"--fixed-frames", "1", "--click", click}, &options, &error)) << click;
        EXPECT_NE(error.find("--click needs X,Y"), std::string::npos) << error;
    }
    TourOptions_t noFixedClock;
    EXPECT_FALSE(Parse({"--click", "5,6"}, &noFixedClock, &error));
    EXPECT_EQ(error, "--click needs --fixed-frames");
}

TEST(TourStats, PercentilesUseNearestRank)
{
    EXPECT_EQ(Percentile({}, 0.5), 0.0);
    EXPECT_EQ(Percentile({5, 1, 3}, 0.5), 3.0);
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i)
    {
        hundred.push_back(i);
    }
    EXPECT_EQ(Percentile(hundred, 0.95), 95.0);
    EXPECT_EQ(Percentile(hundred, 1.0), 100.0);
    EXPECT_EQ(Percentile(hundred, 0.0), 1.0);
}

TEST(TourStats, CsvHasOneRowPerScreenInOrder)
{
    const LessonBench_t start{"start", 100.0, 3.5, 5.0, 20.0, 4.0, 60.0, 12.0, 40.5, 0, 0};
    const LessonBench_t lesson{
        "MatrixTransform", 12.5, 4.25, 6.0, 31.0, 7.5, 80.0, 20.0, 64.0, 3, 1, 5.0, 180.0};
    EXPECT_EQ(FormatBenchCsv({start, lesson}),
              "lesson,switch_ms,frame_median_ms,frame_p95_ms,draw_calls_per_frame,"
              "first_frame_ms,state_changes_per_frame,uploads_per_frame,upload_kib_per_frame,"
              "allocations_per_frame,gl_errors,unmerged_frame_median_ms,"
              "unmerged_draw_calls_per_frame\n"
              "start,100.000,3.500,5.000,20.0,4.000,60.0,12.0,40.5,0,0,0.000,0.0\n"
              "MatrixTransform,12.500,4.250,6.000,31.0,7.500,80.0,20.0,64.0,3,1,5.000,180.0\n");
    const std::string table = FormatBenchTable({start, lesson});
    EXPECT_NE(table.find("merged/unmerged"), std::string::npos) << table;
    EXPECT_NE(table.find("0.85"), std::string::npos) << "4.25 / 5.0 merged over unmerged\n"
                                                     << table;
}

TEST(TourSoak, EachLessonMustComeBackToItsFirstVisitAndMemoryMayGrowTwoPercent)
{
    SoakLedger ledger;
    std::string fault;
    EXPECT_TRUE(ledger.Visit(0, 0, {10, 40}, &fault));
    EXPECT_TRUE(ledger.Visit(0, 1, {14, 52}, &fault));
    EXPECT_TRUE(ledger.EndCycle(0, 900, &fault));
    EXPECT_TRUE(ledger.Visit(1, 0, {10, 40}, &fault));
    EXPECT_FALSE(ledger.Visit(1, 1, {14, 53}, &fault));
    EXPECT_NE(fault.find("live objects 53 (first visit 52)"), std::string::npos) << fault;
    EXPECT_FALSE(ledger.Visit(2, 0, {11, 40}, &fault));
    // The first cycle warms caches; growth counts from the end of the second.
    EXPECT_TRUE(ledger.EndCycle(1, 1000, &fault));
    EXPECT_TRUE(ledger.EndCycle(2, 1019, &fault));
    EXPECT_FALSE(ledger.EndCycle(3, 1021, &fault));
    EXPECT_NEAR(ledger.GetResidentGrowth(), 0.021, 1e-9);
}
