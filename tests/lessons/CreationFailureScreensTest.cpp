// Lessons started in the real application while the device fails one creation of each kind,
// as a driver out of memory would: the lesson opens, keeps drawing without a GL error, and
// the fault is named in the log. The default run takes four lessons that together make every
// kind; with HALVEX_EVERY_LESSON set (the long run) it takes all nineteen.

#include "LessonScreens.h"

#include "main/lessonlist.h"
#include "testcase/modebase.h"

#include "base/source/system/logger.h"
#include "d3d9gl/d3d9gl.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <cstdlib>
#include <vector>

TEST_F(LessonScreens, LessonsStartWhileTheDeviceFailsOneCreationOfEachKind)
{
    std::vector<std::string> lessons = {"RenderToTexture", "ShadowMap", "TextureSampling",
                                        "Primitive"};
    if (std::getenv("HALVEX_EVERY_LESSON"))
    {
        lessons.clear();
        for (const LessonEntry_t& lesson : LESSONS)
        {
            lessons.emplace_back(lesson.m_pName);
        }
    }
    Start(HalvexTest::SourceDir() / "tests");
    auto* pDevice = static_cast<IDirect3DDevice9*>(
        driver.GetApp().GetRenderer()->GetDevice()->GetNativeDevice());
    const char* const KIND_NAMES[] = {"texture", "buffer", "shader", "render target"};
    for (int kind = 0; kind < D3D9GL_CREATION_KIND_COUNT; ++kind)
    {
        int failures = 0;
        for (const std::string& lesson : lessons)
        {
            SCOPED_TRACE(lesson + " without a " + KIND_NAMES[kind]);
            Halvex::Base::DiagnosticCapture capture;
            ASSERT_EQ(D3D9GL_FailCreation(pDevice, D3D9GL_CREATION_KIND(kind), 1), D3D_OK);
            const ModeBase* pBefore = driver.GetApp().GetModeManager()->GetCurrent();
            ModeBase* pLesson = Open<ModeBase>(lesson);
            driver.RunFrames(2);
            EXPECT_NE(pLesson, pBefore) << "the lesson did not open";
            EXPECT_EQ(driver.GetApp().GetModeManager()->GetCurrent(), pLesson);
            // Not every lesson makes every kind of object: a failure still pending is cancelled.
            const bool failed = capture.Logged("a test injected the fault");
            D3D9GL_FailCreation(pDevice, D3D9GL_CREATION_KIND(kind), 0);
            failures += failed ? 1 : 0;
        }
        EXPECT_GT(failures, 0) << "no lesson made a " << KIND_NAMES[kind];
    }
}
