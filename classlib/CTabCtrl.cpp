#include "classlib/CTabCtrl.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

LONG CTabCtrl::InsertItem(int nItem, LPCWSTR lpszItem, int nImage)
{
    TCITEMW item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(nItem, &item);
}
