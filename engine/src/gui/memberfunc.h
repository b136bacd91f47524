#pragma once
// String-named signals. Every HObject is a signal source: its first base holds a table
// from signal name to the connections made to it, each one a self-contained call packet.

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace Halvex::HGui
{

class HObject;

// Inline storage for one call: the receiver and the handler designator written at
// connection, followed during one emission by one address per argument.
class Caller
{
public:
    using Invoker = void (*)(Caller&);
    static constexpr unsigned STORAGE_SIZE = 64;

    // Copies up to the remaining capacity and returns the number of bytes copied.
    unsigned Push(const void* pData, unsigned n)
    {
        unsigned k = n < STORAGE_SIZE - m_WriteSize ? n : STORAGE_SIZE - m_WriteSize;
        std::memcpy(m_Storage + m_WriteSize, pData, k);
        m_WriteSize += k;
        return k;
    }
    // The next `n` stored bytes; the invoker pops exactly what its handler needs.
    const void* Pop(unsigned n)
    {
        m_ReadPos += n;
        return m_Storage + (m_ReadPos - n);
    }
    template <typename V> V PopValue()
    {
        V value;
        std::memcpy(&value, Pop(sizeof(V)), sizeof(V));
        return value;
    }

    unsigned GetWriteSize() const { return m_WriteSize; }
    void SetInvoker(Invoker invoker) { m_Invoker = invoker; }
    void Invoke()
    {
        m_ReadPos = 0;
        m_Invoker(*this);
    }

private:
    alignas(void*) unsigned char m_Storage[STORAGE_SIZE] = {};
    uint32_t m_WriteSize = 0;
    uint32_t m_ReadPos = 0;
    Invoker m_Invoker = nullptr;
};

// One connection. The receiver is only compared by Disconnect, never dereferenced.
struct Caller_inner
{
    static constexpr unsigned MAX_PARAMS = 2;

    void* m_pReceiver = nullptr;
    Caller m_Caller;
    // The handler's parameter types; an emission checks them against what it delivers.
    const std::type_info* m_ParamTypes[MAX_PARAMS] = {};
    unsigned m_ParamCount = 0;
    // Disconnected while its signal was being emitted; erased once the emission ends.
    bool m_Removed = false;
};

template <typename R> class MemberFunc;

template <> class MemberFunc<void>
{
public:
    MemberFunc() = default;
    virtual ~MemberFunc() = default;
    MemberFunc(const MemberFunc&) = delete;
    MemberFunc& operator=(const MemberFunc&) = delete;

    // Connects receiver->handler to `name`. The handler may take fewer parameters than the
    // signal delivers; it receives the first ones (value, then sender).
    template <typename T, typename C, typename... P>
    void Connect(const std::string& name, T* pReceiver, void (C::*handler)(P...))
    {
        using Handler = void (C::*)(P...);
        static_assert(std::is_base_of_v<C, T>, "the handler must be a member of the receiver");
        static_assert(sizeof(C*) + sizeof(Handler) + Caller_inner::MAX_PARAMS * sizeof(void*) <=
                          Caller::STORAGE_SIZE,
                      "receiver, handler and arguments must fit the 64-byte call packet");
        C* pTarget = pReceiver;
        Caller_inner record = MakeRecord<P...>(&InvokeMember<C, P...>);
        record.m_pReceiver = static_cast<void*>(pReceiver);
        record.m_Caller.Push(&pTarget, sizeof(pTarget));
        record.m_Caller.Push(&handler, sizeof(handler));
        m_Signals[name].push_back(record);
    }

    template <typename... P> void ConnectFunction(const std::string& name, void (*function)(P...))
    {
        static_assert(sizeof(function) + Caller_inner::MAX_PARAMS * sizeof(void*) <=
                          Caller::STORAGE_SIZE,
                      "function and arguments must fit the 64-byte call packet");
        Caller_inner record = MakeRecord<P...>(&InvokeFunction<P...>);
        record.m_Caller.Push(&function, sizeof(function));
        m_Signals[name].push_back(record);
    }

    // Drops every connection of the receiver; the signal names stay in the table.
    void Disconnect(void* pReceiver);

    // Delivers (sender) or (value, sender); the sender is the emitting HObject.
    void Emit(const std::string& name) { Deliver(name, nullptr, nullptr, 0); }
    template <typename A> void Emit(const std::string& name, const A& value)
    {
        const std::type_info* pType = &typeid(A);
        const void* pAddress = &value;
        Deliver(name, &pType, &pAddress, 1);
    }

    // The connections of one name, or null when the name was never connected.
    const std::vector<Caller_inner>* GetConnections(const std::string& name) const;
    bool HasSignals() const { return !m_Signals.empty(); }

private:
    template <typename P> static void CheckParam()
    {
        static_assert(!std::is_lvalue_reference_v<P> || std::is_const_v<std::remove_reference_t<P>>,
                      "signal arguments arrive by value or const reference");
    }

    template <typename... P> static Caller_inner MakeRecord(Caller::Invoker invoker)
    {
        static_assert(sizeof...(P) <= Caller_inner::MAX_PARAMS,
                      "a handler takes at most the value and the sender");
        (CheckParam<P>(), ...);
        Caller_inner record;
        unsigned i = 0;
        ((record.m_ParamTypes[i++] = &typeid(std::remove_cvref_t<P>)), ...);
        record.m_ParamCount = sizeof...(P);
        record.m_Caller.SetInvoker(invoker);
        return record;
    }

    template <typename P> static const std::remove_cvref_t<P>* PopArgument(Caller& packet)
    {
        return static_cast<const std::remove_cvref_t<P>*>(packet.PopValue<const void*>());
    }

    template <typename C, typename... P> static void InvokeMember(Caller& packet)
    {
        C* pReceiver = packet.PopValue<C*>();
        auto handler = packet.PopValue<void (C::*)(P...)>();
        // Braced initialisation pops the argument addresses in order.
        std::tuple<const std::remove_cvref_t<P>*...> args{PopArgument<P>(packet)...};
        std::apply([&](const auto*... pArgs) { (pReceiver->*handler)(*pArgs...); }, args);
    }

    template <typename... P> static void InvokeFunction(Caller& packet)
    {
        auto function = packet.PopValue<void (*)(P...)>();
        std::tuple<const std::remove_cvref_t<P>*...> args{PopArgument<P>(packet)...};
        std::apply([&](const auto*... pArgs) { function(*pArgs...); }, args);
    }

    void Deliver(const std::string& name, const std::type_info* const* pTypes,
                 const void* const* pAddresses, unsigned count);
    void EraseRemoved();

    std::map<std::string, std::vector<Caller_inner>> m_Signals;
    int m_EmitDepth = 0;
    bool m_HasRemoved = false;
};

} // namespace Halvex::HGui
