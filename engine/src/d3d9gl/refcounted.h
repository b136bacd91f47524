#pragma once
// Reference counting for d3d9gl's objects, and a holder that keeps one reference.

#include "d3d9gl/d3d9types.h"

#include <utility>

namespace d3d9gl
{

// Implements AddRef/Release of a Direct3D interface; an object starts with one reference
// (the one its creator hands out) and deletes itself when the last one goes.
template <class Interface> class RefCounted : public Interface
{
public:
    ULONG AddRef() override { return ++m_RefCount; }
    ULONG Release() override
    {
        ULONG count = --m_RefCount;
        if (count == 0)
        {
            delete this;
        }
        return count;
    }

protected:
    RefCounted() = default;
    ~RefCounted() override = default;

private:
    ULONG m_RefCount = 1;
};

// Holds one reference to an interface: copies add one, destruction releases it.
template <class T> class RefPtr
{
public:
    RefPtr() = default;
    // Takes a new reference to p (the caller keeps its own).
    explicit RefPtr(T* p) : m_p(p)
    {
        if (m_p)
        {
            m_p->AddRef();
        }
    }
    RefPtr(const RefPtr& other) : RefPtr(other.m_p) {}
    RefPtr(RefPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~RefPtr() { Reset(); }
    RefPtr& operator=(RefPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Takes over the reference the caller owns (a newly created object's first one).
    static RefPtr Adopt(T* p)
    {
        RefPtr result;
        result.m_p = p;
        return result;
    }

    void Reset()
    {
        if (T* p = std::exchange(m_p, nullptr))
        {
            p->Release();
        }
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    bool operator==(const T* p) const { return m_p == p; }

    // Hands out a new reference (for Get* methods that return an interface).
    T* Share() const
    {
        if (m_p)
        {
            m_p->AddRef();
        }
        return m_p;
    }

private:
    T* m_p = nullptr;
};

} // namespace d3d9gl
