#include "testcase/datapath.h"

#include <gtest/gtest.h>

TEST(DataPath, DataPathsLoseDoubledSlashesAndBackslashes)
{
    EXPECT_EQ(GetDataPath("Data//_Tex_\\a.dds"), "../Data/_Tex_/a.dds");
}
