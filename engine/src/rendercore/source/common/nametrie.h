#pragma once
// Maps names of 7-bit characters to integer values through a 128-way character trie.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace Halvex::RenderCore
{

class NameTrie
{
public:
    NameTrie();

    // -1 when the name is not present.
    int32_t Find(std::string_view name) const;
    // Adds or replaces the value of a name. False, and nothing stored, for an empty name,
    // a character outside 1-127, or a negative value.
    bool Insert(std::string_view name, int32_t value);
    void Clear();

private:
    static constexpr int FANOUT = 128;
    struct Node
    {
        Node() { m_Child.fill(-1); }
        std::array<int32_t, FANOUT> m_Child;
        int32_t m_Value = -1;
    };

    static bool IsValidName(std::string_view name);

    std::vector<Node> m_Nodes; // m_Nodes[0] is the root
};

} // namespace Halvex::RenderCore
