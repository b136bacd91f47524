#include "rendercore/source/common/inputlayout.h"

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/renderdevice.h"

namespace Halvex::RenderCore
{

InputLayout::InputLayout() = default;

InputLayout::~InputLayout()
{
    Unload();
}

bool InputLayout::Load(const InputElementDesc_t* elems)
{
    if (!elems)
    {
        return false;
    }
    // Unconditional: it also clears the list and strides of a load that made no native
    // declaration.
    Unload();
    for (int i = 0; i < INPUT_ELEMENT_MAX; ++i)
    {
        const uint32_t stream = elems[i].m_StreamIndex;
        if (stream == STREAM_END)
        {
            m_Elements.push_back(elems[i]);
            break;
        }
        // A stream beyond the stride table would be written past its end; such an element
        // is reported and left out.
        if (!HX_ASSERT(elems[i].m_StreamIndex < STREAM_MAX))
        {
            continue;
        }
        HX_ASSERT(elems[i].m_Offset == m_StreamSize[elems[i].m_StreamIndex]);
        m_Elements.push_back(elems[i]);
        m_StreamSize[stream] += GetElementTypeSize(elems[i].m_Type);
    }
    m_StreamCount = 0;
    for (uint32_t size : m_StreamSize)
    {
        if (size > 0)
        {
            ++m_StreamCount;
        }
    }
    RenderDevice* pDevice = GetRenderDevice();
    const bool loaded = HX_ASSERT(pDevice) && pDevice->LoadInputLayout(this, m_Elements.data());
    if (!loaded)
    {
        Clear();
    }
    return loaded;
}

void InputLayout::Unload()
{
    if (m_pUserData)
    {
        if (RenderDevice* pDevice = GetRenderDevice())
        {
            pDevice->UnloadInputLayout(this);
        }
        m_pUserData = nullptr;
    }
    Clear();
}

uint32_t InputLayout::GetStreamSize(int stream) const
{
    if (!HX_ASSERT(stream >= STREAM_0 && stream < STREAM_MAX))
    {
        return 0;
    }
    return m_StreamSize[stream];
}

void InputLayout::Clear()
{
    m_Elements.clear();
    m_StreamCount = 0;
    for (uint32_t& size : m_StreamSize)
    {
        size = 0;
    }
}

} // namespace Halvex::RenderCore
