// CObject, the root of the class hierarchy, and run-time class information: every class that
// declares DECLARE_DYNAMIC knows its name and its base class, and one that declares
// DECLARE_DYNCREATE can also be created from its CRuntimeClass.
#pragma once
#include <windows.h>

class CObject;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)();  // null unless the class is DYNCREATE
    CRuntimeClass* m_pBaseClass;       // null for CObject

    CObject* CreateObject() const;  // null when the class cannot be created
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;  // TRUE for the class itself
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIME_CLASS_RECORD(class_name, base_class_name, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class_name), pfnNew, RUNTIME_CLASS(base_class_name)}; \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIME_CLASS_RECORD(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIME_CLASS_RECORD(class_name, base_class_name, &class_name::CreateObject)

class CObject {
public:
    static CRuntimeClass classCObject;
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

protected:
    CObject() = default;
};

// A new object of pClass when that class can be created and the object is a kind of pKind;
// null otherwise.
CObject* AfxCreateObjectOfKind(const CRuntimeClass* pClass, const CRuntimeClass* pKind);
