#include "mediatools/CLiveObjectSet.h"
#include <algorithm>

void CLiveObjectSet::Add(const void* pObject)
{
    AcquireSRWLockExclusive(&m_lock);
    m_objects.push_back(pObject);
    ReleaseSRWLockExclusive(&m_lock);
}

void CLiveObjectSet::Remove(const void* pObject)
{
    AcquireSRWLockExclusive(&m_lock);
    auto it = std::find(m_objects.begin(), m_objects.end(), pObject);
    if (it != m_objects.end())
        m_objects.erase(it);
    ReleaseSRWLockExclusive(&m_lock);
}

const void* CLiveObjectSet::Find(uint64_t nContext) const
{
    if (nContext == 0)
        return nullptr;
    const void* pFound = nullptr;
    AcquireSRWLockShared(&m_lock);
    for (const void* pObject : m_objects)
        if (ContextOf(pObject) == nContext)
            pFound = pObject;
    ReleaseSRWLockShared(&m_lock);
    return pFound;
}
