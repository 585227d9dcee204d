#include "conversion/app/CTaskProgressCtrl.h"
#include "classlib/AfxMessageMap.h"
#include "conversion/app/CConversionUiResources.h"
#include "conversion/app/res/FetcherResources.h"
#include "framework/controls/BitmapResource.h"
#include "framework/controls/CMemoryDC.h"

IMPLEMENT_DYNAMIC(CTaskProgressCtrl, CWnd)

namespace {

const int kBandHeight = 4;
const int kCorner = 2;
const COLORREF kTrackColour = 0xE0E0E0;

}  // namespace

BEGIN_MESSAGE_MAP(CTaskProgressCtrl, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CTaskProgressCtrl::CTaskProgressCtrl() : m_crBack(kPageBackground), m_crText(GetSysColor(COLOR_WINDOWTEXT)) {}

BOOL CTaskProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CBitmap corners;
    if (!m_corners.GetSafeHandle() && m_corners.Create(kCorner, kCorner, ILC_COLOR32 | ILC_MASK, 4, 0) &&
        LoadBitmapResource(corners, IDB_PROGRESS_CORNERS))
        m_corners.Add(&corners, 0xFF00FF);
    LPCWSTR className = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
    return CWnd::Create(className, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CTaskProgressCtrl::BarWidth(int cx, LONGLONG position, LONGLONG range)
{
    if (range <= 0 || position <= 0 || cx <= 0)
        return 0;
    if (position > range)
        position = range;
    return static_cast<int>(static_cast<LONGLONG>(cx) * position / range);
}

void CTaskProgressCtrl::SetProgress(LONGLONG position, LONGLONG range)
{
    m_position = position;
    m_range = range;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CTaskProgressCtrl::SetText(LPCWSTR lpszText)
{
    if (!m_hWnd)
        return;
    SetWindowText(lpszText);
    Invalidate(TRUE);
}

CString CTaskProgressCtrl::GetText() const
{
    CString text;
    if (m_hWnd)
        GetWindowText(text);
    return text;
}

BOOL CTaskProgressCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTaskProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemoryDC memDC(&dc, &client);
    memDC.FillSolidRect(&client, m_crBack);
    CRect band(client.left, client.bottom - kBandHeight, client.right, client.bottom);
    if (m_bTrack)
        DrawBand(&memDC, band, kTrackColour);
    band.right = band.left + BarWidth(client.Width(), m_position, m_range);
    if (band.Width() > 0)
        DrawBand(&memDC, band, m_crBar);
    CString text = GetText();
    if (!text.IsEmpty()) {
        CRect textRect = client;
        textRect.DeflateRect(2, 0);
        textRect.bottom -= kBandHeight;
        CFont* pOldFont = memDC.SelectObject(theConversionUiResources.GetNormalFont());
        int oldMode = memDC.SetBkMode(TRANSPARENT);
        COLORREF oldColour = memDC.SetTextColor(m_crText);
        memDC.DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        memDC.SetTextColor(oldColour);
        memDC.SetBkMode(oldMode);
        memDC.SelectObject(pOldFont);
    }
}

void CTaskProgressCtrl::DrawBand(CDC* pDC, const CRect& band, COLORREF colour)
{
    pDC->FillSolidRect(&band, colour);
    if (!m_corners.GetSafeHandle() || band.Width() < 2 * kCorner)
        return;
    m_corners.Draw(pDC, 0, CPoint(band.left, band.top), ILD_TRANSPARENT);
    m_corners.Draw(pDC, 1, CPoint(band.right - kCorner, band.top), ILD_TRANSPARENT);
    m_corners.Draw(pDC, 3, CPoint(band.right - kCorner, band.bottom - kCorner), ILD_TRANSPARENT);
    m_corners.Draw(pDC, 2, CPoint(band.left, band.bottom - kCorner), ILD_TRANSPARENT);
}
