#include "classlib/CStatusBarCtrl.h"

IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)

CString CStatusBarCtrl::GetText(int nPane, int* pType) const
{
    // The low word is the length, the high word the drawing type.
    DWORD dwInfo = static_cast<DWORD>(SendMessage(SB_GETTEXTLENGTHW, nPane));
    CString text;
    SendMessage(SB_GETTEXTW, nPane, reinterpret_cast<LPARAM>(text.GetBuffer(LOWORD(dwInfo))));
    text.ReleaseBuffer(LOWORD(dwInfo));
    if (pType)
        *pType = HIWORD(dwInfo);
    return text;
}
