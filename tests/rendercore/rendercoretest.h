#pragma once
// Fixture for rendering-core tests: a fake device made current for each test, and
// released after the test's resources are gone.

#include "fakerenderdevice.h"

#include "base/source/system/logger.h"

#include <gtest/gtest.h>

namespace HalvexTest
{

class RenderCoreTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SetRenderDevice(&m_Device)); }
    void TearDown() override { ReleaseRenderDevice(); }

    // The single assertion raised, or an empty record when there were none or several.
    static Halvex::Base::AssertRecord OnlyAssert(const Halvex::Base::DiagnosticCapture& capture)
    {
        return capture.Asserts().size() == 1 ? capture.Asserts()[0] : Halvex::Base::AssertRecord();
    }

    FakeRenderDevice m_Device;
};

} // namespace HalvexTest
