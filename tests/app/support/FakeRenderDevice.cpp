#include "FakeRenderDevice.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/texture.h"
#include "rendercore/source/resource/vertexbuffer.h"
#include "rendercore/source/resource/vertexshader.h"

#include <cstdio>
#include <cstring>

using namespace Halvex::RenderCore;

namespace
{
std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%x", value);
    return text;
}

std::string Number(float value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%g", value);
    return text;
}
} // namespace

std::string FakeRenderDevice::TextureFile(int width, int height)
{
    std::string bytes = "TEX";
    bytes += static_cast<char>(width / 4);
    bytes += static_cast<char>(height / 4);
    return bytes;
}

const std::vector<uint8_t>& FakeRenderDevice::BufferBytes(const void* pResource) const
{
    static const std::vector<uint8_t> none;
    const auto it = m_Memory.find(pResource);
    return it == m_Memory.end() ? none : it->second;
}

void FakeRenderDevice::Initialize()
{
    SetDefaultRenderStates();
}

void FakeRenderDevice::Shutdown()
{
    RenderDevice::Shutdown();
}

void FakeRenderDevice::GetDeviceCaps(DeviceCaps* pCaps)
{
    *pCaps = DeviceCaps{};
}

void FakeRenderDevice::GetDeviceSetting(DeviceSetting* pSetting)
{
    *pSetting = DeviceSetting{};
    pSetting->m_Width = m_Width;
    pSetting->m_Height = m_Height;
}

void FakeRenderDevice::BeginScene()
{
    m_Calls.push_back("BeginScene");
}

void FakeRenderDevice::EndScene()
{
    m_Calls.push_back("EndScene");
}

void FakeRenderDevice::Present()
{
    m_Calls.push_back("Present");
    ++m_Presents;
}

void FakeRenderDevice::Clear(uint32_t flags, uint32_t color, float depth, int32_t stencil)
{
    m_Calls.push_back("Clear " + std::to_string(flags) + " " + Hex(color) + " " + Number(depth) +
                      " " + std::to_string(stencil));
}

void FakeRenderDevice::DrawIndexed(InputLayout* pInputLayout, VertexBuffer* pVertexBuf, int,
                                   int vertexCount, IndexBuffer* pIndexBuf, int, int indexCount)
{
    Draw draw;
    draw.m_pLayout = pInputLayout;
    draw.m_pVertexBuffer = pVertexBuf;
    draw.m_PrimType = pVertexBuf ? pVertexBuf->GetPrimitiveType() : PT_TRIANGLE_LIST;
    draw.m_VertexCount = vertexCount;
    draw.m_pIndexBuffer = pIndexBuf;
    draw.m_IndexCount = indexCount;
    draw.m_pPixelTexture0 = m_pPixelTextures[0];
    draw.m_Sampler0 = m_PixelSamplers[0];
    draw.m_PixelConstant0 = m_PixelConstants[0];
    std::memcpy(draw.m_VertexMatrix0.data(), m_VertexConstants.data(), sizeof(float) * 16);
    m_Draws.push_back(std::move(draw));
    m_Calls.push_back("DrawIndexed");
}

bool FakeRenderDevice::DrawUser(InputLayout* pInputLayout, PrimitiveType primType,
                                int primitiveCount, const void* pVertices, int vertexSize, int)
{
    int vertexCount = primitiveCount + 2; // strips and fans
    switch (primType)
    {
    case PT_POINT_LIST:
        vertexCount = primitiveCount;
        break;
    case PT_LINE_LIST:
        vertexCount = primitiveCount * 2;
        break;
    case PT_LINE_STRIP:
        vertexCount = primitiveCount + 1;
        break;
    case PT_TRIANGLE_LIST:
        vertexCount = primitiveCount * 3;
        break;
    default:
        break;
    }
    Draw draw;
    draw.m_User = true;
    draw.m_pLayout = pInputLayout;
    draw.m_PrimType = primType;
    draw.m_PrimitiveCount = primitiveCount;
    draw.m_VertexCount = vertexCount;
    draw.m_VertexSize = vertexSize;
    const auto* pBytes = static_cast<const uint8_t*>(pVertices);
    draw.m_Vertices.assign(pBytes, pBytes + vertexCount * vertexSize);
    draw.m_pPixelTexture0 = m_pPixelTextures[0];
    draw.m_Sampler0 = m_PixelSamplers[0];
    draw.m_PixelConstant0 = m_PixelConstants[0];
    std::memcpy(draw.m_VertexMatrix0.data(), m_VertexConstants.data(), sizeof(float) * 16);
    m_Draws.push_back(std::move(draw));
    m_Calls.push_back("DrawUser");
    return true;
}

void FakeRenderDevice::GetRenderState(RenderStateType state, uint32_t* pValue)
{
    *pValue = m_RenderStates[state];
}

void FakeRenderDevice::SetRenderState(RenderStateType state, uint32_t value)
{
    m_RenderStates[state] = value;
    m_Calls.push_back("State " + std::to_string(state) + " " + std::to_string(value));
}

void FakeRenderDevice::GetNativeRenderState(RenderStateType state, uint32_t* pValue)
{
    *pValue = m_RenderStates[state];
}

void FakeRenderDevice::SetNativeRenderState(RenderStateType state, uint32_t nativeValue)
{
    m_RenderStates[state] = nativeValue;
}

Rect_t FakeRenderDevice::GetViewport()
{
    Rect_t rect;
    std::memcpy(&rect, m_Viewport, sizeof(m_Viewport));
    return rect;
}

void FakeRenderDevice::SetViewport(const float* pRect)
{
    std::memcpy(m_Viewport, pRect, sizeof(m_Viewport));
    m_Calls.push_back("Viewport " + Number(pRect[0]) + " " + Number(pRect[1]) + " " +
                      Number(pRect[2]) + " " + Number(pRect[3]));
}

void FakeRenderDevice::SetVertexShader(VertexShader* pShader)
{
    if (!IsShaderLocked() && pShader)
    {
        m_pVertexShader = pShader;
    }
}

void FakeRenderDevice::ResetVertexShader()
{
    if (!IsShaderLocked())
    {
        m_pVertexShader = nullptr;
    }
}

void FakeRenderDevice::SetPixelShader(PixelShader* pShader)
{
    if (!IsShaderLocked() && pShader)
    {
        m_pPixelShader = pShader;
    }
}

void FakeRenderDevice::ResetPixelShader()
{
    if (!IsShaderLocked())
    {
        m_pPixelShader = nullptr;
    }
}

void FakeRenderDevice::GetShaders(ShaderPair* pPair)
{
    pPair->m_pVertexShader = m_pVertexShader;
    pPair->m_pPixelShader = m_pPixelShader;
}

void FakeRenderDevice::SetShaders(const ShaderPair* pPair)
{
    SetShaders(pPair->m_pVertexShader, pPair->m_pPixelShader);
}

void FakeRenderDevice::SetShaders(VertexShader* pVertexShader, PixelShader* pPixelShader)
{
    m_Calls.push_back("SetShaders");
    SetVertexShader(pVertexShader);
    SetPixelShader(pPixelShader);
}

void FakeRenderDevice::ResetShaders()
{
    m_Calls.push_back("ResetShaders");
    ResetVertexShader();
    ResetPixelShader();
}

void FakeRenderDevice::SetTexture(ShaderType shaderType, int samplerIndex, Texture* pTexture,
                                  const SamplerDesc* pSamplerDesc)
{
    if (shaderType == SHADER_PIXEL && samplerIndex >= 0 && samplerIndex < 16)
    {
        m_pPixelTextures[samplerIndex] = pTexture;
        m_PixelSamplers[samplerIndex] = pSamplerDesc ? *pSamplerDesc : SamplerDesc{};
    }
}

void FakeRenderDevice::SetShaderConstantMatrix(ShaderType shaderType, int reg, const float* pMatrix)
{
    for (int i = 0; i < 4; ++i)
    {
        SetShaderConstantVector(shaderType, reg + i, pMatrix + 4 * i);
    }
}

void FakeRenderDevice::SetShaderConstantVector(ShaderType shaderType, int reg, const float* pVector)
{
    if (shaderType == SHADER_VERTEX && reg >= 0 && reg < 256)
    {
        std::memcpy(m_VertexConstants[reg].data(), pVector, sizeof(float) * 4);
    }
    else if (shaderType == SHADER_PIXEL && reg >= 0 && reg < 224)
    {
        std::memcpy(m_PixelConstants[reg].data(), pVector, sizeof(float) * 4);
    }
}

bool FakeRenderDevice::LoadInputLayout(InputLayout* pInputLayout, const InputElementDesc_t*)
{
    pInputLayout->SetUserData(&m_Handles[pInputLayout]);
    return true;
}

void FakeRenderDevice::UnloadInputLayout(InputLayout* pInputLayout)
{
    m_Handles.erase(pInputLayout);
    pInputLayout->SetUserData(nullptr);
}

bool FakeRenderDevice::LoadVertexBuffer(VertexBuffer* pVertexBuf, const void* pData, int vertexNum,
                                        int vertexSize, TexturePool)
{
    if (m_FailVertexBuffers)
    {
        return false;
    }
    std::vector<uint8_t>& memory = m_Memory[pVertexBuf];
    memory.assign(static_cast<std::size_t>(vertexNum) * vertexSize, 0);
    if (pData)
    {
        std::memcpy(memory.data(), pData, memory.size());
    }
    pVertexBuf->SetUserData(memory.data());
    return true;
}

void FakeRenderDevice::UnloadVertexBuffer(VertexBuffer* pVertexBuf)
{
    m_Memory.erase(pVertexBuf);
}

bool FakeRenderDevice::LockVertexBuffer(VertexBuffer* pVertexBuf, void** ppData, int offset, int,
                                        LockFlag)
{
    *ppData = m_Memory[pVertexBuf].data() + offset;
    return true;
}

bool FakeRenderDevice::LoadIndexBuffer(IndexBuffer* pIndexBuf, const void* pData, int indexNum,
                                       int indexSize, TexturePool)
{
    std::vector<uint8_t>& memory = m_Memory[pIndexBuf];
    memory.assign(static_cast<std::size_t>(indexNum) * indexSize, 0);
    if (pData)
    {
        std::memcpy(memory.data(), pData, memory.size());
    }
    pIndexBuf->SetUserData(memory.data());
    return true;
}

void FakeRenderDevice::UnloadIndexBuffer(IndexBuffer* pIndexBuf)
{
    m_Memory.erase(pIndexBuf);
}

bool FakeRenderDevice::LockIndexBuffer(IndexBuffer* pIndexBuf, void** ppData, int offset, int,
                                       LockFlag)
{
    *ppData = m_Memory[pIndexBuf].data() + offset;
    return true;
}

bool FakeRenderDevice::LoadTextureFromMemory(Texture* pTexture, TextureType, const void* pData,
                                             int size, int* pWidth, int* pHeight, int* pDepth,
                                             TextureFormat* pFormat, int* pMipLevels,
                                             uint32_t* pFlags)
{
    const auto* pBytes = static_cast<const uint8_t*>(pData);
    if (size < 5 || std::memcmp(pBytes, "TEX", 3) != 0)
    {
        return false;
    }
    *pWidth = pBytes[3] * 4;
    *pHeight = pBytes[4] * 4;
    *pDepth = 1;
    *pFormat = FMT_A8R8G8B8;
    *pMipLevels = 1;
    *pFlags = 0;
    pTexture->SetUserData(&m_Handles[pTexture]);
    return true;
}

void FakeRenderDevice::UnloadTexture(Texture* pTexture)
{
    m_Handles.erase(pTexture);
}

bool FakeRenderDevice::LoadVertexShader(VertexShader* pShader, const void*, int, uint32_t)
{
    pShader->SetUserData(&m_Handles[pShader]);
    return true;
}

void FakeRenderDevice::UnloadVertexShader(VertexShader* pShader)
{
    m_Handles.erase(pShader);
}

bool FakeRenderDevice::LoadPixelShader(PixelShader* pShader, const void*, int, uint32_t)
{
    pShader->SetUserData(&m_Handles[pShader]);
    return true;
}

void FakeRenderDevice::UnloadPixelShader(PixelShader* pShader)
{
    m_Handles.erase(pShader);
}

FakeDeviceScope::FakeDeviceScope()
{
    SetRenderDevice(&m_Device);
}

FakeDeviceScope::~FakeDeviceScope()
{
    ReleaseRenderDevice();
}
