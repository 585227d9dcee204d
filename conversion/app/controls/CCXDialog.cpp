#include "conversion/app/controls/CCXDialog.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/AfxModule.h"
#include "classlib/AfxSubString.h"
#include "classlib/CCmdUI.h"
#include "classlib/CMenu.h"

IMPLEMENT_DYNAMIC(CCXToolTipCtrl, CToolTipCtrl)
IMPLEMENT_DYNAMIC(CCXDialog, CDialog)

BEGIN_MESSAGE_MAP(CCXDialog, CDialog)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_INITMENUPOPUP()
    ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOW, 0, 0xFFFF, &CCXDialog::OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, &CCXDialog::OnToolTipText)
END_MESSAGE_MAP()

void CCXToolTipCtrl::RelayMouseMove(CWnd* pDialog, const MSG* pMsg)
{
    if (!m_hWnd || !pDialog || !pDialog->m_hWnd)
        return;
    POINT ptScreen = {static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam))};
    ::ClientToScreen(pMsg->hwnd, &ptScreen);
    // The tip is told the window under the point; a disabled control counts, so it too has a tip.
    SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&ptScreen));
    POINT ptDialog = ptScreen;
    ::ScreenToClient(pDialog->m_hWnd, &ptDialog);
    HWND hChild = ::ChildWindowFromPointEx(pDialog->m_hWnd, ptDialog, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!hChild)
        hChild = pDialog->m_hWnd;
    POINT ptChild = ptScreen;
    ::ScreenToClient(hChild, &ptChild);
    MSG relayed = *pMsg;
    relayed.hwnd = hChild;
    relayed.lParam = MAKELPARAM(ptChild.x, ptChild.y);
    SendMessage(TTM_ACTIVATE, TRUE);
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

CCXDialog::CCXDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd)
{
}

BOOL CCXDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE && m_toolTip.m_hWnd &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        m_toolTip.RelayMouseMove(this, pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

int CCXDialog::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_toolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX))
        return -1;
    m_toolTip.SetMaxTipWidth(0xFFFF);  // tips may have several lines
    return 0;
}

BOOL CCXDialog::OnInitDialog()
{
    BOOL bResult = CDialog::OnInitDialog();
    // Every control is a tool whose text is asked for (TTN_GETDISPINFO) when it is shown.
    if (m_toolTip.m_hWnd) {
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            m_toolTip.AddTool(CWnd::FromHandle(hChild));
    }
    return bResult;
}

void CCXDialog::SetControlTip(int nID, LPCWSTR pszTip)
{
    CWnd* pControl = GetDlgItem(nID);
    if (m_toolTip.m_hWnd && pControl)
        m_toolTip.UpdateTipText(pszTip, pControl);
}

void CCXDialog::OnLButtonDown(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonDown(nFlags, point);
}

void CCXDialog::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CDialog::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    AfxCancelModes(m_hWnd);
    if (bSysMenu)
        return;
    AfxUpdatePopupMenu(this, pPopupMenu, m_bAutoMenuEnable);
}

BOOL CCXDialog::LoadTipText(UINT nID, CString& strTip)
{
    if (nID == 0 || nID > 0xFFFF)
        return FALSE;
    wchar_t szFull[257] = {};
    if (::LoadStringW(AfxGetResourceHandle(), nID, szFull, 257) <= 0)
        return FALSE;
    AfxExtractSubString(strTip, szFull, 1);
    return TRUE;
}

void CCXDialog::CopyTipText(NMHDR* pNMHDR, LPCWSTR pszTip)
{
    if (pNMHDR->code == TTN_GETDISPINFOW) {
        NMTTDISPINFOW* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        lstrcpynW(pInfo->szText, pszTip, ARRAYSIZE(pInfo->szText));
        pInfo->lpszText = pInfo->szText;
        return;
    }
    // The ANSI form: converted whole, then cut to the buffer without splitting a double-byte
    // character.
    NMTTDISPINFOA* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    const int nMax = ARRAYSIZE(pInfo->szText) - 1;
    int nBytes = WideCharToMultiByte(CP_ACP, 0, pszTip, -1, nullptr, 0, nullptr, nullptr);
    CStringA converted;
    int nLength = 0;
    if (nBytes > 1) {
        LPSTR pBuffer = converted.GetBuffer(nBytes);
        WideCharToMultiByte(CP_ACP, 0, pszTip, -1, pBuffer, nBytes, nullptr, nullptr);
        converted.ReleaseBuffer(nBytes - 1);
        const char* p = converted;
        while (nLength < converted.GetLength()) {
            int nStep = IsDBCSLeadByte(static_cast<BYTE>(p[nLength])) && nLength + 1 < converted.GetLength() ? 2 : 1;
            if (nLength + nStep > nMax)
                break;
            nLength += nStep;
        }
        memcpy(pInfo->szText, p, nLength);
    }
    pInfo->szText[nLength] = '\0';
    pInfo->lpszText = pInfo->szText;
}

BOOL CCXDialog::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    // The two forms' text buffers differ in size, so uFlags sits at different places.
    UINT uFlags = pNMHDR->code == TTN_GETDISPINFOW ? reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags
                                                   : reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags;
    UINT_PTR nID = pNMHDR->idFrom;
    if (uFlags & TTF_IDISHWND)
        nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
    CString strTip;
    if (!LoadTipText(static_cast<UINT>(nID), strTip))
        return FALSE;
    CopyTipText(pNMHDR, strTip);
    *pResult = 0;
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    return TRUE;
}
