#include "gui/memberfunc.h"

#include "base/source/system/logger.h"
#include "gui/hobject.h"

#include <algorithm>

namespace Halvex::HGui
{

void MemberFunc<void>::Disconnect(void* pReceiver)
{
    for (auto& [name, records] : m_Signals)
    {
        for (Caller_inner& record : records)
        {
            if (record.m_pReceiver == pReceiver)
            {
                record.m_Removed = true;
                m_HasRemoved = true;
            }
        }
    }
    // While an emission walks a vector its records must keep their places.
    if (m_EmitDepth == 0)
    {
        EraseRemoved();
    }
}

const std::vector<Caller_inner>* MemberFunc<void>::GetConnections(const std::string& name) const
{
    auto it = m_Signals.find(name);
    return it == m_Signals.end() ? nullptr : &it->second;
}

void MemberFunc<void>::Deliver(const std::string& name, const std::type_info* const* pTypes,
                               const void* const* pAddresses, unsigned count)
{
    if (m_Signals.empty())
    {
        return;
    }
    auto it = m_Signals.find(name);
    if (it == m_Signals.end())
    {
        return;
    }
    HObject* pThis = static_cast<HObject*>(this);
    const void* pSender = &pThis;
    const std::type_info& senderType = typeid(HObject*);

    // Map nodes never move, so the vector stays valid while handlers connect other names;
    // records appended to this name during the emission wait for the next one.
    std::vector<Caller_inner>& records = it->second;
    const size_t connected = records.size();
    ++m_EmitDepth;
    for (size_t i = 0; i < connected; ++i)
    {
        if (records[i].m_Removed)
        {
            continue;
        }
        bool matches = records[i].m_ParamCount <= count + 1;
        for (unsigned p = 0; matches && p < records[i].m_ParamCount; ++p)
        {
            matches = *records[i].m_ParamTypes[p] == (p < count ? *pTypes[p] : senderType);
        }
        if (!matches)
        {
            Base::Log("HGui", Base::LOG_LEVEL_ERROR,
                      "signal \"%s\": the handler's parameters do not match the emitted arguments",
                      name.c_str());
            HX_RAISE("handler parameters match the signal's arguments");
            continue;
        }
        // The handler runs on a copy: it may connect to this name and grow the vector.
        Caller packet = records[i].m_Caller;
        for (unsigned a = 0; a < count; ++a)
        {
            packet.Push(&pAddresses[a], sizeof(void*));
        }
        packet.Push(&pSender, sizeof(void*));
        packet.Invoke();
    }
    if (--m_EmitDepth == 0 && m_HasRemoved)
    {
        EraseRemoved();
    }
}

void MemberFunc<void>::EraseRemoved()
{
    for (auto& [name, records] : m_Signals)
    {
        std::erase_if(records, [](const Caller_inner& r) { return r.m_Removed; });
    }
    m_HasRemoved = false;
}

} // namespace Halvex::HGui
