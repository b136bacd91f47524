#pragma once
// The vertex streams a draw reads: an element list and, derived from it, the streams in
// use and each stream's stride. The back end keeps the native declaration as user data.

#include "rendercore/source/common/inputelement.h"

#include <cstdint>
#include <vector>

namespace Halvex::RenderCore
{

class InputLayout
{
public:
    InputLayout();
    // Unloads; the render device must still be current.
    virtual ~InputLayout();
    InputLayout(const InputLayout&) = delete;
    InputLayout& operator=(const InputLayout&) = delete;

    // Reads elements up to and including the STREAM_END record (at most
    // INPUT_ELEMENT_MAX). Elements must follow each other without gaps inside their
    // stream; a gap or overlap is reported and the strides are still summed from the
    // element sizes. Returns the device's result.
    bool Load(const InputElementDesc_t* elems);
    void Unload();
    bool IsLoaded() const { return m_pUserData != nullptr; }

    // Number of streams whose stride is above 0.
    int GetStreamCount() const { return m_StreamCount; }
    // Stride in bytes of a stream.
    uint32_t GetStreamSize(int stream) const;
    // The element list as loaded, terminator included.
    const std::vector<InputElementDesc_t>& GetElements() const { return m_Elements; }

    void* GetUserData() const { return m_pUserData; }
    void SetUserData(void* pData) { m_pUserData = pData; }

private:
    void Clear();

    std::vector<InputElementDesc_t> m_Elements;
    void* m_pUserData = nullptr;
    int m_StreamCount = 0;
    uint32_t m_StreamSize[STREAM_MAX] = {};
};

} // namespace Halvex::RenderCore
