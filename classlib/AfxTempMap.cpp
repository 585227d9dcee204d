#include "classlib/AfxTempMap.h"
#include <windows.h>
#include <typeindex>
#include <utility>
#include <vector>

namespace {

// A thread's maps in the order they were made.
struct ThreadMaps {
    std::vector<std::pair<std::type_index, std::unique_ptr<CTempMapBase>>> maps;
    ~ThreadMaps()
    {
        while (!maps.empty())
            maps.pop_back();
    }
};

void WINAPI FreeThreadMaps(void* pMaps)
{
    delete static_cast<ThreadMaps*>(pMaps);
}

// A fiber-local slot whose callback frees the maps as the thread ends. Not a thread_local
// object: mingw's emulated TLS frees a thread's storage before it runs the destructors of
// such objects, which then write into freed heap blocks.
DWORD MapsSlot()
{
    static const DWORD slot = FlsAlloc(&FreeThreadMaps);
    return slot;
}

ThreadMaps* CurrentMaps()
{
    return static_cast<ThreadMaps*>(FlsGetValue(MapsSlot()));
}

}  // namespace

CTempMapBase& AfxThreadTempMap(const std::type_info& kind, CTempMapBase* (*pfnNew)())
{
    ThreadMaps* pMaps = CurrentMaps();
    if (!pMaps) {
        pMaps = new ThreadMaps;
        FlsSetValue(MapsSlot(), pMaps);
    }
    for (auto& entry : pMaps->maps) {
        if (entry.first == kind)
            return *entry.second;
    }
    pMaps->maps.emplace_back(std::type_index(kind), pfnNew());
    return *pMaps->maps.back().second;
}

void AfxDeleteTempMaps()
{
    if (ThreadMaps* pMaps = CurrentMaps()) {
        for (auto& entry : pMaps->maps)
            entry.second->DeleteAll();
    }
}
