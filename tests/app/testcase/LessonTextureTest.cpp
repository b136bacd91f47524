#include "../support/FakeApp.h"

#include "testcase/lessontexture.h"

#include "base/source/system/logger.h"
#include "rendercore/source/resource/texture.h"

#include <gtest/gtest.h>

TEST(LessonTexture, OneLineNamesTheFileAndTheDecodersReason)
{
    FakeApp fake;
    fake.dir.Write("Data/_Tex_/broken.dds", "DDS garbage");
    Halvex::Base::DiagnosticCapture capture;
    Halvex::RenderCore::Texture texture;
    EXPECT_FALSE(LoadLessonTexture(texture, "Data/_Tex_/broken.dds"));
    EXPECT_TRUE(capture.Logged(
        "Can not decode texture \"../Data/_Tex_/broken.dds\": the data is not a TEX file"));
    EXPECT_FALSE(LoadLessonTexture(texture, "Data/_Tex_/missing.dds"));
    EXPECT_TRUE(capture.Logged("Can not read texture \"../Data/_Tex_/missing.dds\""));
}
