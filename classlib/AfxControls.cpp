#include "classlib/AfxControls.h"
#include "classlib/CComboBoxEx.h"
#include "classlib/CEdit.h"
#include "classlib/CHeaderCtrl.h"
#include "classlib/CProgressCtrl.h"
#include "classlib/CScrollBar.h"
#include "classlib/CSliderCtrl.h"
#include "classlib/CStatic.h"

// The controls whose methods all live in their headers.
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CComboBoxEx, CComboBox)

void AfxInitCommonControls()
{
    static const BOOL bDone = [] {
        INITCOMMONCONTROLSEX init = {sizeof(init),
                                     ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&init);
    }();
    (void)bDone;
}

BOOL AfxCreateControl(CWnd* pWnd, LPCWSTR lpszClass, LPCWSTR lpszText, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, DWORD dwExStyle)
{
    AfxInitCommonControls();
    return pWnd->CreateEx(dwExStyle, lpszClass, lpszText, dwStyle, rect, pParentWnd, nID);
}

void AfxGetListItemText(const CWnd* pWnd, UINT nLengthMessage, UINT nTextMessage, int nIndex, CString& rString)
{
    // LB_ERR and CB_ERR are the same value.
    int nLength = static_cast<int>(pWnd->SendMessage(nLengthMessage, nIndex));
    if (nLength == LB_ERR) {
        rString.Empty();
        return;
    }
    LPARAM lBuffer = reinterpret_cast<LPARAM>(rString.GetBuffer(nLength));
    int nCopied = static_cast<int>(pWnd->SendMessage(nTextMessage, nIndex, lBuffer));
    rString.ReleaseBuffer(nCopied == LB_ERR ? 0 : nCopied);
}
