#include "classlib/CStatusBar.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CCmdUI.h"
#include "classlib/CFrameWnd.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, &CStatusBar::OnSetText)
    ON_MESSAGE(WM_GETTEXT, &CStatusBar::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &CStatusBar::OnGetTextLength)
    ON_MESSAGE(SB_SETMINHEIGHT, &CStatusBar::OnSetMinHeight)
END_MESSAGE_MAP()

namespace {

// The pane an update pass is at: a disabled indicator shows no text, a checked one pops out.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        SetStyleBit(SBPS_DISABLED, !bOn);
    }
    void SetCheck(int nCheck) override { SetStyleBit(SBPS_POPOUT, nCheck != 0); }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCWSTR lpszText) override { Bar()->SetPaneText(static_cast<int>(m_nIndex), lpszText); }

private:
    CStatusBar* Bar() const { return static_cast<CStatusBar*>(m_pOther); }
    void SetStyleBit(UINT nBit, bool bSet)
    {
        UINT nStyle = Bar()->GetPaneStyle(static_cast<int>(m_nIndex));
        UINT nNew = bSet ? (nStyle | nBit) : (nStyle & ~nBit);
        if (nNew != nStyle)
            Bar()->SetPaneStyle(static_cast<int>(m_nIndex), nNew);
    }
};

// Room around a pane's text: the borders and the gap to the next pane.
const int kPanePadding = 8;

}  // namespace

CStatusBar::CStatusBar() : m_nMinHeight(0) {}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};  // registers the control's class
    InitCommonControlsEx(&icc);
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWindowStyle =
        (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwWindowStyle |= SBARS_SIZEGRIP;
    return CWnd::CreateEx(0, STATUSCLASSNAMEW, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (!lpIDArray && nIDCount > 0)
        return FALSE;
    BOOL bAllFound = TRUE;
    m_panes.clear();
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane = {lpIDArray[i], SBPS_NORMAL, 0, CString()};
        if (pane.nID != ID_SEPARATOR) {
            if (!pane.strText.LoadString(pane.nID))
                bAllFound = FALSE;
            pane.cxText = TextWidth(pane.strText);
        }
        m_panes.push_back(pane);
    }
    if (!m_panes.empty() && m_panes[0].nID == ID_SEPARATOR)
        m_panes[0].nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
    UpdateAllPanes(TRUE, TRUE);
    return bAllFound;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].nID == nIDFind)
            return static_cast<int>(i);
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    SetRectEmpty(lpRect);
    SendMessage(SB_GETRECT, nIndex, reinterpret_cast<LPARAM>(lpRect));
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        nID = nStyle = 0;
        cxWidth = 0;
        return;
    }
    nID = m_panes[nIndex].nID;
    nStyle = m_panes[nIndex].nStyle;
    cxWidth = m_panes[nIndex].cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    m_panes[nIndex].nID = nID;
    m_panes[nIndex].nStyle = nStyle;
    m_panes[nIndex].cxText = cxWidth;
    UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount() || m_panes[nIndex].nStyle == nStyle)
        return;
    bool bWidthChanges = ((m_panes[nIndex].nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    m_panes[nIndex].nStyle = nStyle;
    if (bWidthChanges)
        UpdateAllPanes(TRUE, FALSE);
    ShowPaneText(nIndex);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[nIndex].strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCWSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    CString text(lpszNewText);
    if (m_panes[nIndex].strText == text)
        return TRUE;
    m_panes[nIndex].strText = text;
    if (bUpdate)
        ShowPaneText(nIndex);
    return TRUE;
}

void CStatusBar::ShowPaneText(int nIndex)
{
    if (!m_hWnd)
        return;
    const Pane& pane = m_panes[nIndex];
    LPCWSTR lpszText = (pane.nStyle & SBPS_DISABLED) ? L"" : static_cast<LPCWSTR>(pane.strText);
    SendMessage(SB_SETTEXTW, nIndex | (pane.nStyle & 0xFF00), reinterpret_cast<LPARAM>(lpszText));
}

int CStatusBar::TextWidth(LPCWSTR lpszText) const
{
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = m_hWnd ? reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)) : nullptr;
    HGDIOBJ hOld = hFont ? SelectObject(hDC, hFont) : nullptr;
    SIZE size = {};
    GetTextExtentPoint32W(hDC, lpszText, lstrlenW(lpszText), &size);
    if (hOld)
        SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    return size.cx;
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (!m_hWnd)
        return;
    if (bUpdateRects) {
        // Fixed panes keep their width; stretching panes share what is left before the grip.
        CRect rcClient;
        GetClientRect(&rcClient);
        int cxFree = rcClient.Width();
        if (GetStyle() & SBARS_SIZEGRIP)
            cxFree -= GetSystemMetrics(SM_CXVSCROLL);
        int nStretch = 0;
        for (const Pane& pane : m_panes) {
            if (pane.nStyle & SBPS_STRETCH)
                ++nStretch;
            else
                cxFree -= pane.cxText + kPanePadding;
        }
        int cxStretch = nStretch ? std::max(0, cxFree) / nStretch : 0;
        std::vector<int> rights;
        int x = 0;
        for (const Pane& pane : m_panes) {
            x += (pane.nStyle & SBPS_STRETCH) ? cxStretch : pane.cxText + kPanePadding;
            rights.push_back(x);
        }
        if (rights.empty())
            rights.push_back(-1);
        SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    }
    if (bUpdateText) {
        for (int i = 0; i < GetCount(); ++i)
            ShowPaneText(i);
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ hOld = hFont ? SelectObject(hDC, hFont) : nullptr;
    TEXTMETRICW tm = {};
    GetTextMetricsW(hDC, &tm);
    if (hOld)
        SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    int borders[3] = {};
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    size.cy = std::max(static_cast<int>(tm.tmHeight) + 2, m_nMinHeight) + 2 * borders[1];
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = m_panes[state.m_nIndex].nID;
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, FALSE);  // an indicator without a handler stays as it is
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

// The window text of the bar is the text of its message pane (the pane ID_SEPARATOR).
LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0)
        return FALSE;
    return SetPaneText(nIndex, reinterpret_cast<LPCWSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    LPWSTR lpszBuffer = reinterpret_cast<LPWSTR>(lParam);
    int cchBuffer = static_cast<int>(wParam);
    if (!lpszBuffer || cchBuffer <= 0)
        return 0;
    CString text = GetPaneText(CommandToIndex(ID_SEPARATOR));
    lstrcpynW(lpszBuffer, text, cchBuffer);
    return lstrlenW(lpszBuffer);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    return GetPaneText(CommandToIndex(ID_SEPARATOR)).GetLength();
}

LRESULT CStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    m_nMinHeight = static_cast<int>(wParam);
    return Default();
}
