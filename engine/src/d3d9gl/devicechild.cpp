#include "d3d9gl/devicechild.h"

#include "d3d9gl/device.h"

namespace d3d9gl
{

DeviceChild::DeviceChild(Device* pDevice) : m_pDevice(pDevice)
{
    m_pDevice->Register(this);
}

DeviceChild::~DeviceChild()
{
    if (m_pDevice)
    {
        m_pDevice->Unregister(this);
    }
}

} // namespace d3d9gl
