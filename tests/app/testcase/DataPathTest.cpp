#include "testcase/datapath.h"

#include <gtest/gtest.h>

TEST(DataPath, DataAndShadersLiveBesideTheExecutableFolder)
{
    EXPECT_EQ(GetDataPath("Data/plane.bin"), "../Data/plane.bin");
    EXPECT_EQ(GetDataPath("Data//_Tex_\\a.dds"), "../Data/_Tex_/a.dds");
    EXPECT_EQ(GetShaderPath("Lighting.wvu"), "../Shader/hlsl/Lighting.wvu");
}
