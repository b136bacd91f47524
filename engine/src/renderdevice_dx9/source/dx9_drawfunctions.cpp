// Draws, and the binding helpers for streams, the vertex declaration and the indices.
//
// A failed validation is reported and the draw still goes out with the given values,
// except where a missing layout or vertex buffer leaves nothing to draw with.

#include "renderdevice_dx9/source/dx9_renderdevice.h"

#include "rendercore/source/common/inputlayout.h"
#include "rendercore/source/renderdevice/deviceutility.h"
#include "rendercore/source/resource/indexbuffer.h"
#include "rendercore/source/resource/mesh.h"
#include "rendercore/source/resource/vertexbuffer.h"
#include "renderdevice_dx9/source/dx9_diagnostics.h"
#include "renderdevice_dx9/source/dx9_typeconverter.h"

#include <algorithm>

namespace Halvex::RenderCore
{
namespace
{
IDirect3DVertexBuffer9* NativeOf(VertexBuffer* pVertexBuf)
{
    return pVertexBuf ? static_cast<IDirect3DVertexBuffer9*>(pVertexBuf->GetUserData()) : nullptr;
}

D3DPRIMITIVETYPE NativePrimitive(PrimitiveType type)
{
    return static_cast<D3DPRIMITIVETYPE>(ToNative(CONVERT_PRIMITIVE_TYPE, type));
}
} // namespace

// ---- binding helpers ----

void Dx9RenderDevice::BindStream(int stream, IDirect3DVertexBuffer9* pBuffer, UINT offset,
                                 UINT stride)
{
    if (stream < 0 || stream >= DX9_STREAM_MAX)
    {
        m_pDevice->SetStreamSource(static_cast<UINT>(stream), pBuffer, offset, stride);
        return;
    }
    const Dx9Stream_t binding{pBuffer, pBuffer ? offset : 0, pBuffer ? stride : 0};
    if (m_CacheEnabled && m_Bound.m_Streams[stream] == binding)
    {
        return;
    }
    m_Bound.m_Streams[stream] = binding;
    m_pDevice->SetStreamSource(static_cast<UINT>(stream), binding.m_pBuffer, binding.m_Offset,
                               binding.m_Stride);
}

void Dx9RenderDevice::BindStream(int stream, VertexBuffer* pVertexBuf, UINT offset)
{
    BindStream(stream, NativeOf(pVertexBuf), offset,
               pVertexBuf ? static_cast<UINT>(pVertexBuf->GetVertexSize()) : 0);
}

void Dx9RenderDevice::BindDeclaration(InputLayout* pInputLayout)
{
    auto* pDeclaration =
        pInputLayout ? static_cast<IDirect3DVertexDeclaration9*>(pInputLayout->GetUserData())
                     : nullptr;
    if (m_CacheEnabled && m_Bound.m_pDeclaration == pDeclaration)
    {
        return;
    }
    m_Bound.m_pDeclaration = pDeclaration;
    m_pDevice->SetVertexDeclaration(pDeclaration);
}

void Dx9RenderDevice::BindIndices(IndexBuffer* pIndexBuf)
{
    auto* pIndices =
        pIndexBuf ? static_cast<IDirect3DIndexBuffer9*>(pIndexBuf->GetUserData()) : nullptr;
    if (m_CacheEnabled && m_Bound.m_pIndices == pIndices)
    {
        return;
    }
    m_Bound.m_pIndices = pIndices;
    m_pDevice->SetIndices(pIndices);
}

void Dx9RenderDevice::ForgetDeclaration(IDirect3DVertexDeclaration9* pDeclaration)
{
    if (m_pDevice && pDeclaration && m_Bound.m_pDeclaration == pDeclaration)
    {
        BindDeclaration(nullptr);
    }
}

void Dx9RenderDevice::ForgetVertexBuffer(IDirect3DVertexBuffer9* pBuffer)
{
    for (int stream = 0; m_pDevice && pBuffer && stream < DX9_STREAM_MAX; ++stream)
    {
        if (m_Bound.m_Streams[stream].m_pBuffer == pBuffer)
        {
            BindStream(stream, nullptr, 0, 0);
        }
    }
}

void Dx9RenderDevice::ForgetIndexBuffer(IDirect3DIndexBuffer9* pBuffer)
{
    if (m_pDevice && pBuffer && m_Bound.m_pIndices == pBuffer)
    {
        BindIndices(nullptr);
    }
}

// ---- draws ----

void Dx9RenderDevice::DrawIndexed(InputLayout* pInputLayout, VertexBuffer* pVertexBuf,
                                  int vertexBase, int vertexCount, IndexBuffer* pIndexBuf,
                                  int indexBase, int indexCount)
{
    HX_ASSERT(pInputLayout);
    HX_ASSERT(pVertexBuf);
    HX_ASSERT(vertexBase >= 0);
    DX9_CHECK(!pVertexBuf || (vertexCount >= 0 && vertexCount <= pVertexBuf->GetVertexNum()),
              "vertexCount >= 0 && vertexCount <= pVertexBuf->GetVertexNum()");
    HX_ASSERT(indexBase >= 0);
    HX_ASSERT(indexCount >= 0 && (pIndexBuf ? indexCount <= pIndexBuf->GetIndexNum() : true));
    DX9_CHECK(!pInputLayout || pInputLayout->GetStreamCount() == 1,
              "pInputLayout->GetStreamCount() == 1");
    DX9_CHECK(!pInputLayout || !pVertexBuf ||
                  pInputLayout->GetStreamSize(0) ==
                      static_cast<uint32_t>(pVertexBuf->GetVertexSize()),
              "pInputLayout->GetStreamSize(0) == pVertexBuf->GetVertexSize()");
    if (!pInputLayout || !pVertexBuf || !m_pDevice)
    {
        return;
    }

    const PrimitiveType type = pVertexBuf->GetPrimitiveType();
    const int count = GetPrimitiveCount(type, vertexCount, indexCount);
    BindStream(0, pVertexBuf, 0);
    BindDeclaration(pInputLayout);
    if (pIndexBuf && indexCount >= 1)
    {
        BindIndices(pIndexBuf);
        m_pDevice->DrawIndexedPrimitive(NativePrimitive(type), vertexBase, 0,
                                        static_cast<UINT>(vertexCount),
                                        static_cast<UINT>(indexBase), static_cast<UINT>(count));
    }
    else
    {
        m_pDevice->DrawPrimitive(NativePrimitive(type), static_cast<UINT>(vertexBase),
                                 static_cast<UINT>(count));
    }
}

void Dx9RenderDevice::DrawMesh(InputLayout* pInputLayout, const Mesh* pMesh)
{
    HX_ASSERT(pInputLayout);
    if (!HX_ASSERT(pMesh))
    {
        return;
    }
    IndexBuffer* pIndexBuf = pMesh->GetIndexBuffer();
    DrawIndexed(pInputLayout, pMesh->GetVertexBuffer(0), pMesh->GetVertexBase(),
                pMesh->GetVertexNum(), pIndexBuf, pIndexBuf ? pMesh->GetIndexBase() : 0,
                pIndexBuf ? pMesh->GetIndexNum() : 0);
}

void Dx9RenderDevice::DrawMultiStream(InputLayout* pInputLayout, int streamCount,
                                      const int* pOffsets, VertexBuffer* const* ppVertexBufs,
                                      int vertexBase, int vertexCount, IndexBuffer* pIndexBuf,
                                      int indexBase, int indexCount)
{
    HX_ASSERT(pInputLayout);
    HX_ASSERT(indexBase >= 0);
    HX_ASSERT(indexCount >= 0 && (pIndexBuf ? indexCount <= pIndexBuf->GetIndexNum() : true));
    // The primitive type comes from the first buffer: without one there is nothing to draw.
    if (!HX_ASSERT(streamCount >= 1 && ppVertexBufs && ppVertexBufs[0]) || !pInputLayout ||
        !m_pDevice)
    {
        return;
    }

    const PrimitiveType type = ppVertexBufs[0]->GetPrimitiveType();
    const int count = GetPrimitiveCount(type, vertexCount, indexCount);
    for (int stream = 0; stream < std::min(streamCount, DX9_STREAM_MAX); ++stream)
    {
        BindStream(stream, ppVertexBufs[stream],
                   pOffsets ? static_cast<UINT>(pOffsets[stream]) : 0);
    }
    BindDeclaration(pInputLayout);
    if (pIndexBuf && indexCount >= 1)
    {
        BindIndices(pIndexBuf);
        m_pDevice->DrawIndexedPrimitive(NativePrimitive(type), vertexBase, 0,
                                        static_cast<UINT>(vertexCount),
                                        static_cast<UINT>(indexBase), static_cast<UINT>(count));
    }
    else
    {
        m_pDevice->DrawPrimitive(NativePrimitive(type), static_cast<UINT>(vertexBase),
                                 static_cast<UINT>(count));
    }
}

// The mesh on stream 0, drawn once per instance; the instances on stream 1, one element each.
void Dx9RenderDevice::BindInstanceStreams(VertexBuffer* pVertexBuf, VertexBuffer* pInstanceBuffer,
                                          int instanceBase, int instanceSize, int instanceCount)
{
    const int instances = instanceCount != 0 ? instanceCount : pInstanceBuffer->GetVertexNum();
    const int stride = instanceSize != 0 ? instanceSize : pInstanceBuffer->GetVertexSize();

    BindStream(0, pVertexBuf, 0);
    m_pDevice->SetStreamSourceFreq(0, D3DSTREAMSOURCE_INDEXEDDATA | static_cast<UINT>(instances));
    // The instance stream is set directly: its offset and stride change per draw.
    IDirect3DVertexBuffer9* pInstances = NativeOf(pInstanceBuffer);
    m_pDevice->SetStreamSource(1, pInstances, static_cast<UINT>(instanceBase),
                               static_cast<UINT>(stride));
    m_Bound.m_Streams[1] = {pInstances, static_cast<UINT>(instanceBase), static_cast<UINT>(stride)};
    m_pDevice->SetStreamSourceFreq(1, D3DSTREAMSOURCE_INSTANCEDATA | 1u);
}

void Dx9RenderDevice::DrawInstanced(InputLayout* pInputLayout, VertexBuffer* pVertexBuf,
                                    int vertexBase, int vertexCount, IndexBuffer* pIndexBuf,
                                    int indexBase, int indexCount, VertexBuffer* pInstanceBuffer,
                                    int instanceBase, int instanceSize, int instanceCount)
{
    HX_ASSERT(pInputLayout);
    HX_ASSERT(pVertexBuf);
    HX_ASSERT(pInstanceBuffer);
    HX_ASSERT(vertexBase >= 0);
    DX9_CHECK(!pVertexBuf || (vertexCount >= 0 && vertexCount <= pVertexBuf->GetVertexNum()),
              "vertexCount >= 0 && vertexCount <= pVertexBuf->GetVertexNum()");
    HX_ASSERT(indexBase >= 0);
    HX_ASSERT(indexCount >= 0 &&
              (!pIndexBuf || (pIndexBuf && indexCount <= pIndexBuf->GetIndexNum())));
    HX_ASSERT(instanceBase >= 0);
    HX_ASSERT(instanceSize >= 0);
    DX9_CHECK(!pInstanceBuffer ||
                  (instanceCount >= 0 && instanceCount <= pInstanceBuffer->GetVertexNum()),
              "instanceCount >= 0 && instanceCount <= pInstanceBuffer->GetVertexNum()");
    DX9_CHECK(!pInputLayout || pInputLayout->GetStreamCount() == 2,
              "pInputLayout->GetStreamCount() == 2");
    DX9_CHECK(!pInputLayout || !pVertexBuf ||
                  pInputLayout->GetStreamSize(0) ==
                      static_cast<uint32_t>(pVertexBuf->GetVertexSize()),
              "pInputLayout->GetStreamSize(0) == pVertexBuf->GetVertexSize()");
    DX9_CHECK(!pInputLayout || !pInstanceBuffer ||
                  pInputLayout->GetStreamSize(1) ==
                      static_cast<uint32_t>(pInstanceBuffer->GetVertexSize()),
              "pInputLayout->GetStreamSize(1) == pInstanceBuffer->GetVertexSize()");
    if (!pInputLayout || !pVertexBuf || !pInstanceBuffer || !m_pDevice)
    {
        return;
    }

    const PrimitiveType type = pVertexBuf->GetPrimitiveType();
    const int count = GetPrimitiveCount(type, vertexCount, indexCount);
    BindInstanceStreams(pVertexBuf, pInstanceBuffer, instanceBase, instanceSize, instanceCount);
    BindDeclaration(pInputLayout);
    if (pIndexBuf && indexCount > 0)
    {
        BindIndices(pIndexBuf);
        m_pDevice->DrawIndexedPrimitive(NativePrimitive(type), 0, 0,
                                        static_cast<UINT>(pVertexBuf->GetVertexNum()),
                                        static_cast<UINT>(indexBase), static_cast<UINT>(count));
    }
    else
    {
        m_pDevice->DrawPrimitive(NativePrimitive(type), static_cast<UINT>(vertexBase),
                                 static_cast<UINT>(count));
    }
    m_pDevice->SetStreamSourceFreq(0, 1);
    m_pDevice->SetStreamSourceFreq(1, 1);
}

void Dx9RenderDevice::DrawMeshInstanced(InputLayout* pInputLayout, const Mesh* pMesh,
                                        VertexBuffer* pInstanceBuffer)
{
    HX_ASSERT(pInputLayout);
    const bool hasMesh = HX_ASSERT(pMesh);
    if (!HX_ASSERT(pInstanceBuffer) || !hasMesh)
    {
        return;
    }
    IndexBuffer* pIndexBuf = pMesh->GetIndexBuffer();
    DrawInstanced(pInputLayout, pMesh->GetVertexBuffer(0), pMesh->GetVertexBase(),
                  pMesh->GetVertexNum(), pIndexBuf, pIndexBuf ? pMesh->GetIndexBase() : 0,
                  pIndexBuf ? pMesh->GetIndexNum() : 0, pInstanceBuffer, 0,
                  pInstanceBuffer->GetVertexSize(), pInstanceBuffer->GetVertexNum());
}

bool Dx9RenderDevice::DrawUser(InputLayout* pInputLayout, PrimitiveType primType,
                               int primitiveCount, const void* pVertices, int vertexSize, int)
{
    HX_ASSERT(pInputLayout);
    DX9_CHECK(!pInputLayout || pInputLayout->GetStreamCount() == 1,
              "pInputLayout->GetStreamCount() == 1");
    DX9_CHECK(!pInputLayout || pInputLayout->GetStreamSize(0) == static_cast<uint32_t>(vertexSize),
              "pInputLayout->GetStreamSize(0) == vertexSize");
    if (!pInputLayout || !m_pDevice)
    {
        return false;
    }
    BindDeclaration(pInputLayout);
    const HRESULT hr =
        m_pDevice->DrawPrimitiveUP(NativePrimitive(primType), static_cast<UINT>(primitiveCount),
                                   pVertices, static_cast<UINT>(vertexSize));
    // A user-memory draw leaves stream 0 unset on the device.
    m_Bound.m_Streams[0] = {};
    m_pDevice->SetStreamSource(0, nullptr, 0, 0);
    return SUCCEEDED(hr);
}

} // namespace Halvex::RenderCore
