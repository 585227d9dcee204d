#include "player/windows/CTimeLabelItem.h"

#include <algorithm>

namespace {

CString FormatTime(int nValue, BOOL bShort)
{
    int nHours = nValue / 3600000;
    int nMinutes = nValue / 1000 % 3600 / 60;
    int nSeconds = nValue / 1000 % 60;
    int nTenths = nValue % 1000 / 100;
    CString text;
    if (bShort)
        text.Format(L"%d.%d", nValue / 1000, nTenths);
    else if (nHours > 0)
        text.Format(L"%02d:%02d:%02d.%d", nHours, nMinutes, nSeconds, nTenths);
    else
        text.Format(L"%02d:%02d.%d", nMinutes, nSeconds, nTenths);
    return text;
}

int MicrosecondsToMilliseconds(LONGLONG nMicroseconds)
{
    return static_cast<int>(nMicroseconds / 1000);
}

}  // namespace

CTimeLabelItem::CTimeLabelItem(CBarItemContainer* pOwner, int nID) : CBarTextItem(pOwner), m_nID(nID)
{
    m_crNormal = m_crHot = m_crDisabled = ::GetSysColor(COLOR_BTNTEXT);
}

void CTimeLabelItem::SetDuration(int nMilliseconds)
{
    m_nPosition = 0;
    m_nDuration = nMilliseconds;
    UpdateText();
}

void CTimeLabelItem::SetPosition(int nMilliseconds)
{
    m_nPosition = nMilliseconds;
    UpdateText();
}

void CTimeLabelItem::SetDurationUs(LONGLONG nMicroseconds)
{
    SetDuration(MicrosecondsToMilliseconds(nMicroseconds));
}

void CTimeLabelItem::SetPositionUs(LONGLONG nMicroseconds)
{
    SetPosition(MicrosecondsToMilliseconds(nMicroseconds));
}

void CTimeLabelItem::ToggleTimeMode()
{
    if (m_bShowRemaining)
        m_bWithDuration = !m_bWithDuration;
    m_bShowRemaining = !m_bShowRemaining;
    UpdateText();
}

int CTimeLabelItem::GetPreferredWidth() const
{
    return std::max(GetFixedWidth(), GetTextWidth());
}

int CTimeLabelItem::GetFixedWidth() const
{
    BOOL bLong = m_nDuration / 3600000 >= 1;
    if (m_nDuration == 0 && m_nPosition == 0)
        return m_bWithDuration ? 96 : 48;
    if (m_bWithDuration && m_nDuration >= 100)
        return bLong ? 128 : 96;
    return bLong ? 64 : 48;
}

// A font wider than the fixed widths assume must not cut the text: the text with every digit
// made a zero, so the width does not change from one tick to the next, plus the side margins.
int CTimeLabelItem::GetTextWidth() const
{
    HFONT hFont = m_hFont ? m_hFont : m_pOwner->GetFont();
    if (!hFont || m_strText.IsEmpty())
        return 0;
    CString strShape(m_strText);
    for (int i = 0; i < strShape.GetLength(); ++i) {
        if (strShape[i] >= L'1' && strShape[i] <= L'9')
            strShape.SetAt(i, L'0');
    }
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size = {};
    ::GetTextExtentPoint32W(hDC, strShape, strShape.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    return size.cx + 4;
}

void CTimeLabelItem::UpdateText()
{
    CString text;
    if (m_nDuration == 0 && m_nPosition == 0) {
        text = m_bShowRemaining ? L"-00:00" : L"00:00";
        if (m_bWithDuration)
            text += L" / 00:00";
    } else {
        // A position past the end (a late progress event, a guessed duration) is no time left,
        // not a negative one.
        int nShown = m_bShowRemaining ? m_nDuration - m_nPosition : m_nPosition;
        if (nShown < 0)
            nShown = 0;
        BOOL bBoth = m_bWithDuration && m_nDuration >= 100;
        BOOL bMinus = m_bShowRemaining && nShown >= 100;
        BOOL bShort = m_nDuration / 1000 < 10;
        text = (bMinus ? L"-" : L"") + FormatTime(nShown, bShort);
        if (bBoth)
            text += L" / " + FormatTime(m_nDuration, bShort);
    }
    SetText(text, TRUE);
}

BOOL CTimeLabelItem::OnMessage(const MSG* pMsg)
{
    if (IsDisabled() || IsHidden())
        return FALSE;
    CPoint pt = MessagePoint(pMsg);
    switch (pMsg->message) {
    case WM_MOUSEMOVE:
        return TrackMouseMove(pt);
    case WM_LBUTTONDOWN:
        if (!PtInItem(pt.x, pt.y))
            return FALSE;
        m_pOwner->SetPressedItem(this);
        return TRUE;
    case WM_LBUTTONUP:
        if (!PtInItem(pt.x, pt.y) || !IsPressed()) {
            m_pOwner->StopPressed(this, FALSE);
            return FALSE;
        }
        m_pOwner->SetPressedItem(nullptr);
        m_pOwner->Post(this, WM_COMMAND, static_cast<WPARAM>(m_nID & 0xFFFF), 0);
        return TRUE;
    case WM_MOUSELEAVE:
        m_pOwner->StopPressed(this, TRUE);
        return TRUE;
    }
    return FALSE;
}

void CTimeLabelItem::Draw(CDC* pDC)
{
    if (m_strText.IsEmpty())
        return;
    CRect rect = m_rect;
    rect.DeflateRect(2, 0);
    rect.bottom -= 1;
    COLORREF cr = m_crNormal;
    if (IsHot())
        cr = m_crHot;
    else if (IsDisabled() || (m_nDuration == 0 && m_nPosition == 0))
        cr = m_crDisabled;
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOld = pDC->SetTextColor(cr);
    HFONT hFont = m_hFont ? m_hFont : m_pOwner->GetFont();
    HGDIOBJ hOldFont = hFont ? pDC->SelectObject(hFont) : nullptr;
    pDC->DrawText(m_strText, &rect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    if (hOldFont)
        pDC->SelectObject(hOldFont);
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
}
