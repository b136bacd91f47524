#pragma once
// The device calls a frame capture records.

#include <cstdint>
#include <cstring>

namespace d3d9gl
{

enum class CaptureCall : uint8_t
{
    RenderState,  // state, value
    SamplerState, // sampler, type, value
    Texture,      // stage; object: the texture
    VertexShader, // object: the shader
    PixelShader,
    ConstantF,     // stage (vertex 0, pixel 1), start register, count; data: the values
    ConstantI,     // as ConstantF
    ConstantB,     // as ConstantF
    StreamSource,  // stream, offset, stride; object: the buffer
    StreamFreq,    // stream, setting
    Indices,       // object: the index buffer
    Declaration,   // object: the declaration
    Viewport,      // data: D3DVIEWPORT9
    Scissor,       // data: RECT
    RenderTarget,  // index; object: the surface
    DepthStencil,  // object: the surface
    Clear,         // count, flags, colour, depth bits, stencil; data: the rectangles
    Draw,          // type, start vertex, primitive count
    DrawIndexed,   // type, base vertex, min index, vertex count, start index, primitive count
    DrawUP,        // type, primitive count, stride; data: the vertices
    BufferUpdate,  // offset; object: the buffer; data: the bytes written
    TextureUpdate, // face, level; object: the texture; data: the level's bytes
    BeginGroup,    // data: the name
    EndGroup
};

// A float argument as the bits a call record keeps.
inline uint32_t FloatBits(float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

} // namespace d3d9gl
