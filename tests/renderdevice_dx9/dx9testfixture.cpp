#include "dx9testfixture.h"

#include "renderdevice_dx9/source/dx9_videodevice_base.h"

namespace Dx9Test
{

using namespace Halvex::RenderCore;

void Dx9DeviceTest::SetUp()
{
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

void Dx9DeviceTest::TearDown()
{
    m_Objects.clear();
    ReleaseRenderDevice();
}

} // namespace Dx9Test
