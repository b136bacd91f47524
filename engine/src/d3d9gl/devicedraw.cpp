#include "base/source/system/logger.h"
#include "d3d9gl/buffer.h"
#include "d3d9gl/device.h"
#include "d3d9gl/vertexdeclaration.h"

#include <algorithm>
#include <string>
#include <vector>

namespace d3d9gl
{
namespace
{

constexpr UINT FREQUENCY_MASK = 0x3FFFFFFFu;

struct PrimitiveMode_t
{
    GLenum mode;
    UINT verticesPerPrimitive;
    UINT extraVertices;
};

constexpr PrimitiveMode_t PRIMITIVE_MODES[] = {
    {GL_POINTS, 1, 0},         // (invalid)
    {GL_POINTS, 1, 0},         // D3DPT_POINTLIST
    {GL_LINES, 2, 0},          // D3DPT_LINELIST
    {GL_LINE_STRIP, 1, 1},     // D3DPT_LINESTRIP
    {GL_TRIANGLES, 3, 0},      // D3DPT_TRIANGLELIST
    {GL_TRIANGLE_STRIP, 1, 2}, // D3DPT_TRIANGLESTRIP
    {GL_TRIANGLE_FAN, 1, 2},   // D3DPT_TRIANGLEFAN
};
static_assert(sizeof(PRIMITIVE_MODES) / sizeof(PRIMITIVE_MODES[0]) == D3DPT_TRIANGLEFAN + 1);

bool IsPrimitiveType(D3DPRIMITIVETYPE type)
{
    return type >= D3DPT_POINTLIST && type <= D3DPT_TRIANGLEFAN;
}

std::string BadPrimitiveType(D3DPRIMITIVETYPE type)
{
    return "primitive type " + std::to_string(type) + " is not one of 1 (D3DPT_POINTLIST) to " +
           "6 (D3DPT_TRIANGLEFAN)";
}

// The instances an indexed draw makes: the largest count of the streams marked indexed
// data, 1 without any. True when a stream is so marked.
template <class Stream> bool CountInstances(const Stream (&streams)[STREAM_MAX], UINT& count)
{
    count = 1;
    bool instancing = false;
    for (const Stream& stream : streams)
    {
        if (stream.frequency & D3DSTREAMSOURCE_INDEXEDDATA)
        {
            instancing = true;
            count = std::max(count, stream.frequency & FREQUENCY_MASK);
        }
    }
    return instancing;
}

} // namespace

// ---- Streams, indices, declarations -----------------------------------------------------

HRESULT Device::SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9* pStreamData,
                                UINT OffsetInBytes, UINT Stride)
{
    if (m_pRecording)
        Record(CaptureCall::StreamSource, {StreamNumber, OffsetInBytes, Stride}, pStreamData);
    if (StreamNumber >= STREAM_MAX || (pStreamData && !dynamic_cast<VertexBuffer*>(pStreamData)))
        return D3DERR_INVALIDCALL;
    Stream_t& stream = m_Streams[StreamNumber];
    if (stream.buffer == pStreamData && stream.offset == OffsetInBytes && stream.stride == Stride)
        return D3D_OK;
    BreakBatch();
    stream.buffer = RefPtr<IDirect3DVertexBuffer9>(pStreamData);
    stream.glBuffer = pStreamData ? static_cast<VertexBuffer*>(pStreamData)->Name() : 0;
    stream.offset = pStreamData ? OffsetInBytes : 0;
    stream.stride = pStreamData ? Stride : 0;
    m_Dirty |= DIRTY_VERTEX_INPUT;
    return D3D_OK;
}

HRESULT Device::GetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9** ppStreamData,
                                UINT* pOffsetInBytes, UINT* pStride)
{
    if (StreamNumber >= STREAM_MAX || !ppStreamData || !pOffsetInBytes || !pStride)
        return D3DERR_INVALIDCALL;
    const Stream_t& stream = m_Streams[StreamNumber];
    *ppStreamData = stream.buffer.Share();
    *pOffsetInBytes = stream.offset;
    *pStride = stream.stride;
    return D3D_OK;
}

HRESULT Device::SetStreamSourceFreq(UINT StreamNumber, UINT Setting)
{
    if (m_pRecording)
        Record(CaptureCall::StreamFreq, {StreamNumber, Setting});
    if (StreamNumber >= STREAM_MAX || (Setting & FREQUENCY_MASK) == 0 ||
        (Setting & D3DSTREAMSOURCE_INDEXEDDATA && Setting & D3DSTREAMSOURCE_INSTANCEDATA))
        return D3DERR_INVALIDCALL;
    if (m_Streams[StreamNumber].frequency == Setting)
        return D3D_OK;
    BreakBatch();
    m_Streams[StreamNumber].frequency = Setting;
    m_Dirty |= DIRTY_VERTEX_INPUT;
    return D3D_OK;
}

HRESULT Device::GetStreamSourceFreq(UINT StreamNumber, UINT* pSetting)
{
    if (StreamNumber >= STREAM_MAX || !pSetting)
        return D3DERR_INVALIDCALL;
    *pSetting = m_Streams[StreamNumber].frequency;
    return D3D_OK;
}

HRESULT Device::SetIndices(IDirect3DIndexBuffer9* pIndexData)
{
    if (m_pRecording)
        Record(CaptureCall::Indices, {}, pIndexData);
    if (pIndexData && !dynamic_cast<IndexBuffer*>(pIndexData))
        return D3DERR_INVALIDCALL;
    m_Indices = RefPtr<IDirect3DIndexBuffer9>(pIndexData);
    return D3D_OK;
}

HRESULT Device::GetIndices(IDirect3DIndexBuffer9** ppIndexData)
{
    if (!ppIndexData)
        return D3DERR_INVALIDCALL;
    *ppIndexData = m_Indices.Share();
    return D3D_OK;
}

HRESULT Device::SetVertexDeclaration(IDirect3DVertexDeclaration9* pDecl)
{
    if (m_pRecording)
        Record(CaptureCall::Declaration, {}, pDecl);
    if (pDecl && !dynamic_cast<VertexDeclaration*>(pDecl))
        return D3DERR_INVALIDCALL;
    if (m_Declaration == pDecl)
        return D3D_OK;
    BreakBatch();
    m_Declaration = RefPtr<IDirect3DVertexDeclaration9>(pDecl);
    m_Dirty |= DIRTY_VERTEX_INPUT;
    return D3D_OK;
}

HRESULT Device::GetVertexDeclaration(IDirect3DVertexDeclaration9** ppDecl)
{
    if (!ppDecl)
        return D3DERR_INVALIDCALL;
    *ppDecl = m_Declaration.Share();
    return D3D_OK;
}

// ---- Draws ------------------------------------------------------------------------------

HRESULT Device::RefuseDraw(const char* pCall, const std::string& reason)
{
    const std::string message = std::string(pCall) + " is refused: " + reason;
    ReportOnce(message, Halvex::Base::LOG_LEVEL_ERROR, message);
    return D3DERR_INVALIDCALL;
}

bool Device::PrepareDraw()
{
    Activate();
    if (m_PlainState)
        ForgetAppliedState();
    BindFramebuffer();
    if (m_Dirty & DIRTY_VIEWPORT)
    {
        ApplyViewport();
        m_Dirty &= ~DIRTY_VIEWPORT;
    }
    if (m_Dirty & DIRTY_RENDER_STATE)
    {
        ApplyRenderStates();
        m_Dirty &= ~DIRTY_RENDER_STATE;
    }
    if (!ApplyProgram())
        return false;
    ApplyConstants();
    if (m_DirtySamplers)
        ApplySamplers();
    return true;
}

bool Device::ApplyVertexInput(UINT& instanceCount, INT baseVertex)
{
    const bool instancing = CountInstances(m_Streams, instanceCount);
    if (!(m_Dirty & DIRTY_VERTEX_INPUT) && baseVertex == m_InputBaseVertex)
        return true;
    uint32_t enabled = 0;
    if (auto* pDecl = static_cast<VertexDeclaration*>(m_Declaration.Get()))
    {
        for (const VertexAttribute_t& attribute : pDecl->Attributes())
        {
            const Stream_t& stream = m_Streams[attribute.stream];
            if (!stream.glBuffer)
                continue;
            const bool perInstance =
                instancing && (stream.frequency & D3DSTREAMSOURCE_INSTANCEDATA) != 0;
            // Without base-vertex draws the base vertex moves the per-vertex pointers.
            const int64_t offset = int64_t(stream.offset) + attribute.offset +
                                   (perInstance ? 0 : int64_t(baseVertex) * stream.stride);
            if (offset < 0)
                return false;
            // Without GL_BGRA the shader swaps a colour's red and blue.
            GLint size = attribute.size;
            if (size == GL_BGRA && !m_Profile.bgra)
                size = 4;
            m_Gl.BindBuffer(GL_SLOT_ARRAY, stream.glBuffer);
            glVertexAttribPointer(attribute.location, size, attribute.type, attribute.normalized,
                                  GLsizei(stream.stride),
                                  reinterpret_cast<const void*>(uintptr_t(offset)));
            glVertexAttribDivisor(attribute.location,
                                  perInstance ? (stream.frequency & FREQUENCY_MASK) : 0);
            m_Counters.StateChanges += 2;
            enabled |= 1u << attribute.location;
        }
    }
    // Inputs the declaration lacks read the default attribute value (0, 0, 0, 1).
    const uint32_t changed = enabled ^ m_EnabledAttributes;
    for (GLuint location = 0; location < 16; ++location)
    {
        if (!(changed & (1u << location)))
            continue;
        if (enabled & (1u << location))
            glEnableVertexAttribArray(location);
        else
            glDisableVertexAttribArray(location);
        ++m_Counters.StateChanges;
    }
    m_EnabledAttributes = enabled;
    m_InputBaseVertex = baseVertex;
    m_BatchInputStride = 0;
    m_Dirty &= ~DIRTY_VERTEX_INPUT;
    return true;
}

void Device::DrawElements(GLenum mode, GLsizei count, GLenum type, std::size_t offset,
                          GLsizei instances, INT baseVertex)
{
    const void* pOffset = reinterpret_cast<const void*>(uintptr_t(offset));
    if (m_Profile.drawElementsBaseVertex)
        m_Profile.drawElementsBaseVertex(mode, count, type, pOffset, instances, baseVertex);
    else
        glDrawElementsInstanced(mode, count, type, pOffset, instances);
}

HRESULT Device::Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, bool indexed, INT baseVertex,
                     UINT start)
{
    const char* pCall = indexed ? "DrawIndexedPrimitive" : "DrawPrimitive";
    if (!IsPrimitiveType(type))
        return RefuseDraw(pCall, BadPrimitiveType(type));
    if (primitiveCount == 0)
        return D3D_OK;
    if (!PrepareDraw())
        return D3DERR_INVALIDCALL;
    UINT instanceCount = 1;
    if (!ApplyVertexInput(instanceCount, m_Profile.drawElementsBaseVertex ? 0 : baseVertex))
        return RefuseDraw(pCall, "the base vertex lies before the start of the vertex buffer");
    const PrimitiveMode_t& mode = PRIMITIVE_MODES[type];
    const GLsizei count = GLsizei(primitiveCount * mode.verticesPerPrimitive + mode.extraVertices);
    const bool outline = NeedsOutline() && mode.verticesPerPrimitive + mode.extraVertices >= 3;
    if (outline || FlatNeedsFirstVertexLast(type))
    {
        // Both rewrite the draw as a list of the vertices its sequence names.
        std::vector<uint32_t> numbers;
        if (!VertexNumbers(indexed ? static_cast<IndexBuffer*>(m_Indices.Get()) : nullptr, start,
                           UINT(count), numbers))
            return RefuseDraw(pCall, "the indices run past the end of the index buffer");
        if (outline)
            DrawOutline(type, primitiveCount, numbers, instanceCount);
        else
            DrawFirstVertexLast(type, primitiveCount, numbers, instanceCount);
    }
    else if (indexed)
    {
        auto* pIndices = static_cast<IndexBuffer*>(m_Indices.Get());
        const bool wide = pIndices->Format() == D3DFMT_INDEX32;
        m_Gl.BindBuffer(GL_SLOT_ELEMENT_ARRAY, pIndices->Name());
        DrawElements(mode.mode, count, wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                     std::size_t(start) * (wide ? 4 : 2), GLsizei(instanceCount), baseVertex);
    }
    else
    {
        // Direct3D 9 instances indexed geometry only; a plain draw is one instance.
        glDrawArrays(mode.mode, GLint(start), count);
    }
    ++m_Counters.DrawCalls;
    return D3D_OK;
}

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex, UINT PrimitiveCount)
{
    if (m_pRecording)
        Record(CaptureCall::Draw, {PrimitiveType, StartVertex, PrimitiveCount});
    return Draw(PrimitiveType, PrimitiveCount, false, 0, StartVertex);
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE PrimitiveType, INT BaseVertexIndex,
                                     UINT MinVertexIndex, UINT NumVertices, UINT startIndex,
                                     UINT primCount)
{
    if (m_pRecording)
        Record(CaptureCall::DrawIndexed, {PrimitiveType, UINT(BaseVertexIndex), MinVertexIndex,
                                          NumVertices, startIndex, primCount});
    if (!m_Indices)
        return RefuseDraw("DrawIndexedPrimitive", "no index buffer is set");
    return Draw(PrimitiveType, primCount, true, BaseVertexIndex, startIndex);
}

HRESULT Device::DrawPrimitiveUP(D3DPRIMITIVETYPE PrimitiveType, UINT PrimitiveCount,
                                const void* pVertexStreamZeroData, UINT VertexStreamZeroStride)
{
    if (!pVertexStreamZeroData)
        return RefuseDraw("DrawPrimitiveUP", "the vertex data pointer is null");
    if (VertexStreamZeroStride == 0)
        return RefuseDraw("DrawPrimitiveUP", "the vertex stride is 0");
    if (!IsPrimitiveType(PrimitiveType))
        return RefuseDraw("DrawPrimitiveUP", BadPrimitiveType(PrimitiveType));
    if (PrimitiveCount == 0)
        return D3D_OK;
    const PrimitiveMode_t& mode = PRIMITIVE_MODES[PrimitiveType];
    const size_t vertices = size_t(PrimitiveCount) * mode.verticesPerPrimitive + mode.extraVertices;
    if (m_pRecording)
        Record(CaptureCall::DrawUP, {PrimitiveType, PrimitiveCount, VertexStreamZeroStride},
               nullptr, pVertexStreamZeroData, vertices * VertexStreamZeroStride);
    const bool joins = JoinsBatch(PrimitiveType, VertexStreamZeroStride, vertices);
    if (!joins)
    {
        // Activating draws the batch that waits. The program is known now, so a draw that
        // cannot be made fails at its call.
        Activate();
        if (!ApplyProgram())
            return D3DERR_INVALIDCALL;
        m_Batch.firstType = PrimitiveType;
        m_Batch.firstPrimitiveCount = PrimitiveCount;
        m_Batch.stride = VertexStreamZeroStride;
    }
    else
    {
        // The first draw gets its indices once a second one joins it.
        if (m_Batch.draws == 1)
            AppendBatchIndices(m_Batch.firstType, m_Batch.firstPrimitiveCount, 0);
        AppendBatchIndices(PrimitiveType, PrimitiveCount, m_Batch.vertexCount);
    }
    const auto* pBytes = static_cast<const uint8_t*>(pVertexStreamZeroData);
    m_Batch.vertices.insert(m_Batch.vertices.end(), pBytes,
                            pBytes + vertices * VertexStreamZeroStride);
    m_Batch.vertexCount += UINT(vertices);
    ++m_Batch.draws;
    // As in Direct3D, stream 0 is unset afterwards.
    if (m_Streams[0].buffer || m_Streams[0].glBuffer)
    {
        m_Streams[0] = {RefPtr<IDirect3DVertexBuffer9>(), 0, 0, 0, m_Streams[0].frequency};
        m_Dirty |= DIRTY_VERTEX_INPUT;
    }
    if (!m_MergeDraws)
        FlushBatch();
    return D3D_OK;
}

} // namespace d3d9gl
