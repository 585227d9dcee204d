#include "conversion/engine/CSystemImageList.h"
#include <shellapi.h>

namespace {

HIMAGELIST SystemImageList(UINT sizeFlag)
{
    SHFILEINFOW info = {};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | sizeFlag));
}

}  // namespace

CSystemImageList::~CSystemImageList()
{
    m_small.Detach();
    m_large.Detach();
}

int CSystemImageList::Load()
{
    if (m_hSmall)
        return 0;
    HIMAGELIST hSmall = SystemImageList(SHGFI_SMALLICON);
    HIMAGELIST hLarge = SystemImageList(0);
    if (!hSmall || !hLarge)
        return -1;
    m_hSmall = hSmall;
    m_hLarge = hLarge;
    m_small.Attach(m_hSmall);
    m_large.Attach(m_hLarge);
    m_small.SetBkColor(CLR_NONE);
    m_large.SetBkColor(CLR_NONE);
    return 0;
}

CImageList* CSystemImageList::GetImageList(int small)
{
    if (!m_hSmall)
        return nullptr;
    if (small == 1)
        return &m_small;
    if (small == 0)
        return &m_large;
    return nullptr;
}
