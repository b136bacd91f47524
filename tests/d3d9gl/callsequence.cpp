#include "callsequence.h"

#include "d3d9gl/d3d9.h"
#include "d3d9gl/d3d9gl.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace D3D9GLTest
{
namespace
{

constexpr UINT SIZE = 64; // the back buffer's, the depth surfaces' and the largest target's
constexpr UINT BUFFER_BYTES = 4096;
constexpr UINT INDEX_COUNT = 256;
constexpr UINT MAX_PRIMITIVES = 8;
constexpr UINT REGISTERS = 32; // the constant registers the lessons' shaders read

// A state and its legal values lo..hi; with a scale, the float n * scale.
struct StateRange_t
{
    DWORD state;
    int64_t lo, hi;
    float scale;
};

// clang-format off
constexpr StateRange_t RENDER_STATES[] = {
    {D3DRS_ZENABLE, 0, 1, 0}, {D3DRS_ZWRITEENABLE, 0, 1, 0}, {D3DRS_ZFUNC, 1, 8, 0},
    {D3DRS_ALPHATESTENABLE, 0, 1, 0}, {D3DRS_ALPHAFUNC, 1, 8, 0}, {D3DRS_ALPHAREF, 0, 255, 0},
    {D3DRS_ALPHABLENDENABLE, 0, 1, 0}, {D3DRS_SRCBLEND, 1, 15, 0}, {D3DRS_DESTBLEND, 1, 15, 0},
    {D3DRS_BLENDOP, 1, 5, 0}, {D3DRS_SEPARATEALPHABLENDENABLE, 0, 1, 0},
    {D3DRS_SRCBLENDALPHA, 1, 15, 0}, {D3DRS_DESTBLENDALPHA, 1, 15, 0},
    {D3DRS_BLENDOPALPHA, 1, 5, 0}, {D3DRS_BLENDFACTOR, 0, 0xFFFFFFFF, 0},
    {D3DRS_COLORWRITEENABLE, 0, 15, 0}, {D3DRS_CULLMODE, 1, 3, 0}, {D3DRS_FILLMODE, 1, 3, 0},
    {D3DRS_SHADEMODE, 1, 2, 0}, {D3DRS_SCISSORTESTENABLE, 0, 1, 0},
    {D3DRS_DEPTHBIAS, -2, 2, 0.001f}, {D3DRS_SLOPESCALEDEPTHBIAS, 0, 4, 0.5f},
    {D3DRS_POINTSIZE, 1, 6, 1.0f}, {D3DRS_STENCILENABLE, 0, 1, 0}, {D3DRS_STENCILFAIL, 1, 8, 0},
    {D3DRS_STENCILZFAIL, 1, 8, 0}, {D3DRS_STENCILPASS, 1, 8, 0}, {D3DRS_STENCILFUNC, 1, 8, 0},
    {D3DRS_STENCILREF, 0, 255, 0}, {D3DRS_STENCILMASK, 0, 255, 0},
    {D3DRS_STENCILWRITEMASK, 0, 255, 0}, {D3DRS_TWOSIDEDSTENCILMODE, 0, 1, 0},
    {D3DRS_CCW_STENCILFAIL, 1, 8, 0}, {D3DRS_CCW_STENCILZFAIL, 1, 8, 0},
    {D3DRS_CCW_STENCILPASS, 1, 8, 0}, {D3DRS_CCW_STENCILFUNC, 1, 8, 0}};

constexpr StateRange_t SAMPLER_STATES[] = {
    {D3DSAMP_ADDRESSU, 1, 5, 0}, {D3DSAMP_ADDRESSV, 1, 5, 0}, {D3DSAMP_ADDRESSW, 1, 5, 0},
    {D3DSAMP_BORDERCOLOR, 0, 0xFFFFFFFF, 0}, {D3DSAMP_MAGFILTER, 1, 3, 0},
    {D3DSAMP_MINFILTER, 1, 3, 0}, {D3DSAMP_MIPFILTER, 0, 2, 0},
    {D3DSAMP_MIPMAPLODBIAS, -4, 4, 0.5f}, {D3DSAMP_MAXMIPLEVEL, 0, 3, 0},
    {D3DSAMP_MAXANISOTROPY, 1, 16, 0}};

constexpr D3DFORMAT TEXTURE_FORMATS[] = {
    D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_A8B8G8R8, D3DFMT_X8B8G8R8, D3DFMT_R8G8B8,
    D3DFMT_R5G6B5, D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5, D3DFMT_A4R4G4B4, D3DFMT_A8, D3DFMT_L8,
    D3DFMT_A8L8, D3DFMT_L16, D3DFMT_G16R16, D3DFMT_A16B16G16R16, D3DFMT_R16F, D3DFMT_G16R16F,
    D3DFMT_R32F, D3DFMT_A16B16G16R16F, D3DFMT_G32R32F, D3DFMT_A32B32G32R32F, D3DFMT_DXT1,
    D3DFMT_DXT3, D3DFMT_DXT5};
// Render targets, each cleared at the start: the back buffer, 2D textures (edge, format)
// and, with an edge of 0, the faces of a 32-texel cube.
constexpr std::pair<UINT, D3DFORMAT> TARGETS[] = {
    {SIZE, D3DFMT_A8R8G8B8}, {SIZE, D3DFMT_R32F}, {32, D3DFMT_A8R8G8B8}, {0, D3DFMT_A8R8G8B8}};
// clang-format on
constexpr UINT TEXTURE_SIZES[] = {1, 2, 4, 5, 8, 16};
constexpr UINT STREAM_STRIDES[] = {36, 40, 48}; // the declaration's vertex is 36 bytes
constexpr float CONSTANT_VALUES[] = {-1.0f, -0.5f, 0.0f, 0.25f, 0.5f, 1.0f, 2.0f};

// The ways a sequence is played; the first is the one the others must match.
constexpr struct
{
    BOOL merge, plain;
    const char* name;
} MODES[] = {{TRUE, FALSE, "merged"}, {FALSE, FALSE, "unmerged"}, {FALSE, TRUE, "plain"}};

// What a fill writes: any bytes, every 4 bytes a float in [-1.2, 1.2] (so any offset and
// stride reads positions around the target and texture coordinates around the texture), or
// 16-bit or 32-bit indices below 64 (the bytes masked), so that with the base vertex they stay
// within any stream.
constexpr uint32_t BYTES = 0xFFFFFFFF, FLOATS = 0, INDICES16 = 0x003F003F, INDICES32 = 0x3F;

// Bytes from a small generator that one choice seeds: a large fill costs one choice.
void Fill(ByteSource& source, void* pData, std::size_t size, uint32_t mask)
{
    uint32_t x = source.Next(1ull << 32) | 1u;
    auto* pBytes = static_cast<uint8_t*>(pData);
    for (std::size_t i = 0; i < size; ++i)
    {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        pBytes[i] = uint8_t(x & mask >> i % 4 * 8);
        const float value = float(x % 2401) / 1000.0f - 1.2f;
        if (mask == FLOATS && i % 4 == 3)
            std::memcpy(pBytes + i - 3, &value, 4);
    }
}

struct ShaderPair_t
{
    IDirect3DVertexShader9* pVertex;
    IDirect3DPixelShader9* pPixel;
    bool cube[2]; // samplers s0 and s1 are cube samplers
};

struct Target_t
{
    IDirect3DSurface9* pSurface;
    IDirect3DBaseTexture9* pOwner; // null for the back buffer
    UINT size;
    D3DFORMAT format;
};

// One play of a sequence: its resources, what it has set, and the steps.
class Player
{
public:
    Player(IDirect3DDevice9* pDevice, const std::vector<ShaderPair_t>& shaders, ByteSource& source)
        : m_pDevice(pDevice), m_Shaders(shaders), m_Source(source)
    {
        CreateTextures();
        CreateTargets();
        for (UINT i = 0; i < 2; ++i)
        {
            m_pDevice->CreateVertexBuffer(BUFFER_BYTES, i ? D3DUSAGE_DYNAMIC : 0, 0,
                                          i ? D3DPOOL_DEFAULT : D3DPOOL_MANAGED,
                                          &m_VertexBuffers[i], nullptr);
            m_pDevice->CreateIndexBuffer(INDEX_COUNT * (i + 1) * 2, 0,
                                         i ? D3DFMT_INDEX32 : D3DFMT_INDEX16, D3DPOOL_MANAGED,
                                         &m_IndexBuffers[i], nullptr);
            Own(m_VertexBuffers[i]), Own(m_IndexBuffers[i]);
            FillBuffer(m_VertexBuffers[i], 0, BUFFER_BYTES, FLOATS);
            FillBuffer(m_IndexBuffers[i], 0, INDEX_COUNT * (i + 1) * 2, i ? INDICES32 : INDICES16);
        }
        // Reset keeps the constants: each play starts from identity matrices.
        float identities[REGISTERS * 4] = {};
        for (UINT i = 0; i < REGISTERS; ++i)
            identities[i * 4 + i % 4] = 1.0f;
        m_pDevice->SetVertexShaderConstantF(0, identities, REGISTERS);
        m_pDevice->SetPixelShaderConstantF(0, identities, REGISTERS);
        Shaders();
    }

    // The device keeps what is still set until the next Reset.
    ~Player()
    {
        for (auto it = m_Owned.rbegin(); it != m_Owned.rend(); ++it)
            (*it)->Release();
    }

    void Step()
    {
        static constexpr std::pair<void (Player::*)(), UINT> OPS[] = {
            {&Player::State, 11}, {&Player::Shaders, 4}, {&Player::Constants, 3},
            {&Player::Target, 2}, {&Player::Area, 2},    {&Player::Stream, 2},
            {&Player::Draw, 12},  {&Player::Clear, 1},   {&Player::Present, 1},
            {&Player::Update, 2}};
        UINT pick = m_Source.Next(40);
        for (const auto& [op, weight] : OPS)
        {
            if (pick < weight)
                return (this->*op)();
            pick -= weight;
        }
    }

    // Every target's bytes.
    std::vector<uint8_t> Read()
    {
        std::vector<uint8_t> bytes;
        for (const Target_t& target : m_Targets)
        {
            IDirect3DSurface9* pCopy = nullptr;
            D3DLOCKED_RECT locked = {};
            m_pDevice->CreateOffscreenPlainSurface(target.size, target.size, target.format,
                                                   D3DPOOL_SYSTEMMEM, &pCopy, nullptr);
            m_pDevice->GetRenderTargetData(target.pSurface, pCopy);
            pCopy->LockRect(&locked, nullptr, D3DLOCK_READONLY);
            for (UINT y = 0; y < target.size; ++y)
            {
                const auto* pRow = static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch;
                bytes.insert(bytes.end(), pRow, pRow + target.size * 4);
            }
            pCopy->UnlockRect();
            pCopy->Release();
        }
        return bytes;
    }

private:
    template <class T> T* Own(T* pObject)
    {
        m_Owned.push_back(pObject);
        return pObject;
    }

    // Textures of random formats, sizes and level counts, all filled.
    void CreateTextures()
    {
        for (int i = 0; i < 4; ++i)
        {
            const D3DFORMAT format = TEXTURE_FORMATS[m_Source.Next(std::size(TEXTURE_FORMATS))];
            const UINT round = format >= D3DFMT_DXT1 ? 3 : 0; // 4 x 4 blocks
            const UINT width = (TEXTURE_SIZES[m_Source.Next(6)] + round) & ~round;
            const UINT height = (TEXTURE_SIZES[m_Source.Next(6)] + round) & ~round;
            IDirect3DTexture9* pTexture = nullptr;
            m_pDevice->CreateTexture(width, height, m_Source.Next(2), 0, format, D3DPOOL_MANAGED,
                                     &pTexture, nullptr);
            for (UINT level = 0; pTexture && level < pTexture->GetLevelCount(); ++level)
                FillTexture(pTexture, level);
            if (pTexture)
                m_Textures[0].push_back(Own(pTexture));
        }
    }

    // The targets, each cleared; the device's depth surface and one without stencil.
    void CreateTargets()
    {
        IDirect3DSurface9* pSurface = nullptr;
        m_pDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &pSurface);
        m_Targets.push_back({Own(pSurface), nullptr, SIZE, D3DFMT_A8R8G8B8});
        for (const auto& [size, format] : TARGETS)
        {
            IDirect3DTexture9* pTarget = nullptr;
            IDirect3DCubeTexture9* pCube = nullptr;
            if (size == 0)
                m_pDevice->CreateCubeTexture(32, 1, D3DUSAGE_RENDERTARGET, format, D3DPOOL_DEFAULT,
                                             &pCube, nullptr);
            else
                m_pDevice->CreateTexture(size, size, 1, D3DUSAGE_RENDERTARGET, format,
                                         D3DPOOL_DEFAULT, &pTarget, nullptr);
            IDirect3DBaseTexture9* pOwner =
                pCube ? Own<IDirect3DBaseTexture9>(pCube) : Own<IDirect3DBaseTexture9>(pTarget);
            m_Textures[pCube ? 1 : 0].push_back(pOwner);
            for (UINT face = 0; face < (pCube ? 6 : 1); ++face)
            {
                pCube ? pCube->GetCubeMapSurface(D3DCUBEMAP_FACES(face), 0, &pSurface)
                      : pTarget->GetSurfaceLevel(0, &pSurface);
                m_Targets.push_back({Own(pSurface), pOwner, pCube ? 32 : size, format});
            }
        }
        m_pDevice->GetDepthStencilSurface(&m_Depths[0]);
        m_pDevice->CreateDepthStencilSurface(SIZE, SIZE, D3DFMT_D16, D3DMULTISAMPLE_NONE, 0, FALSE,
                                             &m_Depths[1], nullptr);
        Own(m_Depths[0]), Own(m_Depths[1]);
        for (UINT t = UINT(m_Targets.size()); t-- > 0;)
        {
            m_pDevice->SetRenderTarget(0, m_Targets[t].pSurface);
            m_pDevice->SetDepthStencilSurface(m_Depths[t % 2]);
            const DWORD flags = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | (t % 2 ? 0 : D3DCLEAR_STENCIL);
            m_pDevice->Clear(0, nullptr, flags, 0xFF000000 | t * 0x1F3D5B, 1.0f, 0);
        }
    }

    void FillTexture(IDirect3DTexture9* pTexture, UINT level)
    {
        D3DSURFACE_DESC desc = {};
        D3DLOCKED_RECT locked = {};
        pTexture->GetLevelDesc(level, &desc);
        if (pTexture->LockRect(level, &locked, nullptr, 0) != D3D_OK)
            return;
        const UINT rows = desc.Format >= D3DFMT_DXT1 ? (desc.Height + 3) / 4 : desc.Height;
        Fill(m_Source, locked.pBits, std::size_t(locked.Pitch) * rows, BYTES);
        pTexture->UnlockRect(level);
    }

    // A vertex or index buffer, locked and written from `offset`.
    template <class Buffer> void FillBuffer(Buffer* pBuffer, UINT offset, UINT size, uint32_t mask)
    {
        void* pData = nullptr;
        pBuffer->Lock(offset, size, &pData, 0);
        Fill(m_Source, pData, size, mask);
        pBuffer->Unlock();
    }

    // A render state, or a sampler state of slot 0 or 1, to one of its legal values.
    void State()
    {
        constexpr UINT COUNT = std::size(RENDER_STATES) + 2 * std::size(SAMPLER_STATES);
        const UINT pick = m_Source.Next(COUNT), slot = pick % 2;
        const bool render = pick < std::size(RENDER_STATES);
        const StateRange_t& range =
            render ? RENDER_STATES[pick] : SAMPLER_STATES[(pick - std::size(RENDER_STATES)) / 2];
        const int64_t n = range.lo + int64_t(m_Source.Next(uint64_t(range.hi - range.lo + 1)));
        const float value = float(n) * range.scale;
        DWORD bits = DWORD(n);
        if (range.scale != 0)
            std::memcpy(&bits, &value, sizeof(bits));
        render ? m_pDevice->SetRenderState(D3DRENDERSTATETYPE(range.state), bits)
               : m_pDevice->SetSamplerState(slot, D3DSAMPLERSTATETYPE(range.state), bits);
    }

    // A texture of the kind the pixel shader samples in the slot; none for the target drawn to.
    void Bind(UINT slot)
    {
        const std::vector<IDirect3DBaseTexture9*>& textures = m_Textures[m_pShader->cube[slot]];
        IDirect3DBaseTexture9* pTexture = textures[m_Source.Next(textures.size())];
        m_Bound[slot] = pTexture == m_Targets[m_Target].pOwner ? nullptr : pTexture;
        m_pDevice->SetTexture(slot, m_Bound[slot]);
    }

    // A shader pair from the lessons, or only the textures, each of the kind the pixel
    // shader samples in its slot.
    void Shaders()
    {
        if (m_pShader && m_Source.Next(2))
            return Bind(m_Source.Next(2));
        m_pShader = &m_Shaders[m_Source.Next(m_Shaders.size())];
        m_pDevice->SetVertexShader(m_pShader->pVertex);
        m_pDevice->SetPixelShader(m_pShader->pPixel);
        Bind(0);
        Bind(1);
    }

    // Registers of either stage, mostly identity-matrix rows (geometry stays in view), else
    // values from a table.
    void Constants()
    {
        const UINT start = m_Source.Next(REGISTERS - 4), count = 1 + m_Source.Next(4);
        float values[16] = {};
        for (UINT i = 0; i < count * 4; ++i)
        {
            const bool identity = i % 4 == 0 && m_Source.Next(4) != 0;
            values[identity ? i + (start + i / 4) % 4 : i] =
                identity ? 1.0f : CONSTANT_VALUES[m_Source.Next(std::size(CONSTANT_VALUES))];
            i += identity ? 3 : 0;
        }
        m_Source.Next(2) ? m_pDevice->SetVertexShaderConstantF(start, values, count)
                         : m_pDevice->SetPixelShaderConstantF(start, values, count);
    }

    void Target() { SetTarget(m_Source.Next(m_Targets.size()), m_Source.Next(3)); }

    // A texture bound to the target is unbound.
    void SetTarget(UINT target, UINT depth)
    {
        m_Target = target, m_Depth = depth;
        m_pDevice->SetRenderTarget(0, m_Targets[target].pSurface);
        m_pDevice->SetDepthStencilSurface(m_Depths[depth]);
        for (UINT slot = 0; slot < 2; ++slot)
            if (m_Bound[slot] && m_Bound[slot] == m_Targets[target].pOwner)
                m_pDevice->SetTexture(slot, m_Bound[slot] = nullptr);
    }

    RECT PickRect()
    {
        const UINT size = m_Targets[m_Target].size;
        RECT rect = {LONG(m_Source.Next(size)), LONG(m_Source.Next(size)), 0, 0};
        rect.right = rect.left + 1 + LONG(m_Source.Next(size - rect.left));
        rect.bottom = rect.top + 1 + LONG(m_Source.Next(size - rect.top));
        return rect;
    }

    // The viewport or the scissor rectangle.
    void Area()
    {
        const RECT r = PickRect();
        const float minZ = float(m_Source.Next(3)) * 0.25f;
        const float maxZ = minZ + float(m_Source.Next(3)) * 0.25f;
        const D3DVIEWPORT9 viewport = {
            DWORD(r.left),           DWORD(r.top), DWORD(r.right - r.left),
            DWORD(r.bottom - r.top), minZ,         maxZ};
        m_Source.Next(2) ? m_pDevice->SetViewport(&viewport) : m_pDevice->SetScissorRect(&r);
    }

    void Stream()
    {
        m_StreamOffset = 4 * m_Source.Next(26);
        m_StreamStride = STREAM_STRIDES[m_Source.Next(std::size(STREAM_STRIDES))];
        m_pDevice->SetStreamSource(0, m_VertexBuffers[m_Source.Next(2)], m_StreamOffset,
                                   m_StreamStride);
        m_pDevice->SetIndices(m_IndexBuffers[m_Source.Next(2)]);
    }

    // From the buffers, indexed or not (stream 0 set first where a user-pointer draw unset
    // it), or a run of user-pointer draws as the GUI and the lessons' shapes make them.
    void Draw()
    {
        const UINT kind = m_Source.Next(4);
        if (kind < 2 && m_StreamStride == 0)
            Stream();
        const auto type = D3DPRIMITIVETYPE(1 + m_Source.Next(6));
        const UINT primitives = 1 + m_Source.Next(MAX_PRIMITIVES);
        const UINT vertices = (BUFFER_BYTES - m_StreamOffset) / std::max(m_StreamStride, 1u);
        if (kind == 0)
            m_pDevice->DrawPrimitive(type, m_Source.Next(16), primitives);
        if (kind == 1)
            m_pDevice->DrawIndexedPrimitive(type, INT(m_Source.Next(9)), 0, vertices,
                                            m_Source.Next(INDEX_COUNT - 3 * MAX_PRIMITIVES),
                                            primitives);
        if (kind < 2)
            return;
        for (UINT run = 1 + m_Source.Next(4); run > 0; --run)
        {
            constexpr UINT PER[] = {0, 1, 2, 1, 3, 1, 1}, EXTRA[] = {0, 0, 0, 1, 0, 2, 2};
            const auto runType = D3DPRIMITIVETYPE(1 + m_Source.Next(6));
            const UINT stride = m_Source.Next(2) ? 36 : 44;
            std::vector<uint8_t> data((primitives * PER[runType] + EXTRA[runType]) * stride);
            Fill(m_Source, data.data(), data.size(), FLOATS);
            m_pDevice->DrawPrimitiveUP(runType, primitives, data.data(), stride);
        }
        m_StreamStride = 0;
    }

    void Clear()
    {
        const DWORD kept[] = {D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL,
                              D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCLEAR_TARGET};
        const DWORD flags = (1 + m_Source.Next(7)) & kept[m_Depth];
        D3DRECT rects[2] = {};
        const UINT count = m_Source.Next(3);
        for (UINT i = 0; i < count; ++i)
        {
            const RECT rect = PickRect();
            rects[i] = {rect.left, rect.top, rect.right, rect.bottom};
        }
        m_pDevice->Clear(count, count ? rects : nullptr, flags, m_Source.Next(1ull << 32),
                         float(m_Source.Next(5)) * 0.25f, m_Source.Next(256));
    }

    // A frame ends; as the swap discards the back buffer, the next one starts by clearing it.
    void Present()
    {
        const D3DVIEWPORT9 full = {0, 0, SIZE, SIZE, 0.0f, 1.0f};
        m_pDevice->Present(nullptr, nullptr, nullptr, nullptr);
        SetTarget(0, 0);
        m_pDevice->SetViewport(&full);
        m_pDevice->SetRenderState(D3DRS_SCISSORTESTENABLE, FALSE);
        m_pDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL,
                         m_Source.Next(1ull << 32), 1.0f, 0);
    }

    // Locks a texture level, a vertex buffer range or an index buffer and writes it anew.
    void Update()
    {
        const UINT kind = m_Source.Next(3), index = m_Source.Next(2);
        if (kind == 0)
        {
            auto* pTexture = static_cast<IDirect3DTexture9*>(m_Textures[0][m_Source.Next(2)]);
            FillTexture(pTexture, m_Source.Next(pTexture->GetLevelCount()));
        }
        if (kind == 1)
            FillBuffer(m_VertexBuffers[index], 4 * m_Source.Next(768), 4 * (1 + m_Source.Next(256)),
                       FLOATS);
        if (kind == 2)
            FillBuffer(m_IndexBuffers[index], 0, INDEX_COUNT * (index + 1) * 2,
                       index ? INDICES32 : INDICES16);
    }

    IDirect3DDevice9* m_pDevice;
    const std::vector<ShaderPair_t>& m_Shaders;
    ByteSource& m_Source;
    std::vector<IUnknown*> m_Owned;
    std::vector<IDirect3DBaseTexture9*> m_Textures[2]; // 2D and cube; the first is never a target
    std::vector<Target_t> m_Targets;
    IDirect3DSurface9* m_Depths[3] = {};
    IDirect3DVertexBuffer9* m_VertexBuffers[2] = {};
    IDirect3DIndexBuffer9* m_IndexBuffers[2] = {};
    const ShaderPair_t* m_pShader = nullptr;
    IDirect3DBaseTexture9* m_Bound[2] = {};
    UINT m_Target = 0;
    UINT m_Depth = 0; // 0 with stencil, 1 depth only, 2 none
    UINT m_StreamOffset = 0;
    UINT m_StreamStride = 0; // 0 while stream 0 is unset
};

// A hidden window with a d3d9gl device and the lessons' shader pairs (the objects live as
// long as the process).
struct SequenceDevice
{
    // clang-format off
    D3DPRESENT_PARAMETERS params = {SIZE, SIZE, D3DFMT_A8R8G8B8, 1, D3DMULTISAMPLE_NONE, 0,
        D3DSWAPEFFECT_DISCARD, {}, TRUE, TRUE, D3DFMT_D24S8, 0, 0, D3DPRESENT_INTERVAL_IMMEDIATE};
    // clang-format on
    IDirect3DDevice9* pDevice = nullptr;
    IDirect3DVertexDeclaration9* pDeclaration = nullptr;
    std::vector<ShaderPair_t> shaders;

    SequenceDevice()
    {
        D3DPRESENT_PARAMETERS made = params;
        // Where this process makes its first context here, llvmpipe rasterizes on the calling
        // thread, so that a seed replays exactly, call for call.
        setenv("LP_NUM_THREADS", "0", 0);
        SDL_Window* pWindow = SDL_InitSubSystem(SDL_INIT_VIDEO) != 0
                                  ? nullptr
                                  : SDL_CreateWindow("call sequences", 0, 0, SIZE, SIZE,
                                                     SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        IDirect3D9* pD3D = pWindow ? Direct3DCreate9(D3D_SDK_VERSION) : nullptr;
        if (!pD3D ||
            pD3D->CreateDevice(0, D3DDEVTYPE_HAL, reinterpret_cast<HWND>(pWindow),
                               D3DCREATE_HARDWARE_VERTEXPROCESSING, &made, &pDevice) != D3D_OK)
            return;
        const D3DVERTEXELEMENT9 elements[] = {
            {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
            {0, 12, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_NORMAL, 0},
            {0, 24, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
            {0, 28, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
            D3DDECL_END()};
        pDevice->CreateVertexDeclaration(elements, &pDeclaration);
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(HALVEX_SHADER_DIR))
            if (entry.path().extension() == ".wvu")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (std::filesystem::path& file : files)
        {
            std::ifstream vertexFile(file), pixelFile(file.replace_extension(".wpu"));
            const std::string vertex(std::istreambuf_iterator<char>(vertexFile), {});
            const std::string pixel(std::istreambuf_iterator<char>(pixelFile), {});
            ShaderPair_t pair = {nullptr, nullptr, {}};
            for (int s = 0; s < 2; ++s)
                pair.cube[s] = pixel.find("samplerCube s" + std::to_string(s)) != pixel.npos;
            pDevice->CreateVertexShader(reinterpret_cast<const DWORD*>(vertex.c_str()),
                                        &pair.pVertex);
            pDevice->CreatePixelShader(reinterpret_cast<const DWORD*>(pixel.c_str()), &pair.pPixel);
            if (pair.pVertex && pair.pPixel)
                shaders.push_back(pair);
        }
    }
};

} // namespace

uint32_t ByteSource::Next(uint64_t range)
{
    uint64_t value = 0;
    if (!m_pData)
    {
        // splitmix64
        uint64_t z = (m_State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        value = z ^ (z >> 31);
    }
    for (uint64_t span = 1; m_pData && span < range; span <<= 8)
        value = value << 8 | (m_Offset < m_Size ? m_pData[m_Offset++] : 0);
    return uint32_t(value % range);
}

std::string CheckSequence(const std::function<ByteSource()>& makeSource, int steps)
{
    static SequenceDevice device;
    if (!device.pDevice || device.shaders.empty())
        return "no device or no shaders";
    std::vector<uint8_t> expected;
    std::ostringstream failure;
    for (const auto& mode : MODES)
    {
        D3D9GL_SetDrawMerging(device.pDevice, mode.merge);
        D3D9GL_SetPlainState(device.pDevice, mode.plain);
        D3DPRESENT_PARAMETERS params = device.params;
        device.pDevice->Reset(&params);
        device.pDevice->SetVertexDeclaration(device.pDeclaration);
        D3D9GL_COUNTERS before = {}, after = {};
        D3D9GL_GetCounters(device.pDevice, &before, nullptr);
        ByteSource source = makeSource();
        std::vector<uint8_t> bytes;
        {
            Player player(device.pDevice, device.shaders, source);
            for (int step = 0; step < steps && !source.Ended(); ++step)
                player.Step();
            bytes = player.Read();
        }
        D3D9GL_GetCounters(device.pDevice, &after, nullptr);
        if (after.GLErrors != before.GLErrors)
            failure << mode.name << ": " << after.GLErrors - before.GLErrors << " GL errors. ";
        if (&mode == MODES)
            expected = bytes;
        else if (bytes != expected)
            failure << mode.name << " differs from merged at byte "
                    << std::mismatch(bytes.begin(), bytes.end(), expected.begin(), expected.end())
                               .first -
                           bytes.begin()
                    << ". ";
    }
    D3D9GL_SetDrawMerging(device.pDevice, TRUE);
    D3D9GL_SetPlainState(device.pDevice, FALSE);
    return failure.str();
}

} // namespace D3D9GLTest
