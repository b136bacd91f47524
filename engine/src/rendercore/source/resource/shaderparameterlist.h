#pragma once
// Named shader parameters of one kind, kept in insertion order and found by name.

#include "rendercore/source/common/nametrie.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Halvex::RenderCore
{

// What the device's by-name setters resolved for a parameter of the shader last
// applied. A handle of 0 means unresolved; a register of -1 likewise (textures only).
struct ShaderParameterCache
{
    uintptr_t m_Handle = 0;
    int32_t m_Register = -1;
    bool m_Failed = false;

    void Reset() { *this = ShaderParameterCache(); }
};

template <typename T> struct ShaderParameter
{
    std::string m_Name;
    T m_Value{};
    ShaderParameterCache m_Cache;
};

template <typename T> class ShaderParameterList
{
public:
    using Entry = ShaderParameter<T>;

    // Adds the parameter or changes its value; the caches of an existing entry stay.
    // False for a name the trie cannot hold (empty, or not 7-bit).
    bool Set(const std::string& name, const T& value)
    {
        int32_t index = m_Names.Find(name);
        if (index >= 0)
        {
            m_Entries[static_cast<size_t>(index)].m_Value = value;
            return true;
        }
        if (!m_Names.Insert(name, static_cast<int32_t>(m_Entries.size())))
        {
            return false;
        }
        m_Entries.push_back({name, value, {}});
        return true;
    }

    const Entry* Find(const std::string& name) const
    {
        int32_t index = m_Names.Find(name);
        return index >= 0 ? &m_Entries[static_cast<size_t>(index)] : nullptr;
    }

    void Clear()
    {
        m_Entries.clear();
        m_Names.Clear();
    }

    void ResetCaches()
    {
        for (Entry& entry : m_Entries)
        {
            entry.m_Cache.Reset();
        }
    }

    size_t Size() const { return m_Entries.size(); }
    typename std::vector<Entry>::iterator begin() { return m_Entries.begin(); }
    typename std::vector<Entry>::iterator end() { return m_Entries.end(); }
    typename std::vector<Entry>::const_iterator begin() const { return m_Entries.begin(); }
    typename std::vector<Entry>::const_iterator end() const { return m_Entries.end(); }

private:
    std::vector<Entry> m_Entries;
    NameTrie m_Names;
};

} // namespace Halvex::RenderCore
