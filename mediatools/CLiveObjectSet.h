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
// A block's handling holds a use of its object; taking the object out of the set waits for the
// uses to end, so a run that ends (a tool killed, say) while its block is being handled cannot
// leave the handler with an object its owner has already destroyed.
class CLiveObjectSet {
public:
    CLiveObjectSet() = default;
    CLiveObjectSet(const CLiveObjectSet&) = delete;
    CLiveObjectSet& operator=(const CLiveObjectSet&) = delete;

    void Add(const void* pObject);
    // Waits while the object is in use; must not be called by a thread that holds a use of it.
    void Remove(const void* pObject);

    // One use of a live object; empty when no object of that context is running.
    class CUse {
    public:
        CUse(CUse&& other) noexcept : m_pSet(other.m_pSet), m_pObject(other.m_pObject) { other.m_pSet = nullptr; }
        ~CUse();
        CUse(const CUse&) = delete;
        CUse& operator=(const CUse&) = delete;
        CUse& operator=(CUse&&) = delete;

        const void* Object() const { return m_pSet ? m_pObject : nullptr; }
        explicit operator bool() const { return m_pSet != nullptr; }

    private:
        friend class CLiveObjectSet;
        CUse(CLiveObjectSet* pSet, const void* pObject) : m_pSet(pSet), m_pObject(pObject) {}
        CLiveObjectSet* m_pSet;
        const void* m_pObject;
    };

    // The object whose context value (ContextOf) this is, held in use until the result goes.
    CUse Use(uint64_t nContext);

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
    struct Entry {
        const void* pObject;
        int nScopes;    // an object may be added again while in the set
        int nUses;
        bool bLeaving;  // being removed: no new uses
    };

    Entry* EntryOf(const void* pObject);
    void EndUse(const void* pObject);

    SRWLOCK m_lock = SRWLOCK_INIT;
    CONDITION_VARIABLE m_usesEnded = CONDITION_VARIABLE_INIT;
    std::vector<Entry> m_entries;
};
