#pragma once
// The rows of the lesson list, in display order.

#include "main/lumivia.h"

struct LessonEntry_t
{
    const char* m_pName;
    // Null for a lesson this build does not have: its button is listed but does nothing.
    LessonFactory m_Factory;
};

inline constexpr int LESSON_COUNT = 19;
extern const LessonEntry_t LESSONS[LESSON_COUNT];

// The row whose name matches `pName` ignoring case, or -1.
int FindLessonRow(const char* pName);
