#pragma once
// The real application driven through AppDriver, checked after every test: the GL debug
// output reported no error, and the device, released when the application ends, found none
// of its objects still alive. `Base` is testing::Test or a parameterised test.

#include "main/appdriver.h"

#include "base/source/system/logger.h"

#include <gtest/gtest.h>

#include <utility>

template <class Base = testing::Test> class AppTestOf : public Base
{
protected:
    AppTestOf() = default;
    explicit AppTestOf(Halvex::Base::HighResolutionTimer clock) : driver(std::move(clock)) {}

    void TearDown() override
    {
        EXPECT_EQ(driver.GetGLErrorCount(), 0u) << "GL reported errors";
        driver.Stop();
        EXPECT_FALSE(m_Capture.Logged("still alive when the device was released"))
            << "the application left device objects alive";
    }

private:
    // Made before the driver, so that it hears the device's release.
    Halvex::Base::DiagnosticCapture m_Capture;

protected:
    AppDriver driver;
};

using AppTest = AppTestOf<>;
