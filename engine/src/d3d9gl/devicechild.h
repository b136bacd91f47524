#pragma once
// Objects that own GL names. The device keeps a list of them: when it is destroyed first,
// each frees its GL objects while the context is still current and lives on without GL.

#include <string>

namespace d3d9gl
{

class Device;

class DeviceChild
{
public:
    explicit DeviceChild(Device* pDevice);
    virtual ~DeviceChild();
    DeviceChild(const DeviceChild&) = delete;
    DeviceChild& operator=(const DeviceChild&) = delete;

    // Frees the GL objects; called once, by the device, with its context current.
    virtual void ReleaseGL() = 0;
    // What the object is, for leak reports ("texture", "buffer", ...).
    virtual const char* GetKind() const = 0;
    void DetachFromDevice() { m_pDevice = nullptr; }
    // The name captured frames show for the object (a texture's file name).
    const std::string& DebugName() const { return m_DebugName; }
    void SetDebugName(const char* pName) { m_DebugName = pName ? pName : ""; }
    Device* GetOwner() const { return m_pDevice; }

protected:
    Device* m_pDevice;

private:
    std::string m_DebugName;
};

} // namespace d3d9gl
