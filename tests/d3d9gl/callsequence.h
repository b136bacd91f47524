#pragma once
// Random but valid sequences of the calls the Direct3D 9 back end makes on a d3d9gl device:
// render and sampler states, textures with locks between draws, render targets and depth
// surfaces, viewports and scissor rectangles, buffers with offsets and strides, the draws,
// clears and presents, with the lessons' shaders and constants. Each sequence is played three
// times (draws merged as shipped, unmerged, and with all GL state specified before each draw
// and clear) and must leave the same bytes in the back buffer and every render target.

#include <cstdint>
#include <functional>
#include <string>

namespace D3D9GLTest
{

// The choices a sequence is made of: a seeded pseudo-random stream, or a fuzzer's bytes,
// which run out (every choice is 0 from then on).
class ByteSource
{
public:
    explicit ByteSource(uint64_t seed) : m_State(seed) {}
    ByteSource(const uint8_t* pData, std::size_t size) : m_pData(pData), m_Size(size) {}

    // A value in [0, range), range 1 to 2^32.
    uint32_t Next(uint64_t range);
    bool Ended() const { return m_pData && m_Offset >= m_Size; }

private:
    uint64_t m_State = 0;
    const uint8_t* m_pData = nullptr;
    std::size_t m_Size = 0;
    std::size_t m_Offset = 0;
};

// Plays the sequence of at most `steps` steps that each source from makeSource gives in the
// three ways, on a hidden window's device made at the first call. Empty when the plays agree
// and GL reported no error; otherwise what went wrong.
std::string CheckSequence(const std::function<ByteSource()>& makeSource, int steps);

} // namespace D3D9GLTest
