#include "renderdevice_dx9/source/dx9_devicediagnostics.h"

#include "d3d9gl/d3d9gl.h"
#include "d3d9gl/d3d9glcapture.h"

namespace Halvex::RenderCore
{
namespace
{

FrameEvent::Kind ToKind(D3D9GL_EVENT::Kind kind)
{
    switch (kind)
    {
    case D3D9GL_EVENT::CLEAR:
        return FrameEvent::Kind::Clear;
    case D3D9GL_EVENT::TARGET_CHANGE:
        return FrameEvent::Kind::TargetChange;
    case D3D9GL_EVENT::GROUP:
        return FrameEvent::Kind::Group;
    default:
        return FrameEvent::Kind::Draw;
    }
}

} // namespace

bool Dx9DeviceDiagnostics::GetLastFrameCounters(DeviceFrameCounters* pOut)
{
    D3D9GL_COUNTERS current = {};
    D3D9GL_COUNTERS last = {};
    if (!pOut || FAILED(D3D9GL_GetCounters(m_pDevice, &current, &last)))
        return false;
    *pOut = {last.DrawCalls,    last.StateChanges, last.Uploads,
             last.ProgramLinks, current.GLErrors,  last.UploadBytes};
    return true;
}

void Dx9DeviceDiagnostics::SetNextShaderName(const char* pFileName)
{
    D3D9GL_SetNextShaderName(m_pDevice, pFileName);
}

bool Dx9DeviceDiagnostics::GetLastShaderError(std::string* pLog, unsigned* pFailures)
{
    UINT failures = 0;
    UINT size = 0;
    if (FAILED(D3D9GL_GetLastShaderError(m_pDevice, nullptr, 0, &failures)))
        return false;
    if (pLog)
    {
        // The log is cut to the buffer: grow it until the whole log fits.
        std::string log(256, '\0');
        for (;;)
        {
            D3D9GL_GetLastShaderError(m_pDevice, log.data(), UINT(log.size()), nullptr);
            size = UINT(log.find('\0'));
            if (size + 1 < log.size())
                break;
            log.resize(log.size() * 2);
        }
        log.resize(size);
        *pLog = std::move(log);
    }
    if (pFailures)
        *pFailures = failures;
    return true;
}

void Dx9DeviceDiagnostics::BeginEventGroup(const char* pName)
{
    D3D9GL_BeginEvent(m_pDevice, pName);
}

void Dx9DeviceDiagnostics::EndEventGroup()
{
    D3D9GL_EndEvent(m_pDevice);
}

void Dx9DeviceDiagnostics::RequestFrameCapture()
{
    D3D9GL_RequestCapture(m_pDevice, 0);
}

bool Dx9DeviceDiagnostics::HasFrameCapture() const
{
    Refresh();
    return m_Serial != 0;
}

const std::vector<FrameEvent>& Dx9DeviceDiagnostics::GetFrameEvents() const
{
    Refresh();
    return m_Events;
}

std::string Dx9DeviceDiagnostics::GetCaptureMessage() const
{
    Refresh();
    return m_Message;
}

bool Dx9DeviceDiagnostics::ReplayTo(size_t index, FramePicture* pOut)
{
    D3D9GL_PICTURE picture;
    if (!pOut || index > 0xFFFFFFFFu || FAILED(D3D9GL_ReplayTo(m_pDevice, UINT(index), &picture)))
        return false;
    pOut->width = int(picture.width);
    pOut->height = int(picture.height);
    pOut->rgba = std::move(picture.rgba);
    pOut->written = std::move(picture.written);
    return true;
}

void Dx9DeviceDiagnostics::Refresh() const
{
    D3D9GL_CAPTURE_INFO info;
    if (FAILED(D3D9GL_GetCapture(m_pDevice, &info)) || info.serial == m_Serial)
        return;
    m_Serial = info.serial;
    m_Message = info.message;
    m_Events.clear();
    for (const D3D9GL_EVENT& event : *info.pEvents)
        m_Events.push_back({ToKind(event.kind), event.title, event.shaders, event.textures,
                            event.target, event.states});
}

} // namespace Halvex::RenderCore
