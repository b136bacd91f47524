// Every lesson on a device that refuses one kind of creation, load or lock: the lesson
// starts, stays current and draws its frames without crashing (the sanitizer run checks
// the memory of all of it).

#include "LessonStates.h"

#include "main/lessonlist.h"
#include "testcase/modebase.h"

#include "base/source/system/logger.h"

TEST_F(LessonStates, EveryLessonKeepsRunningWhenTheDeviceRefusesOneKindOfResource)
{
    const char* const refusals[] = {
        "LoadInputLayout",  "LoadVertexBuffer", "LoadIndexBuffer",
        "LockVertexBuffer", "CreateTexture",    "LockTexture",
        "LoadVertexShader", "LoadPixelShader",  "CreateRenderTarget",
    };
    // The refused calls assert and log; what matters here is that nothing else goes wrong.
    const int threshold = Halvex::Base::GetLogThreshold();
    Halvex::Base::SetLogThreshold(Halvex::Base::LOG_LEVEL_MAX);
    for (const LessonEntry_t& lesson : LESSONS)
    {
        for (const char* refusal : refusals)
        {
            SCOPED_TRACE(std::string(lesson.m_pName) + " without " + refusal);
            fake.device->m_Failing = {refusal};
            // A new lesson is made while the old one still lives, so their addresses differ.
            const ModeBase* pBefore = fake.app.GetModeManager()->GetCurrent();
            ModeBase* pLesson = Open<ModeBase>(lesson.m_pName);
            ASSERT_NE(pLesson, nullptr);
            ASSERT_NE(pLesson, pBefore) << "the lesson did not open";
            fake.Frame();
            fake.Frame();
            EXPECT_EQ(fake.app.GetModeManager()->GetCurrent(), pLesson);
            fake.device->m_Failing.clear();
        }
    }
    Halvex::Base::SetLogThreshold(threshold);
}
