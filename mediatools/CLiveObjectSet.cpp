#include "mediatools/CLiveObjectSet.h"

CLiveObjectSet::Entry* CLiveObjectSet::EntryOf(const void* pObject)
{
    for (Entry& entry : m_entries)
        if (entry.pObject == pObject)
            return &entry;
    return nullptr;
}

void CLiveObjectSet::Add(const void* pObject)
{
    AcquireSRWLockExclusive(&m_lock);
    if (Entry* pEntry = EntryOf(pObject))
        ++pEntry->nScopes;
    else
        m_entries.push_back(Entry{pObject, 1, 0, false});
    ReleaseSRWLockExclusive(&m_lock);
}

void CLiveObjectSet::Remove(const void* pObject)
{
    AcquireSRWLockExclusive(&m_lock);
    Entry* pEntry = EntryOf(pObject);
    if (pEntry && --pEntry->nScopes == 0) {
        pEntry->bLeaving = true;
        // The vector may change while the lock is given up, so the entry is looked up again.
        while ((pEntry = EntryOf(pObject))->nUses > 0)
            SleepConditionVariableSRW(&m_usesEnded, &m_lock, INFINITE, 0);
        m_entries.erase(m_entries.begin() + (pEntry - m_entries.data()));
    }
    ReleaseSRWLockExclusive(&m_lock);
}

CLiveObjectSet::CUse CLiveObjectSet::Use(uint64_t nContext)
{
    CUse use(nullptr, nullptr);
    if (nContext == 0)
        return use;
    AcquireSRWLockExclusive(&m_lock);
    for (Entry& entry : m_entries) {
        if (!entry.bLeaving && ContextOf(entry.pObject) == nContext) {
            ++entry.nUses;
            use.m_pSet = this;
            use.m_pObject = entry.pObject;
            break;
        }
    }
    ReleaseSRWLockExclusive(&m_lock);
    return use;
}

void CLiveObjectSet::EndUse(const void* pObject)
{
    AcquireSRWLockExclusive(&m_lock);
    if (Entry* pEntry = EntryOf(pObject))
        --pEntry->nUses;
    ReleaseSRWLockExclusive(&m_lock);
    WakeAllConditionVariable(&m_usesEnded);
}

CLiveObjectSet::CUse::~CUse()
{
    if (m_pSet)
        m_pSet->EndUse(m_pObject);
}
