#pragma once
// Heap allocations of the whole process, counted by the tour's replacement of the global
// operator new: the benchmark reads the count around each frame.

#include <cstdint>

std::uint64_t AllocationCount();
