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
    // Before a derived fixture's resources are made, and after they are gone.
    RenderCoreTest() { EXPECT_TRUE(SetRenderDevice(&m_Device)); }
    ~RenderCoreTest() override { ReleaseRenderDevice(); }

    FakeRenderDevice m_Device;
};

using Strings = std::vector<std::string>;

// The expressions of the assertions raised so far, in order.
inline Strings Raised(const Halvex::Base::DiagnosticCapture& capture)
{
    Strings expressions;
    for (const Halvex::Base::AssertRecord& record : capture.Asserts())
    {
        expressions.push_back(record.expression);
    }
    return expressions;
}
const std::string PARAM_ERROR = "!\"Param Error\"";

} // namespace HalvexTest
