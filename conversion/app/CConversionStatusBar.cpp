#include "conversion/app/CConversionStatusBar.h"
#include "classlib/AfxMessageMap.h"
#include "conversion/app/CConversionUiResources.h"
#include "conversion/app/res/FetcherResources.h"
#include "framework/controls/CMemoryDC.h"
#include "framework/system/COSInfo.h"

IMPLEMENT_DYNAMIC(CConversionStatusBar, CStatusBar)

namespace {

const COLORREF kBarColour = 0xE8E8E8;
const UINT kIndicators[] = {IDS_TOOL_DESCRIPTION};

}  // namespace

BEGIN_MESSAGE_MAP(CConversionStatusBar, CStatusBar)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_SETTEXT, &CConversionStatusBar::OnSetText)
    ON_MESSAGE(WM_GETTEXT, &CConversionStatusBar::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &CConversionStatusBar::OnGetTextLength)
END_MESSAGE_MAP()

BOOL CConversionStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!CStatusBar::Create(pParentWnd, dwStyle, nID))
        return FALSE;
    SetFont(theConversionUiResources.GetNormalFont());
    SendMessage(SB_SETMINHEIGHT, 20);
    return TRUE;
}

int CConversionStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatusBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!SetIndicators(kIndicators, 1))
        return -1;
    SetPaneInfo(0, IDS_TOOL_DESCRIPTION, SBPS_STRETCH | SBPS_NOBORDERS, 0);
    SetPaneText(0, L"");
    return 0;
}

void CConversionStatusBar::SetText(int nPane, LPCWSTR lpszText)
{
    if (!m_hWnd)
        return;
    SetPaneText(nPane, lpszText);
    SendMessage(SB_SETTIPTEXTW, nPane, reinterpret_cast<LPARAM>(lpszText));
    Invalidate(FALSE);
}

LRESULT CConversionStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    SetPaneText(0, reinterpret_cast<LPCWSTR>(lParam));
    Invalidate(FALSE);
    return TRUE;
}

LRESULT CConversionStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    LPWSTR buffer = reinterpret_cast<LPWSTR>(lParam);
    int size = static_cast<int>(wParam);
    if (!buffer || size <= 0)
        return 0;
    lstrcpynW(buffer, GetPaneText(0), size);
    return lstrlenW(buffer);
}

LRESULT CConversionStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    return GetPaneText(0).GetLength();
}

BOOL CConversionStatusBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CConversionStatusBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemoryDC memDC(&dc, &client);
    memDC.FillSolidRect(&client, kBarColour);
    memDC.FillSolidRect(client.left, client.top, client.Width(), 1, kBarColour);
    CWnd* pParent = GetParent();
    CFont* pOldFont = memDC.SelectObject(GetFont());
    int oldMode = memDC.SetBkMode(TRANSPARENT);
    CRect pane;
    GetItemRect(0, &pane);
    if (pane.Width() > 15) {
        pane.right = client.right;
        if (pParent && !pParent->IsZoomed())
            pane.right -= GetSystemMetrics(SM_CXVSCROLL);
        CString text = GetPaneText(0);
        if (!text.IsEmpty()) {
            pane.DeflateRect(4, 0);
            pane.top -= 2;
            pane.bottom -= 2;
            memDC.DrawText(text, &pane, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
    }
    // Vista and later draw their own grip; older systems get the bar's.
    if ((GetStyle() & SBARS_SIZEGRIP) && !COSInfo::Get().IsVistaOrLater() && pParent && !pParent->IsZoomed())
        theConversionUiResources.m_sizeGripImages.Draw(&memDC, 0, CPoint(client.right - 12, client.bottom - 12),
                                                       ILD_TRANSPARENT);
    memDC.SetBkMode(oldMode);
    memDC.SelectObject(pOldFont);
}

void CConversionStatusBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    GetParent()->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    CStatusBar::OnLButtonDown(nFlags, point);
}
