#pragma once
// Rendering-core tests run on the fake device; what they compare assertions with.

#include "fakerenderdevice.h"

#include "base/source/system/logger.h"

#include <gtest/gtest.h>

namespace HalvexTest
{

using RenderCoreTest = FakeDeviceTest;

using Strings = std::vector<std::string>;
using Counts = std::map<std::string, int>;

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
