#pragma once

#include <cstdint>

// Virtual-key codes as the GUI's message handlers report them.
constexpr uint32_t KEY_ESCAPE = 0x1B;
constexpr uint32_t KEY_SPACE = 0x20;
constexpr uint32_t KEY_PAGE_UP = 0x21;
constexpr uint32_t KEY_PAGE_DOWN = 0x22;
constexpr uint32_t KEY_END = 0x23;
constexpr uint32_t KEY_HOME = 0x24;
constexpr uint32_t KEY_UP = 0x26;
constexpr uint32_t KEY_DOWN = 0x28;
constexpr uint32_t KEY_F1 = 0x70;
constexpr uint32_t KEY_F2 = 0x71;
constexpr uint32_t KEY_F3 = 0x72;
constexpr uint32_t KEY_F5 = 0x74;
constexpr uint32_t KEY_F12 = 0x7B;
