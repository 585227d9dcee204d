#include "conversion/app/controls/CMaskedEdit.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDataExchange.h"
#include "conversion/engine/EngineTexts.h"
#include "framework/text/Duration.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CMaskedEdit, CEdit)
IMPLEMENT_DYNAMIC(CTimeEdit, CMaskedEdit)

BEGIN_MESSAGE_MAP(CMaskedEdit, CEdit)
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

// Writes ch at position, or appends it at the end of the text.
void Put(CString& text, int position, wchar_t ch)
{
    if (position < text.GetLength())
        text.SetAt(position, ch);
    else
        text += ch;
}

CString ClipboardText(HWND hWnd)
{
    CString text;
    if (!OpenClipboard(hWnd))
        return text;
    if (HANDLE hData = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(hData))) {
            text = p;
            GlobalUnlock(hData);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

LRESULT CMaskedEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CUT:
        // A cut keeps what it takes on the clipboard before the positions are cleared.
        CEdit::WindowProc(WM_COPY, 0, 0);
        ClearSelection();
        return 0;
    case WM_CLEAR:
        ClearSelection();
        return 0;
    case WM_PASTE:
        Paste();
        return 0;
    default:
        return CEdit::WindowProc(message, wParam, lParam);
    }
}

void CMaskedEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_CONTROL)
        m_bCtrlDown = 1;
    if (nChar == VK_INSERT)
        return;
    if (m_bCtrlDown && (nChar == 'C' || nChar == 'V' || nChar == 'X')) {
        SendMessage(nChar == 'C' ? WM_COPY : nChar == 'V' ? WM_PASTE : WM_CUT);
        return;
    }
    // Delete clears in place and leaves the clipboard alone.
    if (nChar == VK_DELETE) {
        SendMessage(WM_CLEAR);
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CMaskedEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_CONTROL)
        m_bCtrlDown = 0;
    CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

// The key's release goes to the window that has the focus then.
void CMaskedEdit::OnKillFocus(CWnd* pNewWnd)
{
    m_bCtrlDown = 0;
    CEdit::OnKillFocus(pNewWnd);
}

void CMaskedEdit::OnChar(UINT nChar, UINT, UINT)
{
    CString text;
    GetWindowText(text);
    int start = 0, end = 0;
    GetSel(start, end);
    if (start > end)
        std::swap(start, end);
    if (nChar == VK_BACK) {
        Backspace(text, start, end);
        Show(text, start, start);
        return;
    }
    int caret = start;
    if (Type(text, caret, static_cast<wchar_t>(nChar)))
        Show(text, caret, caret);
}

void CMaskedEdit::Backspace(CString& text, int& start, int end) const
{
    end = std::min(end, text.GetLength());
    start = std::min(start, end);
    if (start == end) {
        if (start == 0)
            return;
        start--;
    }
    if (end == text.GetLength()) {
        text = text.Left(start) + text.Mid(end);
        return;
    }
    for (int position = start; position < end; position++) {
        if (IsDigitSlot(position))
            text.SetAt(position, L'0');
    }
}

bool CMaskedEdit::Type(CString& text, int& caret, wchar_t ch) const
{
    caret = std::min(caret, text.GetLength());
    if (IsAllowed(ch)) {
        if (caret >= m_strMask.GetLength())
            return false;
        if (IsLiteralSlot(caret)) {
            Put(text, caret, m_strMask[caret]);
            caret++;
        }
        if (IsDigitSlot(caret)) {
            Put(text, caret, ch);
            caret++;
        }
        return true;
    }
    if (!IsLiteralSlot(caret) || m_strMask[caret] != ch)
        return false;
    Put(text, caret, ch);
    caret++;
    return true;
}

void CMaskedEdit::Show(const CString& text, int start, int end)
{
    SetWindowText(text);
    SendMessage(EM_SETSEL, start, end);
    SendMessage(EM_SCROLLCARET);
}

int CMaskedEdit::ClearSelection()
{
    CString text;
    GetWindowText(text);
    int start = 0, end = 0;
    GetSel(start, end);
    end = std::min(end, text.GetLength());
    if (start >= end)
        return 1;
    if (end == text.GetLength()) {
        text = text.Left(start) + text.Mid(end);
    } else {
        for (int position = start; position < end; position++) {
            if (IsDigitSlot(position))
                text.SetAt(position, L'0');
            else if (IsLiteralSlot(position))
                text.SetAt(position, m_strMask[position]);
        }
    }
    Show(text, start, start);
    return 1;
}

void CMaskedEdit::Paste()
{
    CString clip = ClipboardText(m_hWnd);
    if (clip.IsEmpty())
        return;
    CString text;
    GetWindowText(text);
    int start = 0, end = 0;
    GetSel(start, end);
    start = std::min(start, text.GetLength());
    const bool hasSelection = end > start;
    // Without a selection only the positions the text still lacks may be filled.
    const int room = hasSelection ? end - start : m_strMask.GetLength() - text.GetLength();
    int position = start;
    for (int used = 0, filled = 0; used < clip.GetLength() && position < m_strMask.GetLength() && filled < room;
         position++, filled++) {
        if (IsDigitSlot(position)) {
            wchar_t ch = clip[used++];
            Put(text, position, IsAllowed(ch) ? ch : L'0');
        } else {
            Put(text, position, m_strMask[position]);
            if (clip[used] == m_strMask[position])
                used++;
        }
    }
    Show(text, position, position);
}

void CTimeEdit::SetTime(LONGLONG nMilliseconds)
{
    SetWindowText(FormatDurationPadded(nMilliseconds, false, true, true));
}

LONGLONG CTimeEdit::GetTime() const
{
    CString text;
    GetWindowText(text);
    return ParseDuration(text.Left(63));
}

void DDX_TimeMs(CDataExchange* pDX, int nIDC, LONGLONG& nMilliseconds)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        wchar_t text[64] = {};
        ::GetWindowTextW(hWnd, text, 64);
        nMilliseconds = ParseDuration(text);
    } else {
        ::SetWindowTextW(hWnd, FormatDurationPadded(nMilliseconds, false, true, true));
    }
}
