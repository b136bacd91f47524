// A recorded frame's calls and the event list built from them.

#include "d3d9gl/framecapture.h"

#include "d3d9gl/devicechild.h"
#include "d3d9gl/shader.h"
#include "d3d9gl/surface.h"
#include "d3d9gl/texture.h"

#include <cstring>

namespace d3d9gl
{
namespace
{

// The state the event list follows through the calls.
struct EventState_t
{
    DWORD renderStates[RENDER_STATE_MAX];
    DWORD samplerStates[SAMPLER_SLOT_MAX][SAMPLER_STATE_MAX];
    IUnknown* textures[SAMPLER_SLOT_MAX];
    IUnknown* vertexShader;
    IUnknown* pixelShader;
    IUnknown* target;
};

const char* const PRIMITIVE_NAMES[] = {"",
                                       "D3DPT_POINTLIST",
                                       "D3DPT_LINELIST",
                                       "D3DPT_LINESTRIP",
                                       "D3DPT_TRIANGLELIST",
                                       "D3DPT_TRIANGLESTRIP",
                                       "D3DPT_TRIANGLEFAN"};

std::string DrawTitle(const char* pCall, UINT type, UINT count)
{
    if (type == 0 || type > D3DPT_TRIANGLEFAN)
        return pCall;
    const char* pUnit = type == D3DPT_POINTLIST   ? " points"
                        : type <= D3DPT_LINESTRIP ? " lines"
                                                  : " triangles";
    return std::string(pCall) + " " + PRIMITIVE_NAMES[type] + " " + std::to_string(count) + pUnit;
}

std::string ClearTitle(DWORD flags)
{
    std::string title = "Clear";
    title += (flags & D3DCLEAR_TARGET) ? " colour" : "";
    title += (flags & D3DCLEAR_ZBUFFER) ? " depth" : "";
    title += (flags & D3DCLEAR_STENCIL) ? " stencil" : "";
    return title;
}

std::string Size(UINT width, UINT height, D3DFORMAT format)
{
    return std::to_string(width) + " x " + std::to_string(height) + " " + FormatName(format);
}

const char* const FACE_NAMES[] = {"+X", "-X", "+Y", "-Y", "+Z", "-Z"};

std::string TargetText(IUnknown* pTarget, IUnknown* pBackBuffer)
{
    auto* pSurface = dynamic_cast<TextureSurface*>(pTarget);
    if (!pSurface)
        return pTarget ? "surface" : "none";
    TextureBase* pTexture = pSurface->Container();
    if (pTexture->Interface() == pBackBuffer)
        return "back buffer";
    const std::string size = Size(pSurface->Width(), pSurface->Height(), pSurface->Format());
    for (UINT face = 0; face < pTexture->FaceCount() && pTexture->FaceCount() == 6; ++face)
    {
        for (UINT level = 0; level < pTexture->Desc().levels; ++level)
        {
            if (pTexture->Surface(face, level) == pSurface)
                return std::string("cube face ") + FACE_NAMES[face] + " " + size;
        }
    }
    return "texture " + size;
}

std::string TextureText(UINT slot, IUnknown* pObject)
{
    TextureBase* pTexture = ToTextureBase(dynamic_cast<IDirect3DBaseTexture9*>(pObject));
    if (!pTexture)
        return {};
    const TextureDesc_t& desc = pTexture->Desc();
    const std::string sampler = slot >= GL_UNIT_VERTEX_SAMPLER0
                                    ? "vs" + std::to_string(slot - GL_UNIT_VERTEX_SAMPLER0)
                                    : "s" + std::to_string(slot);
    const std::string& name = pTexture->DebugName();
    return sampler + ": " + (name.empty() ? "texture" : name) +
           (pTexture->FaceCount() == 6 ? " cube " : " ") +
           Size(desc.width, desc.height, desc.format);
}

std::string ShaderText(IUnknown* pShader)
{
    auto* pCode = dynamic_cast<ShaderCode*>(pShader);
    return pCode ? pCode->Name() : "none";
}

void Apply(const CapturedCall_t& call, EventState_t& state)
{
    const UINT* a = call.args;
    const int slot = SamplerSlot(a[0]);
    switch (call.call)
    {
    case CaptureCall::RenderState:
        if (a[0] < RENDER_STATE_MAX)
            state.renderStates[a[0]] = a[1];
        break;
    case CaptureCall::SamplerState:
        if (slot >= 0 && a[1] < SAMPLER_STATE_MAX)
            state.samplerStates[slot][a[1]] = a[2];
        break;
    case CaptureCall::Texture:
        if (slot >= 0)
            state.textures[slot] = call.pObject;
        break;
    case CaptureCall::VertexShader:
        state.vertexShader = call.pObject;
        break;
    case CaptureCall::PixelShader:
        state.pixelShader = call.pObject;
        break;
    case CaptureCall::RenderTarget:
        state.target = a[0] == 0 && call.pObject ? call.pObject : state.target;
        break;
    default:
        break;
    }
}

} // namespace

FrameCapture::~FrameCapture()
{
    for (const CapturedCall_t& call : calls)
    {
        if (call.pObject)
            call.pObject->Release();
    }
}

bool FrameCapture::Add(CaptureCall call, std::initializer_list<UINT> args, IUnknown* pObject,
                       const void* pData, std::size_t size)
{
    if (calls.size() >= m_MaxCalls)
    {
        message =
            "frame too long: recording stopped after " + std::to_string(m_MaxCalls) + " calls";
        phase = Phase::Stopped;
        return false;
    }
    CapturedCall_t entry = {call, {}, pObject, UINT(data.size()), UINT(size)};
    std::copy(args.begin(), args.end(), entry.args);
    if (pObject)
        pObject->AddRef();
    if (size)
        data.insert(data.end(), static_cast<const uint8_t*>(pData),
                    static_cast<const uint8_t*>(pData) + size);
    calls.push_back(entry);
    return true;
}

std::size_t FrameCapture::ByteSize() const
{
    std::size_t bytes = calls.size() * sizeof(CapturedCall_t) + data.size();
    for (const BufferCopy_t& buffer : buffers)
        bytes += buffer.before.size();
    for (const TextureCopy_t& texture : textures)
    {
        for (const ImageSurface& level : texture.before)
            bytes += level.bytes.size();
    }
    return bytes;
}

namespace
{

// Builds the rows of a capture as its calls go by.
class EventBuilder
{
public:
    EventBuilder(FrameCapture& capture, const DWORD* pDefaultRender, const DWORD* pDefaultSampler,
                 IUnknown* pBackBuffer)
        : m_Capture(capture), m_pDefaultRender(pDefaultRender), m_pDefaultSampler(pDefaultSampler),
          m_pBackBuffer(pBackBuffer)
    {
        const DeviceState_t& start = capture.start;
        std::memcpy(m_State.renderStates, start.renderStates, sizeof(m_State.renderStates));
        std::memcpy(m_State.samplerStates, start.samplerStates, sizeof(m_State.samplerStates));
        for (UINT slot = 0; slot < SAMPLER_SLOT_MAX; ++slot)
            m_State.textures[slot] = start.textures[slot].Get();
        m_State.vertexShader = start.vertexShader.Get();
        m_State.pixelShader = start.pixelShader.Get();
        m_State.target = start.targets[0].Get();
    }

    void Add(UINT index)
    {
        const CapturedCall_t& call = m_Capture.calls[index];
        IUnknown* pTarget = m_State.target;
        Apply(call, m_State);
        const UINT* a = call.args;
        switch (call.call)
        {
        case CaptureCall::BeginGroup:
            if (m_GroupDepth++ == 0)
            {
                m_GroupName.assign(reinterpret_cast<const char*>(m_Capture.data.data()) +
                                       call.dataOffset,
                                   call.dataSize);
                m_GroupDraws = 0;
            }
            break;
        case CaptureCall::EndGroup:
            if (m_GroupDepth > 0 && --m_GroupDepth == 0)
                EndGroup(index);
            break;
        case CaptureCall::Draw:
            Draw(index, DrawTitle("DrawPrimitive", a[0], a[2]));
            break;
        case CaptureCall::DrawIndexed:
            Draw(index, DrawTitle("DrawIndexedPrimitive", a[0], a[5]));
            break;
        case CaptureCall::DrawUP:
            Draw(index, DrawTitle("DrawPrimitiveUP", a[0], a[1]));
            break;
        case CaptureCall::Clear:
            if (m_GroupDepth == 0)
                Emit(D3D9GL_EVENT::CLEAR, ClearTitle(a[1]), index);
            break;
        case CaptureCall::RenderTarget:
            if (m_GroupDepth == 0 && m_State.target != pTarget)
                Emit(D3D9GL_EVENT::TARGET_CHANGE,
                     "Target: " + TargetText(m_State.target, m_pBackBuffer), index);
            break;
        default:
            break;
        }
    }

    // A group left open at the frame's end ends with it.
    void Finish()
    {
        if (m_GroupDepth > 0 && !m_Capture.calls.empty())
            EndGroup(UINT(m_Capture.calls.size() - 1));
    }

private:
    void Draw(UINT index, const std::string& title)
    {
        if (m_GroupDepth > 0)
        {
            ++m_GroupDraws;
            return;
        }
        D3D9GL_EVENT& event = Emit(D3D9GL_EVENT::DRAW, title, index);
        event.shaders = ShaderText(m_State.vertexShader) + " + " + ShaderText(m_State.pixelShader);
        for (UINT state = 0; state < RENDER_STATE_MAX; ++state)
        {
            if (m_State.renderStates[state] != m_pDefaultRender[state])
            {
                std::string text =
                    RenderStateText(D3DRENDERSTATETYPE(state), m_State.renderStates[state]);
                if (!text.empty())
                    event.states.push_back(std::move(text));
            }
        }
        for (UINT slot = 0; slot < SAMPLER_SLOT_MAX; ++slot)
            AddSampler(event, slot);
    }

    void AddSampler(D3D9GL_EVENT& event, UINT slot)
    {
        std::string texture = TextureText(slot, m_State.textures[slot]);
        if (texture.empty())
            return;
        event.textures.push_back(texture);
        const std::string sampler = texture.substr(0, texture.find(':'));
        for (UINT type = 1; type < SAMPLER_STATE_MAX; ++type)
        {
            const DWORD value = m_State.samplerStates[slot][type];
            if (value != m_pDefaultSampler[type])
                event.states.push_back(sampler + " " +
                                       SamplerStateText(D3DSAMPLERSTATETYPE(type), value));
        }
    }

    void EndGroup(UINT index)
    {
        Emit(D3D9GL_EVENT::GROUP,
             m_GroupName + " (" + std::to_string(m_GroupDraws) +
                 (m_GroupDraws == 1 ? " draw)" : " draws)"),
             index);
    }

    D3D9GL_EVENT& Emit(D3D9GL_EVENT::Kind kind, std::string title, UINT index)
    {
        D3D9GL_EVENT event;
        event.kind = kind;
        event.title = std::move(title);
        event.target = TargetText(m_State.target, m_pBackBuffer);
        m_Capture.events.push_back(std::move(event));
        m_Capture.eventFirstCall.push_back(m_First);
        m_Capture.eventLastCall.push_back(index);
        m_First = index + 1;
        return m_Capture.events.back();
    }

    FrameCapture& m_Capture;
    const DWORD* m_pDefaultRender;
    const DWORD* m_pDefaultSampler;
    IUnknown* m_pBackBuffer;
    EventState_t m_State = {};
    UINT m_GroupDepth = 0;
    UINT m_GroupDraws = 0;
    std::string m_GroupName;
    UINT m_First = 0;
};

} // namespace

void FrameCapture::BuildEvents(const DWORD* pDefaultRenderStates,
                               const DWORD* pDefaultSamplerStates, IUnknown* pBackBuffer)
{
    events.clear();
    eventFirstCall.clear();
    eventLastCall.clear();
    EventBuilder builder(*this, pDefaultRenderStates, pDefaultSamplerStates, pBackBuffer);
    for (UINT index = 0; index < calls.size(); ++index)
        builder.Add(index);
    builder.Finish();
}

} // namespace d3d9gl
