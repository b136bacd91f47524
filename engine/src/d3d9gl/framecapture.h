#pragma once
// One recorded frame: the device state it began with, its calls with their values, copies of
// the targets and buffers it changed as they were before it, and its event list.

#include "d3d9gl/capturecall.h"
#include "d3d9gl/d3d9glcapture.h"
#include "d3d9gl/device.h"
#include "d3d9gl/image/image.h"

#include <string>
#include <vector>

namespace d3d9gl
{

class BufferStorage;

// The Direct3D state a frame starts from and that a replay puts back.
struct DeviceState_t
{
    struct Stream_t
    {
        RefPtr<IDirect3DVertexBuffer9> buffer;
        UINT offset = 0;
        UINT stride = 0;
        UINT frequency = 1;
    };
    DWORD renderStates[RENDER_STATE_MAX] = {};
    DWORD samplerStates[SAMPLER_SLOT_MAX][SAMPLER_STATE_MAX] = {};
    RefPtr<IDirect3DBaseTexture9> textures[SAMPLER_SLOT_MAX];
    D3DVIEWPORT9 viewport = {};
    RECT scissor = {};
    RefPtr<IDirect3DSurface9> targets[RENDER_TARGET_MAX];
    RefPtr<IDirect3DSurface9> depthStencil;
    Stream_t streams[STREAM_MAX];
    RefPtr<IDirect3DIndexBuffer9> indices;
    RefPtr<IDirect3DVertexDeclaration9> declaration;
    RefPtr<IDirect3DVertexShader9> vertexShader;
    RefPtr<IDirect3DPixelShader9> pixelShader;
    std::vector<uint8_t> constants[SHADER_STAGE_MAX];
};

struct CapturedCall_t
{
    CaptureCall call;
    UINT args[6];
    IUnknown* pObject; // held by the capture
    UINT dataOffset;   // into FrameCapture::data
    UINT dataSize;
};

class FrameCapture
{
public:
    enum class Phase
    {
        Waiting,   // for the Present that begins the frame
        Recording, // the frame
        Stopped,   // the frame, past the call limit
        Done
    };

    // A texture or depth-stencil surface the frame draws into: its contents before the frame
    // and the copy a replay draws into instead.
    struct TargetCopy_t
    {
        RefPtr<IUnknown> original; // the texture's interface or the depth-stencil surface
        RefPtr<IUnknown> before;
        RefPtr<IUnknown> working;
    };
    // A buffer the frame writes: its bytes before the frame and the copy a replay uses.
    struct BufferCopy_t
    {
        RefPtr<IUnknown> original;
        BufferStorage* pStorage; // the same buffer
        std::vector<uint8_t> before;
        RefPtr<IUnknown> working;
    };
    // A texture the frame writes: its levels before the frame (face-major) and the copy a
    // replay uses.
    struct TextureCopy_t
    {
        RefPtr<IUnknown> original;
        std::vector<ImageSurface> before;
        RefPtr<IUnknown> working;
    };

    explicit FrameCapture(UINT maxCalls) : m_MaxCalls(maxCalls) {}
    FrameCapture(const FrameCapture&) = delete;
    FrameCapture& operator=(const FrameCapture&) = delete;
    ~FrameCapture();

    // Appends a call; false (the capture stopped, saying so) past the call limit.
    bool Add(CaptureCall call, std::initializer_list<UINT> args, IUnknown* pObject,
             const void* pData, std::size_t size);
    // Builds the event list from the calls (at the frame's end).
    // Defaults: what a state is compared with (RENDER_STATE_MAX and SAMPLER_STATE_MAX values).
    void BuildEvents(const DWORD* pDefaultRenderStates, const DWORD* pDefaultSamplerStates,
                     IUnknown* pBackBuffer);

    std::size_t ByteSize() const;

    Phase phase = Phase::Waiting;
    DeviceState_t start;
    std::vector<CapturedCall_t> calls;
    std::vector<uint8_t> data;
    std::vector<TargetCopy_t> targets;
    std::vector<BufferCopy_t> buffers;
    std::vector<TextureCopy_t> textures;
    std::vector<D3D9GL_EVENT> events;
    std::vector<UINT> eventFirstCall; // the first call of each event
    std::vector<UINT> eventLastCall;  // the call that ends each event
    std::string message;
    UINT serial = 0;

private:
    UINT m_MaxCalls;
};

// "D3DRS_ZFUNC = D3DCMP_GREATER"; "D3DSAMP_ADDRESSU = D3DTADDRESS_BORDER".
std::string RenderStateText(D3DRENDERSTATETYPE state, DWORD value);
std::string SamplerStateText(D3DSAMPLERSTATETYPE state, DWORD value);
// "D3DFMT_A8R8G8B8", or the number for a format without a name here.
std::string FormatName(D3DFORMAT format);

} // namespace d3d9gl
