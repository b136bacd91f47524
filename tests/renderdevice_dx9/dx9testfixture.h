#pragma once
// A Dx9RenderDevice made through the back end's factory over a FakeDirect3D, made current
// for the test and released after it.

#include "fakedevice.h"

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "renderdevice_dx9/source/dx9_videodevice_base.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace Dx9Test
{

inline constexpr int BACK_BUFFER_WIDTH = 640;
inline constexpr int BACK_BUFFER_HEIGHT = 480;

class Dx9DeviceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        using namespace Halvex::RenderCore;
        auto* pDirect3D = new FakeDirect3D(&m_Log);
        m_pVideo = std::make_unique<Dx9VideoDevice>(pDirect3D);
        DeviceCreateParam param;
        param.m_Width = BACK_BUFFER_WIDTH;
        param.m_Height = BACK_BUFFER_HEIGHT;
        m_pDevice = CreateRenderDevice(m_pVideo.get(), &param);
        m_pNative = pDirect3D->m_pCreated;
        ASSERT_NE(m_pNative, nullptr);
        m_Log.Clear();
        ASSERT_TRUE(SetRenderDevice(m_pDevice.get()));
        m_InitializeLog = m_Log;
        m_Log.Clear();
    }
    void TearDown() override
    {
        m_Objects.clear();
        Halvex::RenderCore::ReleaseRenderDevice();
    }

    // The native state as the device holds it after creation and Initialize; the log
    // then starts empty.
    FakeDevice& Native() { return *m_pNative; }
    Halvex::RenderCore::RenderDevice& Device() { return *m_pDevice; }
    // An engine object that lives until just before the device is released.
    template <class T> T* Make()
    {
        auto pObject = std::make_shared<T>();
        m_Objects.push_back(pObject);
        return pObject.get();
    }

    CallLog m_Log;
    CallLog m_InitializeLog; // what SetRenderDevice sent to the device
    std::unique_ptr<Halvex::RenderCore::VideoDevice> m_pVideo;
    std::unique_ptr<Halvex::RenderCore::RenderDevice> m_pDevice;
    FakeDevice* m_pNative = nullptr;
    std::vector<std::shared_ptr<void>> m_Objects;
};

// The native object behind a resource's user data, as the fake type it was created as.
template <class Fake, class Resource> Fake* FakeOf(const Resource& resource)
{
    return dynamic_cast<Fake*>(static_cast<IUnknown*>(resource.GetUserData()));
}

} // namespace Dx9Test
