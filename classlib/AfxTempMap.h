// The temporary wrappers that FromHandle hands out for handles no object of the caller owns.
//
// Each thread keeps one wrapper per handle and kind. They live until AfxDeleteTempMaps runs
// (the application calls it when idle) or the thread ends; a caller must not keep the pointer
// beyond that. A temporary wrapper is detached before it is deleted, so the handle survives.
#pragma once
#include <memory>
#include <typeinfo>
#include <unordered_map>

class CTempMapBase {
public:
    virtual ~CTempMapBase() = default;
    virtual void DeleteAll() = 0;
};

// The calling thread's map of the given kind, made by pfnNew the first time it is asked for.
// The thread's maps go, newest first, when it ends.
CTempMapBase& AfxThreadTempMap(const std::type_info& kind, CTempMapBase* (*pfnNew)());

// TWrapper has Attach(THandle) and Detach().
template <class TWrapper, class THandle>
class CTempMap : public CTempMapBase {
public:
    // The calling thread's wrapper of h, or null.
    static TWrapper* Find(THandle h)
    {
        auto found = Map().m_wrappers.find(h);
        return found == Map().m_wrappers.end() ? nullptr : found->second.get();
    }

    // Attaches a new wrapper to h and keeps it, in place of the one h had.
    static TWrapper* Add(THandle h, TWrapper* pWrapper)
    {
        pWrapper->Attach(h);
        Map().m_wrappers[h].reset(pWrapper);
        return pWrapper;
    }

    // The calling thread's wrapper of h, made the first time it is asked for; null for no handle.
    static TWrapper* FromHandle(THandle h)
    {
        if (!h)
            return nullptr;
        TWrapper* pWrapper = Find(h);
        return pWrapper ? pWrapper : Add(h, new TWrapper);
    }

    void DeleteAll() override { m_wrappers.clear(); }

private:
    static CTempMap& Map()
    {
        return static_cast<CTempMap&>(
            AfxThreadTempMap(typeid(CTempMap), []() -> CTempMapBase* { return new CTempMap; }));
    }
    CTempMap() = default;

    struct Detacher {
        void operator()(TWrapper* p) const
        {
            p->Detach();
            delete p;
        }
    };
    std::unordered_map<THandle, std::unique_ptr<TWrapper, Detacher>> m_wrappers;
};

// Deletes the calling thread's temporary wrappers, those of windows included.
void AfxDeleteTempMaps();
