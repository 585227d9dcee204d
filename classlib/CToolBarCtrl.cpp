#include "classlib/CToolBarCtrl.h"
#include "classlib/AfxModule.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxCreateControl(this, TOOLBARCLASSNAMEW, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID)
{
    TBADDBITMAP bitmap = {AfxGetResourceHandle(), nBitmapID};
    return static_cast<int>(SendMessage(TB_ADDBITMAP, nNumButtons, reinterpret_cast<LPARAM>(&bitmap)));
}
