#include "rendercore/source/common/nametrie.h"

namespace Halvex::RenderCore
{

NameTrie::NameTrie() : m_Nodes(1) {}

bool NameTrie::IsValidName(std::string_view name)
{
    if (name.empty())
    {
        return false;
    }
    for (char c : name)
    {
        const auto code = static_cast<unsigned char>(c);
        if (code == 0 || code >= FANOUT)
        {
            return false;
        }
    }
    return true;
}

int32_t NameTrie::Find(std::string_view name) const
{
    if (!IsValidName(name))
    {
        return -1;
    }
    int32_t node = 0;
    for (char c : name)
    {
        node = m_Nodes[node].m_Child[static_cast<unsigned char>(c)];
        if (node < 0)
        {
            return -1;
        }
    }
    return m_Nodes[node].m_Value;
}

bool NameTrie::Insert(std::string_view name, int32_t value)
{
    if (!IsValidName(name) || value < 0)
    {
        return false;
    }
    int32_t node = 0;
    for (char c : name)
    {
        const auto code = static_cast<unsigned char>(c);
        int32_t next = m_Nodes[node].m_Child[code];
        if (next < 0)
        {
            next = static_cast<int32_t>(m_Nodes.size());
            m_Nodes.emplace_back();
            m_Nodes[node].m_Child[code] = next;
        }
        node = next;
    }
    m_Nodes[node].m_Value = value;
    return true;
}

void NameTrie::Clear()
{
    m_Nodes.assign(1, Node());
}

} // namespace Halvex::RenderCore
