// Draw merging: consecutive DrawPrimitiveUP calls under one state become one native draw.
// Triangle lists, strips and fans join as an indexed triangle list. Each strip triangle keeps
// the winding and the corner order that Mesa's rasterizer gives a native strip, so interpolation
// rounds alike and the merged pixels are the unmerged ones. Mesa starts a native fan's triangle at
// its centre or at its rim depending on whether it clips the triangle, which a list cannot follow:
// a fan is drawn as the same list whether it joins others or not.

#include "d3d9gl/device.h"

#include <algorithm>

namespace d3d9gl
{
namespace
{

// Indices address 16 bits: a batch holds at most this many vertices.
constexpr std::size_t BATCH_VERTEX_MAX = 65536;
// The triangles of the fixed fan list; a longer lone fan uploads its own list.
constexpr uint16_t FAN_LIST_TRIANGLES = 256;

bool IsTriangles(D3DPRIMITIVETYPE type)
{
    return type == D3DPT_TRIANGLELIST || type == D3DPT_TRIANGLESTRIP || type == D3DPT_TRIANGLEFAN;
}

} // namespace

bool Device::JoinsBatch(D3DPRIMITIVETYPE type, UINT stride, std::size_t vertexCount) const
{
    return m_MergeDraws && m_Batch.draws > 0 && IsTriangles(type) &&
           IsTriangles(m_Batch.firstType) && m_Batch.stride == stride &&
           m_Batch.vertexCount + vertexCount <= BATCH_VERTEX_MAX;
}

void Device::AppendBatchIndices(D3DPRIMITIVETYPE type, UINT primitiveCount, UINT base)
{
    std::vector<uint16_t>& out = m_Batch.indices;
    // Outlined triangles keep GL's corner order, the one a draw's own outline runs its edges
    // in, so the edges overlap alike merged or not; flat shading turns the others' corners.
    const bool outline = NeedsOutline();
    const bool flat = !outline && m_RenderStates[D3DRS_SHADEMODE] == D3DSHADE_FLAT;
    for (UINT i = 0; i < primitiveCount; ++i)
    {
        const UINT odd = i & 1u;
        UINT corners[3] = {3 * i, 3 * i + 1, 3 * i + 2};
        // Mesa starts a strip's odd triangle at its first vertex where the first vertex
        // provokes (desktop), at its second where the last one does (ES), as GL's own order
        // does, which outlines follow; flat shading on ES puts Direct3D's first vertex last
        // below instead.
        if (type == D3DPT_TRIANGLESTRIP && (m_Profile.es || outline) && !flat)
            corners[0] = i + odd, corners[1] = i + 1 - odd, corners[2] = i + 2;
        else if (type == D3DPT_TRIANGLESTRIP)
            corners[0] = i, corners[1] = i + 1 + odd, corners[2] = i + 2 - odd;
        else if (type == D3DPT_TRIANGLEFAN && flat)
            corners[0] = i + 1, corners[1] = i + 2, corners[2] = 0;
        else if (type == D3DPT_TRIANGLEFAN)
            corners[0] = 0, corners[1] = i + 1, corners[2] = i + 2;
        // Where GL takes flat values from the last corner, the first one goes last.
        if (flat && FlatNeedsFirstVertexLast(type))
            std::rotate(corners, corners + 1, corners + 3);
        for (UINT corner : corners)
            out.push_back(uint16_t(base + corner));
    }
}

std::vector<uint8_t> Device::FanList()
{
    std::vector<uint16_t> list;
    for (uint16_t i = 0; i < FAN_LIST_TRIANGLES; ++i)
        list.insert(list.end(), {0, uint16_t(i + 1), uint16_t(i + 2)});
    const auto* pBytes = reinterpret_cast<const uint8_t*>(list.data());
    return std::vector<uint8_t>(pBytes, pBytes + list.size() * sizeof(uint16_t));
}

// The fixed list has the corners a merged fan gets, except where flat shading turns them
// and where the fill mode's edges are drawn from the batch's own list.
bool Device::FanListServes() const
{
    return m_Batch.firstPrimitiveCount <= FAN_LIST_TRIANGLES && !NeedsOutline() &&
           m_RenderStates[D3DRS_SHADEMODE] != D3DSHADE_FLAT;
}

void Device::SetDrawMerging(bool enabled)
{
    BreakBatch();
    m_MergeDraws = enabled;
}

void Device::FlushBatch()
{
    const UINT draws = m_Batch.draws;
    if (draws == 0)
        return;
    // Cleared first: the draw below activates the device, which would flush again.
    m_Batch.draws = 0;
    Activate();
    const std::size_t bytes = m_Batch.vertices.size();
    // Whole vertices from the ring's start: the attribute pointers stay as they are from
    // batch to batch, and the draw starts at the batch's first vertex.
    const UINT stride = m_Batch.stride;
    const std::size_t offset = m_VertexRing.Append(m_Gl, m_Batch.vertices.data(), bytes, stride);
    CountUpload(bytes);
    Stream_t saved = m_Streams[0];
    m_Streams[0] = {RefPtr<IDirect3DVertexBuffer9>(), m_VertexRing.Name(), 0, stride,
                    saved.frequency};
    if (m_BatchInputStride != stride)
        m_Dirty |= DIRTY_VERTEX_INPUT;
    const UINT firstVertex = UINT(offset / stride);
    if (draws == 1 && m_Batch.firstType != D3DPT_TRIANGLEFAN)
        Draw(m_Batch.firstType, m_Batch.firstPrimitiveCount, false, 0, firstVertex);
    else
    {
        if (draws == 1 && !FanListServes())
            AppendBatchIndices(m_Batch.firstType, m_Batch.firstPrimitiveCount, 0);
        DrawBatchIndexed(firstVertex);
    }
    if (!(m_Dirty & DIRTY_VERTEX_INPUT))
        m_BatchInputStride = stride;
    // Stream 0 is unset again; GL keeps reading the ring until the next change of the
    // vertex input marks it dirty.
    m_Streams[0] = saved;
    m_Batch.vertices.clear();
    m_Batch.indices.clear();
    m_Batch.vertexCount = 0;
}

void Device::DrawBatchIndexed(UINT firstVertex)
{
    if (!PrepareDraw())
        return;
    UINT instanceCount = 1;
    ApplyVertexInput(instanceCount, m_Profile.drawElementsBaseVertex ? 0 : INT(firstVertex));
    if (NeedsOutline())
    {
        // The list holds GL's corner order here, so each edge runs as it does when the
        // draws are outlined one by one.
        const UINT base = m_Profile.drawElementsBaseVertex ? firstVertex : 0;
        std::vector<uint32_t> numbers(m_Batch.indices.begin(), m_Batch.indices.end());
        for (uint32_t& number : numbers)
            number += base;
        DrawOutline(D3DPT_TRIANGLELIST, UINT(numbers.size() / 3), numbers, 1);
        ++m_Counters.DrawCalls;
        return;
    }
    GLsizei count = GLsizei(m_Batch.indices.size());
    std::size_t offset = 0;
    if (count == 0)
    {
        m_Gl.BindBuffer(GL_SLOT_ELEMENT_ARRAY, m_IndexRing.Name());
        count = GLsizei(m_Batch.firstPrimitiveCount * 3);
    }
    else
    {
        const std::size_t bytes = m_Batch.indices.size() * sizeof(uint16_t);
        offset = m_IndexRing.Append(m_Gl, m_Batch.indices.data(), bytes, 4);
        CountUpload(bytes);
    }
    DrawElements(GL_TRIANGLES, count, GL_UNSIGNED_SHORT, offset, 1, INT(firstVertex));
    ++m_Counters.DrawCalls;
}

} // namespace d3d9gl
