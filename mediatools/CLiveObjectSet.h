// The objects of one kind that this process is running right now (player sessions, encoder
// jobs). WM_COPYDATA blocks from another process name their receiver by address; a block is
// acted on only when that address is in the set, so a stale or forged address is never
// followed into memory.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>

// An object's address as a tool gets it in "-callback_context" and echoes it in 64 bits: the
// address widened with its sign.
inline uint64_t ContextOf(const void* pObject)
{
    return static_cast<uint64_t>(static_cast<int64_t>(reinterpret_cast<intptr_t>(pObject)));
}

// Added to on the worker thread that runs a tool, looked up on the window thread that receives
// the tool's messages: the one structure here that two threads write and read, hence its lock.
class CLiveObjectSet {
public:
    CLiveObjectSet() = default;
    CLiveObjectSet(const CLiveObjectSet&) = delete;
    CLiveObjectSet& operator=(const CLiveObjectSet&) = delete;

    void Add(const void* pObject);
    void Remove(const void* pObject);
    // The object whose context value (ContextOf) this is; null when none is running.
    const void* Find(uint64_t nContext) const;

    // Keeps an object in the set for one scope.
    class CScope {
    public:
        CScope(CLiveObjectSet& set, const void* pObject) : m_set(set), m_pObject(pObject) { m_set.Add(m_pObject); }
        ~CScope() { m_set.Remove(m_pObject); }
        CScope(const CScope&) = delete;
        CScope& operator=(const CScope&) = delete;

    private:
        CLiveObjectSet& m_set;
        const void* m_pObject;
    };

private:
    mutable SRWLOCK m_lock = SRWLOCK_INIT;
    std::vector<const void*> m_objects;
};
