#include "classlib/AfxTempMap.h"
#include "classlib/CWnd.h"
#include <vector>

namespace {

// Every map lives as long as its thread, so the list never holds a dead one while it is used.
std::vector<CTempMapBase*>& ThreadMaps()
{
    static thread_local std::vector<CTempMapBase*> maps;
    return maps;
}

}  // namespace

void CTempMapBase::Register()
{
    ThreadMaps().push_back(this);
}

void AfxDeleteTempMaps()
{
    for (CTempMapBase* map : ThreadMaps())
        map->DeleteAll();
    CWnd::DeleteTempMap();
}
