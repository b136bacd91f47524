// The tour's global operator new: malloc with a count. Linked into the tour executable
// only, so the application and the tests allocate as usual.

#include "tourallocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<std::uint64_t> g_Allocations{0};

// Null when the memory is not there; the throwing forms below turn that into bad_alloc.
void* Allocate(std::size_t size) noexcept
{
    g_Allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size ? size : 1);
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) noexcept
{
    g_Allocations.fetch_add(1, std::memory_order_relaxed);
    const std::size_t align = static_cast<std::size_t>(alignment);
    return std::aligned_alloc(align, (size + align - 1) / align * align);
}

void* Checked(void* pMemory)
{
    if (!pMemory)
    {
        throw std::bad_alloc();
    }
    return pMemory;
}
} // namespace

std::uint64_t AllocationCount()
{
    return g_Allocations.load(std::memory_order_relaxed);
}

void* operator new(std::size_t size)
{
    return Checked(Allocate(size));
}

void* operator new[](std::size_t size)
{
    return Checked(Allocate(size));
}

void* operator new(std::size_t size, std::align_val_t alignment)
{
    return Checked(AllocateAligned(size, alignment));
}

void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return Checked(AllocateAligned(size, alignment));
}

// The nothrow forms too: every new and delete is this file's, so memory that a library takes
// with a nothrow new (the GL driver's LLVM does) never reaches another allocator's delete.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return AllocateAligned(size, alignment);
}

void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return AllocateAligned(size, alignment);
}

void operator delete(void* pMemory) noexcept
{
    std::free(pMemory);
}

void operator delete[](void* pMemory) noexcept
{
    std::free(pMemory);
}

void operator delete(void* pMemory, std::size_t) noexcept
{
    std::free(pMemory);
}

void operator delete[](void* pMemory, std::size_t) noexcept
{
    std::free(pMemory);
}

void operator delete(void* pMemory, std::align_val_t) noexcept
{
    std::free(pMemory);
}

void operator delete[](void* pMemory, std::align_val_t) noexcept
{
    std::free(pMemory);
}

void operator delete(void* pMemory, std::size_t, std::align_val_t) noexcept
{
    std::free(pMemory);
}

void operator delete[](void* pMemory, std::size_t, std::align_val_t) noexcept
{
    std::free(pMemory);
}

void operator delete(void* pMemory, const std::nothrow_t&) noexcept
{
    std::free(pMemory);
}

void operator delete[](void* pMemory, const std::nothrow_t&) noexcept
{
    std::free(pMemory);
}

void operator delete(void* pMemory, std::align_val_t, const std::nothrow_t&) noexcept
{
    std::free(pMemory);
}

void operator delete[](void* pMemory, std::align_val_t, const std::nothrow_t&) noexcept
{
    std::free(pMemory);
}
