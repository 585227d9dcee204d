#include "classlib/CObject.h"

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), nullptr, nullptr};

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass) {
        if (p == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CObject* AfxCreateObjectOfKind(const CRuntimeClass* pClass, const CRuntimeClass* pKind)
{
    CObject* pObject = pClass ? pClass->CreateObject() : nullptr;
    if (pObject && !pObject->IsKindOf(pKind)) {
        delete pObject;
        return nullptr;
    }
    return pObject;
}
